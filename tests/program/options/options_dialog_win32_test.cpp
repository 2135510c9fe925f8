// The real options dialog under Wine: opened modally as the program opens it, driven
// from a timer of its owner window the way a user would drive it (selecting rows,
// clicking boxes and buttons, pressing keys), with real global hotkeys and real
// message boxes, which the script reads and closes.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "options_fixture.h"
#include "program/options/options_dialog.h"
#include "program/options/options_resource.h"

namespace {

constexpr UINT_PTR kScriptTimer = 1;
constexpr UINT kTickMilliseconds = 20;
constexpr int kIdleTicksAllowed = 250;  // 5 s without a step: the script has failed

struct SeenMessage {
    std::wstring caption;
    std::wstring text;
};

using Step = std::function<void(HWND dialog)>;

// Runs one step per timer tick while the dialog is open, and reads and closes every
// message box the dialog opens.
struct DialogScript {
    std::vector<Step> steps;
    size_t next = 0;
    bool inStep = false;
    int idleTicks = 0;
    bool timedOut = false;
    std::vector<SeenMessage> messages;
};

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct FoundWindow {
    const wchar_t* title;
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    auto* wanted = reinterpret_cast<FoundWindow*>(lParam);
    if (ClassName(window) == L"#32770" && WindowText(window) == wanted->title &&
        (wanted->owner == nullptr || GetWindow(window, GW_OWNER) == wanted->owner) &&
        IsWindowVisible(window)) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadDialog(const wchar_t* title, HWND owner) {
    FoundWindow wanted{title, owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

BOOL CALLBACK LongestStaticText(HWND child, LPARAM lParam) {
    auto* longest = reinterpret_cast<std::wstring*>(lParam);
    if (ClassName(child) == L"Static") {
        const std::wstring text = WindowText(child);
        if (text.size() > longest->size()) {
            *longest = text;
        }
    }
    return TRUE;
}

void ReadAndCloseMessageBox(HWND box, DialogScript& script) {
    std::wstring text;
    EnumChildWindows(box, LongestStaticText, reinterpret_cast<LPARAM>(&text));
    script.messages.push_back({WindowText(box), text});
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void Tick(HWND owner, DialogScript& script) {
    const HWND dialog = FindThreadDialog(L"Options", owner);
    if (dialog == nullptr) {
        return;
    }
    if (const HWND box = FindThreadDialog(L"Zenvoral", dialog); box != nullptr) {
        ReadAndCloseMessageBox(box, script);
        script.idleTicks = 0;
        return;
    }
    if (script.inStep) {
        // A step is still running, inside the loop of some window the script does not
        // know: close that window rather than wait for ever.
        if (++script.idleTicks > kIdleTicksAllowed) {
            script.timedOut = true;
            PostMessageW(GetLastActivePopup(dialog), WM_CLOSE, 0, 0);
        }
        return;
    }
    if (script.next < script.steps.size()) {
        script.idleTicks = 0;
        script.inStep = true;
        script.steps[script.next++](dialog);
        script.inStep = false;
        return;
    }
    if (++script.idleTicks > kIdleTicksAllowed) {
        script.timedOut = true;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kScriptTimer) {
        if (auto* script =
                reinterpret_cast<DialogScript*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            Tick(window, *script);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The main window's stand-in: owner of the dialog and of the hotkeys.
class OwnerWindow {
  public:
    OwnerWindow() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = OwnerWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ZenvoralOptionsTestOwner";
        RegisterClassExW(&windowClass);  // fails harmlessly from the second test on
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"options test owner",
                                  WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

HWND Control(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

void SelectListRow(HWND dialog, int id, int row) {
    const bool isListBox = id == IDC_OPTIONS_LIST1;
    SendDlgItemMessageW(dialog, id, isListBox ? LB_SETCURSEL : CB_SETCURSEL,
                        static_cast<WPARAM>(row), 0);
    // What the control tells its dialog when the user picks the row.
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, isListBox ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(dialog, id)));
}

void SelectListText(HWND dialog, int id, const std::wstring& text) {
    const bool isListBox = id == IDC_OPTIONS_LIST1;
    const LRESULT row =
        SendDlgItemMessageW(dialog, id, isListBox ? LB_FINDSTRINGEXACT : CB_FINDSTRINGEXACT,
                            static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ASSERT_GE(row, 0) << "no row " << std::string(text.begin(), text.end());
    SelectListRow(dialog, id, static_cast<int>(row));
}

std::wstring SelectedText(HWND dialog, int id) {
    return WindowText(Control(dialog, id));
}

void Click(HWND dialog, int id) {
    SendMessageW(Control(dialog, id), BM_CLICK, 0, 0);
}

bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// A key as the user presses it on the focused control, through the dialog's loop.
void PressKey(WPARAM key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

// Writes the window's client area as it is on the screen to a 24-bit BMP file. Only
// the client area: without a window manager Wine draws no frame or caption.
bool SaveWindowBitmap(HWND window, const std::wstring& path) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        // Copied from the screen: Wine's PrintWindow leaves out the controls.
        saved = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
        SelectObject(memory, previous);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + imageSize;
        if (FILE* out = _wfopen(path.c_str(), L"wb")) {
            saved = saved && fwrite(&file, sizeof(file), 1, out) == 1 &&
                    fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
                    fwrite(bits, imageSize, 1, out) == 1;
            saved = fclose(out) == 0 && saved;
        } else {
            saved = false;
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

class OptionsDialogWin32Test : public ::testing::Test {
  protected:
    void Start(std::string_view settingsText = {}) {
        registrar.emplace(owner.get());
        program.emplace(settingsText, &*registrar);
    }

    // Opens the dialog as the program does and runs the steps; true when OK applied.
    bool RunDialog(std::vector<Step> steps) {
        script.steps = std::move(steps);
        SetWindowLongPtrW(owner.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&script));
        SetTimer(owner.get(), kScriptTimer, kTickMilliseconds, nullptr);
        OptionsServices services = program->Services();
        const bool applied = ShowOptionsDialog(owner.get(), services);
        KillTimer(owner.get(), kScriptTimer);
        SetWindowLongPtrW(owner.get(), GWLP_USERDATA, 0);
        EXPECT_FALSE(script.timedOut) << "the script timed out: a window stayed open";
        EXPECT_EQ(script.next, script.steps.size()) << "the dialog closed before every step ran";
        return applied;
    }

    // True when another window can take the combination, i.e. the program does not hold it.
    bool CombinationIsFree(UINT modifiers, UINT key) {
        const int probeId = 0xB000;
        if (!RegisterHotKey(owner.get(), probeId, modifiers, key)) {
            return false;
        }
        UnregisterHotKey(owner.get(), probeId);
        return true;
    }

    OwnerWindow owner;
    std::optional<SystemHotkeyRegistrar> registrar;
    std::optional<StartedProgram> program;
    DialogScript script;

    void TearDown() override {
        program.reset();
        registrar.reset();
    }
};

TEST_F(OptionsDialogWin32Test, OpensOnTheFirstActionWithOkFocusedCentredAtItsSize) {
    Start();
    const bool applied = RunDialog({
        [](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), L"Options");
            EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OPTIONS_LIST1, LB_GETCURSEL, 0, 0), 0);
            EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OPTIONS_LIST1, LB_GETCOUNT, 0, 0), 3);
            EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OPTIONS_COMBO1, CB_GETCOUNT, 0, 0), 67);
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_COMBO1), L"F9");
            EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_CHKCTRL));
            EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_CHKSHIFT));
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKWIN));
            EXPECT_TRUE(IsWindowEnabled(Control(dialog, IDC_OPTIONS_CHKWIN)));
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKSTARTWITHWINDOWS));
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD));
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_CMBLAYOUT1), L"English (101 Keys)");
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_CMBLAYOUT2), L"Arabic (101 Keys)");
            EXPECT_EQ(GetFocus(), Control(dialog, IDOK));
            EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));

            const HDC screen = GetDC(dialog);
            const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(dialog, screen);
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, MulDiv(4350, dpi, 1440));
            EXPECT_EQ(client.bottom, MulDiv(5235, dpi, 1440));
            RECT ok{};
            GetWindowRect(Control(dialog, IDOK), &ok);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&ok), 2);
            EXPECT_EQ(ok.left, MulDiv(1665, dpi, 1440));
            EXPECT_EQ(ok.top, MulDiv(4755, dpi, 1440));
            EXPECT_EQ(ok.right - ok.left, MulDiv(1245, dpi, 1440));
            RECT list{};
            GetWindowRect(Control(dialog, IDC_OPTIONS_LIST1), &list);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
            EXPECT_EQ(list.left, MulDiv(83 + 180, dpi, 1440)) << "placed inside its frame";
            EXPECT_EQ(list.top, MulDiv(1425 + 360, dpi, 1440));

            RECT window{};
            GetWindowRect(dialog, &window);
            const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
            const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
            EXPECT_NEAR(window.left, (screenWidth - (window.right - window.left)) / 2, 1);
            EXPECT_NEAR(window.top, (screenHeight - (window.bottom - window.top)) / 2, 1);
        },
        [](HWND dialog) {
            // The screenshot the test run converts to PNG.
            RedrawWindow(dialog, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            EXPECT_TRUE(SaveWindowBitmap(dialog, L"options_dialog.bmp"));
        },
        [](HWND dialog) { Click(dialog, IDCANCEL); },
    });
    EXPECT_FALSE(applied);
}

