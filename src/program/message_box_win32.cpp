#include "program/message_box_win32.h"

#include "program/ui_texts.h"

namespace {

UINT MessageBoxIconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return MB_ICONERROR;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
    }
    return MB_ICONINFORMATION;
}

}  // namespace

void ShowProgramMessageBox(HWND owner, const std::wstring& text, MessageIcon icon) {
    static_cast<void>(
        MessageBoxW(owner, text.c_str(), kProgramTitle.c_str(), MB_OK | MessageBoxIconFlag(icon)));
}
