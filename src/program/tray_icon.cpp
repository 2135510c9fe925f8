#include "program/tray_icon.h"

#include <algorithm>
#include <utility>

#include "program/main_window.h"
#include "program/main_window_rules.h"
#include "program/resources/resource_ids.h"
#include "program/ui_texts.h"

namespace {

constexpr UINT kTrayIconId = 1;

// A menu loaded from the resources; destroyed with the holder.
class LoadedMenu {
  public:
    LoadedMenu(HINSTANCE instance, int id) : menu_(LoadMenuW(instance, MAKEINTRESOURCEW(id))) {}
    ~LoadedMenu() {
        if (menu_ != nullptr) {
            DestroyMenu(menu_);
        }
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;

    HMENU get() const { return menu_; }

  private:
    HMENU menu_;
};

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
        const size_t length = std::min(tip_.size(), kTrayTipMaxLength);
        std::copy_n(tip_.begin(), length, record.szTip);
        record.szTip[length] = L'\0';
    }
    return record;
}

bool TrayIcon::Add() {
    NOTIFYICONDATAW record = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    shown_ = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
    return shown_;
}

void TrayIcon::SetTip(std::wstring tip) {
    tip_ = std::move(tip);
    NOTIFYICONDATAW record = Record(NIF_TIP);
    // An icon the shell has lost gets the new tip when it is added again.
    static_cast<void>(Shell_NotifyIconW(NIM_MODIFY, &record));
}

void AddTrayIcon(ProgramState& state) {
    state.trayIcon = std::make_unique<TrayIcon>(
        state.mainWindow, state.controls.trayImage.get(),
        TrayTipText(state.layouts.Layout1Name, state.layouts.Layout2Name));
}

void RemoveTrayIcon(ProgramState& state) {
    state.trayIcon.reset();
}

void RefreshTrayTip(ProgramState& state) {
    if (state.trayIcon) {
        state.trayIcon->SetTip(TrayTipText(state.layouts.Layout1Name, state.layouts.Layout2Name));
    }
}

void OnTrayMessage(ProgramState& state, LPARAM lParam) {
    switch (ReactToTrayMouseMessage(static_cast<uint32_t>(LOWORD(lParam)))) {
        case TrayReaction::OpenMenu:
            ShowTrayMenu(state);
            break;
        case TrayReaction::ShowWindow:
            ShowMainWindow(state);
            break;
        case TrayReaction::Nothing:
            break;
    }
}

void ShowTrayMenu(ProgramState& state) {
    const LoadedMenu menu(state.instance, IDR_TRAY_MENU);
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