TEST_F(OptionsDialogWin32Test, TabOrderFollowsTheControlsAndAccessKeysReachTheLayoutLists) {
    Start();
    RunDialog({
        [](HWND dialog) {
            const std::vector<int> expected = {IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD,
                                               IDC_OPTIONS_LIST1,
                                               IDC_OPTIONS_CHKCTRL,
                                               IDC_OPTIONS_CHKSHIFT,
                                               IDC_OPTIONS_CHKWIN,
                                               IDC_OPTIONS_COMBO1,
                                               IDC_OPTIONS_CMBLAYOUT1,
                                               IDC_OPTIONS_CMBLAYOUT2,
                                               IDOK,
                                               IDCANCEL,
                                               IDC_OPTIONS_CHKSTARTWITHWINDOWS};
            HWND control = Control(dialog, IDC_OPTIONS_CHKSTARTWITHWINDOWS);
            for (const int id : expected) {
                control = GetNextDlgTabItem(dialog, control, FALSE);
                EXPECT_EQ(GetDlgCtrlID(control), id);
            }
            // Alt+D, as the dialog's loop gets it.
            PostMessageW(GetFocus(), WM_SYSCHAR, L'd', 1 << 29);
        },
        [](HWND dialog) {
            EXPECT_EQ(GetFocus(), Control(dialog, IDC_OPTIONS_CMBLAYOUT2));
            PostMessageW(GetFocus(), WM_SYSCHAR, L'f', 1 << 29);
        },
        [](HWND dialog) {
            EXPECT_EQ(GetFocus(), Control(dialog, IDC_OPTIONS_CMBLAYOUT1));
            PressKey(VK_ESCAPE);
        },
    });
}

