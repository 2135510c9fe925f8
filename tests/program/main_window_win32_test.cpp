#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "program/main_window.h"
#include "program/program_state.h"

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        state_.instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(windowClass_.registered());
        ASSERT_TRUE(CreateMainWindow(state_));
    }

    void TearDown() override {
        if (state_.mainWindow != nullptr) {
            DestroyWindow(state_.mainWindow);
        }
        // The main window's end ends the message loop; the next test has none to end.
        MSG quit{};
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    std::wstring ToolTipOf(HWND control) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = state_.mainWindow;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageW(state_.controls.toolTips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    ProgramState state_;
    MainWindowClass windowClass_{GetModuleHandleW(nullptr)};
};

TEST_F(MainWindowTest, StartsHiddenWithTheDesignCaptionsAndThePinToolTip) {
    EXPECT_FALSE(IsWindowVisible(state_.mainWindow));
    EXPECT_EQ(TextOf(state_.controls.Frame1), L"Convert to: ");
    EXPECT_EQ(TextOf(state_.controls.Command1[2]), L"&Upper case");
    EXPECT_EQ(TextOf(state_.controls.Command1[3]), L"&Lower case");
    EXPECT_EQ(TextOf(state_.controls.Command1[4]), L"&Capitalize");
    EXPECT_EQ(ToolTipOf(state_.controls.Check1), L"Always visible");
}

TEST_F(MainWindowTest, ToolTipsAfterStartUpNameTheLoadedLayouts) {
    SetLayoutButtonCaption(state_, 0, L"&English ");
    SetLayoutButtonCaption(state_, 1, L"&Arabic ");
    SetConversionButtonToolTips(state_);
    EXPECT_EQ(TextOf(state_.controls.Command1[0]), L"&English ");
    EXPECT_EQ(ToolTipOf(state_.controls.Command1[0]), L"Converts the selected text to English ");
    EXPECT_EQ(ToolTipOf(state_.controls.Command1[1]), L"Converts the selected text to Arabic ");
    EXPECT_EQ(ToolTipOf(state_.controls.Command1[4]),
              L"Capitalize first character of each word in the selected text.");
}

TEST_F(MainWindowTest, LayoutsLoadedLaterRenewTheToolTipToo) {
    SetLayoutButtonCaption(state_, 1, L"&Arabic ");
    SetConversionButtonToolTips(state_);
    state_.startedUp = true;
    SetLayoutButtonCaption(state_, 1, L"&Persian ");
    EXPECT_EQ(TextOf(state_.controls.Command1[1]), L"&Persian ");
    EXPECT_EQ(ToolTipOf(state_.controls.Command1[1]), L"Converts the selected text to Persian ");
}

TEST_F(MainWindowTest, PinStatesOutsideZeroToTwoLeaveItOff) {
    for (const auto& [stored, accepted, checked] :
         {std::tuple{0, 0, BST_UNCHECKED}, std::tuple{1, 1, BST_CHECKED},
          std::tuple{2, 2, BST_CHECKED}, std::tuple{7, 0, BST_UNCHECKED}}) {
        SetPinState(state_, stored);
        EXPECT_EQ(state_.pinState, accepted) << stored;
        EXPECT_EQ(SendMessageW(state_.controls.Check1, BM_GETCHECK, 0, 0), checked) << stored;
    }
}

TEST_F(MainWindowTest, ClientAreaFollowsTheTwipsDesign) {
    RECT client{};
    GetClientRect(state_.mainWindow, &client);
    const int dpi = state_.controls.dotsPerInch;
    EXPECT_EQ(client.right, MulDiv(2910, dpi, 1440));
    EXPECT_EQ(client.bottom, MulDiv(1845, dpi, 1440));
}

}  // namespace
