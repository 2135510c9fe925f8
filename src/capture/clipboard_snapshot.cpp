#include "capture/clipboard_snapshot.h"

#include <vector>

namespace {

constexpr uint32_t kFirstRegisteredFormat = 0xC000;
constexpr uint32_t kOwnerDisplayText = 0x81;  // CF_DSPTEXT: a memory block like CF_TEXT

}  // namespace

FormatCopying HowToCopyFormat(uint32_t format) {
    if (format >= kFirstRegisteredFormat && format <= 0xFFFF) {
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
        case kFormatFileList:
        case kFormatLocale:
        case 17:  // CF_DIBV5
        case kOwnerDisplayText:
            return FormatCopying::Memory;
        default:
            // CF_METAFILEPICT and CF_PALETTE hold handles inside; owner-display,
            // private (0x200-0x2FF) and GDI-object (0x300-0x3FF) formats mean
            // something only to their owner.
            return FormatCopying::NotCopyable;
    }
}

bool IsTextFormat(uint32_t format) {
    return format == kFormatText || format == kFormatOemText || format == kFormatUnicodeText ||
           format == kFormatLocale;
}

FormatChoice ChooseFormatsToSave(const std::vector<OfferedFormat>& offered, size_t byteLimit) {
    FormatChoice choice;
    size_t total = 0;
    for (const OfferedFormat& entry : offered) {
        if (HowToCopyFormat(entry.Format) == FormatCopying::NotCopyable) {
            continue;
        }
        choice.Formats.push_back(entry.Format);
        // Saturate rather than wrap: sizes come from other programs' blocks.
        const size_t room = total >= byteLimit ? 0 : byteLimit - total;
        total = entry.Size > room ? byteLimit + 1 : total + entry.Size;
    }
    if (total > byteLimit) {
        choice.TextOnly = true;
        std::erase_if(choice.Formats, [](uint32_t format) { return !IsTextFormat(format); });
    }
    return choice;
}
