#include "program/tray_icon.h"

#include <algorithm>
#include <utility>

#include "program/program_state.h"
#include "program/resources/resource_ids.h"

namespace {

constexpr UINT kTrayIconId = 1;

// Copies as much of `text` as fits into a fixed field, with its terminating NUL.
template <size_t Size>
void CopyToField(std::wstring_view text, wchar_t (&field)[Size]) {
    *std::copy_n(text.begin(), std::min(text.size(), Size - 1), field) = L'\0';
}

std::wstring TipOf(const ProgramState& state) {
    return TrayTipText(state.layouts.Table.Layout1Name, state.layouts.Table.Layout2Name);
}

}  // namespace

TrayIcon::TrayIcon(HWND window, HICON icon, std::wstring tip)
    : window_(window), icon_(icon), tip_(std::move(tip)) {
    Add();
}

TrayIcon::~TrayIcon() {
    NOTIFYICONDATAW record = Record(0);
    Shell_NotifyIconW(NIM_DELETE, &record);
}

NOTIFYICONDATAW TrayIcon::Record(UINT flags) const {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = window_;
    record.uID = kTrayIconId;
    record.uFlags = flags;
    if ((flags & NIF_MESSAGE) != 0) {
        record.uCallbackMessage = kTrayCallbackMessage;
    }
    if ((flags & NIF_ICON) != 0) {
        record.hIcon = icon_;
    }
    if ((flags & NIF_TIP) != 0) {
        // TrayTipText keeps the tip within the field, its terminating NUL included.
        CopyToField(tip_, record.szTip);
    }
    return record;
}

void TrayIcon::Add() {
    NOTIFYICONDATAW record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    // Without a notification area the program runs on, reached through its hotkeys.
    static_cast<void>(Shell_NotifyIconW(NIM_ADD, &record));
}

void TrayIcon::SetTip(std::wstring tip) {
    tip_ = std::move(tip);
    NOTIFYICONDATAW record = Record(NIF_TIP);
    // An icon the shell has lost gets the new tip when it is added again.
    static_cast<void>(Shell_NotifyIconW(NIM_MODIFY, &record));
}

void TrayIcon::ShowBalloon(std::wstring_view text) {
    NOTIFYICONDATAW record = Record(NIF_INFO);
    CopyToField(kProgramTitle, record.szInfoTitle);
    CopyToField(text, record.szInfo);
    record.dwInfoFlags = NIIF_INFO;
    // Without a notification area there is nowhere to say it; the request did nothing.
    static_cast<void>(Shell_NotifyIconW(NIM_MODIFY, &record));
}

void AddTrayIcon(ProgramState& state) {
    state.trayIcon.emplace(state.mainWindow, state.controls.trayImage.get(), TipOf(state));
}

void RemoveTrayIcon(ProgramState& state) {
    state.trayIcon.reset();
}

void RefreshTrayTip(ProgramState& state) {
    if (state.trayIcon) {
        state.trayIcon->SetTip(TipOf(state));
    }
}

void ShowTrayMenu(ProgramState& state) {
    const ScopedMenu menu(LoadMenuW(state.instance, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    const HMENU popUp = GetSubMenu(menu.get(), 0);
    if (popUp == nullptr) {
        return;
    }
    POINT mouse{};
    GetCursorPos(&mouse);
    // Without the foreground the menu would stay open when the user clicks elsewhere.
    SetForegroundWindow(state.mainWindow);
    TrackPopupMenuEx(popUp, TPM_LEFTALIGN | TPM_LEFTBUTTON, mouse.x, mouse.y, state.mainWindow,
                     nullptr);
    // Lets the menu close properly when it is opened again at once.
    PostMessageW(state.mainWindow, WM_NULL, 0, 0);
}
