// The coloured status bar and the look records of its panes.
#include "mainstatusbar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatusPane, CObject)
IMPLEMENT_DYNAMIC(CMainStatusBar, CStatusBar)

namespace {

CMainStatusBar* g_pMainStatusBar = NULL;

COLORREF HalvedMenuColor() {
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    return RGB(GetRValue(menu) / 2, GetGValue(menu) / 2, GetBValue(menu) / 2);
}

}  // namespace

CMainStatusBar* GetMainStatusBar() { return g_pMainStatusBar; }

// --- CStatusPane ---------------------------------------------------------------------------

CStatusPane::CStatusPane()
    : m_crTextDisabled(HalvedMenuColor()),
      m_crTextEnabled(::GetSysColor(COLOR_MENUTEXT)),
      m_crBackDisabled(::GetSysColor(COLOR_MENU)),
      m_crBackEnabled(::GetSysColor(COLOR_MENU)),
      m_pProgress(NULL),
      m_dwStyle(PANE_KIND_TEXT),
      m_nHorzOffset(0),
      m_nVertOffset(0) {
    memset(&m_logFont, 0, sizeof m_logFont);
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof m_logFont, &m_logFont);
}

CStatusPane::CStatusPane(const CStatusPane& other) : CObject(), m_pProgress(NULL) {
    CopyLook(other);
}

CStatusPane& CStatusPane::operator=(const CStatusPane& other) {
    if (this == &other) return *this;
    DestroyProgress();
    CopyLook(other);
    return *this;
}

CStatusPane::~CStatusPane() { DestroyProgress(); }

void CStatusPane::CopyLook(const CStatusPane& other) {
    m_crTextDisabled = other.m_crTextDisabled;
    m_crTextEnabled = other.m_crTextEnabled;
    m_crBackDisabled = other.m_crBackDisabled;
    m_crBackEnabled = other.m_crBackEnabled;
    m_strText[0] = other.m_strText[0];
    m_strText[1] = other.m_strText[1];
    m_logFont = other.m_logFont;
    m_dwStyle = other.m_dwStyle;
    m_nHorzOffset = other.m_nHorzOffset;
    m_nVertOffset = other.m_nVertOffset;
}

void CStatusPane::DestroyProgress() {
    if (m_pProgress == NULL) return;
    if (::IsWindow(m_pProgress->m_hWnd)) m_pProgress->DestroyWindow();
    delete m_pProgress;
    m_pProgress = NULL;
}

void CStatusPane::SetTextColors(COLORREF crEnabled, COLORREF crDisabled) {
    m_crTextEnabled = crEnabled != (COLORREF)-1 ? crEnabled : ::GetSysColor(COLOR_MENUTEXT);
    m_crTextDisabled = crDisabled != (COLORREF)-1 ? crDisabled : HalvedMenuColor();
}

void CStatusPane::SetBackColors(COLORREF crEnabled, COLORREF crDisabled) {
    m_crBackEnabled = crEnabled != (COLORREF)-1 ? crEnabled : ::GetSysColor(COLOR_MENU);
    m_crBackDisabled = crDisabled != (COLORREF)-1 ? crDisabled : ::GetSysColor(COLOR_MENU);
}

void CStatusPane::SetTexts(LPCSTR lpszEnabled, LPCSTR lpszDisabled) {
    m_strText[1] = lpszEnabled;
    m_strText[0] = lpszDisabled;
}

void CStatusPane::SetNumbers(int nEnabled, int nDisabled) {
    m_strText[1].Format("%d", nEnabled);
    m_strText[0].Format("%d", nDisabled);
}

void CStatusPane::SetFont(CFont* pFont) {
    if (pFont != NULL && pFont->GetSafeHandle() != NULL) pFont->GetLogFont(&m_logFont);
}

void CStatusPane::SetFont(LPCSTR lpszFaceName, int nPointSize) {
    CFont font;
    if (font.CreatePointFont(nPointSize, lpszFaceName)) font.GetLogFont(&m_logFont);
}

