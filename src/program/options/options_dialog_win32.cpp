#include "program/options/options_dialog.h"

#include <array>
#include <string>
#include <vector>

#include "program/message_box_win32.h"
#include "program/options/options_layout.h"
#include "program/options/options_model.h"
#include "program/options/options_resource.h"

namespace {

struct TwipsRect {
    int left, top, width, height;
};

struct ControlPlace {
    int id;
    TwipsRect frame;  // the frame the control stands in; the dialog itself for none
    TwipsRect place;
};

constexpr TwipsRect kOnDialog{OPTIONS_DIALOG_TWIPS};
constexpr TwipsRect kFrame1{OPTIONS_FRAME1_TWIPS};
constexpr TwipsRect kFrame2{OPTIONS_FRAME2_TWIPS};
constexpr TwipsRect kFrame3{OPTIONS_FRAME3_TWIPS};

constexpr std::array<ControlPlace, 16> kControlPlaces = {{
    {IDC_OPTIONS_FRAME2, kOnDialog, kFrame2},
    {IDC_OPTIONS_CHKSTARTWITHWINDOWS, kFrame2, {OPTIONS_CHKSTARTWITHWINDOWS_TWIPS}},
    {IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD, kFrame2, {OPTIONS_CHKAUTOSWITCHKEYBOARD_TWIPS}},
    {IDC_OPTIONS_FRAME1, kOnDialog, kFrame1},
    {IDC_OPTIONS_LIST1, kFrame1, {OPTIONS_LIST1_TWIPS}},
    {IDC_OPTIONS_CHKCTRL, kFrame1, {OPTIONS_CHKCTRL_TWIPS}},
    {IDC_OPTIONS_CHKSHIFT, kFrame1, {OPTIONS_CHKSHIFT_TWIPS}},
    {IDC_OPTIONS_CHKWIN, kFrame1, {OPTIONS_CHKWIN_TWIPS}},
    {IDC_OPTIONS_COMBO1, kFrame1, {OPTIONS_COMBO1_TWIPS}},
    {IDC_OPTIONS_FRAME3, kOnDialog, kFrame3},
    {IDC_OPTIONS_LABEL2, kFrame3, {OPTIONS_LABEL2_TWIPS}},
    {IDC_OPTIONS_CMBLAYOUT1, kFrame3, {OPTIONS_CMBLAYOUT1_TWIPS}},
    {IDC_OPTIONS_LABEL3, kFrame3, {OPTIONS_LABEL3_TWIPS}},
    {IDC_OPTIONS_CMBLAYOUT2, kFrame3, {OPTIONS_CMBLAYOUT2_TWIPS}},
    {IDOK, kOnDialog, {OPTIONS_CMDOK_TWIPS}},
    {IDCANCEL, kOnDialog, {OPTIONS_CMDCANCEL_TWIPS}},
}};

constexpr int kTwipsPerInch = 1440;

struct OptionsDialogContext {
    OptionsServices& services;
    frmOptions form;
    bool endProgram = false;  // asked for while the dialog was open; done once it is closed
};

OptionsDialogContext* ContextOf(HWND dialog) {
    return reinterpret_cast<OptionsDialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The window's DPI: the monitor's where the system reports it per window (Windows 10
// and later), else the system's.
UINT DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto getDpiForWindow =
        user32 == nullptr ? nullptr
                          : reinterpret_cast<GetDpiForWindowFunction>(
                                reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    const HDC screen = GetDC(window);
    const int dpi = screen == nullptr ? USER_DEFAULT_SCREEN_DPI : GetDeviceCaps(screen, LOGPIXELSY);
    if (screen != nullptr) {
        ReleaseDC(window, screen);
    }
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

// The template's dialog units only approximate the twips (they follow the font), so
// every control gets its exact place, and the client area its exact size.
void PlaceControls(HWND dialog, UINT dpi) {
    for (const ControlPlace& control : kControlPlaces) {
        const HWND window = GetDlgItem(dialog, control.id);
        if (window == nullptr) {
            continue;
        }
        MoveWindow(window, TwipsToPixels(control.frame.left + control.place.left, dpi),
                   TwipsToPixels(control.frame.top + control.place.top, dpi),
                   TwipsToPixels(control.place.width, dpi),
                   TwipsToPixels(control.place.height, dpi), FALSE);
    }
    RECT frame{0, 0, TwipsToPixels(OPTIONS_CLIENT_WIDTH_TWIPS, dpi),
               TwipsToPixels(OPTIONS_CLIENT_HEIGHT_TWIPS, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnScreen(HWND dialog) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return;  // stays where the system put it
    }
    RECT window{};
    GetWindowRect(dialog, &window);
    const RECT& screen = monitor.rcMonitor;
    const int left =
        screen.left + ((screen.right - screen.left) - (window.right - window.left)) / 2;
    const int top = screen.top + ((screen.bottom - screen.top) - (window.bottom - window.top)) / 2;
    SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillList(HWND list, UINT addMessage, const std::vector<std::wstring>& entries) {
    for (const std::wstring& entry : entries) {
        SendMessageW(list, addMessage, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void FillLists(HWND dialog, const OptionsControls& controls) {
    FillList(GetDlgItem(dialog, IDC_OPTIONS_LIST1), LB_ADDSTRING, controls.actionList);
    FillList(GetDlgItem(dialog, IDC_OPTIONS_COMBO1), CB_ADDSTRING, controls.keyList);
    FillList(GetDlgItem(dialog, IDC_OPTIONS_CMBLAYOUT1), CB_ADDSTRING, controls.layoutList);
    FillList(GetDlgItem(dialog, IDC_OPTIONS_CMBLAYOUT2), CB_ADDSTRING, controls.layoutList);
}

// Neither message notifies the dialog, so showing the model's state never runs a
// handler (the model's SyncChecks covers the toolkits that do).
void ShowCheck(HWND dialog, int id, int state) {
    CheckDlgButton(dialog, id, state == kChecked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowSelection(HWND dialog, int id, UINT selectMessage, int row) {
    SendDlgItemMessageW(dialog, id, selectMessage, static_cast<WPARAM>(row), 0);
}

void ShowControls(HWND dialog, const OptionsControls& controls) {
    ShowSelection(dialog, IDC_OPTIONS_LIST1, LB_SETCURSEL, controls.actionRow);
    ShowSelection(dialog, IDC_OPTIONS_COMBO1, CB_SETCURSEL, controls.keyRow);
    ShowSelection(dialog, IDC_OPTIONS_CMBLAYOUT1, CB_SETCURSEL, controls.layout1Row);
    ShowSelection(dialog, IDC_OPTIONS_CMBLAYOUT2, CB_SETCURSEL, controls.layout2Row);
    ShowCheck(dialog, IDC_OPTIONS_CHKCTRL, controls.chkCtrl);
    ShowCheck(dialog, IDC_OPTIONS_CHKSHIFT, controls.chkShift);
    ShowCheck(dialog, IDC_OPTIONS_CHKWIN, controls.chkWin);
    for (const int id : {IDC_OPTIONS_CHKCTRL, IDC_OPTIONS_CHKSHIFT, IDC_OPTIONS_CHKWIN}) {
        EnableWindow(GetDlgItem(dialog, id), controls.modifierBoxesEnabled ? TRUE : FALSE);
    }
    ShowCheck(dialog, IDC_OPTIONS_CHKSTARTWITHWINDOWS, controls.chkStartWithWindows);
    ShowCheck(dialog, IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD, controls.chkAutoSwitchKeyboard);
}

int CheckState(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? kChecked : kUnchecked;
}

int SelectedRow(HWND dialog, int id, UINT getMessage) {
    const LRESULT row = SendDlgItemMessageW(dialog, id, getMessage, 0, 0);
    return row < 0 ? kNoSelection : static_cast<int>(row);
}

void EndWith(HWND dialog, OptionsOutcome outcome) {
    EndDialog(dialog, static_cast<INT_PTR>(outcome));
}

// The messages of OK are owned by the dialog, as every message of a modal dialog
// should be: the dialog takes no second OK while one is open, and it is active again
// when the user closes it. The end of the program (layouts.txt gone) waits until the
// dialog has closed, so the main window is not taken down under a running dialog.
class DialogMessages final : public LayoutUi {
  public:
    DialogMessages(HWND dialog, LayoutUi& programUi, bool& endProgram)
        : dialog_(dialog), programUi_(programUi), endProgram_(endProgram) {}

    void ShowMessage(const std::wstring& text, MessageIcon icon) override {
        ShowProgramMessageBox(dialog_, text, icon);
    }
    void SetLayoutButtonCaption(int buttonIndex, const std::wstring& caption) override {
        programUi_.SetLayoutButtonCaption(buttonIndex, caption);
    }
    void EndProgram() override { endProgram_ = true; }

  private:
    HWND dialog_;
    LayoutUi& programUi_;
    bool& endProgram_;
};

void PressOk(HWND dialog, OptionsDialogContext& context) {
    const OptionsServices& program = context.services;
    DialogMessages messages(dialog, program.layouts.ui, context.endProgram);
    OptionsServices services{
        program.settings,
        LayoutContext{program.layouts.table, program.layouts.programFolder, messages},
        program.hotkeys,
        program.settingsFile,
        program.registry,
        program.executablePath,
        messages};
    const OptionsOutcome outcome = context.form.cmdOK_Click(services);
    if (outcome != OptionsOutcome::StayOpen) {
        EndWith(dialog, outcome);
    }
}

// True when the command was one of the dialog's own.
bool HandleCommand(HWND dialog, OptionsDialogContext& context, int id, int code) {
    frmOptions& form = context.form;
    switch (id) {
        case IDC_OPTIONS_LIST1:
            if (code != LBN_SELCHANGE) {
                return false;
            }
            form.List1_Click(SelectedRow(dialog, id, LB_GETCURSEL));
            break;
        case IDC_OPTIONS_COMBO1:
        case IDC_OPTIONS_CMBLAYOUT1:
        case IDC_OPTIONS_CMBLAYOUT2: {
            if (code != CBN_SELCHANGE) {
                return false;
            }
            const int row = SelectedRow(dialog, id, CB_GETCURSEL);
            if (id == IDC_OPTIONS_COMBO1) {
                form.Combo1_Click(row);
            } else if (id == IDC_OPTIONS_CMBLAYOUT1) {
                form.cmbLayout1_Click(row);
            } else {
                form.cmbLayout2_Click(row);
            }
            break;
        }
        case IDC_OPTIONS_CHKCTRL:
        case IDC_OPTIONS_CHKSHIFT:
        case IDC_OPTIONS_CHKWIN:
        case IDC_OPTIONS_CHKSTARTWITHWINDOWS:
        case IDC_OPTIONS_CHKAUTOSWITCHKEYBOARD: {
            if (code != BN_CLICKED) {
                return false;
            }
            const int state = CheckState(dialog, id);
            if (id == IDC_OPTIONS_CHKCTRL) {
                form.chkCtrl_Click(state);
            } else if (id == IDC_OPTIONS_CHKSHIFT) {
                form.chkShift_Click(state);
            } else if (id == IDC_OPTIONS_CHKWIN) {
                form.chkWin_Click(state);
            } else if (id == IDC_OPTIONS_CHKSTARTWITHWINDOWS) {
                form.chkStartWithWindows_Click(state);
            } else {
                form.chkAutoSwitchKeyboard_Click(state);
            }
            break;
        }
        case IDOK:
            PressOk(dialog, context);
            return true;
        case IDCANCEL:  // Cancel, Escape and the close box alike
            EndWith(dialog, form.cmdCancel_Click());
            return true;
        default:
            return false;
    }
    ShowControls(dialog, form.Controls());
    return true;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* context = reinterpret_cast<OptionsDialogContext*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
        context->form.Form_Load(context->services.settings, context->services.layouts.table);
        FillLists(dialog, context->form.Controls());
        ShowControls(dialog, context->form.Controls());
        PlaceControls(dialog, DpiOf(dialog));
        CentreOnScreen(dialog);
        return TRUE;
    }
    OptionsDialogContext* context = ContextOf(dialog);
    if (context == nullptr) {
        return FALSE;
    }
    switch (message) {
        case WM_PAINT:
            if (context->form.Form_Paint()) {
                SendMessageW(dialog, WM_NEXTDLGCTL,
                             reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
            }
            return FALSE;  // the system paints
        case WM_COMMAND:
            return HandleCommand(dialog, *context, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_DESTROY:
            context->form.Form_Unload();
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowOptionsDialog(HWND owner, OptionsServices& services) {
    OptionsDialogContext context{services, frmOptions{}, false};
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OPTIONS), owner,
                        OptionsDialogProc, reinterpret_cast<LPARAM>(&context));
    if (context.endProgram) {
        services.layouts.ui.EndProgram();
    }
    return result == static_cast<INT_PTR>(OptionsOutcome::Applied);
}
