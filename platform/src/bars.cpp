// Control bars: their place in the frame, their updates at idle, the help line for the item
// under the mouse; the tool bar and the status bar over the system's controls.
#include "internal.h"

#include <vector>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// The update of a tool-bar button.
class CToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nOld = pBar->GetButtonStyle((int)m_nIndex);
        UINT nNew = nOld & ~TBBS_DISABLED;
        if (!bOn) nNew = (nNew | TBBS_DISABLED) & ~TBBS_PRESSED;
        if (nNew != nOld) pBar->SetButtonStyle((int)m_nIndex, nNew);
    }
    void SetCheck(int nCheck) override {
        CToolBar* pBar = static_cast<CToolBar*>(m_pOther);
        UINT nOld = pBar->GetButtonStyle((int)m_nIndex);
        UINT nNew = nOld & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        nNew |= TBBS_CHECKBOX;
        if (nNew != nOld) pBar->SetButtonStyle((int)m_nIndex, nNew);
    }
    void SetText(LPCSTR) override {}  // buttons show pictures
};

// The update of a status-bar pane.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override {
        m_bEnableChanged = TRUE;
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nOld = pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED);
        if (nNew != nOld) pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetCheck(int nCheck) override {
        CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nOld = pBar->GetPaneStyle((int)m_nIndex);
        UINT nNew = nCheck ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT);
        if (nNew != nOld) pBar->SetPaneStyle((int)m_nIndex, nNew);
    }
    void SetText(LPCSTR lpszText) override {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText((int)m_nIndex, lpszText);
    }
};

// The width of a text in the font of the window.
int TextWidth(HWND hWnd, LPCSTR lpszText) {
    HDC hDC = ::GetDC(hWnd);
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
    if (hOld != NULL) ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return size.cx;
}

}  // namespace

// --- CControlBar -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_dwStyle(0),
      m_dwDockStyle(0),
      m_cxLeftBorder(6),
      m_cxRightBorder(0),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_nCount(0),
      m_bAutoDelete(FALSE),
      m_nFlyByHit(-1) {}

CControlBar::~CControlBar() {}

BOOL CControlBar::CreateBar(LPCSTR lpszClass, CWnd* pParentWnd, DWORD dwStyle, DWORD dwCtrlStyle,
                            UINT nID) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // The bar's own styles are kept apart: their bits mean other things to a window.
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD;
    RECT rect = {0, 0, 0, 0};
    if (!CreateEx(0, lpszClass, NULL, dwWindowStyle, rect, pParentWnd, nID)) return FALSE;
    SetOwner(pParentWnd);
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
    DWORD dwOld = m_dwStyle;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (dwOld != m_dwStyle) OnBarStyleChange(dwOld, m_dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

CFrameWnd* CControlBar::GetDockingFrame() const { return GetParentFrame(); }

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size;
    size.cx = (bStretch && bHorz) ? 32767 : 0;
    size.cy = (bStretch && !bHorz) ? 32767 : 0;
    return size;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    if (!(GetStyle() & WS_VISIBLE)) return 0;  // a hidden bar takes no room
    RECT& avail = lpLayout->rect;
    int cxAvail = avail.right - avail.left, cyAvail = avail.bottom - avail.top;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    if (size.cx > cxAvail) size.cx = cxAvail > 0 ? cxAvail : 0;
    if (size.cy > cyAvail) size.cy = cyAvail > 0 ? cyAvail : 0;
    RECT rect = avail;
    switch (m_dwStyle & CBRS_ALIGN_ANY) {
        case CBRS_ALIGN_TOP:
            rect.bottom = rect.top + size.cy;
            avail.top += size.cy;
            break;
        case CBRS_ALIGN_BOTTOM:
            rect.top = rect.bottom - size.cy;
            avail.bottom -= size.cy;
            break;
        case CBRS_ALIGN_LEFT:
            rect.right = rect.left + size.cx;
            avail.left += size.cx;
            break;
        case CBRS_ALIGN_RIGHT:
            rect.left = rect.right - size.cx;
            avail.right -= size.cx;
            break;
        default: return 0;  // not docked: keeps its place and takes nothing
    }
    if (bHorz) {
        lpLayout->sizeTotal.cy += size.cy;
        if (size.cx > lpLayout->sizeTotal.cx) lpLayout->sizeTotal.cx = size.cx;
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        if (size.cy > lpLayout->sizeTotal.cy) lpLayout->sizeTotal.cy = size.cy;
    }
    if (lpLayout->hDWP != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, rect.left, rect.top,
                                          rect.right - rect.left, rect.bottom - rect.top,
                                          SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_VISIBLE)) return 0;
    // The items follow the update handlers of the frame's route.
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != NULL && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                             ? (CFrameWnd*)pOwner
                             : GetParentFrame();
    if (pTarget != NULL) OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
    INT_PTR nHit = OnToolHitTest(CPoint(AfxPointFromLParam(lParam)), NULL);
    return nHit != -1 ? HID_BASE_COMMAND + nHit : 0;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    // The help line names the item under the mouse.
    if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd) {
        INT_PTR nHit = OnToolHitTest(CPoint(AfxPointFromLParam(pMsg->lParam)), NULL);
        if (nHit != m_nFlyByHit) {
            if (m_nFlyByHit == -1) {
                TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
                ::TrackMouseEvent(&tme);
            }
            ShowFlyBy(nHit);
        }
    }
    return FALSE;
}

