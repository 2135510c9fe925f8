#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "capture/win32_capture.h"

namespace {

constexpr wchar_t kOwnerWindowClass[] = L"ZenvoralClipboardOwner";

// Hands `owner`'s handle to the open clipboard, which owns it once it is accepted.
template <typename Owner>
bool GiveToClipboard(UINT format, Owner owner) {
    if (!owner || SetClipboardData(format, owner.get()) == nullptr) {
        return false;
    }
    static_cast<void>(owner.release());
    return true;
}

bool PutBytes(UINT format, const void* data, size_t size) {
    ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (block && size > 0) {
        const ScopedGlobalLock target = LockGlobal(block.get());
        if (!target) {
            return false;
        }
        std::memcpy(target.get(), data, size);
    }
    return GiveToClipboard(format, std::move(block));
}

// Keeps the open clipboard's content out of the clipboard history and the cloud
// clipboard, unless the content already says otherwise itself.
void MarkExcludedFromHistory(const std::vector<uint32_t>& present) {
    const uint32_t zero = 0;
    for (const wchar_t* name : kHistoryExclusionFormats) {
        const UINT format = RegisterClipboardFormatW(name);
        if (format != 0 && std::ranges::find(present, format) == present.end()) {
            // A refused mark only means the history may keep a copy.
            static_cast<void>(PutBytes(format, &zero, sizeof(zero)));
        }
    }
}

ScopedBitmap CopyBitmap(HANDLE bitmap) {
    return ScopedBitmap(static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)));
}

ScopedEnhMetafile CopyMetafile(HANDLE metafile) {
    return ScopedEnhMetafile(CopyEnhMetaFileW(static_cast<HENHMETAFILE>(metafile), nullptr));
}

size_t ContentSize(UINT format, FormatCopying kind) {
    HANDLE content = kind == FormatCopying::NotCopyable ? nullptr : GetClipboardData(format);
    if (content == nullptr) {
        return 0;
    }
    if (kind == FormatCopying::Bitmap) {
        BITMAP info{};
        if (GetObjectW(content, sizeof(info), &info) == 0) {
            return 0;
        }
        return static_cast<size_t>(info.bmWidthBytes) * static_cast<size_t>(info.bmHeight);
    }
    if (kind == FormatCopying::EnhancedMetafile) {
        return GetEnhMetaFileBits(static_cast<HENHMETAFILE>(content), 0, nullptr);
    }
    return GlobalSize(content);
}

std::optional<ClipboardItem> CopyItem(UINT format) {
    ClipboardItem item{format, HowToCopyFormat(format), {}, nullptr};
    HANDLE content = GetClipboardData(format);
    if (item.Kind == FormatCopying::Memory) {
        const ScopedGlobalLock data = LockGlobal(content);
        if (!data) {
            return std::nullopt;
        }
        const auto* bytes = static_cast<const uint8_t*>(data.get());
        item.Bytes.assign(bytes, bytes + GlobalSize(content));
    } else if (content != nullptr && item.Kind == FormatCopying::Bitmap) {
        item.Object = CopyBitmap(content);
    } else if (content != nullptr && item.Kind == FormatCopying::EnhancedMetafile) {
        item.Object = CopyMetafile(content);
    }
    if (item.Kind != FormatCopying::Memory && item.Object == nullptr) {
        return std::nullopt;
    }
    return item;
}

// The snapshot keeps its own copy, so it can be restored again; the clipboard gets a
// fresh duplicate.
bool PutItem(const ClipboardItem& item) {
    switch (item.Kind) {
        case FormatCopying::Memory:
            return PutBytes(item.Format, item.Bytes.data(), item.Bytes.size());
        case FormatCopying::Bitmap:
            return GiveToClipboard(item.Format, CopyBitmap(item.Object.get()));
        case FormatCopying::EnhancedMetafile:
            return GiveToClipboard(item.Format, CopyMetafile(item.Object.get()));
        case FormatCopying::NotCopyable:
            break;
    }
    return false;
}

}  // namespace

Win32CycleClipboard::Win32CycleClipboard(size_t byteLimit) : byteLimit_(byteLimit) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Win32CycleClipboard::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerWindowClass;
    // A second instance in one process finds the class registered already.
    static_cast<void>(RegisterClassExW(&windowClass));
    window_.reset(CreateWindowExW(0, kOwnerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, this));
    if (window_) {
        // Clipboard changes then wake the cycle's waits at once.
        AddClipboardFormatListener(window_.get());
    }
}

Win32CycleClipboard::~Win32CycleClipboard() {
    if (window_) {
        RemoveClipboardFormatListener(window_.get());
        RenderBeforeLeaving();
    }
}

