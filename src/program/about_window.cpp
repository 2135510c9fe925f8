#include "program/about_window.h"

#include "program/resources/resource_ids.h"
#include "program/window_geometry.h"

namespace {

// The title, the author line and the caption are in the dialog template.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, AboutVersionLine().c_str());
            CentreOnScreen(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(dialog);  // the next opening loads afresh
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            if (auto* state =
                    reinterpret_cast<ProgramState*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
                state->aboutWindow = nullptr;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutWindow(ProgramState& state) {
    if (state.aboutWindow == nullptr) {
        state.aboutWindow =
            CreateDialogParamW(state.instance, MAKEINTRESOURCEW(IDD_ABOUT), state.mainWindow,
                               AboutDialogProc, reinterpret_cast<LPARAM>(&state));
    }
    if (state.aboutWindow != nullptr) {
        ShowWindow(state.aboutWindow, SW_SHOW);
        SetForegroundWindow(state.aboutWindow);
    }
}