void CControlBar::ShowFlyBy(INT_PTR nHit) {
    m_nFlyByHit = nHit;
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL) return;
    if (nHit != -1)
        pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    else
        pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

LRESULT CControlBar::OnMouseLeave(WPARAM, LPARAM) {
    if (m_nFlyByHit != -1) ShowFlyBy(-1);
    return 0;
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}

// --- CToolBar ------------------------------------------------------------------------

CToolBar::CToolBar() : m_hbmImageWell(NULL) {
    m_sizeButton.cx = 23;
    m_sizeButton.cy = 22;
    m_sizeImage.cx = 16;
    m_sizeImage.cy = 15;
}

CToolBar::~CToolBar() {
    // The control only borrows the picture: it goes after the control.
    if (m_hWnd != NULL && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    m_wndCtrl.m_hWnd = NULL;
    if (m_hbmImageWell != NULL) ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (!CreateBar(TOOLBARCLASSNAMEA, pParentWnd, dwStyle,
                   TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                       CCS_NORESIZE | CCS_NODIVIDER,
                   nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    m_wndCtrl.m_hWnd = m_hWnd;
    SetSizes(m_sizeButton, m_sizeImage);
    OnBarStyleChange(0, m_dwStyle);
    return TRUE;
}

void CToolBar::OnBarStyleChange(DWORD, DWORD dwNewStyle) {
    // The control's tip window shows tips only with CBRS_TOOLTIPS.
    HWND hWndTips = (HWND)SendMessage(TB_GETTOOLTIPS);
    if (hWndTips != NULL)
        ::SendMessageA(hWndTips, TTM_ACTIVATE, (dwNewStyle & CBRS_TOOLTIPS) != 0, 0);
}

CToolBarCtrl& CToolBar::GetToolBarCtrl() const {
    m_wndCtrl.m_hWnd = m_hWnd;
    return m_wndCtrl;
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == NULL) return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const WORD* pData = hGlobal != NULL ? (const WORD*)::LockResource(hGlobal) : NULL;
    DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    // Version 1, button width and height, count, then one id per button.
    if (pData == NULL || dwSize < 4 * sizeof(WORD)) return FALSE;
    WORD wVersion = pData[0], wWidth = pData[1], wHeight = pData[2], wCount = pData[3];
    if (wVersion != 1 || wWidth == 0 || wHeight == 0 || dwSize < (4u + wCount) * sizeof(WORD))
        return FALSE;
    std::vector<UINT> ids(wCount);
    for (WORD i = 0; i < wCount; i++) ids[i] = pData[4 + i];
    if (!SetButtons(ids.data(), wCount)) return FALSE;
    SIZE sizeImage = {wWidth, wHeight};
    SIZE sizeButton = {wWidth + 7, wHeight + 7};
    SetSizes(sizeButton, sizeImage);
    return LoadBitmap(lpszResourceName);
}

BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP);
    // The standard greys of the picture become the system's button colours.
    HBITMAP hbm =
        (HBITMAP)::LoadImageA(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS);
    if (hbm == NULL) return FALSE;
    BITMAP bm = {};
    ::GetObjectA(hbm, sizeof bm, &bm);
    int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    if (m_hbmImageWell != NULL) {
        TBREPLACEBITMAP tbr = {NULL, (UINT_PTR)m_hbmImageWell, NULL, (UINT_PTR)hbm, nImages};
        if (!SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&tbr)) {
            ::DeleteObject(hbm);
            return FALSE;
        }
        ::DeleteObject(m_hbmImageWell);
    } else {
        TBADDBITMAP tbab = {NULL, (UINT_PTR)hbm};
        if (SendMessage(TB_ADDBITMAP, nImages, (LPARAM)&tbab) == -1) {
            ::DeleteObject(hbm);
            return FALSE;
        }
    }
    m_hbmImageWell = hbm;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
    if (nIDCount < 0) return FALSE;
    while (SendMessage(TB_BUTTONCOUNT) > 0) SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++) {
        TBBUTTON& b = buttons[(size_t)i];
        memset(&b, 0, sizeof b);
        UINT nID = lpIDArray != NULL ? lpIDArray[i] : ID_SEPARATOR;
        if (nID == ID_SEPARATOR) {
            b.iBitmap = 6;  // the separator's width
            b.fsStyle = TBSTYLE_SEP;
        } else {
            b.iBitmap = iImage++;
            b.idCommand = (int)nID;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = TBSTYLE_BUTTON;
        }
    }
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONSA, (WPARAM)nIDCount, (LPARAM)buttons.data()))
        return FALSE;
    m_nCount = nIDCount;
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd == NULL) return;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

