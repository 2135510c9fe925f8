#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "capture/win32_capture.h"
#include "clipboard_contract.h"

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ClipboardContract, Win32CycleClipboard);

namespace {

// A top-level window for the whole run, made before any test: Wine empties the
// clipboard when the session's last window goes, and the tests' own content needs an
// owner.
const ScopedWindow testWindow(CreateWindowExW(0, L"STATIC", L"capture tests", WS_OVERLAPPEDWINDOW,
                                              0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));

using Bytes = std::vector<uint8_t>;
using Content = std::vector<std::pair<UINT, Bytes>>;  // formats in order, with content

Bytes Utf16Bytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
    return Bytes(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

// Memory blocks, or for CF_BITMAP the 32-bit pixels of a one-row bitmap.
void SetClipboardContent(const Content& content) {
    const ScopedClipboard open = OpenClipboardRetrying(testWindow.get());
    ASSERT_TRUE(open && EmptyClipboard());
    for (const auto& [format, bytes] : content) {
        ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
        std::memcpy(LockGlobal(block.get()).get(), bytes.data(), bytes.size());
        const int width = static_cast<int>(bytes.size() / 4);
        ASSERT_NE(SetClipboardData(format, format == CF_BITMAP
                                               ? CreateBitmap(width, 1, 1, 32, bytes.data())
                                               : block.release()),
                  nullptr);
    }
}

// Every format but the history marks a restore adds, in order, with its content: bytes of
// memory blocks, pixels of a bitmap, nothing for other handles.
Content ClipboardContent() {
    const ScopedClipboard open = OpenClipboardRetrying(testWindow.get());
    const auto isMark = [](UINT format) {
        return std::ranges::any_of(kHistoryExclusionFormats, [&](const wchar_t* name) {
            return RegisterClipboardFormatW(name) == format;
        });
    };
    Content content;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        HANDLE handle = GetClipboardData(format);
        Bytes bytes;
        if (uint8_t pixels[64]; format == CF_BITMAP) {
            const LONG size = GetBitmapBits(static_cast<HBITMAP>(handle), sizeof(pixels), pixels);
            bytes.assign(pixels, pixels + std::max<LONG>(size, 0));
        } else if (const ScopedGlobalLock data = LockGlobal(handle)) {
            const auto* first = static_cast<const uint8_t*>(data.get());
            bytes.assign(first, first + GlobalSize(handle));
        }
        if (!isMark(format)) {
            content.emplace_back(format, bytes);
        }
    }
    return content;
}

TEST(Win32ClipboardTest, EverySavedFormatComesBackAsItWasInItsOrder) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const Bytes fragment{'<', 'b', '>', 'x', '<', '/', 'b', '>', 0};
    const Bytes pixels{1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};
    // DROPFILES (names at offset 20, wide), then the names, each ending in a zero, and a zero.
    Bytes files{20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    std::ranges::copy(Utf16Bytes(std::wstring(L"C:\\a.txt\0C:\\b \u0645.doc\0", 20)),
                      std::back_inserter(files));
    const struct {
        const char* name;
        Content content;
        UINT dropped = 0;  // private, or over the bound
        size_t limit = kSnapshotByteLimit;
    } cases[] = {
        {"Arabic text", {{CF_UNICODETEXT, Utf16Bytes(L"caf\u00e9 \u0633\u0644\u0627\u0645")}}},
        {"HTML and text", {{html, fragment}, {CF_UNICODETEXT, Utf16Bytes(L"x")}}},
        {"file list", {{CF_HDROP, files}}},
        {"bitmap", {{CF_BITMAP, pixels}}},
        {"private",
         {{CF_PRIVATEFIRST, fragment}, {CF_UNICODETEXT, Utf16Bytes(L"x")}},
         CF_PRIVATEFIRST},
        {"empty", {}},
        {"over the bound",
         {{html, Bytes(4000, 'x')}, {CF_UNICODETEXT, Utf16Bytes(L"t")}},
         html,
         1000},
    };
    for (const auto& c : cases) {
        SetClipboardContent(c.content);
        Content expected = ClipboardContent();
        std::erase_if(expected, [&](const auto& entry) { return entry.first == c.dropped; });
        Win32CycleClipboard clipboard(c.limit);
        const ClipboardSnapshot snapshot = clipboard.Save();
        ASSERT_TRUE(clipboard.PutText(L"converted"));
        ASSERT_TRUE(clipboard.Restore(snapshot));
        EXPECT_EQ(ClipboardContent(), expected) << c.name;
    }
}

TEST(Win32ClipboardTest, AClipboardHeldByAnotherThreadIsRetriedForAShortBoundedTime) {
    for (const auto& [holdMilliseconds, placed] : {std::pair{100, true}, std::pair{1500, false}}) {
        std::atomic<bool> started{false};
        std::thread holder([&, hold = holdMilliseconds] {
            OpenClipboard(nullptr);
            started = true;
            Sleep(hold);
            CloseClipboard();
        });
        while (!started) {
            Sleep(1);
        }
        Win32CycleClipboard clipboard;
        EXPECT_EQ(clipboard.PutText(L"x"), placed) << "held " << holdMilliseconds << " ms";
        holder.join();
    }
}

// Another program fetching the text, as a target's paste does; the owner's thread keeps
// serving messages meanwhile, or the promised text is never rendered.
std::wstring FetchFromAnotherThread() {
    std::wstring fetched = L"<nothing>";
    std::atomic<bool> done{false};
    std::thread reader([&] {
        if (OpenClipboard(nullptr)) {
            HANDLE block = GetClipboardData(CF_UNICODETEXT);
            if (const ScopedGlobalLock text = LockGlobal(block)) {
                fetched = static_cast<const wchar_t*>(text.get());
            }
            CloseClipboard();
        }
        done = true;
    });
    MessageServingClock().WaitUntil(10.0f, [&] { return done.load(); });
    reader.join();
    return fetched;
}

TEST(Win32ClipboardTest, OnlyAFetchAfterExpectPasteCountsAsThePaste) {
    Win32CycleClipboard clipboard;
    ASSERT_TRUE(clipboard.PutText(L"early"));
    EXPECT_EQ(FetchFromAnotherThread(), L"early");
    clipboard.ExpectPaste();
    EXPECT_FALSE(clipboard.PasteWasFetched());
    ASSERT_TRUE(clipboard.PutText(L"\u0627\u0644\u0633\u0644\u0627\u0645"));
    clipboard.ExpectPaste();
    EXPECT_EQ(FetchFromAnotherThread(), L"\u0627\u0644\u0633\u0644\u0627\u0645");
    EXPECT_TRUE(clipboard.PasteWasFetched());
}

TEST(Win32ClipboardTest, APromisedTextIsRenderedWhenItsOwnerGoes) {
    ASSERT_TRUE(Win32CycleClipboard().PutText(L"left behind"));  // its owner goes at once
    EXPECT_EQ(Win32CycleClipboard().ReadText(), L"left behind");
}

TEST(MessageServingClockTest, WaitsServeMessagesAndEndEarlyOnlyWhenTheyMay) {
    MessageServingClock clock;
    const auto testMessageQueued = [] {
        MSG message;
        return PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_NOREMOVE) != FALSE;
    };
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0));
    clock.Wait(0.0f);  // returns at once, serving nothing
    EXPECT_FALSE(clock.WaitUntil(-1.0f, [] { return false; }));
    EXPECT_TRUE(testMessageQueued());
    EXPECT_TRUE(clock.WaitUntil(30.0f, [&] { return !testMessageQueued(); }));
    PostQuitMessage(7);  // ends the wait and stays queued for the main loop
    EXPECT_FALSE(clock.WaitUntil(30.0f, [] { return false; }));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
