#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "hotkeys/hotkey_registrar.h"

namespace {

// One reference to a global atom; the system keeps a count per name.
class ScopedAtom {
  public:
    explicit ScopedAtom(ATOM atom) : atom_(atom) {}
    ~ScopedAtom() {
        if (atom_ != 0) {
            GlobalDeleteAtom(atom_);
        }
    }
    ScopedAtom(ScopedAtom&& other) noexcept : atom_(std::exchange(other.atom_, 0)) {}
    ScopedAtom& operator=(ScopedAtom&& other) noexcept {
        std::swap(atom_, other.atom_);
        return *this;
    }
    ScopedAtom(const ScopedAtom&) = delete;
    ScopedAtom& operator=(const ScopedAtom&) = delete;

    ATOM get() const { return atom_; }

  private:
    ATOM atom_;
};

// One registration of a hotkey for a window.
class ScopedHotkey {
  public:
    ScopedHotkey(HWND window, int id) : window_(window), id_(id) {}
    ~ScopedHotkey() {
        if (window_ != nullptr) {
            UnregisterHotKey(window_, id_);
        }
    }
    ScopedHotkey(ScopedHotkey&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), id_(other.id_) {}
    ScopedHotkey& operator=(ScopedHotkey&& other) noexcept {
        std::swap(window_, other.window_);
        std::swap(id_, other.id_);
        return *this;
    }
    ScopedHotkey(const ScopedHotkey&) = delete;
    ScopedHotkey& operator=(const ScopedHotkey&) = delete;

    int id() const { return id_; }

  private:
    HWND window_;
    int id_;
};

}  // namespace

struct SystemHotkeyRegistrar::Held {
    HWND window = nullptr;
    std::vector<ScopedAtom> atoms;
    std::vector<ScopedHotkey> hotkeys;
};

SystemHotkeyRegistrar::SystemHotkeyRegistrar(void* windowHandle) : held_(std::make_unique<Held>()) {
    held_->window = static_cast<HWND>(windowHandle);
}

SystemHotkeyRegistrar::~SystemHotkeyRegistrar() = default;

int32_t SystemHotkeyRegistrar::AddAtom(const std::wstring& name) {
    const ATOM atom = GlobalAddAtomW(name.c_str());
    if (atom != 0) {
        held_->atoms.emplace_back(atom);
    }
    return atom;
}

void SystemHotkeyRegistrar::DeleteAtom(int32_t atom) {
    auto& atoms = held_->atoms;
    const auto found = std::find_if(atoms.begin(), atoms.end(),
                                    [atom](const ScopedAtom& held) { return held.get() == atom; });
    if (found != atoms.end()) {
        atoms.erase(found);  // its destructor gives the reference back
    } else {
        GlobalDeleteAtom(static_cast<ATOM>(atom));
    }
}

bool SystemHotkeyRegistrar::Register(int32_t hotkeyId, int32_t modifiers, int32_t keyCode) {
    // Held down, a hotkey would repeat and start one conversion per repeat.
    if (!RegisterHotKey(held_->window, hotkeyId, static_cast<UINT>(modifiers) | MOD_NOREPEAT,
                        static_cast<UINT>(keyCode))) {
        return false;
    }
    held_->hotkeys.emplace_back(held_->window, hotkeyId);
    return true;
}

void SystemHotkeyRegistrar::Unregister(int32_t hotkeyId) {
    auto& hotkeys = held_->hotkeys;
    const auto before = hotkeys.size();
    std::erase_if(hotkeys, [hotkeyId](const ScopedHotkey& held) { return held.id() == hotkeyId; });
    if (hotkeys.size() == before) {
        UnregisterHotKey(held_->window, hotkeyId);  // not ours to track; harmless if unknown
    }
}
