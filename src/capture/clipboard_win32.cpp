#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "capture/win32_capture.h"

namespace {

// A clipboard manager or remote-desktop helper holds the clipboard only briefly; a
// holder beyond this is treated as a failure of the one operation.
constexpr ULONGLONG kOpenRetryMilliseconds = 500;
constexpr DWORD kOpenRetryPauseMilliseconds = 5;

constexpr wchar_t kOwnerWindowClass[] = L"ZenvoralClipboardOwner";

// Owns a global memory block until the clipboard takes it over.
class GlobalBlock {
  public:
    GlobalBlock(const void* data, size_t size) {
        handle_ = GlobalAlloc(GMEM_MOVEABLE, size);
        if (handle_ == nullptr || size == 0) {
            return;
        }
        void* target = GlobalLock(handle_);
        if (target == nullptr) {
            GlobalFree(handle_);
            handle_ = nullptr;
            return;
        }
        std::memcpy(target, data, size);
        GlobalUnlock(handle_);
    }
    ~GlobalBlock() {
        if (handle_ != nullptr) {
            GlobalFree(handle_);
        }
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    // Hands the block to the open clipboard; from then on the system frees it.
    bool GiveToClipboard(UINT format) {
        if (handle_ == nullptr || SetClipboardData(format, handle_) == nullptr) {
            return false;
        }
        handle_ = nullptr;
        return true;
    }

  private:
    HGLOBAL handle_ = nullptr;
};

// A locked view of a global memory block.
class LockedBlock {
  public:
    explicit LockedBlock(HGLOBAL handle)
        : handle_(handle), data_(handle != nullptr ? GlobalLock(handle) : nullptr) {}
    ~LockedBlock() {
        if (data_ != nullptr) {
            GlobalUnlock(handle_);
        }
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    const uint8_t* Data() const { return static_cast<const uint8_t*>(data_); }
    size_t Size() const { return data_ != nullptr ? GlobalSize(handle_) : 0; }

  private:
    HGLOBAL handle_;
    void* data_;
};

bool PutBytes(UINT format, const std::vector<uint8_t>& bytes) {
    GlobalBlock block(bytes.data(), bytes.size());
    return block.GiveToClipboard(format);
}

bool PutUnicodeText(const std::wstring& text) {
    std::vector<uint8_t> bytes((text.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
    return PutBytes(CF_UNICODETEXT, bytes);
}

// Keeps the open clipboard's content out of the clipboard history and the cloud
// clipboard, unless the content already says otherwise itself.
void MarkOpenClipboardExcludedFromHistory(const std::set<uint32_t>& present) {
    const std::vector<uint8_t> zeroDword(4, 0);
    for (const wchar_t* name : {kExcludeFromMonitoringFormat, kHistoryFormat, kCloudFormat}) {
        const UINT format = RegisterClipboardFormatW(name);
        if (format != 0 && present.count(format) == 0) {
            // A refused mark only means the history may keep a copy.
            static_cast<void>(PutBytes(format, zeroDword));
        }
    }
}

std::shared_ptr<void> OwnBitmap(HANDLE bitmap) {
    if (bitmap == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<void>(bitmap, [](void* handle) { DeleteObject(handle); });
}

std::shared_ptr<void> OwnMetafile(HENHMETAFILE metafile) {
    if (metafile == nullptr) {
        return nullptr;
    }
    return std::shared_ptr<void>(
        metafile, [](void* handle) { DeleteEnhMetaFile(static_cast<HENHMETAFILE>(handle)); });
}

size_t ContentSize(UINT format) {
    const FormatCopying kind = HowToCopyFormat(format);
    if (kind == FormatCopying::NotCopyable) {
        return 0;
    }
    HANDLE content = GetClipboardData(format);
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
    ClipboardItem item;
    item.Format = format;
    item.Kind = HowToCopyFormat(format);
    HANDLE content = GetClipboardData(format);
    if (content == nullptr) {
        return std::nullopt;
    }
    switch (item.Kind) {
        case FormatCopying::Memory: {
            const LockedBlock block(content);
            if (block.Data() == nullptr) {
                return std::nullopt;
            }
            item.Bytes.assign(block.Data(), block.Data() + block.Size());
            return item;
        }
        case FormatCopying::Bitmap:
            item.Object = OwnBitmap(CopyImage(content, IMAGE_BITMAP, 0, 0, 0));
            break;
        case FormatCopying::EnhancedMetafile:
            item.Object =
                OwnMetafile(CopyEnhMetaFileW(static_cast<HENHMETAFILE>(content), nullptr));
            break;
        case FormatCopying::NotCopyable:
            return std::nullopt;
    }
    if (item.Object == nullptr) {
        return std::nullopt;
    }
    return item;
}

// The snapshot keeps its own copy, so it can be restored again; the clipboard gets a
// fresh duplicate and owns it once accepted.
bool PutItem(const ClipboardItem& item) {
    switch (item.Kind) {
        case FormatCopying::Memory:
            return PutBytes(item.Format, item.Bytes);
        case FormatCopying::Bitmap: {
            HANDLE copy = CopyImage(item.Object.get(), IMAGE_BITMAP, 0, 0, 0);
            if (copy != nullptr && SetClipboardData(item.Format, copy) != nullptr) {
                return true;
            }
            if (copy != nullptr) {
                DeleteObject(copy);
            }
            return false;
        }
        case FormatCopying::EnhancedMetafile: {
            HENHMETAFILE copy =
                CopyEnhMetaFileW(static_cast<HENHMETAFILE>(item.Object.get()), nullptr);
            if (copy != nullptr && SetClipboardData(item.Format, copy) != nullptr) {
                return true;
            }
            if (copy != nullptr) {
                DeleteEnhMetaFile(copy);
            }
            return false;
        }
        case FormatCopying::NotCopyable:
            break;
    }
    return false;
}

void RegisterOwnerWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kOwnerWindowClass;
    // A second instance of the class in one process finds it registered already.
    static_cast<void>(RegisterClassExW(&windowClass));
}

// Only messages sent to this thread are served while retrying: the holder may be
// waiting for us to render a format, and nothing else may run in between.
bool OpenClipboardWithRetry(HWND owner) {
    const ULONGLONG deadline = GetTickCount64() + kOpenRetryMilliseconds;
    while (!OpenClipboard(owner)) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kOpenRetryPauseMilliseconds, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

}  // namespace

ScopedClipboard::ScopedClipboard(HWND owner) : open_(OpenClipboardWithRetry(owner)) {}

ScopedClipboard::~ScopedClipboard() {
    if (open_) {
        ::CloseClipboard();
    }
}

bool Win32ClipboardFunctions::OpenClipboard(uintptr_t owner) {
    return OpenClipboardWithRetry(reinterpret_cast<HWND>(owner));
}

void Win32ClipboardFunctions::CloseClipboard() {
    ::CloseClipboard();
}

void Win32ClipboardFunctions::EmptyClipboard() {
    ::EmptyClipboard();
}

bool Win32ClipboardFunctions::SetClipboardBytes(uint32_t format,
                                                const std::vector<uint8_t>& bytes) {
    return PutBytes(format, bytes);
}

uint32_t Win32ClipboardFunctions::RegisterFormat(const std::wstring& name) {
    return RegisterClipboardFormatW(name.c_str());
}

ClipboardSnapshot SaveClipboard(HWND owner, size_t byteLimit) {
    ClipboardSnapshot snapshot;
    const ScopedClipboard clipboard(owner);
    if (!clipboard.IsOpen()) {
        return snapshot;
    }
    snapshot.Saved = true;
    std::vector<OfferedFormat> offered;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        offered.push_back({format, ContentSize(format)});
    }
    const FormatChoice choice = ChooseFormatsToSave(offered, byteLimit);
    snapshot.TextOnly = choice.TextOnly;
    for (const uint32_t format : choice.Formats) {
        std::optional<ClipboardItem> item = CopyItem(format);
        if (item.has_value()) {
            snapshot.Items.push_back(std::move(*item));
        }
    }
    return snapshot;
}

bool RestoreClipboard(HWND owner, const ClipboardSnapshot& snapshot) {
    if (!snapshot.Saved) {
        return false;
    }
    const ScopedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    bool allAccepted = true;
    std::set<uint32_t> present;
    for (const ClipboardItem& item : snapshot.Items) {
        allAccepted = PutItem(item) && allAccepted;
        present.insert(item.Format);
    }
    // An empty clipboard stays empty: there is nothing to keep out of the history.
    if (!snapshot.Items.empty()) {
        MarkOpenClipboardExcludedFromHistory(present);
    }
    return allAccepted;
}

Win32CycleClipboard::Win32CycleClipboard(bool delayedRendering)
    : delayedRendering_(delayedRendering) {
    RegisterOwnerWindowClass(&Win32CycleClipboard::WindowProc);
    window_ = CreateWindowExW(0, kOwnerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ != nullptr) {
        // Clipboard changes then wake the cycle's waits at once.
        AddClipboardFormatListener(window_);
    }
}

Win32CycleClipboard::~Win32CycleClipboard() {
    if (window_ != nullptr) {
        RemoveClipboardFormatListener(window_);
        RenderBeforeLeaving();
        DestroyWindow(window_);
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
    if (self == nullptr || self->window_ != window) {
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
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32CycleClipboard::RenderPromisedText() {
    if (PutUnicodeText(promisedText_)) {
        promising_ = false;
        if (watchingPaste_) {
            pasteFetched_ = true;
        }
    }
}

void Win32CycleClipboard::RenderBeforeLeaving() {
    if (!promising_) {
        return;
    }
    const ScopedClipboard clipboard(window_);
    if (clipboard.IsOpen() && GetClipboardOwner() == window_) {
        RenderPromisedText();
    }
    promising_ = false;
}

ClipboardSnapshot Win32CycleClipboard::Save() {
    return SaveClipboard(window_);
}

bool Win32CycleClipboard::Restore(const ClipboardSnapshot& snapshot) {
    return RestoreClipboard(window_, snapshot);
}

bool Win32CycleClipboard::Clear() {
    const ScopedClipboard clipboard(window_);
    return clipboard.IsOpen() && EmptyClipboard() != FALSE;
}

bool Win32CycleClipboard::IsEmpty() {
    return CountClipboardFormats() == 0;
}

bool Win32CycleClipboard::HasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

std::optional<std::wstring> Win32CycleClipboard::ReadText() {
    const ScopedClipboard clipboard(window_);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    const LockedBlock block(GetClipboardData(CF_UNICODETEXT));
    if (block.Data() == nullptr) {
        return std::nullopt;
    }
    const auto* units = reinterpret_cast<const wchar_t*>(block.Data());
    const size_t capacity = block.Size() / sizeof(wchar_t);
    return std::wstring(units, std::find(units, units + capacity, L'\0'));
}

uint32_t Win32CycleClipboard::SequenceNumber() {
    return GetClipboardSequenceNumber();
}

bool Win32CycleClipboard::PutText(const std::wstring& text) {
    watchingPaste_ = false;
    pasteFetched_ = false;
    if (!delayedRendering_) {
        return PutTextOnClipboard(apiClipboard_, kPlatformNT, reinterpret_cast<uintptr_t>(window_),
                                  text);
    }
    const ScopedClipboard clipboard(window_);
    if (!clipboard.IsOpen() || !EmptyClipboard()) {
        return false;
    }
    promisedText_ = text;
    // A promise has no handle to give back, so success shows as the format on offer.
    SetClipboardData(CF_UNICODETEXT, nullptr);
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        return false;
    }
    promising_ = true;
    MarkOpenClipboardExcludedFromHistory({});
    return true;
}

void Win32CycleClipboard::ExpectPaste() {
    watchingPaste_ = true;
    pasteFetched_ = false;
}

bool Win32CycleClipboard::PasteWasFetched() {
    return pasteFetched_;
}