TEST_F(OptionsDialogWin32Test, EditsMadeInTheDialogAreRegisteredLoadedAndSaved) {
    Start();
    ASSERT_FALSE(CombinationIsFree(MOD_WIN, VK_F9));
    const bool applied = RunDialog({
        [](HWND dialog) {
            SelectListText(dialog, IDC_OPTIONS_COMBO1, L"A");
            Click(dialog, IDC_OPTIONS_CHKCTRL);
            Click(dialog, IDC_OPTIONS_CHKSHIFT);
            Click(dialog, IDC_OPTIONS_CHKWIN);
            SelectListRow(dialog, IDC_OPTIONS_LIST1, 2);
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_COMBO1), L"F11");
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKWIN));
            SelectListText(dialog, IDC_OPTIONS_COMBO1, L"(NONE)");
            EXPECT_FALSE(IsWindowEnabled(Control(dialog, IDC_OPTIONS_CHKCTRL)));
            EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_CHKWIN));
            SelectListRow(dialog, IDC_OPTIONS_LIST1, 0);
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_COMBO1), L"A");
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKCTRL));
            EXPECT_TRUE(Checked(dialog, IDC_OPTIONS_CHKSHIFT));
            EXPECT_FALSE(Checked(dialog, IDC_OPTIONS_CHKWIN));
            EXPECT_TRUE(IsWindowEnabled(Control(dialog, IDC_OPTIONS_CHKCTRL)));
            SelectListText(dialog, IDC_OPTIONS_CMBLAYOUT2, L"Short demo");
            Click(dialog, IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD);
        },
        [](HWND dialog) {
            SetFocus(Control(dialog, IDOK));
            PressKey(VK_RETURN);
        },
    });
    EXPECT_TRUE(applied);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].caption, L"Zenvoral");
    EXPECT_EQ(script.messages[0].text, kUnequalKeyCountsMessage);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"6;A");
    EXPECT_EQ(program->Stored(L"Hotkey3"), L"0;(NONE)");
    EXPECT_EQ(program->Stored(L"Layout2"), L"Short demo");
    EXPECT_EQ(program->Stored(L"AutoSwitchKeyboard"), L"0");
    EXPECT_FALSE(CombinationIsFree(MOD_CONTROL | MOD_SHIFT, 'A'));
    EXPECT_TRUE(CombinationIsFree(MOD_WIN, VK_F9));
    EXPECT_TRUE(CombinationIsFree(MOD_WIN, VK_F11));
    EXPECT_EQ(program->layouts.Layout2Keys, (std::vector<std::wstring>{L"p", L"q"}));
}