void CStatusPane::SetStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle;
    if ((dwStyle & PANE_KIND_PROGRESS) == 0) {
        DestroyProgress();
        return;
    }
    if (m_pProgress != NULL) return;
    CMainStatusBar* pBar = GetMainStatusBar();
    if (pBar == NULL || !::IsWindow(pBar->m_hWnd)) return;
    CProgressCtrl* pProgress = new CProgressCtrl;
    const DWORD dwWindowStyle =
        WS_CHILD | WS_VISIBLE | ((dwStyle & PANE_PROGRESS_SMOOTH) ? PBS_SMOOTH : 0);
    if (pProgress->Create(dwWindowStyle, CRect(0, 0, 0, 0), pBar, 1))
        m_pProgress = pProgress;
    else
        delete pProgress;
}

// --- CMainStatusBar -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMainStatusBar, CStatusBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CMainStatusBar::CMainStatusBar() : m_nTimer(0), m_bEnabled(TRUE), m_pParent(NULL) {
    g_pMainStatusBar = this;
}

CMainStatusBar::~CMainStatusBar() {
    DeletePanes();
    if (g_pMainStatusBar == this) g_pMainStatusBar = NULL;
}

void CMainStatusBar::DeletePanes() {
    for (CStatusPane* pPane : m_panes) delete pPane;
    m_panes.clear();
    for (auto& saved : m_saved) delete saved.second;
    m_saved.clear();
}

BOOL CMainStatusBar::Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount,
                            DWORD dwPane0Style) {
    m_pParent = pParentWnd;
    // Children are left out of the painting: the progress controls paint themselves.
    if (!CStatusBar::Create(pParentWnd, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_BOTTOM,
                            AFX_IDW_STATUS_BAR) ||
        !SetIndicators(lpIDArray, nIDCount)) {
        if (m_hWnd != NULL) DestroyWindow();
        AfxMessageBox("Unable to create Statusbar.");
        return FALSE;
    }
    if (!m_panes.empty()) m_panes[0]->SetStyle(dwPane0Style);
    return TRUE;
}

BOOL CMainStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    // Refused input leaves the panes as they are.
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL)) return FALSE;
    const BOOL bOk = CStatusBar::SetIndicators(lpIDArray, nIDCount);
    // The records follow the panes the class library now has.
    DeletePanes();
    for (int i = 0; i < m_nCount; i++) m_panes.push_back(new CStatusPane);
    if (m_hWnd != NULL) Invalidate(FALSE);
    return bOk;
}

CStatusPane* CMainStatusBar::GetPane(int nIndex) const {
    return nIndex >= 0 && nIndex < (int)m_panes.size() ? m_panes[(size_t)nIndex] : NULL;
}

UINT CMainStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    const UINT nOld = GetPaneStyle(nIndex);
    CStatusBar::SetPaneStyle(nIndex, nStyle);
    return nOld;
}

int CMainStatusBar::SetPaneWidth(int nIndex, int cxWidth) {
    UINT nID, nStyle;
    int cxOld;
    GetPaneInfo(nIndex, nID, nStyle, cxOld);
    SetPaneInfo(nIndex, nID, nStyle, cxWidth);
    return cxOld;
}

int CMainStatusBar::GetPaneWidth(int nIndex) const {
    UINT nID, nStyle;
    int cxWidth;
    GetPaneInfo(nIndex, nID, nStyle, cxWidth);
    return cxWidth;
}

void CMainStatusBar::SavePane(int nIndex) {
    CStatusPane* pPane = GetPane(nIndex);
    if (pPane == NULL || m_saved.count(nIndex) != 0) return;
    m_saved[nIndex] = new CStatusPane(*pPane);
}

void CMainStatusBar::RestorePane(int nIndex) {
    auto saved = m_saved.find(nIndex);
    if (saved != m_saved.end()) {
        if (CStatusPane* pPane = GetPane(nIndex)) *pPane = *saved->second;
        delete saved->second;
        m_saved.erase(saved);
    }
    if (m_hWnd != NULL) Invalidate(FALSE);
}

int CMainStatusBar::HitTest(CPoint point) const {
    CPoint pt = point;
    char className[16] = "";
    if (m_pParent != NULL && ::GetClassNameA(m_pParent->m_hWnd, className, sizeof className) &&
        strcmp(className, "#32770") == 0) {
        m_pParent->ClientToScreen(&pt);
        ScreenToClient(&pt);
    }
    for (int i = 0; i < m_nCount; i++) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.PtInRect(pt)) return i;
    }
    return -1;
}

void CMainStatusBar::OnPaint() {
    CPaintDC dc(this);
    DrawBar(&dc);
}