LRESULT CALLBACK Win32CycleClipboard::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32CycleClipboard*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_.get() != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32CycleClipboard::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_RENDERFORMAT:
            // The program asking has the clipboard open: render without opening it.
            if (wParam == CF_UNICODETEXT && promising_) {
                RenderPromisedText();
            }
            return 0;
        case WM_RENDERALLFORMATS:
            RenderBeforeLeaving();
            return 0;
        case WM_DESTROYCLIPBOARD:
            promising_ = false;
            return 0;
        default:
            return DefWindowProcW(window_.get(), message, wParam, lParam);
    }
}

void Win32CycleClipboard::RenderPromisedText() {
    if (PutBytes(CF_UNICODETEXT, promisedText_.c_str(),
                 (promisedText_.size() + 1) * sizeof(wchar_t))) {
        promising_ = false;
        pasteFetched_ = watchingPaste_;
    }
}

// Without this the clipboard would lose the promised text when the program ends.
void Win32CycleClipboard::RenderBeforeLeaving() {
    if (!promising_) {
        return;
    }
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    if (open && GetClipboardOwner() == window_.get()) {
        RenderPromisedText();
    }
    promising_ = false;
}

ClipboardSnapshot Win32CycleClipboard::Save() {
    ClipboardSnapshot snapshot;
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    if (!open) {
        return snapshot;
    }
    snapshot.Saved = true;
    std::vector<OfferedFormat> offered;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        offered.push_back({format, ContentSize(format, HowToCopyFormat(format))});
    }
    for (const uint32_t format : ChooseFormatsToSave(offered, byteLimit_)) {
        if (std::optional<ClipboardItem> item = CopyItem(format)) {
            snapshot.Items.push_back(std::move(*item));
        }
    }
    return snapshot;
}

bool Win32CycleClipboard::Restore(const ClipboardSnapshot& snapshot) {
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    if (!open || !EmptyClipboard()) {
        return false;
    }
    std::vector<uint32_t> present;
    for (const ClipboardItem& item : snapshot.Items) {
        // A refused item (no memory for its copy) cannot be helped; the others still go back.
        if (PutItem(item)) {
            present.push_back(item.Format);
        }
    }
    // An empty clipboard stays empty: there is nothing to keep out of the history.
    if (!present.empty()) {
        MarkExcludedFromHistory(present);
    }
    return true;
}

bool Win32CycleClipboard::Clear() {
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    return open && EmptyClipboard() != FALSE;
}

bool Win32CycleClipboard::IsEmpty() {
    return CountClipboardFormats() == 0;
}

bool Win32CycleClipboard::HasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

std::optional<std::wstring> Win32CycleClipboard::ReadText() {
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    HANDLE block = open ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const ScopedGlobalLock data = LockGlobal(block);
    if (!data) {
        return std::nullopt;
    }
    const auto* units = static_cast<const wchar_t*>(data.get());
    const size_t capacity = GlobalSize(block) / sizeof(wchar_t);
    return std::wstring(units, std::find(units, units + capacity, L'\0'));
}

std::optional<std::string> Win32CycleClipboard::ReadNamedFormat(const std::wstring& name) {
    const UINT format = RegisterClipboardFormatW(name.c_str());
    if (format == 0 || IsClipboardFormatAvailable(format) == FALSE) {
        return std::nullopt;
    }
    // Marks are often offered without content (a promise nobody keeps): on offer is enough.
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    HANDLE block = open ? GetClipboardData(format) : nullptr;
    const ScopedGlobalLock data = LockGlobal(block);
    if (!data) {
        return std::string();
    }
    return std::string(static_cast<const char*>(data.get()), GlobalSize(block));
}

uint32_t Win32CycleClipboard::SequenceNumber() {
    return GetClipboardSequenceNumber();
}

bool Win32CycleClipboard::PutText(const std::wstring& text) {
    watchingPaste_ = false;
    pasteFetched_ = false;
    const ScopedClipboard open = OpenClipboardRetrying(window_.get());
    if (!open || !EmptyClipboard()) {
        return false;
    }
    promisedText_ = text;
    // A promise has no handle to give back, so success shows as the format on offer.
    SetClipboardData(CF_UNICODETEXT, nullptr);
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return false;
    }
    promising_ = true;
    MarkExcludedFromHistory({});
    return true;
}

void Win32CycleClipboard::ExpectPaste() {
    watchingPaste_ = true;
    pasteFetched_ = false;
}

bool Win32CycleClipboard::PasteWasFetched() {
    return pasteFetched_;
}
