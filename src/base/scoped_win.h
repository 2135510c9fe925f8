#pragma once

// Owners for every kind of Win32 handle the program holds, each a std::unique_ptr
// with a deleter, so a handle is released exactly once on every path out of a scope.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <type_traits>

// Lets a unique_ptr own a handle that is a number, not a pointer (atoms, hotkey ids, an
// open clipboard). Zero means "nothing held".
template <typename Number>
struct NumberHandle {
    Number value{};
    NumberHandle() = default;
    NumberHandle(std::nullptr_t) {}
    explicit NumberHandle(Number number) : value(number) {}
    explicit operator bool() const { return value != Number{}; }
    friend bool operator==(NumberHandle left, NumberHandle right) {
        return left.value == right.value;
    }
    friend bool operator!=(NumberHandle left, NumberHandle right) { return !(left == right); }
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

template <typename Object>
struct GdiObjectDeleter {
    using pointer = Object;
    void operator()(Object object) const { DeleteObject(object); }
};
template <typename Object>
using ScopedGdiObject = std::unique_ptr<std::remove_pointer_t<Object>, GdiObjectDeleter<Object>>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using ScopedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct EnhMetafileDeleter {
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using ScopedEnhMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileDeleter>;

struct RegistryKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using ScopedRegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using ScopedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A movable global memory block; release() it once SetClipboardData has taken it, since
// the system owns the block from then on.
struct GlobalFreer {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
using ScopedGlobal = std::unique_ptr<void, GlobalFreer>;

// The locked address of a global block, unlocked with the owner.
struct GlobalUnlocker {
    HGLOBAL block = nullptr;
    void operator()(void*) const { GlobalUnlock(block); }
};
using ScopedGlobalLock = std::unique_ptr<void, GlobalUnlocker>;

inline ScopedGlobalLock LockGlobal(HGLOBAL block) {
    return ScopedGlobalLock(block != nullptr ? GlobalLock(block) : nullptr, GlobalUnlocker{block});
}

struct AtomDeleter {
    using pointer = NumberHandle<ATOM>;
    void operator()(pointer atom) const { GlobalDeleteAtom(atom.value); }
};
using ScopedAtom = std::unique_ptr<ATOM, AtomDeleter>;

// One hotkey registration of a window, unregistered with the owner.
struct HotkeyUnregisterer {
    using pointer = NumberHandle<int>;
    HWND window = nullptr;
    void operator()(pointer id) const { UnregisterHotKey(window, id.value); }
};
using ScopedHotkey = std::unique_ptr<int, HotkeyUnregisterer>;

// The clipboard, open for one scope.
struct ClipboardCloser {
    using pointer = NumberHandle<bool>;
    void operator()(pointer) const { CloseClipboard(); }
};
using ScopedClipboard = std::unique_ptr<bool, ClipboardCloser>;

// Opens the clipboard for `owner`, trying again for up to `retryMilliseconds`: another
// program (a clipboard manager, a remote-desktop helper) may hold it for a moment.
// Meanwhile only messages sent to this thread are served, in case the holder is waiting
// for this program to render a format. Empty when the clipboard stayed held.
inline ScopedClipboard OpenClipboardRetrying(HWND owner, DWORD retryMilliseconds = 500) {
    const ULONGLONG giveUpAt = GetTickCount64() + retryMilliseconds;
    for (;;) {
        if (OpenClipboard(owner)) {
            return ScopedClipboard(NumberHandle<bool>(true));
        }
        if (GetTickCount64() >= giveUpAt) {
            return {};
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
