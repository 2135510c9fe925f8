#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The user's clipboard content as the tests set it up, each call replacing whatever
// was there; the clipboard's owner is a window of this process. False when the
// clipboard could not be opened or a format was refused.
bool PutUserText(const std::wstring& text);
bool PutUserBitmap();
bool PutUserHtml();  // "HTML Format" and the same fragment as Unicode text
bool PutUserFileList(const std::vector<std::wstring>& paths);
bool EmptyUserClipboard();

// One line per format on offer, in the clipboard's own order: its number, its name,
// the size of its content and a digest of it (for a bitmap: its size in pixels and a
// digest of its pixels). The marks that keep content out of the clipboard history
// are left out: the cycle adds them to what it restores. Nothing when the clipboard
// cannot be opened.
std::optional<std::wstring> DescribeClipboard();

// Opens the clipboard and keeps it open for `milliseconds`, as a clipboard manager or
// remote-desktop helper might. False when it could not be opened.
bool HoldClipboard(DWORD milliseconds);

// Polls until some window has the clipboard open; false when the time runs out.
bool WaitForClipboardHeld(DWORD timeoutMs);
