#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "capture/convert_cycle.h"
#include "capture/win32_capture.h"
#include "engine/conversion.h"
#include "win32_test_window.h"

namespace {

class FixedSettings final : public CycleSettings {
  public:
    float ReadDelay() override { return 0.06f; }
    int32_t DebugValue() const override { return counter_; }
    void WriteDebugValue(int32_t value) override { counter_ = value; }

  private:
    int32_t counter_ = 0;
};

// A foreground window with a multi-line edit control in this very process: the
// cycle's waits serve its messages, so it reacts to the injected keys like a target
// in another program would.
class EditTarget {
  public:
    EditTarget() {
        frame_ =
            CreateWindowExW(0, L"STATIC", L"capture target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                            50, 400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 380,
                                180, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(frame_);
        SetFocus(edit_);
    }
    // Wine takes a while to let go of a foreground window, so one target serves the
    // whole suite.
    ~EditTarget() { DestroyWindow(frame_); }
    EditTarget(const EditTarget&) = delete;
    EditTarget& operator=(const EditTarget&) = delete;

    bool Ready() const { return edit_ != nullptr && GetFocus() == edit_; }

    void SetText(const std::wstring& text, int selectFrom, int selectTo) {
        SetWindowTextW(edit_, text.c_str());
        SendMessageW(edit_, EM_SETSEL, selectFrom, selectTo);
    }

    std::wstring Text() const {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
        text.resize(
            static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
        return text;
    }

  private:
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

// The user's clipboard, owned by another window than the cycle's.
void PutUsersText(const std::wstring& text) {
    const ScopedClipboard clipboard(TestWindow());
    ASSERT_TRUE(clipboard.IsOpen());
    EmptyClipboard();
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), text.c_str(), size);
    GlobalUnlock(memory);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
}

std::wstring ClipboardText(Win32CycleClipboard& clipboard) {
    return clipboard.ReadText().value_or(L"<none>");
}

class Win32CycleTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { target_ = std::make_unique<EditTarget>(); }
    static void TearDownTestSuite() { target_.reset(); }

    void SetUp() override {
        layouts.SetKeys(1, {L"h", L"g", L"f"});
        layouts.SetKeys(2, {L"\u0627", L"\u0644", L"\u0628"});
        ASSERT_TRUE(target.Ready()) << "the edit control did not get the focus";
        PutUsersText(L"users \u0633\u0644\u0627\u0645");
    }

    double Run(int32_t copyMode, int32_t convertMode, bool autoDirection) {
        LARGE_INTEGER start{}, end{}, frequency{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        EXPECT_TRUE(
            RunConvertSelection(services, state, copyMode, convertMode, autoDirection, false));
        QueryPerformanceCounter(&end);
        return static_cast<double>(end.QuadPart - start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

    static std::unique_ptr<EditTarget> target_;
    EditTarget& target = *target_;
    Win32CaptureServices system;
    FixedSettings settings;
    LayoutTable layouts;
    CycleServices services = system.For(settings, layouts);
    CycleState state;
};

std::unique_ptr<EditTarget> Win32CycleTest::target_;

TEST_F(Win32CycleTest, ConvertsTheSelectionAndKeepsTheUsersText) {
    target.SetText(L"one hgf two", 4, 7);
    const double seconds = Run(ToLayout2, ToLayout2, false);
    EXPECT_EQ(target.Text(), L"one \u0627\u0644\u0628 two");
    EXPECT_EQ(ClipboardText(system.Clipboard), L"users \u0633\u0644\u0627\u0645");
    EXPECT_EQ(settings.DebugValue(), 1);
    std::printf("cycle with a selection: %.3f s\n", seconds);
}

TEST_F(Win32CycleTest, WithoutASelectionTheWordBeforeTheCaretIsConverted) {
    target.SetText(L"first second", 12, 12);
    const double seconds = Run(UpperCase, UpperCase, false);
    EXPECT_EQ(target.Text(), L"first SECOND");
    EXPECT_EQ(ClipboardText(system.Clipboard), L"users \u0633\u0644\u0627\u0645");
    std::printf("cycle with the fallback selection: %.3f s\n", seconds);
}

TEST_F(Win32CycleTest, NothingToCopyKeepsTheUsersText) {
    target.SetText(L"", 0, 0);
    Run(UpperCase, UpperCase, false);
    EXPECT_EQ(target.Text(), L"");
    EXPECT_EQ(ClipboardText(system.Clipboard), L"users \u0633\u0644\u0627\u0645");
    EXPECT_EQ(settings.DebugValue(), 0);
}

}  // namespace
