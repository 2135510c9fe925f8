#include "program/message_box.h"

#include "program/program_texts.h"

void ShowProgramMessageBox(HWND owner, const std::wstring& text, MessageIcon icon) {
    const UINT iconFlag = icon == MessageIcon::Error         ? MB_ICONERROR
                          : icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION
                                                             : MB_ICONINFORMATION;
    // OK is the only button: the answer carries nothing.
    static_cast<void>(MessageBoxW(owner, text.c_str(), kProgramTitle.c_str(), MB_OK | iconFlag));
}
