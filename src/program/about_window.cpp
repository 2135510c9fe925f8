#include "program/about_window.h"

#include <shellapi.h>

#include "program/resources/resource_ids.h"
#include "program/ui_texts.h"

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

ProgramState* AboutStateOf(HWND dialog) {
    return reinterpret_cast<ProgramState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
    SetDlgItemTextW(dialog, id, text.c_str());
}

void HideItem(HWND dialog, int id) {
    ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
}

// Without contact lines their frame goes, and the window shrinks by its height.
void LeaveOutContactLines(HWND dialog) {
    for (const int id : {IDC_ABOUT_FRAME, IDC_ABOUT_EMAIL_LABEL, IDC_ABOUT_EMAIL,
                         IDC_ABOUT_WEBSITE_LABEL, IDC_ABOUT_URL}) {
        HideItem(dialog, id);
    }
    RECT frame{};
    GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_FRAME), &frame);
    const int saved = frame.bottom - frame.top;
    const HWND ok = GetDlgItem(dialog, IDOK);
    RECT okPlace{};
    GetWindowRect(ok, &okPlace);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&okPlace), 2);
    SetWindowPos(ok, nullptr, okPlace.left, okPlace.top - saved, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window{};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top - saved, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOnScreen(HWND dialog) {
    RECT window{};
    GetWindowRect(dialog, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form_Load(HWND dialog, const ProgramState& state) {
    SetWindowTextW(dialog, AboutCaption().c_str());
    SetItemText(dialog, IDC_ABOUT_VERSION, AboutVersionLine(state.version));
    SetItemText(dialog, IDC_ABOUT_TITLE, kProgramTitle);
    SetItemText(dialog, IDC_ABOUT_EMAIL, kAuthorEmail);
    SetItemText(dialog, IDC_ABOUT_AUTHOR, kAuthorLine);
    if (kAuthorEmail.empty() && kWebsiteAddress.empty()) {
        LeaveOutContactLines(dialog);
    }
    CentreOnScreen(dialog);
}

void lblURL_Click(HWND dialog) {
    // Without a browser nothing opens; there is nothing useful to tell the user.
    static_cast<void>(
        ShellExecuteW(dialog, L"open", kWebsiteAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
}

bool OnCommand(HWND dialog, WORD id, WORD notification) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            DestroyWindow(dialog);  // cmdOK_Click: the next opening loads afresh
            return true;
        case IDC_ABOUT_URL:
            if (notification == STN_CLICKED) {
                lblURL_Click(dialog);
            }
            return true;
        case IDC_ABOUT_EMAIL:
            if (notification == EN_SETFOCUS) {
                // Text1_GotFocus: the whole address, ready to copy.
                SendDlgItemMessageW(dialog, IDC_ABOUT_EMAIL, EM_SETSEL, 0, -1);
            }
            return true;
        default:
            return false;
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<ProgramState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Form_Load(dialog, *state);
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_ABOUT_URL)) {
                const auto context = reinterpret_cast<HDC>(wParam);
                SetTextColor(context, kLinkColour);
                SetBkMode(context, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(dialog, IDC_ABOUT_URL)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            if (ProgramState* state = AboutStateOf(dialog); state != nullptr) {
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
