#include "capture/clipboard.h"

#include <algorithm>
#include <string>

namespace {

bool IsTextFormat(uint32_t format) {
    return format == kFormatText || format == kFormatOemText || format == kFormatUnicodeText ||
           format == kFormatLocale;
}

}  // namespace

FormatCopying HowToCopyFormat(uint32_t format) {
    if (format >= 0xC000 && format <= 0xFFFF) {
        return FormatCopying::Memory;  // registered formats are global memory by rule
    }
    switch (format) {
        case kFormatBitmap:
            return FormatCopying::Bitmap;
        case kFormatEnhMetafile:
            return FormatCopying::EnhancedMetafile;
        case kFormatText:
        case 4:  // CF_SYLK
        case 5:  // CF_DIF
        case 6:  // CF_TIFF
        case kFormatOemText:
        case 8:   // CF_DIB
        case 10:  // CF_PENDATA
        case 11:  // CF_RIFF
        case 12:  // CF_WAVE
        case kFormatUnicodeText:
        case 15:  // CF_HDROP
        case kFormatLocale:
        case 17:    // CF_DIBV5
        case 0x81:  // CF_DSPTEXT: a memory block like CF_TEXT
            return FormatCopying::Memory;
        default:
            // CF_METAFILEPICT and CF_PALETTE hold handles inside; owner-display,
            // private (0x200-0x2FF) and GDI-object (0x300-0x3FF) formats mean
            // something only to their owner.
            return FormatCopying::NotCopyable;
    }
}

std::vector<uint32_t> ChooseFormatsToSave(const std::vector<OfferedFormat>& offered,
                                          size_t byteLimit) {
    std::vector<uint32_t> formats;
    size_t total = 0;
    for (const OfferedFormat& entry : offered) {
        if (HowToCopyFormat(entry.Format) == FormatCopying::NotCopyable) {
            continue;
        }
        formats.push_back(entry.Format);
        // Saturate rather than wrap: sizes come from other programs' blocks.
        const size_t room = total >= byteLimit ? 0 : byteLimit - total;
        total = entry.Size > room ? byteLimit + 1 : total + entry.Size;
    }
    if (total > byteLimit) {
        std::erase_if(formats, [](uint32_t format) { return !IsTextFormat(format); });
    }
    return formats;
}

bool DescribesEmptySelectionCopy(std::string_view data) {
    // The key and the value are ASCII: without the zero bytes UTF-16 reads as UTF-8 does.
    std::string text(data);
    std::erase(text, '\0');
    constexpr std::string_view kKey = "\"isFromEmptySelection\"";
    const auto skipBlanks = [&](size_t at) {
        return std::min(text.find_first_not_of(" \t\r\n", at), text.size());
    };
    for (size_t key = text.find(kKey); key != std::string::npos; key = text.find(kKey, key + 1)) {
        const size_t colon = skipBlanks(key + kKey.size());
        if (colon < text.size() && text[colon] == ':' &&
            std::string_view(text).substr(skipBlanks(colon + 1)).starts_with("true")) {
            return true;
        }
    }
    return false;
}

bool HoldsWholeLineCopy(CycleClipboard& clipboard) {
    for (const std::wstring& mark : kLineCopyMarks) {
        if (clipboard.ReadNamedFormat(mark).has_value()) {
            return true;
        }
    }
    for (const std::wstring& format : kEditorDataFormats) {
        const std::optional<std::string> data = clipboard.ReadNamedFormat(format);
        if (data.has_value() && DescribesEmptySelectionCopy(*data)) {
            return true;
        }
    }
    return false;
}