int CToolBar::CommandToIndex(UINT nIDFind) const {
    return (int)::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, nIDFind, 0);
}

UINT CToolBar::GetItemID(int nIndex) const {
    TBBUTTON button = {};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button)) return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect)) ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const {
    TBBUTTON button = {};
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button)) return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STYLE | TBIF_STATE | TBIF_BYINDEX;
    info.fsStyle = (BYTE)LOWORD(nStyle);
    info.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const {
    TBBUTTON button = {};
    ::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button);
    nID = (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
    nStyle = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage) {
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_COMMAND | TBIF_STYLE | TBIF_STATE | TBIF_IMAGE | TBIF_BYINDEX;
    info.idCommand = (int)nID;
    info.fsStyle = (BYTE)LOWORD(nStyle);
    info.fsState = (BYTE)(HIWORD(nStyle) ^ TBSTATE_ENABLED);
    info.iImage = iImage;
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, (LPARAM)&info);
    Invalidate();
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    // One row (or column) of buttons with the bar's borders.
    DWORD dwButtonSize = (DWORD)SendMessage(TB_GETBUTTONSIZE);
    int cxButton = LOWORD(dwButtonSize), cyButton = HIWORD(dwButtonSize);
    int nCount = (int)SendMessage(TB_BUTTONCOUNT);
    int nLength = 0;
    for (int i = 0; i < nCount; i++) {
        RECT rect;
        if (SendMessage(TB_GETITEMRECT, i, (LPARAM)&rect)) nLength += rect.right - rect.left;
    }
    CSize size;
    if (bHorz) {
        size.cx = bStretch ? 32767 : nLength + m_cxLeftBorder + m_cxRightBorder;
        size.cy = cyButton + m_cyTopBorder + m_cyBottomBorder;
    } else {
        size.cx = cxButton + m_cxLeftBorder + m_cxRightBorder;
        size.cy = bStretch ? 32767 : nLength + m_cyTopBorder + m_cyBottomBorder;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)SendMessage(TB_BUTTONCOUNT);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = GetItemID((int)state.m_nIndex);
        if (state.m_nID != ID_SEPARATOR) state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    POINT pt = point;
    int nIndex = (int)::SendMessageA(m_hWnd, TB_HITTEST, 0, (LPARAM)&pt);
    if (nIndex < 0) return -1;  // outside the buttons
    UINT nID = GetItemID(nIndex);
    if (nID == ID_SEPARATOR) return -1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = nID;
        GetItemRect(nIndex, &pTI->rect);
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return nID;
}

// --- CStatusBar ------------------------------------------------------------------------

struct CStatusBar::Pane {
    UINT nID;
    int cxText;
    UINT nStyle;
    CString strText;
};

namespace {
// Room around a pane's text for its borders.
const int kPanePadding = 8;
}  // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_pPanes(NULL) {
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    m_cxLeftBorder = 0;
}

