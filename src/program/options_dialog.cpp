#include "program/options_dialog.h"

#include <array>

#include "program/main_window_controls.h"
#include "program/message_box.h"
#include "program/options_model.h"
#include "program/resources/options_layout.h"
#include "program/resources/resource_ids.h"
#include "program/window_geometry.h"

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
constexpr TwipsRect kGeneralFrame{OPTIONS_GENERAL_FRAME_TWIPS};
constexpr TwipsRect kHotkeyFrame{OPTIONS_HOTKEY_FRAME_TWIPS};
constexpr TwipsRect kLayoutsFrame{OPTIONS_LAYOUTS_FRAME_TWIPS};

constexpr std::array<ControlPlace, 17> kControlPlaces = {{
    {IDC_OPTIONS_GENERAL_FRAME, kOnDialog, kGeneralFrame},
    {IDC_OPTIONS_START_WITH_WINDOWS, kGeneralFrame, {OPTIONS_START_WITH_WINDOWS_TWIPS}},
    {IDC_OPTIONS_AUTO_SWITCH_KEYBOARD, kGeneralFrame, {OPTIONS_AUTO_SWITCH_KEYBOARD_TWIPS}},
    {IDC_OPTIONS_SMART_WORDS, kGeneralFrame, {OPTIONS_SMART_WORDS_TWIPS}},
    {IDC_OPTIONS_HOTKEY_FRAME, kOnDialog, kHotkeyFrame},
    {IDC_OPTIONS_ACTIONS, kHotkeyFrame, {OPTIONS_ACTIONS_TWIPS}},
    {IDC_OPTIONS_CTRL, kHotkeyFrame, {OPTIONS_CTRL_TWIPS}},
    {IDC_OPTIONS_SHIFT, kHotkeyFrame, {OPTIONS_SHIFT_TWIPS}},
    {IDC_OPTIONS_WIN, kHotkeyFrame, {OPTIONS_WIN_TWIPS}},
    {IDC_OPTIONS_KEY, kHotkeyFrame, {OPTIONS_KEY_TWIPS}},
    {IDC_OPTIONS_LAYOUTS_FRAME, kOnDialog, kLayoutsFrame},
    {IDC_OPTIONS_LAYOUT1_LABEL, kLayoutsFrame, {OPTIONS_LAYOUT1_LABEL_TWIPS}},
    {IDC_OPTIONS_LAYOUT1, kLayoutsFrame, {OPTIONS_LAYOUT1_TWIPS}},
    {IDC_OPTIONS_LAYOUT2_LABEL, kLayoutsFrame, {OPTIONS_LAYOUT2_LABEL_TWIPS}},
    {IDC_OPTIONS_LAYOUT2, kLayoutsFrame, {OPTIONS_LAYOUT2_TWIPS}},
    {IDOK, kOnDialog, {OPTIONS_OK_TWIPS}},
    {IDCANCEL, kOnDialog, {OPTIONS_CANCEL_TWIPS}},
}};

struct OptionsDialogContext {
    OptionsServices& services;
    frmOptions form;
};

