#pragma once

#include <windows.h>

#include <string>

#include "base/message_sink.h"

// A modal message box captioned with the program's title, one OK button, and the icon
// that tells the kind of message. The answer carries nothing (OK is the only button).
void ShowProgramMessageBox(HWND owner, const std::wstring& text, MessageIcon icon);
