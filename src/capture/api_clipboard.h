#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/clipboard_functions.h"

// Operating-system families told apart at start-up; they pick the text writer.
inline constexpr int32_t kPlatformUnknown = -1;  // the version query failed
inline constexpr int32_t kPlatformWin9x = 1;
inline constexpr int32_t kPlatformNT = 2;

// Registered formats that keep a clipboard content out of the Windows clipboard
// history and cloud clipboard; the program's temporary texts never belong there.
inline constexpr const wchar_t* kExcludeFromMonitoringFormat =
    L"ExcludeClipboardContentFromMonitorProcessing";
inline constexpr const wchar_t* kHistoryFormat = L"CanIncludeInClipboardHistory";
inline constexpr const wchar_t* kCloudFormat = L"CanUploadToCloudClipboard";

// A thin wrapper round the clipboard functions that remembers whether it holds the
// clipboard open, and closes it when it goes away.
class cAPIClipboard {
  public:
    explicit cAPIClipboard(ClipboardFunctions& functions) : functions_(functions) {}
    ~cAPIClipboard() { ClipboardClose(); }
    cAPIClipboard(const cAPIClipboard&) = delete;
    cAPIClipboard& operator=(const cAPIClipboard&) = delete;

    // Empties the clipboard when it is open with an owner window.
    void ClearClipboard();
    void ClipboardClose();
    bool ClipboardOpen(uintptr_t hWndOwner);

    // Places sText as one byte per character plus a closing zero byte. False for an
    // empty text, for a character beyond one byte (nothing is placed then), when the
    // clipboard is not open with an owner, or when the system refuses the block.
    bool SetTextData(uint32_t lFormatId, std::wstring sText);

    // Adds the registered formats that keep the current content out of the clipboard
    // history and the cloud clipboard. False when any of them was refused.
    bool MarkExcludedFromHistory();

    // True unless the clipboard is open with an owner window: opened with owner 0 it
    // is held, but EmptyClipboard would leave it without owner and writes would fail.
    bool ClipboardNotOpen() const;

  private:
    bool SetByteData(uint32_t lFormatId, const std::vector<uint8_t>& bytes);

    ClipboardFunctions& functions_;
    bool open_ = false;
    uintptr_t owner_ = 0;
};

// Puts text on the clipboard, owned by `hWndOwner`, and closes it again. On the NT
// family the block under Unicode text (13) holds the UTF-16LE units and one zero unit:
// 2n + 2 bytes, 2 for an empty text. On the 9x family (or 0) the text goes as ANSI text
// (1). With any other platform kind nothing is placed. The content is marked to stay
// out of the clipboard history. True when the text block was placed.
bool PutTextOnClipboard(cAPIClipboard& clipboard, int32_t platformKind, uintptr_t hWndOwner,
                        const std::wstring& text);
