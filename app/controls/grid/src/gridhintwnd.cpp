// CGridHintWnd: the grid's one-line hint pop-up.
#include "gridhintwnd.h"

namespace {

const char kHintClass[] = "HintWnd";

}  // namespace

CGridHintWnd::CGridHintWnd()
    : m_crText(RGB(0, 0, 0)),
      m_crBack(RGB(255, 255, 224)),
      m_nAlignment(1),
      m_pFont(NULL),
      m_nLineHeight(0) {}

CGridHintWnd::~CGridHintWnd() {}

int CGridHintWnd::Create(CWnd* pOwner, CBrush* pBrush) {
    HINSTANCE hInst = AfxGetInstanceHandle();
    WNDCLASSA wc;
    if (!::GetClassInfoA(hInst, kHintClass, &wc)) {
        memset(&wc, 0, sizeof wc);
        wc.style = CS_SAVEBITS | CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground =
            pBrush != NULL ? (HBRUSH)pBrush->GetSafeHandle() : (HBRUSH)(INT_PTR)(COLOR_INFOBK + 1);
        wc.lpszClassName = kHintClass;
        if (!::RegisterClassA(&wc)) return 0;
    }
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kHintClass, "", WS_POPUP | WS_BORDER, 0, 0, 0,
                  0, CWnd::GetSafeHwnd(pOwner), NULL))
        return 0;
    CClientDC dc(this);
    m_nLineHeight = dc.GetTextExtent("X", 1).cy;
    return 1;
}

void CGridHintWnd::SetFont(CFont* pFont) {
    m_pFont = pFont;
    CClientDC dc(m_hWnd != NULL ? this : NULL);
    CFont* pOld = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    m_nLineHeight = dc.GetTextExtent("Xy", 2).cy + 3;
    if (pOld != NULL) dc.SelectObject(pOld);
}

void CGridHintWnd::SetText(LPCSTR lpszText, BOOL bRedraw) {
    m_strText = lpszText != NULL ? lpszText : "";
    if (bRedraw && m_hWnd != NULL) Invalidate(TRUE);
}

void CGridHintWnd::Show() {
    if (m_hWnd != NULL && !IsWindowVisible()) ShowWindow(SW_SHOWNOACTIVATE);
}
