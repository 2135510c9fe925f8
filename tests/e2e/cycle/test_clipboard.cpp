#include "test_clipboard.h"

#include <shlobj.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <type_traits>

#include "base/text_encoding.h"
#include "capture/api_clipboard.h"
#include "capture/win32_capture.h"

namespace {

constexpr DWORD kHeldPollIntervalMs = 1;

// A message-only window: the clipboard needs an owner for SetClipboardData to stick,
// and a visible window would take the foreground from the target.
class OwnerWindow {
  public:
    OwnerWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~OwnerWindow() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND Handle() const { return window_; }

  private:
    HWND window_;
};

struct GlobalFreer {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using ScopedGlobal = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreer>;

struct GdiObjectDeleter {
    void operator()(void* object) const { DeleteObject(object); }
};
using ScopedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// Hands a copy of the bytes to the open clipboard, which owns it once accepted.
bool PutBytes(UINT format, std::span<const uint8_t> bytes) {
    ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) {
        return false;
    }
    void* target = GlobalLock(memory.get());
    if (target == nullptr) {
        return false;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.get());
    if (SetClipboardData(format, memory.get()) == nullptr) {
        return false;
    }
    static_cast<void>(memory.release());
    return true;
}

std::span<const uint8_t> BytesOf(const std::wstring& text) {
    // With its closing zero, as programs place text.
    return {reinterpret_cast<const uint8_t*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t)};
}

std::span<const uint8_t> BytesOf(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.c_str()), text.size() + 1};
}

// Empties the clipboard and lets `fill` put the new content while it is open.
template <typename Fill>
bool ReplaceClipboard(Fill fill) {
    const OwnerWindow owner;
    const ScopedClipboard clipboard(owner.Handle());
    return clipboard.IsOpen() && EmptyClipboard() && fill();
}

ScopedBitmap MakePatternBitmap() {
    constexpr int kWidth = 16;
    constexpr int kHeight = 8;
    std::array<uint32_t, kWidth * kHeight> pixels{};
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint32_t>(0x00102030u * (i % 7) + 0x000f0000u * (i % 3));
    }
    return ScopedBitmap(CreateBitmap(kWidth, kHeight, 1, 32, pixels.data()));
}

// The clipboard's HTML format: a header giving byte offsets into the UTF-8 document
// that follows it. The offsets are written with ten digits each, so the header's
// length is known before they are.
std::string MakeClipboardHtml(const std::string& fragment) {
    const std::string before = "<html><body>\r\n<!--StartFragment-->";
    const std::string after = "<!--EndFragment-->\r\n</body></html>";
    const auto header = [](size_t startHtml, size_t endHtml, size_t startFragment,
                           size_t endFragment) {
        std::array<char, 160> text{};
        std::snprintf(text.data(), text.size(),
                      "Version:0.9\r\nStartHTML:%010zu\r\nEndHTML:%010zu\r\n"
                      "StartFragment:%010zu\r\nEndFragment:%010zu\r\n",
                      startHtml, endHtml, startFragment, endFragment);
        return std::string(text.data());
    };
    const size_t startHtml = header(0, 0, 0, 0).size();
    const size_t startFragment = startHtml + before.size();
    const size_t endFragment = startFragment + fragment.size();
    const size_t endHtml = endFragment + after.size();
    return header(startHtml, endHtml, startFragment, endFragment) + before + fragment + after;
}

std::vector<uint8_t> MakeFileList(const std::vector<std::wstring>& paths) {
    DROPFILES header{};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    std::wstring names;
    for (const std::wstring& path : paths) {
        names += path;
        names += L'\0';
    }
    names += L'\0';
    std::vector<uint8_t> bytes(sizeof(header) + names.size() * sizeof(wchar_t));
    std::memcpy(bytes.data(), &header, sizeof(header));
    std::memcpy(bytes.data() + sizeof(header), names.data(), names.size() * sizeof(wchar_t));
    return bytes;
}

std::wstring FormatName(UINT format) {
    static constexpr std::array<const wchar_t*, 18> kStandardNames = {
        L"",           L"CF_TEXT",   L"CF_BITMAP",  L"CF_METAFILEPICT", L"CF_SYLK",
        L"CF_DIF",     L"CF_TIFF",   L"CF_OEMTEXT", L"CF_DIB",          L"CF_PALETTE",
        L"CF_PENDATA", L"CF_RIFF",   L"CF_WAVE",    L"CF_UNICODETEXT",  L"CF_ENHMETAFILE",
        L"CF_HDROP",   L"CF_LOCALE", L"CF_DIBV5"};
    if (format > 0 && format < kStandardNames.size()) {
        return kStandardNames[format];
    }
    std::array<wchar_t, 256> name{};
    const int length = GetClipboardFormatNameW(format, name.data(), static_cast<int>(name.size()));
    if (length > 0) {
        return L"\"" + std::wstring(name.data(), static_cast<size_t>(length)) + L"\"";
    }
    return L"#" + std::to_wstring(format);
}

