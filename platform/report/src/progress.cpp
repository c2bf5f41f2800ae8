// The progress box of a print: modeless, owned by the caller's window, with Cancel.
#include "../res/resource.h"
#include "engine.h"

#include <commctrl.h>

namespace vaskreport {

namespace {

INT_PTR CALLBACK BoxProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    bool* cancelled = DialogState<bool>(wnd, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG:
            SendDlgItemMessageA(wnd, IDC_BOX_PERCENT, PBM_SETRANGE32, 0, 100);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                // The print loop sees the flag at its next step; the button has done its work.
                if (cancelled) *cancelled = true;
                EnableWindow(GetDlgItem(wnd, IDCANCEL), FALSE);
                return TRUE;
            }
            break;
        case WM_CLOSE: SendMessageA(wnd, WM_COMMAND, IDCANCEL, 0); return TRUE;
    }
    return FALSE;
}

}  // namespace

ProgressBox::ProgressBox(HWND owner, const std::string& title, bool* cancelled) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    m_wnd = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_PROGRESS), owner, BoxProc,
                               reinterpret_cast<LPARAM>(cancelled));
    if (m_wnd && !title.empty()) SetWindowTextA(m_wnd, title.c_str());
}

ProgressBox::~ProgressBox() {
    if (m_wnd) DestroyWindow(m_wnd);
}

void ProgressBox::Show(bool show) {
    if (m_wnd) ShowWindow(m_wnd, show ? SW_SHOW : SW_HIDE);
}

void ProgressBox::SetText(const char* text, int percent) {
    if (!m_wnd) return;
    if (text) SetDlgItemTextA(m_wnd, IDC_BOX_TEXT, text);
    if (percent < 0) percent = 0;
    if (percent > 100) percent = 100;
    SendDlgItemMessageA(m_wnd, IDC_BOX_PERCENT, PBM_SETPOS, percent, 0);
}

void ProgressBox::SetPage(int page) {
    if (m_wnd) SetDlgItemTextA(m_wnd, IDC_BOX_PAGE, FormatText(IDS_BOX_PAGE, page).c_str());
}

void CenterInWorkArea(HWND wnd, double widthShare, double heightShare) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int w = static_cast<int>((work.right - work.left) * widthShare);
    int h = static_cast<int>((work.bottom - work.top) * heightShare);
    MoveWindow(wnd, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, FALSE);
}

void PumpMessages(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit request for the program's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (dialog && IsWindow(dialog) && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace vaskreport