BOOL CMainStatusBar::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CMainStatusBar::OnPrintClient(WPARAM wParam, LPARAM) {
    if (wParam != 0) DrawBar(CDC::FromHandle((HDC)wParam));
    return 0;
}

void CMainStatusBar::OnTimer(UINT_PTR nIDEvent) {
    if (m_nTimer != 0 && nIDEvent == m_nTimer)
        Invalidate(FALSE);
    else
        Default();
}

void CMainStatusBar::OnDestroy() {
    if (m_nTimer != 0) KillTimer(m_nTimer);
    m_nTimer = 0;
    CStatusBar::OnDestroy();
}

void CMainStatusBar::DrawBar(CDC* pDC) {
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0) return;
    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) ||
        !bitmap.CreateCompatibleBitmap(pDC, client.Width(), client.Height()))
        return;
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    memDC.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));

    const COLORREF crLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    BOOL bAnimated = FALSE;
    for (int i = 0; i < m_nCount && i < (int)m_panes.size(); i++) {
        CRect rect;
        GetItemRect(i, &rect);
        if (rect.IsRectEmpty()) continue;
        const UINT nStyle = GetPaneStyle(i);
        if (nStyle & SBPS_POPOUT)
            memDC.Draw3dRect(&rect, crLight, crShadow);
        else if (!(nStyle & SBPS_NOBORDERS))
            memDC.Draw3dRect(&rect, crShadow, crLight);
        m_bEnabled = !(nStyle & SBPS_DISABLED);
        rect.DeflateRect(1, 1);
        memDC.FillSolidRect(&rect, m_panes[(size_t)i]->GetBackColor(m_bEnabled));
        const int nSaved = memDC.SaveDC();
        memDC.IntersectClipRect(&rect);
        if (DrawPane(&memDC, i, rect)) bAnimated = TRUE;
        memDC.RestoreDC(nSaved);
    }

    if (bAnimated && m_nTimer == 0) {
        m_nTimer = SetTimer(kAnimationTimer, 100);
    } else if (!bAnimated && m_nTimer != 0) {
        KillTimer(m_nTimer);
        m_nTimer = 0;
    }
    if (m_pParent != NULL && !::IsZoomed(m_pParent->m_hWnd) && (GetStyle() & SBARS_SIZEGRIP))
        DrawSizeGrip(&memDC, client);

    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(pOldBitmap);
}

BOOL CMainStatusBar::DrawPane(CDC* pDC, int nIndex, const CRect& rect) {
    CStatusPane& pane = *m_panes[(size_t)nIndex];
    switch (pane.m_dwStyle & PANE_KIND_MASK) {
        case PANE_KIND_TEXT:
        case PANE_KIND_TEXT2: DrawTextPane(pDC, nIndex, pane, rect); break;
        case PANE_KIND_BITMAP: DrawBitmapPane(pDC, pane, rect); break;
        case PANE_KIND_PROGRESS:
            if (pane.m_pProgress != NULL && ::IsWindow(pane.m_pProgress->m_hWnd)) {
                CRect current;
                pane.m_pProgress->GetWindowRect(&current);
                ScreenToClient(&current);
                if (current != rect) pane.m_pProgress->MoveWindow(&rect);
            }
            break;
        default: break;  // the fill alone
    }
    return (pane.m_dwStyle & PANE_ANIMATED_MASK) != 0;
}

