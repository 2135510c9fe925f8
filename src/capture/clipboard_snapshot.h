#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Standard clipboard format numbers the program reasons about.
inline constexpr uint32_t kFormatText = 1;          // CF_TEXT
inline constexpr uint32_t kFormatBitmap = 2;        // CF_BITMAP
inline constexpr uint32_t kFormatOemText = 7;       // CF_OEMTEXT
inline constexpr uint32_t kFormatUnicodeText = 13;  // CF_UNICODETEXT
inline constexpr uint32_t kFormatEnhMetafile = 14;  // CF_ENHMETAFILE
inline constexpr uint32_t kFormatFileList = 15;     // CF_HDROP
inline constexpr uint32_t kFormatLocale = 16;       // CF_LOCALE

// A snapshot never holds more than this; a bigger clipboard keeps only its text.
inline constexpr size_t kSnapshotByteLimit = size_t{64} * 1024 * 1024;

// How the content of a format can be duplicated.
enum class FormatCopying {
    Memory,            // a global memory block: its bytes are the content
    Bitmap,            // a bitmap handle, duplicated by the graphics system
    EnhancedMetafile,  // an enhanced-metafile handle, likewise
    NotCopyable,       // private, owner-display and other handles whose meaning only
                       // their owner knows, or that would dangle once it lets go
};

FormatCopying HowToCopyFormat(uint32_t format);

// The formats a snapshot keeps even when the clipboard is too big to keep whole.
bool IsTextFormat(uint32_t format);

// A format on offer and the bytes its content takes (an estimate for handles).
struct OfferedFormat {
    uint32_t Format = 0;
    size_t Size = 0;
};

struct FormatChoice {
    std::vector<uint32_t> Formats;  // in the order offered
    bool TextOnly = false;          // the whole clipboard was over the limit
};

// Every copyable format in offer order; when together they exceed `byteLimit`, only
// the text formats.
FormatChoice ChooseFormatsToSave(const std::vector<OfferedFormat>& offered, size_t byteLimit);

// One saved format. Memory formats keep their bytes; bitmaps and metafiles keep a
// duplicate handle that the platform layer owns and releases through `Object`.
struct ClipboardItem {
    uint32_t Format = 0;
    FormatCopying Kind = FormatCopying::Memory;
    std::vector<uint8_t> Bytes;
    std::shared_ptr<void> Object;
};

// The user's clipboard as it was before a cycle.
struct ClipboardSnapshot {
    bool Saved = false;  // false when the clipboard could not be read at all
    bool TextOnly = false;
    std::vector<ClipboardItem> Items;  // in the clipboard's own enumeration order
};