// The template's dialog units only approximate the twips (they follow the font), so
// every control gets its exact place, and the client area its exact size.
void PlaceControls(HWND dialog) {
    const int dpi = WindowDotsPerInch(dialog);
    for (const ControlPlace& control : kControlPlaces) {
        MoveWindow(GetDlgItem(dialog, control.id),
                   TwipsToPixels(control.frame.left + control.place.left, dpi),
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

void FillList(HWND dialog, int id, UINT addMessage, const std::vector<std::wstring>& entries) {
    for (const std::wstring& entry : entries) {
        SendDlgItemMessageW(dialog, id, addMessage, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

// Neither message notifies the dialog, so showing the model's state runs no handler.
void ShowControls(HWND dialog, const OptionsControls& controls) {
    SendDlgItemMessageW(dialog, IDC_OPTIONS_ACTIONS, LB_SETCURSEL, controls.actionRow, 0);
    SendDlgItemMessageW(dialog, IDC_OPTIONS_KEY, CB_SETCURSEL, controls.keyRow, 0);
    SendDlgItemMessageW(dialog, IDC_OPTIONS_LAYOUT1, CB_SETCURSEL, controls.layout1Row, 0);
    SendDlgItemMessageW(dialog, IDC_OPTIONS_LAYOUT2, CB_SETCURSEL, controls.layout2Row, 0);
    for (const auto& [id, state] : {std::pair{IDC_OPTIONS_CTRL, controls.chkCtrl},
                                    std::pair{IDC_OPTIONS_SHIFT, controls.chkShift},
                                    std::pair{IDC_OPTIONS_WIN, controls.chkWin}}) {
        CheckDlgButton(dialog, id, state == kChecked ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, id), controls.modifierBoxesEnabled ? TRUE : FALSE);
    }
    CheckDlgButton(dialog, IDC_OPTIONS_START_WITH_WINDOWS,
                   controls.chkStartWithWindows == kChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPTIONS_AUTO_SWITCH_KEYBOARD,
                   controls.chkAutoSwitchKeyboard == kChecked ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPTIONS_SMART_WORDS,
                   controls.chkSmartWords == kChecked ? BST_CHECKED : BST_UNCHECKED);
}

void OnInitDialog(HWND dialog, OptionsDialogContext& context) {
    context.form.Form_Load(context.services.settings, context.services.layouts.Table);
    const OptionsControls& controls = context.form.Controls();
    FillList(dialog, IDC_OPTIONS_ACTIONS, LB_ADDSTRING, controls.actionList);
    FillList(dialog, IDC_OPTIONS_KEY, CB_ADDSTRING, controls.keyList);
    FillList(dialog, IDC_OPTIONS_LAYOUT1, CB_ADDSTRING, controls.layoutList);
    FillList(dialog, IDC_OPTIONS_LAYOUT2, CB_ADDSTRING, controls.layoutList);
    ShowControls(dialog, controls);
    PlaceControls(dialog);
    CentreOnScreen(dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
}

// The messages of OK are owned by the dialog, as every message of a modal dialog should
// be: the dialog takes no second OK while one is open, and is active again after it.
void OnOk(HWND dialog, OptionsDialogContext& context) {
    MessageBoxSink messages(dialog);
    const OptionsOutcome outcome = context.form.PressOk(context.services, messages);
    if (outcome != OptionsOutcome::StayOpen) {
        EndDialog(dialog, static_cast<INT_PTR>(outcome));
    }
}

// The control's selected row, or its check box state; -1 (kNoSelection) for no row.
int Selected(HWND dialog, int id, UINT getMessage) {
    return static_cast<int>(SendDlgItemMessageW(dialog, id, getMessage, 0, 0));
}

// True when the command was one of the dialog's own.
bool OnCommand(HWND dialog, OptionsDialogContext& context, int id, int code) {
    frmOptions& form = context.form;
    const bool clicked = code == BN_CLICKED;
    const bool picked = code == CBN_SELCHANGE;
    if (id == IDC_OPTIONS_ACTIONS && code == LBN_SELCHANGE) {
        form.SelectAction(Selected(dialog, id, LB_GETCURSEL));
    } else if (id == IDC_OPTIONS_KEY && picked) {
        form.SelectKey(Selected(dialog, id, CB_GETCURSEL));
    } else if (id == IDC_OPTIONS_LAYOUT1 && picked) {
        form.SelectLayout1(Selected(dialog, id, CB_GETCURSEL));
    } else if (id == IDC_OPTIONS_LAYOUT2 && picked) {
        form.SelectLayout2(Selected(dialog, id, CB_GETCURSEL));
    } else if (id == IDC_OPTIONS_CTRL && clicked) {
        form.ClickModifierBox(kModControl, Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDC_OPTIONS_SHIFT && clicked) {
        form.ClickModifierBox(kModShift, Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDC_OPTIONS_WIN && clicked) {
        form.ClickModifierBox(kModWin, Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDC_OPTIONS_START_WITH_WINDOWS && clicked) {
        form.TickStartWithWindows(Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDC_OPTIONS_AUTO_SWITCH_KEYBOARD && clicked) {
        form.TickAutoSwitchKeyboard(Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDC_OPTIONS_SMART_WORDS && clicked) {
        form.TickSmartWords(Selected(dialog, id, BM_GETCHECK));
    } else if (id == IDOK) {
        OnOk(dialog, context);
        return true;
    } else if (id == IDCANCEL) {  // Cancel, Escape and the close box alike
        EndDialog(dialog, static_cast<INT_PTR>(OptionsOutcome::Cancelled));
        return true;
    } else {
        return false;
    }
    ShowControls(dialog, form.Controls());
    return true;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        OnInitDialog(dialog, *reinterpret_cast<OptionsDialogContext*>(lParam));
        return FALSE;  // the focus is on OK already
    }
    auto* context = reinterpret_cast<OptionsDialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (context == nullptr || message != WM_COMMAND) {
        return FALSE;
    }
    return OnCommand(dialog, *context, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
}

}  // namespace

void ShowOptions(ProgramState& state) {
    if (!state.hotkeys) {
        return;
    }
    OptionsServices services{
        state.settings, state.layouts, *state.hotkeys,
        [&state](const std::wstring& layout1Name, const std::wstring& layout2Name) {
            return LoadLayoutsFile(state.programFolder, layout1Name, layout2Name);
        },
        [&state] { SaveProgramSettings(state); }};
    OptionsDialogContext context{services, frmOptions{}};
    const auto outcome = static_cast<OptionsOutcome>(
        DialogBoxParamW(state.instance, MAKEINTRESOURCEW(IDD_OPTIONS), state.mainWindow,
                        OptionsDialogProc, reinterpret_cast<LPARAM>(&context)));
    if (outcome == OptionsOutcome::Applied) {
        ShowLayoutCaptions(state);
        RefreshTrayTip(state);
    } else if (outcome == OptionsOutcome::LayoutsFileMissing) {
        PostExitCommand(state, kExitCodeMissingLayouts);
    }
}
