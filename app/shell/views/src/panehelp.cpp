// Context help of the panes.
#include "panehelp.h"

namespace {
// Ids from here on are the framework's own windows (panes, bars), not controls.
const int kFirstFrameworkId = 0xE000;
}  // namespace

DWORD_PTR PaneHelpContext(CWnd* pPane, CPoint point, DWORD_PTR dwPaneContext) {
    // The first shown child that holds the point, whether or not the pane itself is shown
    // now (a pane of a hidden splitter is asked as well).
    for (HWND hChild = ::GetWindow(pPane->m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (!(::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rect;
        ::GetWindowRect(hChild, &rect);
        ::MapWindowPoints(NULL, pPane->m_hWnd, (POINT*)&rect, 2);
        if (!::PtInRect(&rect, point)) continue;
        const int nID = ::GetDlgCtrlID(hChild);
        if (nID >= 1 && nID < kFirstFrameworkId) return HID_BASE_CONTROL + (DWORD_PTR)nID;
        break;
    }
    return dwPaneContext;
}
