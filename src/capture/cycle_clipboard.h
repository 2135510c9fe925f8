#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "capture/clipboard_snapshot.h"

// The clipboard as the convert-selection cycle uses it. Every operation opens and
// closes the clipboard itself; nothing holds it open across a wait.
class CycleClipboard {
  public:
    virtual ~CycleClipboard() = default;

    // Everything on the clipboard that can be duplicated (see ChooseFormatsToSave).
    virtual ClipboardSnapshot Save() = 0;

    // Empties the clipboard and puts every saved item back, byte for byte and in the
    // saved order, marked to stay out of the clipboard history. A snapshot that could
    // not be taken (Saved false) changes nothing and gives false.
    virtual bool Restore(const ClipboardSnapshot& snapshot) = 0;

    virtual bool Clear() = 0;

    // No format at all on the clipboard.
    virtual bool IsEmpty() = 0;

    // Unicode text (format 13) is on offer.
    virtual bool HasText() = 0;

    // The Unicode text up to its first zero unit; nothing when it cannot be read.
    virtual std::optional<std::wstring> ReadText() = 0;

    // Changes whenever the clipboard's content changes; compare only for "changed".
    virtual uint32_t SequenceNumber() = 0;

    // Puts the converted text on the clipboard, marked to stay out of the history.
    virtual bool PutText(const std::wstring& text) = 0;

    // From now on, watch for the target fetching the text of the last PutText.
    virtual void ExpectPaste() = 0;

    // True once the text was fetched after ExpectPaste. An implementation that cannot
    // see it always answers false, and the cycle then waits its full time.
    virtual bool PasteWasFetched() = 0;
};