TEST_F(OptionsDialogWin32Test, EqualLayoutsShowTheMessageAndKeepTheDialogOpen) {
    Start();
    const std::string fileBefore = program->SettingsFileBytes();
    const bool applied = RunDialog({
        [](HWND dialog) {
            SelectListText(dialog, IDC_OPTIONS_CMBLAYOUT2, L"English (101 Keys)");
            Click(dialog, IDOK);
        },
        [](HWND dialog) {
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_TRUE(IsWindowEnabled(dialog));
            EXPECT_EQ(SelectedText(dialog, IDC_OPTIONS_CMBLAYOUT2), L"English (101 Keys)");
            Click(dialog, IDCANCEL);
        },
    });
    EXPECT_FALSE(applied);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].caption, L"Zenvoral");
    EXPECT_EQ(script.messages[0].text, L"First and second layout must be different!");
    EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
    EXPECT_EQ(program->layouts.Layout2Name, L"Arabic (101 Keys)");
    EXPECT_FALSE(CombinationIsFree(MOD_WIN, VK_F9));
}

TEST_F(OptionsDialogWin32Test, AKeyHeldByAnotherWindowGivesTheConflictMessageAndTheDialogCloses) {
    Start();
    const int heldId = 0xB001;
    ASSERT_TRUE(RegisterHotKey(owner.get(), heldId, MOD_WIN, VK_F12));
    const bool applied = RunDialog({
        [](HWND dialog) {
            SelectListText(dialog, IDC_OPTIONS_COMBO1, L"F12");
            Click(dialog, IDOK);
        },
    });
    UnregisterHotKey(owner.get(), heldId);
    EXPECT_TRUE(applied);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text,
              L"Current hotkey Win + F12 is used by another application.\r\n"
              L"Please select another one.");
    EXPECT_EQ(program->settings.Slots[0].KeyCode, kHotkeyNotRegistered);
    EXPECT_EQ(program->Stored(L"HotKey1"), L"8;F12");
}

TEST_F(OptionsDialogWin32Test, LayoutsFileGoneAtOkClosesTheDialogBeforeTheProgramEnds) {
    Start();
    const std::string fileBefore = program->SettingsFileBytes();
    bool dialogOpenAtEnd = true;
    program->layoutUi.onEndProgram = [&] {
        dialogOpenAtEnd = FindThreadDialog(L"Options", owner.get()) != nullptr;
    };
    const std::filesystem::path layoutsFile = program->folder.path() / "layouts.txt";
    const bool applied = RunDialog({
        [&](HWND dialog) {
            std::filesystem::remove(layoutsFile);
            Click(dialog, IDOK);
        },
    });
    EXPECT_FALSE(applied);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, kMissingLayoutsMessage);
    EXPECT_EQ(program->log.back(), L"EndProgram");
    EXPECT_FALSE(dialogOpenAtEnd);
    EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
}

TEST_F(OptionsDialogWin32Test, CancelAndTheCloseBoxApplyNothing) {
    Start();
    const std::string fileBefore = program->SettingsFileBytes();
    for (const UINT closing : {0u, 1u}) {
        script = DialogScript{};
        const bool applied = RunDialog({
            [closing](HWND dialog) {
                SelectListText(dialog, IDC_OPTIONS_COMBO1, L"(NONE)");
                Click(dialog, IDC_OPTIONS_CHKSTARTWITHWINDOWS);
                SelectListText(dialog, IDC_OPTIONS_CMBLAYOUT2, L"Short demo");
                if (closing == 0) {
                    PressKey(VK_ESCAPE);
                } else {
                    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
                }
            },
        });
        EXPECT_FALSE(applied);
        EXPECT_TRUE(script.messages.empty());
        EXPECT_EQ(program->SettingsFileBytes(), fileBefore);
        EXPECT_EQ(program->settings.StartWithWindows, 1);
        EXPECT_FALSE(CombinationIsFree(MOD_WIN, VK_F9));
    }
}

}  // namespace