bool IsHistoryMark(UINT format) {
    for (const wchar_t* mark : {kExcludeFromMonitoringFormat, kHistoryFormat, kCloudFormat}) {
        if (format == RegisterClipboardFormatW(mark)) {
            return true;
        }
    }
    return false;
}

// FNV-1a, 64 bits: enough to tell two contents apart in a test's comparison.
std::wstring Digest(std::span<const uint8_t> bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const uint8_t byte : bytes) {
        hash = (hash ^ byte) * 0x100000001b3ull;
    }
    std::array<wchar_t, 17> text{};
    std::swprintf(text.data(), text.size(), L"%016llx", static_cast<unsigned long long>(hash));
    return text.data();
}

std::wstring DescribeMemory(HANDLE content) {
    const SIZE_T size = GlobalSize(content);
    const void* data = GlobalLock(content);
    if (data == nullptr) {
        return L"unreadable";
    }
    const std::wstring description =
        std::to_wstring(size) + L" " + Digest({static_cast<const uint8_t*>(data), size});
    GlobalUnlock(content);
    return description;
}

// The pixels as 32-bit top-down rows, whatever the bitmap's own format.
std::wstring DescribeBitmap(HANDLE content) {
    BITMAP info{};
    if (GetObjectW(content, sizeof(info), &info) == 0) {
        return L"unreadable";
    }
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight * 4);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, static_cast<HBITMAP>(content), 0, info.bmHeight,
                                pixels.data(), &request, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight) {
        return L"unreadable";
    }
    return std::to_wstring(info.bmWidth) + L"x" + std::to_wstring(info.bmHeight) + L" " +
           Digest(pixels);
}

std::wstring DescribeMetafile(HANDLE content) {
    const auto metafile = static_cast<HENHMETAFILE>(content);
    std::vector<uint8_t> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
    return std::to_wstring(bits.size()) + L" " + Digest(bits);
}

bool IsOpaqueHandleFormat(UINT format) {
    return format == CF_PALETTE || format == CF_METAFILEPICT || format == CF_OWNERDISPLAY ||
           (format >= CF_DSPTEXT && format <= CF_DSPENHMETAFILE) ||
           (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST);
}

std::wstring DescribeContent(UINT format) {
    if (IsOpaqueHandleFormat(format)) {
        // Their handles mean something only to their owner.
        return L"handle";
    }
    HANDLE content = GetClipboardData(format);
    if (content == nullptr) {
        return L"no data";
    }
    if (format == CF_BITMAP) {
        return DescribeBitmap(content);
    }
    if (format == CF_ENHMETAFILE) {
        return DescribeMetafile(content);
    }
    return DescribeMemory(content);
}

}  // namespace

bool PutUserText(const std::wstring& text) {
    return ReplaceClipboard([&] { return PutBytes(CF_UNICODETEXT, BytesOf(text)); });
}

bool PutUserBitmap() {
    return ReplaceClipboard([] {
        ScopedBitmap bitmap = MakePatternBitmap();
        if (!bitmap || SetClipboardData(CF_BITMAP, bitmap.get()) == nullptr) {
            return false;
        }
        static_cast<void>(bitmap.release());
        return true;
    });
}

bool PutUserHtml() {
    const std::wstring text = L"Zenvoral \u062a\u062c\u0631\u0628\u0629";
    const std::string html = MakeClipboardHtml("<b>" + Utf16ToUtf8(text) + "</b>");
    const UINT htmlFormat = RegisterClipboardFormatW(L"HTML Format");
    return ReplaceClipboard([&] {
        return htmlFormat != 0 && PutBytes(htmlFormat, BytesOf(html)) &&
               PutBytes(CF_UNICODETEXT, BytesOf(text));
    });
}

bool PutUserFileList(const std::vector<std::wstring>& paths) {
    const std::vector<uint8_t> list = MakeFileList(paths);
    return ReplaceClipboard([&] { return PutBytes(CF_HDROP, list); });
}

bool EmptyUserClipboard() {
    return ReplaceClipboard([] { return true; });
}

std::optional<std::wstring> DescribeClipboard() {
    const OwnerWindow owner;
    const ScopedClipboard clipboard(owner.Handle());
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    std::wstring lines;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!IsHistoryMark(format)) {
            lines += std::to_wstring(format) + L" " + FormatName(format) + L" " +
                     DescribeContent(format) + L"\n";
        }
    }
    return lines;
}

bool HoldClipboard(DWORD milliseconds) {
    const OwnerWindow owner;
    const ScopedClipboard clipboard(owner.Handle());
    if (!clipboard.IsOpen()) {
        return false;
    }
    Sleep(milliseconds);
    return true;
}

bool WaitForClipboardHeld(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetOpenClipboardWindow() == nullptr) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kHeldPollIntervalMs);
    }
    return true;
}
