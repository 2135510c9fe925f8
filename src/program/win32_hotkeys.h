#pragma once

#include <windows.h>

#include <vector>

#include "base/scoped_win.h"
#include "program/hotkey_registration.h"

// The system's global hotkeys for one window, which receives WM_HOTKEY. Whatever is
// still registered, and every atom still held, is released when the object goes, so an
// early exit leaves nothing behind in the system.
class Win32GlobalHotkeys final : public GlobalHotkeys {
  public:
    explicit Win32GlobalHotkeys(HWND window) : window_(window) {}

    int32_t AddGlobalAtom(const std::wstring& name) override {
        const ATOM atom = GlobalAddAtomW(name.c_str());
        if (atom != 0) {
            atoms_.emplace_back(NumberHandle<ATOM>(atom));
        }
        return atom;
    }

    void DeleteGlobalAtom(int32_t atom) override {
        std::erase_if(atoms_, [atom](const ScopedAtom& held) { return held.get().value == atom; });
    }

    bool Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) override {
        // Held down, a hotkey would repeat and start one conversion per repeat.
        if (!RegisterHotKey(window_, hotkeyId, static_cast<UINT>(modifiers) | MOD_NOREPEAT,
                            static_cast<UINT>(keyCode))) {
            return false;
        }
        hotkeys_.emplace_back(NumberHandle<int>(hotkeyId), HotkeyUnregisterer{window_});
        return true;
    }

    void Unregister(int32_t hotkeyId) override {
        std::erase_if(hotkeys_, [hotkeyId](const ScopedHotkey& held) {
            return held.get().value == hotkeyId;
        });
        // Also for id 0, which no owner holds (an atom the system refused); unregistering
        // an id twice is harmless.
        UnregisterHotKey(window_, hotkeyId);
    }

  private:
    HWND window_;
    std::vector<ScopedAtom> atoms_;
    std::vector<ScopedHotkey> hotkeys_;
};