void CMainStatusBar::DrawTextPane(CDC* pDC, int nIndex, CStatusPane& pane, const CRect& rect) {
    CString text = pane.GetText(m_bEnabled);
    if (text.IsEmpty()) text = GetPaneText(nIndex);
    if (text.IsEmpty()) return;

    CFont font;
    if (!font.CreateFontIndirect(&pane.m_logFont)) return;
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetTextColor(pane.GetTextColor(m_bEnabled));
    pDC->SetBkMode(TRANSPARENT);
    const DWORD dwStyle = pane.m_dwStyle;
    const BOOL bHorz = (dwStyle & PANE_SCROLL_HORZ) != 0;
    const BOOL bVert = (dwStyle & PANE_SCROLL_VERT) != 0;
    UINT nFormat = dwStyle & PANE_FORMAT_MASK;
    if (bHorz) nFormat &= ~(UINT)(DT_CENTER | DT_RIGHT);

    if (!(dwStyle & PANE_TILE)) {
        CRect textRect = rect;
        if (bHorz || bVert) {
            const CSize extent = pDC->GetTextExtent(text);
            if (bHorz) {
                if (++pane.m_nHorzOffset > extent.cx) pane.m_nHorzOffset = -rect.Width();
                textRect.OffsetRect(-pane.m_nHorzOffset, 0);
            }
            if (bVert) {
                if (++pane.m_nVertOffset > extent.cy) pane.m_nVertOffset = -rect.Height();
                textRect.OffsetRect(0, -pane.m_nVertOffset);
            }
            // The moved text may reach past its rectangle; the pane's clipping holds it.
            nFormat |= DT_NOCLIP;
        }
        pDC->DrawText(text, &textRect, nFormat);
    } else {
        text += "  ";
        const CSize extent = pDC->GetTextExtent(text);
        if (extent.cx > 0 && extent.cy > 0) {
            if (bHorz && ++pane.m_nHorzOffset > extent.cx) pane.m_nHorzOffset = 1;
            if (bVert && ++pane.m_nVertOffset > extent.cy) pane.m_nVertOffset = 1;
            const int left = rect.left - (bHorz ? pane.m_nHorzOffset : 0);
            const int top = rect.top - (bVert ? pane.m_nVertOffset : 0);
            for (int y = top; y < rect.bottom; y += extent.cy)
                for (int x = left; x < rect.right; x += extent.cx) pDC->TextOut(x, y, text);
        }
    }
    pDC->SelectObject(pOldFont);
}

void CMainStatusBar::DrawBitmapPane(CDC* pDC, CStatusPane& pane, const CRect& rect) {
    const CString& name = pane.GetText(m_bEnabled);
    if (name.IsEmpty()) return;
    CBitmap picture;
    if (!picture.LoadBitmap(name)) return;
    BITMAP info;
    if (!picture.GetBitmap(&info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
    CDC pictureDC;
    if (!pictureDC.CreateCompatibleDC(pDC)) return;
    CBitmap* pOld = pictureDC.SelectObject(&picture);
    const DWORD dwStyle = pane.m_dwStyle;
    const int cx = info.bmWidth, cy = info.bmHeight;
    if (dwStyle & PANE_BITMAP_STRETCH) {
        pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &pictureDC, 0, 0, cx, cy,
                        SRCCOPY);
    } else if (dwStyle & PANE_TILE) {
        const BOOL bHorz = (dwStyle & PANE_SCROLL_HORZ) != 0;
        const BOOL bVert = (dwStyle & PANE_SCROLL_VERT) != 0;
        if (bHorz && ++pane.m_nHorzOffset > cx) pane.m_nHorzOffset = 1;
        if (bVert && ++pane.m_nVertOffset > cy) pane.m_nVertOffset = 1;
        const int left = rect.left - (bHorz ? pane.m_nHorzOffset : 0);
        const int top = rect.top - (bVert ? pane.m_nVertOffset : 0);
        for (int y = top; y < rect.bottom; y += cy)
            for (int x = left; x < rect.right; x += cx)
                pDC->BitBlt(x, y, cx, cy, &pictureDC, 0, 0, SRCCOPY);
    } else {
        int x = rect.left, y = rect.top;
        if (dwStyle & PANE_BITMAP_HCENTER)
            x = rect.left + (rect.Width() - cx) / 2;
        else if (dwStyle & PANE_BITMAP_RIGHT)
            x = rect.right - cx;
        if (dwStyle & PANE_BITMAP_VCENTER)
            y = rect.top + (rect.Height() - cy) / 2;
        else if (dwStyle & PANE_BITMAP_BOTTOM)
            y = rect.bottom - cy;
        pDC->BitBlt(x, y, cx, cy, &pictureDC, 0, 0, SRCCOPY);
    }
    pictureDC.SelectObject(pOld);
}

void CMainStatusBar::DrawSizeGrip(CDC* pDC, const CRect& client) {
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CPen* pOld = pDC->SelectObject(&shadow);
    // Three grooves across the corner: two shadow lines and a highlight line each.
    for (int groove = 0; groove < 3; groove++) {
        for (int line = 0; line < 3; line++) {
            const int d = 4 * groove + line + 2;
            pDC->SelectObject(line < 2 ? &shadow : &light);
            pDC->MoveTo(client.right - d, client.bottom);
            pDC->LineTo(client.right, client.bottom - d);
        }
    }
    pDC->SelectObject(pOld);
}
