// CGridHintWnd: the grid's one-line hint pop-up.
#include "gridhintwnd.h"

BEGIN_MESSAGE_MAP(CGridHintWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

const char kHintClass[] = "HintWnd";

}  // namespace

CGridHintWnd::CGridHintWnd()
    : m_pOwnerWnd(NULL),
      m_crText(RGB(0, 0, 0)),
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
    m_pOwnerWnd = pOwner;
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

void CGridHintWnd::ShowAt(int x, int y, int nMinWidth) {
    if (m_hWnd == NULL) return;
    int nWidth;
    {
        CClientDC dc(this);
        CFont* pOld = m_pFont != NULL ? dc.SelectObject(m_pFont) : NULL;
        nWidth = dc.GetTextExtent(m_strText, m_strText.GetLength()).cx + 4;
        if (pOld != NULL) dc.SelectObject(pOld);
    }
    if (nWidth < nMinWidth) nWidth = nMinWidth;
    const int nHeight = m_nLineHeight;
    CRect rc;
    if (m_nAlignment & GRIDHINT_HCENTER)
        rc.left = x - nWidth / 2;
    else if (m_nAlignment & GRIDHINT_RIGHT)
        rc.left = x - nWidth;
    else
        rc.left = x;
    if (m_nAlignment & GRIDHINT_VCENTER)
        rc.top = y - nHeight / 2;
    else if (m_nAlignment & GRIDHINT_BOTTOM)
        rc.top = y - nHeight;
    else
        rc.top = y;
    rc.right = rc.left + nWidth;
    rc.bottom = rc.top + nHeight;

    // Inside the owner's client area, whose coordinates the point is given in.
    CRect client(0, 0, 0, 0);
    if (m_pOwnerWnd != NULL && m_pOwnerWnd->m_hWnd != NULL) m_pOwnerWnd->GetClientRect(&client);
    if (rc.left < 0) rc.OffsetRect(-rc.left, 0);
    if (rc.top < 0) rc.OffsetRect(0, -rc.top);
    if (rc.right > client.right) rc.OffsetRect(client.right - rc.right, 0);
    if (rc.bottom > client.bottom) rc.OffsetRect(0, client.bottom - rc.bottom);
    if (m_pOwnerWnd != NULL && m_pOwnerWnd->m_hWnd != NULL) m_pOwnerWnd->ClientToScreen(&rc);

    // A hint already shown moves and repaints; a hidden one is shown without activation.
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsWindowVisible()) ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate(TRUE);
    UpdateWindow();
}

void CGridHintWnd::PaintText(CDC* pDC) {
    CRect rc;
    GetClientRect(&rc);
    CFont* pOld = m_pFont != NULL ? pDC->SelectObject(m_pFont) : NULL;
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBack);
    pDC->SetBkMode(OPAQUE);
    pDC->FillSolidRect(&rc, m_crBack);
    pDC->DrawText(m_strText, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (pOld != NULL) pDC->SelectObject(pOld);
}

void CGridHintWnd::OnPaint() {
    CPaintDC dc(this);
    PaintText(&dc);
    ValidateRect(NULL);
}

LRESULT CGridHintWnd::OnPrintClient(WPARAM wParam, LPARAM) {
    if (wParam != 0) PaintText(CDC::FromHandle((HDC)wParam));
    return 0;
}
