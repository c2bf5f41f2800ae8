// Message boxes shown at a point of the screen.
#include "posbox.h"

namespace {

const char kCarrierClass[] = "KorvanGAPosBoxCarrier";

// A plain class (the window only carries the box's position); registered once per process.
bool RegisterCarrierClass() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = kCarrierClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

int PosMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type, int x, int y) {
    static const bool registered = RegisterCarrierClass();
    HWND carrier = registered ? CreateWindowExA(WS_EX_TRANSPARENT, kCarrierClass,
                                                "nuraMessageBoxPosWnd", WS_POPUP | WS_VISIBLE, x, y,
                                                1, 1, NULL, NULL, GetModuleHandleA(NULL), NULL)
                              : NULL;
    if (owner == NULL) owner = CWnd::GetSafeHwnd(AfxGetMainWnd());
    // An owner that was disabled already (by a modal dialog of its own) stays so afterwards.
    const BOOL wasDisabled = owner != NULL ? EnableWindow(owner, FALSE) : TRUE;
    // Without a carrier the box still comes, centred on its owner.
    int result;
    {
        CModalLoop loop;
        result = MessageBoxA(carrier != NULL ? carrier : owner, text ? text : "", caption, type);
    }
    if (!wasDisabled) EnableWindow(owner, TRUE);
    if (carrier != NULL) DestroyWindow(carrier);
    return result;
}

int PosMessageBoxText(LPCSTR text, UINT type, int x, int y) {
    return PosMessageBox(NULL, text, AfxGetAppName(), type, x, y);
}

int PosMessageBoxId(UINT id, UINT type, int x, int y) {
    CString text;
    AfxLoadString(id, text);
    return PosMessageBoxText(text, type, x, y);
}