CStatusBar::~CStatusBar() { delete[] m_pPanes; }

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    DWORD dwCtrlStyle = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwCtrlStyle |= SBARS_SIZEGRIP;
    return CreateBar(STATUSCLASSNAMEA, pParentWnd, dwStyle, dwCtrlStyle, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
    if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == NULL)) return FALSE;
    Pane* pPanes = new Pane[nIDCount > 0 ? nIDCount : 1];
    BOOL bOk = TRUE;
    for (int i = 0; i < nIDCount; i++) {
        Pane& pane = pPanes[i];
        pane.nID = lpIDArray[i];
        pane.nStyle = SBPS_NORMAL;
        if (pane.nID != ID_SEPARATOR) {
            // The text of the id sets the pane's width; an id without text is a fault.
            pane.strText = vfc::FrameworkString(pane.nID);
            if (pane.strText.IsEmpty()) bOk = FALSE;
            pane.cxText = TextWidth(m_hWnd, pane.strText);
        } else {
            // A pane without an indicator: a quarter of the screen; the first one stretches.
            pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
            if (i == 0) pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        }
    }
    delete[] m_pPanes;
    m_pPanes = pPanes;
    m_nCount = nIDCount;
    UpdateAllPanes(TRUE, TRUE);
    return bOk;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const {
    for (int i = 0; i < m_nCount; i++)
        if (m_pPanes[i].nID == nIDFind) return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
    if (!::SendMessageA(m_hWnd, SB_GETRECT, nIndex, (LPARAM)lpRect)) ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
    if (nIndex < 0 || nIndex >= m_nCount) return FALSE;
    Pane& pane = m_pPanes[nIndex];
    CString text = lpszNewText;
    if (pane.strText == text) return TRUE;
    pane.strText = text;
    if (bUpdate) UpdateAllPanes(FALSE, TRUE);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
    if (nIndex < 0 || nIndex >= m_nCount) {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    nID = m_pPanes[nIndex].nID;
    nStyle = m_pPanes[nIndex].nStyle;
    cxWidth = m_pPanes[nIndex].cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
    if (nIndex < 0 || nIndex >= m_nCount) return;
    Pane& pane = m_pPanes[nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth > 0 ? cxWidth : 0;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const {
    return nIndex >= 0 && nIndex < m_nCount ? m_pPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
    if (nIndex < 0 || nIndex >= m_nCount || m_pPanes[nIndex].nStyle == nStyle) return;
    BOOL bWidths = ((m_pPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_pPanes[nIndex].nStyle = nStyle;
    UpdateAllPanes(bWidths, TRUE);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
    if (m_hWnd == NULL || m_nCount == 0) return;
    if (bUpdateRects) {
        // Each pane its text's width; the first stretching pane takes what is left.
        RECT client;
        GetClientRect(&client);
        int cxClient = client.right - client.left;
        if (GetStyle() & SBARS_SIZEGRIP) cxClient -= ::GetSystemMetrics(SM_CXVSCROLL);
        int nTotal = 0, nStretch = -1;
        for (int i = 0; i < m_nCount; i++) {
            nTotal += m_pPanes[i].cxText + kPanePadding;
            if (nStretch < 0 && (m_pPanes[i].nStyle & SBPS_STRETCH)) nStretch = i;
        }
        int cxExtra = cxClient > nTotal ? cxClient - nTotal : 0;
        std::vector<int> edges((size_t)m_nCount);
        int x = 0;
        for (int i = 0; i < m_nCount; i++) {
            x += m_pPanes[i].cxText + kPanePadding + (i == nStretch ? cxExtra : 0);
            edges[(size_t)i] = x;
        }
        if (nStretch < 0 || nStretch == m_nCount - 1) edges[(size_t)m_nCount - 1] = -1;
        SendMessage(SB_SETPARTS, (WPARAM)m_nCount, (LPARAM)edges.data());
    }
    if (bUpdateText) {
        for (int i = 0; i < m_nCount; i++) {
            const Pane& pane = m_pPanes[i];
            // A disabled pane shows no text.
            LPCSTR text = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCSTR)pane.strText;
            WPARAM wDraw = (WPARAM)i | (pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT));
            DefWindowProc(SB_SETTEXTA, wDraw, (LPARAM)text);
        }
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
    Default();
    UpdateAllPanes(TRUE, FALSE);
    (void)nType;
    (void)cx;
    (void)cy;
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    // The window text is the help line: the first pane without an indicator.
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0) return -1;
    return SetPaneText(nIndex, (LPCSTR)lParam) ? TRUE : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0 || wParam == 0 || lParam == 0) return 0;
    lstrcpynA((LPSTR)lParam, m_pPanes[nIndex].strText, (int)wParam);
    return lstrlenA((LPSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    int nIndex = CommandToIndex(ID_SEPARATOR);
    return nIndex < 0 ? 0 : m_pPanes[nIndex].strText.GetLength();
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    // The height of a line of the bar's font with the panes' borders.
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = (HFONT)SendMessage(WM_GETFONT);
    HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOld != NULL) ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    size.cy =
        tm.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 6 + m_cyTopBorder + m_cyBottomBorder;
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) {
    // Indicator panes follow their update handlers; no pane is disabled for lack of one.
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = m_pPanes[state.m_nIndex].nID;
        state.DoUpdate(pTarget, FALSE);
    }
}
