#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Standard clipboard format numbers the snapshot reasons about.
inline constexpr uint32_t kFormatText = 1;          // CF_TEXT
inline constexpr uint32_t kFormatBitmap = 2;        // CF_BITMAP
inline constexpr uint32_t kFormatOemText = 7;       // CF_OEMTEXT
inline constexpr uint32_t kFormatUnicodeText = 13;  // CF_UNICODETEXT
inline constexpr uint32_t kFormatEnhMetafile = 14;  // CF_ENHMETAFILE
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

// A format on offer and the bytes its content takes (an estimate for handles).
struct OfferedFormat {
    uint32_t Format = 0;
    size_t Size = 0;
};

// Every copyable format in offer order; when together they exceed `byteLimit`, only
// the text formats.
std::vector<uint32_t> ChooseFormatsToSave(const std::vector<OfferedFormat>& offered,
                                          size_t byteLimit);

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
    bool Saved = false;                // false when another program held the clipboard
    std::vector<ClipboardItem> Items;  // in the clipboard's own enumeration order
};

// The clipboard as the convert-selection cycle uses it. Every operation opens and
// closes the clipboard itself; nothing holds it open across a wait.
class CycleClipboard {
  public:
    virtual ~CycleClipboard() = default;

    // Everything on the clipboard that can be duplicated (see ChooseFormatsToSave).
    virtual ClipboardSnapshot Save() = 0;

    // Empties the clipboard and puts every saved item back, byte for byte and in the
    // saved order, marked to stay out of the clipboard history; an item the clipboard
    // refuses is left out. False when the clipboard could not be opened: another
    // program holds it.
    virtual bool Restore(const ClipboardSnapshot& snapshot) = 0;

    // False when the clipboard could not be opened, as for Restore.
    virtual bool Clear() = 0;

    // No format at all on the clipboard.
    virtual bool IsEmpty() = 0;

    // Unicode text is on offer.
    virtual bool HasText() = 0;

    // The Unicode text up to its first zero unit; nothing when it cannot be read.
    virtual std::optional<std::wstring> ReadText() = 0;

    // The bytes of the registered format of that name; nothing when it is not on offer.
    virtual std::optional<std::string> ReadNamedFormat(const std::wstring& name) = 0;

    // Changes whenever the clipboard's content changes; compare only for "changed".
    virtual uint32_t SequenceNumber() = 0;

    // Puts the converted text on the clipboard as Unicode text, marked to stay out of
    // the history. False when it could not be placed.
    virtual bool PutText(const std::wstring& text) = 0;

    // From now on, watch for the target fetching the text of the last PutText.
    virtual void ExpectPaste() = 0;

    // True once the text was fetched after ExpectPaste. An implementation that cannot
    // see it always answers false, and the cycle then waits its full time.
    virtual bool PasteWasFetched() = 0;
};

// Editors (Visual Studio, VS Code, Notepad++ and other Scintilla editors) copy the whole
// caret line when Ctrl+C finds nothing selected, and mark such a copy so that their paste
// inserts it as a line of its own. The mark formats, and the formats holding VS Code's
// description of a copy: its own, and the one Chromium keeps a page's custom data in.
inline const std::wstring kLineCopyMarks[] = {
    L"MSDEVLineSelect", L"VisualStudioEditorOperationsLineCutCopyClipboardTag"};
inline const std::wstring kEditorDataFormats[] = {L"vscode-editor-data",
                                                  L"Chromium Web Custom MIME Data Format"};

// Whether an editor's description of a copy (JSON, in UTF-8 or UTF-16) says it was made
// with nothing selected: "isFromEmptySelection": true, blanks allowed around the colon.
bool DescribesEmptySelectionCopy(std::string_view data);

// The clipboard holds a whole-line copy rather than a selection.
bool HoldsWholeLineCopy(CycleClipboard& clipboard);
