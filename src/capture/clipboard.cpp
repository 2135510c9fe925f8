#include "capture/clipboard.h"

#include <algorithm>

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
