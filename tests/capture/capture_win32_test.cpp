#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <optional>
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
    const Bytes names = Utf16Bytes(std::wstring(L"C:\\a.txt\0C:\\b \u0645.doc\0", 20));
    files.insert(files.end(), names.begin(), names.end());
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

// Another program using the clipboard from a thread of its own, made once it has opened
// it: it reads the text as a paste does and keeps the clipboard open `holdMilliseconds`
// longer, as an edit control does while it inserts a long text. The owner of a promised
// text must serve messages meanwhile, or the text is never rendered.
class AnotherProgram {
  public:
    explicit AnotherProgram(DWORD holdMilliseconds)
        : thread_([this, holdMilliseconds] {
              if (OpenClipboard(nullptr)) {
                  opened_ = true;
                  if (const ScopedGlobalLock text = LockGlobal(GetClipboardData(CF_UNICODETEXT))) {
                      read_ = static_cast<const wchar_t*>(text.get());
                  }
                  Sleep(holdMilliseconds);
                  CloseClipboard();
              }
              done_ = true;
          }) {
        MessageServingClock().WaitUntil(10.0f, [&] { return opened_ || done_; });
    }
    std::wstring Read() {
        MessageServingClock().WaitUntil(10.0f, [&] { return done_.load(); });
        thread_.join();
        return read_;
    }

  private:
    std::wstring read_ = L"<nothing>";
    std::atomic<bool> opened_{false}, done_{false};
    std::jthread thread_;
};

// The application the user types in, an ordinary window: Ctrl+C copies a megabyte of text,
// Ctrl+V is a paste that holds the clipboard for 1.8 s. No modifier held, the default
// settings.
struct SlowPastingTarget final : public KeyInjector,
                                 public ModifierProbe,
                                 public ForegroundWindow,
                                 public CycleSettings {
    int KeysSent = 0;
    std::optional<AnotherProgram> Paste;

    void SendKeyEvent(uint8_t vk, KeyMotion motion) override {
        ++KeysSent;
        if (vk == kVkC && motion == KeyMotion::Down) {
            SetClipboardContent({{CF_UNICODETEXT, Utf16Bytes(std::wstring(1 << 20, L'a'))}});
        } else if (vk == kVkV && motion == KeyMotion::Down) {
            Paste.emplace(1800);
        }
    }
    bool AnyModifierDown() override { return false; }
    TargetWindow Describe() override { return {1, L"Edit", L"notepad.exe", false}; }
    bool ConsoleHasSelection(const TargetWindow&) override { return false; }
    float ReadDelay() override { return 0.06f; }
    int32_t DebugValue() const override { return -1; }
    void WriteDebugValue(int32_t) override {}
};

TEST(Win32CycleTest, TheUsersClipboardSurvivesASlowPasteOfAMegabyteAndAHeldClipboard) {
    SetClipboardContent({{CF_UNICODETEXT, Utf16Bytes(L"\u0633\u0644\u0627\u0645")}});
    const Content users = ClipboardContent();
    SlowPastingTarget target;
    Win32CycleClipboard clipboard;
    MessageServingClock clock;
    CycleState state;
    const auto shout = [](std::wstring_view text, int32_t, bool) {
        return std::wstring(text.size(), L'A');
    };
    const CycleServices services{target, clock, clipboard, target, target, target, shout};
    ASSERT_EQ(RunConvertSelection(services, state, {}), CycleOutcome::Done);
    ASSERT_TRUE(target.Paste.has_value());
    EXPECT_TRUE(target.Paste->Read() == std::wstring(1 << 20, L'A'));
    EXPECT_EQ(ClipboardContent(), users);

    // Longer than a save waits for it: no key at all, and the clipboard stays as it is.
    AnotherProgram holder(1000);
    target.KeysSent = 0;
    RunConvertSelection(services, state, {});
    holder.Read();
    EXPECT_EQ(target.KeysSent, 0);
    EXPECT_EQ(ClipboardContent(), users);
}

TEST(Win32ClipboardTest, OnlyAFetchAfterExpectPasteCountsAsThePaste) {
    Win32CycleClipboard clipboard;
    ASSERT_TRUE(clipboard.PutText(L"early"));
    EXPECT_EQ(AnotherProgram(0).Read(), L"early");
    clipboard.ExpectPaste();
    EXPECT_FALSE(clipboard.PasteWasFetched());
    ASSERT_TRUE(clipboard.PutText(L"\u0627\u0644\u0633\u0644\u0627\u0645"));
    clipboard.ExpectPaste();
    EXPECT_EQ(AnotherProgram(0).Read(), L"\u0627\u0644\u0633\u0644\u0627\u0645");
    EXPECT_TRUE(clipboard.PasteWasFetched());
}

TEST(Win32ClipboardTest, APromisedTextIsRenderedWhenItsOwnerGoes) {
    ASSERT_TRUE(Win32CycleClipboard().PutText(L"left behind"));  // its owner goes at once
    EXPECT_EQ(Win32CycleClipboard().ReadText(), L"left behind");
}

// An editor's whole-line copy: its mark formats are often offered without any content.
TEST(Win32ClipboardTest, MarksOfAWholeLineCopyAreReadFromTheClipboard) {
    const std::string_view json = R"({"isFromEmptySelection":true})";
    Win32CycleClipboard clipboard;
    SetClipboardContent({{CF_UNICODETEXT, Utf16Bytes(L"line")}});
    EXPECT_FALSE(HoldsWholeLineCopy(clipboard));
    SetClipboardContent(
        {{RegisterClipboardFormatW(L"vscode-editor-data"), Bytes(json.begin(), json.end())}});
    EXPECT_TRUE(HoldsWholeLineCopy(clipboard));
    {
        const ScopedClipboard open = OpenClipboardRetrying(testWindow.get());
        ASSERT_TRUE(open && EmptyClipboard());
        SetClipboardData(RegisterClipboardFormatW(L"MSDEVLineSelect"),
                         nullptr);  // a promise nobody keeps
    }
    EXPECT_EQ(clipboard.ReadNamedFormat(L"MSDEVLineSelect"), std::optional<std::string>(""));
}

TEST(Win32ForegroundWindowTest, OurOwnWindowIsDescribedAndNotOutrankingUs) {
    ASSERT_TRUE(SetForegroundWindow(testWindow.get()));
    const TargetWindow target = Win32ForegroundWindow().Describe();
    EXPECT_EQ(target.Identity, reinterpret_cast<uintptr_t>(testWindow.get()));
    EXPECT_EQ(target.ClassName, L"Static");
    EXPECT_EQ(target.ProcessName, L"capture_win32_tests.exe");
    EXPECT_FALSE(target.OutranksUs);
}

TEST(MessageServingClockTest, AWaitLeavesTheQuitToTheMainLoop) {
    MessageServingClock clock;
    MSG message;
    PostQuitMessage(7);  // ends the wait and stays queued for the main loop
    EXPECT_FALSE(clock.WaitUntil(30.0f, [] { return false; }));
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
