// The frame of the tree-list control: its window class, the creation of header, tree and
// scroll bar, their layout, sideways scrolling, and what the owner hears of them.
#include "treelist.h"

#include <algorithm>

namespace {

// The program registers the same name; the number is the same in every module.
UINT TreeChangedMessage() {
    static const UINT message = RegisterWindowMessageA("WM_TREECHANGED");
    return message;
}

// Class style 0x400B.
const UINT kClassStyle = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

// Sideways steps of the arrows and the thumb.
const int kLineStep = 6;

}  // namespace

BEGIN_MESSAGE_MAP(CTLFrame, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_HSCROLL()
ON_WM_PARENTNOTIFY()
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CTLFrame::CTLFrame() {}

CTLFrame::~CTLFrame() {
    // The parts hear of their end while their objects still live.
    if (m_hWnd != NULL) DestroyWindow();
}

ATOM CTLFrame::RegisterClass() {
    HINSTANCE hInstance = AfxGetInstanceHandle();
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ATOM atom = (ATOM)::GetClassInfoExA(hInstance, TL_WINDOW_CLASS, &wc);
    if (atom != 0) return atom;
    wc = WNDCLASSEXA();
    wc.cbSize = sizeof wc;
    wc.style = kClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = hInstance;
    wc.hbrBackground = (HBRUSH)::GetStockObject(LTGRAY_BRUSH);
    wc.lpszClassName = TL_WINDOW_CLASS;
    return ::RegisterClassExA(&wc);
}

BOOL CTLFrame::AttachToDlgItem(UINT nID, CWnd* pParent) {
    if (!SubclassDlgItem(nID, pParent)) return FALSE;
    return Initialize();
}

int CTLFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    Initialize();
    return 0;
}

BOOL CTLFrame::HasParts() const {
    return m_tree.m_hWnd != NULL && m_tree.m_wndHeader.m_hWnd != NULL &&
           m_horScrollBar.m_hWnd != NULL;
}

BOOL CTLFrame::Initialize() {
    if (m_hWnd == NULL || m_tree.m_hWnd != NULL || m_tree.m_wndHeader.m_hWnd != NULL) return FALSE;
    CRect window;
    GetWindowRect(&window);
    int W = window.Width(), H = window.Height();
    CTLHeaderCtrl& header = m_tree.m_wndHeader;
    if (!header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(-1, -1, W - 1, 0), this,
                       TL_HEADER_ID))
        return FALSE;

    // The parent's font, else the GUI font; the header is as high as its text.
    LOGFONT lf;
    HWND hWndParent = ::GetParent(m_hWnd);
    HFONT hParentFont =
        hWndParent != NULL ? (HFONT)::SendMessageA(hWndParent, WM_GETFONT, 0, 0) : NULL;
    if (hParentFont == NULL || ::GetObjectA(hParentFont, sizeof lf, &lf) == 0)
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    m_tree.m_font.DeleteObject();
    m_tree.m_font.CreateFontIndirect(&lf);
    header.SendMessage(WM_SETFONT, (WPARAM)m_tree.m_font.GetSafeHandle(), TRUE);
    int h;
    {
        CClientDC dc(&header);
        CFont* pOld = dc.SelectObject(&m_tree.m_font);
        h = dc.GetTextExtent("A", 1).cy + 4;
        dc.SelectObject(pOld);
    }
    header.SetWindowPos(NULL, -1, -1, W, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    if (!m_tree.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TVS_HASBUTTONS | TVS_HASLINES |
                           TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                       CRect(0, h, W - 5, H - GetSystemMetrics(SM_CYHSCROLL) - 4), this,
                       TL_TREE_ID))
        return FALSE;
    m_tree.m_pFrame = this;
    m_tree.SendMessage(WM_SETFONT, (WPARAM)m_tree.m_font.GetSafeHandle(), TRUE);

    CRect tree;
    m_tree.GetWindowRect(&tree);
    if (!m_horScrollBar.Create(WS_CHILD | WS_VISIBLE | WS_DISABLED | SBS_HORZ | SBS_BOTTOMALIGN,
                               CRect(0, 0, tree.Width() - GetSystemMetrics(SM_CXVSCROLL), H), this,
                               TL_SCROLLBAR_ID))
        return FALSE;

    SortRecursive(0, TRUE, m_tree.GetRootItem());
    // The parts follow the layout rules from the start, also when the owner never resizes.
    LayoutForSize();
    return TRUE;
}

void CTLFrame::SortRecursive(int nColumn, BOOL bAscending, HTREEITEM hItem) {
    for (; hItem != NULL; hItem = m_tree.GetNextSiblingItem(hItem)) {
        if (!m_tree.ItemHasChildren(hItem)) continue;
        m_tree.SortItems(nColumn, bAscending, hItem);
        SortRecursive(nColumn, bAscending, m_tree.GetChildItem(hItem));
    }
}

// --- layout --------------------------------------------------------------------------------

int CTLFrame::HeaderHeight() const {
    CRect rect;
    m_tree.m_wndHeader.GetWindowRect(&rect);
    return rect.Height();
}

int CTLFrame::HeaderLeft() const {
    CRect rect;
    m_tree.m_wndHeader.GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect.left;
}

void CTLFrame::SizeTree(BOOL bAboveBar) {
    CRect frame;
    GetClientRect(&frame);
    int nSpace = HeaderHeight() + (bAboveBar ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    m_tree.MoveWindow(0, HeaderHeight(), frame.Width(), std::max(0, frame.Height() - nSpace));
}

int CTLFrame::TreeClientWidth() const {
    CRect rect;
    m_tree.GetClientRect(&rect);
    return rect.Width();
}

int CTLFrame::HeaderWidth(int nDivisor) const {
    CRect frame;
    GetClientRect(&frame);
    // A frame or tree without width leaves nothing to divide by.
    if (nDivisor <= 0) return frame.Width();
    int X = (m_tree.m_nTotalWidth / nDivisor + 1) * nDivisor;
    return X > frame.Width() ? X : frame.Width();
}

void CTLFrame::PlaceHeader(int x, int nWidth) {
    m_tree.m_wndHeader.SetWindowPos(NULL, x, -1, nWidth, HeaderHeight(),
                                    SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTLFrame::PlaceBar(int nWidth) {
    CRect frame;
    GetClientRect(&frame);
    int s = GetSystemMetrics(SM_CYHSCROLL);
    m_horScrollBar.SetWindowPos(NULL, 0, frame.Height() - s, std::max(0, nWidth), s,
                                SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTLFrame::SetBarRange(int nMax, int nPage) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(0, nMax);
    info.nPage = (UINT)std::max(0, nPage);
    m_horScrollBar.SetScrollInfo(&info);
}

void CTLFrame::ShowBar(BOOL bShow) {
    m_horScrollBar.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_horScrollBar.EnableWindow(bShow);
}

void CTLFrame::FollowBarPosition() {
    int nOffset = m_horScrollBar.IsWindowVisible() ? -m_horScrollBar.GetScrollPos() : 0;
    if (nOffset != m_tree.m_nOffset) {
        m_tree.m_nOffset = nOffset;
        m_tree.Invalidate();
    }
    CRect frame;
    GetClientRect(&frame);
    PlaceHeader(nOffset, HeaderWidth(frame.Width()));
}

void CTLFrame::RecalcLayout() {
    if (!HasParts()) return;
    CRect frame;
    GetClientRect(&frame);
    int T = m_tree.m_nTotalWidth;
    if (T <= TreeClientWidth()) {
        ShowBar(FALSE);
        SizeTree(FALSE);
        SetBarRange(0, 0);
        m_tree.m_nOffset = 0;
        m_tree.Invalidate();
        PlaceHeader(0, HeaderWidth(frame.Width()));
        m_tree.m_wndHeader.ShowWindow(SW_SHOW);
        return;
    }
    ShowBar(TRUE);
    SizeTree(TRUE);
    BOOL bTreeBar = (m_tree.GetStyle() & WS_VSCROLL) != 0;
    PlaceBar(bTreeBar ? frame.Width() - GetSystemMetrics(SM_CXVSCROLL) : frame.Width());
    SetBarRange(T - TreeClientWidth(), 0);
    m_horScrollBar.SetScrollPos(-HeaderLeft());
    // A position beyond the new range was cut back by the bar: the rows follow it.
    FollowBarPosition();
}

void CTLFrame::LayoutForSize() {
    if (!HasParts()) return;
    CRect frame;
    GetClientRect(&frame);
    int s = GetSystemMetrics(SM_CYHSCROLL);
    PlaceHeader(HeaderLeft(), frame.Width());
    SizeTree(FALSE);
    m_horScrollBar.MoveWindow(0, frame.Height() - s, frame.Width(), s);
    int T = m_tree.m_nTotalWidth;
    if (T <= TreeClientWidth()) {
        ShowBar(FALSE);
        SetBarRange(0, 0);
    } else {
        ShowBar(TRUE);
        SizeTree(TRUE);
        PlaceBar(frame.Width() - GetSystemMetrics(SM_CXVSCROLL));
        SetBarRange(T, TreeClientWidth());
    }
    // The bar cut its position back to the new range (to 0 when hidden): rows and header
    // follow, so that no column stays out of reach.
    FollowBarPosition();
    m_tree.AdjustLayout();
}

void CTLFrame::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    LayoutForSize();
}

void CTLFrame::OnMove(int x, int y) {
    CWnd::OnMove(x, y);
    // Moving changes no size: the parts keep the layout of the frame's size.
    LayoutForSize();
}

void CTLFrame::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
    if (pScrollBar == NULL || pScrollBar->m_hWnd != m_horScrollBar.m_hWnd || !HasParts()) {
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    int L = m_horScrollBar.GetScrollLimit();
    int nOld = m_horScrollBar.GetScrollPos();
    int w = TreeClientWidth();
    int pos = nOld;
    switch (nSBCode) {
        case SB_LINELEFT: pos = std::max(pos - kLineStep, 0); break;
        case SB_LINERIGHT: pos = std::min(pos + kLineStep, L - 1); break;
        case SB_PAGELEFT: pos = std::max(pos - w, 0); break;
        case SB_PAGERIGHT: pos = std::min(pos + w, L - 1); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            pos = nPos == 0 ? 0 : std::min(((int)nPos / kLineStep + 1) * kLineStep, L - 1);
            break;
        case SB_LEFT: pos = 0; break;
        case SB_RIGHT: pos = L - 1; break;
        default: break;
    }
    pos = std::max(pos, 0);
    m_horScrollBar.SetScrollPos(pos);
    m_tree.m_nOffset = -pos;
    m_tree.ScrollWindow(nOld - pos, 0);
    PlaceHeader(m_tree.m_nOffset, HeaderWidth(w));
    Default();
}

// --- what the owner hears -----------------------------------------------------------------

BOOL CTLFrame::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR->idFrom == TL_HEADER_ID && pNMHDR->hwndFrom == m_tree.m_wndHeader.m_hWnd) {
        switch (pNMHDR->code) {
            case HDN_ITEMCLICKA:
            case HDN_ITEMCLICKW:
                OnHeaderItemClick(((NMHEADERA*)pNMHDR)->iItem);
                *pResult = 0;
                return TRUE;
            case HDN_ITEMCHANGEDA:
            case HDN_ITEMCHANGEDW:
                OnHeaderItemChanged();
                *pResult = 0;
                return TRUE;
        }
    }
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent != NULL) *pResult = ::SendMessageA(hWndParent, WM_NOTIFY, wParam, lParam);
    CWnd::OnNotify(wParam, lParam, pResult);
    return TRUE;
}

void CTLFrame::OnHeaderItemClick(int nColumn) {
    CTLHeaderCtrl& header = m_tree.m_wndHeader;
    int nImage = header.GetItemImage(nColumn);
    BOOL bAscending = nImage == -1 || nImage == 1;
    for (int c = 0; c < header.GetItemCount(); c++) header.SetItemImage(c, -1);
    header.SetItemImage(nColumn, bAscending ? 0 : 1);
    m_tree.SortItems(nColumn, bAscending, NULL);
    SortRecursive(nColumn, bAscending, m_tree.GetRootItem());
    m_tree.UpdateWindow();
}

void CTLFrame::OnHeaderItemChanged() {
    int nOldTotal = m_tree.m_nTotalWidth;
    BOOL bAtEnd = m_horScrollBar.IsWindowVisible() &&
                  m_horScrollBar.GetScrollPos() >= m_horScrollBar.GetScrollLimit() - 1;
    m_tree.RecalcTotalWidth();
    int T = m_tree.m_nTotalWidth;
    RecalcLayout();
    int w = TreeClientWidth();
    // Narrower columns seen from the right end: the last column stays at the right edge.
    if (T < nOldTotal && bAtEnd && m_horScrollBar.IsWindowVisible() && w < T) {
        m_tree.m_nOffset = w - T;
        m_horScrollBar.SetScrollPos(T - w);
        CRect header;
        m_tree.m_wndHeader.GetWindowRect(&header);
        PlaceHeader(m_tree.m_nOffset, header.Width());
    }
    m_tree.Invalidate();
}

void CTLFrame::OnParentNotify(UINT message, LPARAM lParam) {
    if ((message == WM_LBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_RBUTTONDOWN) &&
        HasParts()) {
        // The point is the frame's; the tree lies below the header and paints its rows
        // shifted by the offset.
        CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
        MapWindowPoints(&m_tree, &point, 1);
        point.x -= m_tree.m_nOffset;
        UINT nFlags = 0;
        HTREEITEM hItem = m_tree.HitTest(point, &nFlags);
        HWND hWndParent = ::GetParent(m_hWnd);
        if (hItem != NULL && (nFlags & (TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON)) &&
            hWndParent != NULL)
            ::PostMessageA(hWndParent, TreeChangedMessage(), (WPARAM)hItem, 0);
    }
    CWnd::OnParentNotify(message, lParam);
}

void CTLFrame::OnLButtonDblClk(UINT nFlags, CPoint) {
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent != NULL)
        ::PostMessageA(hWndParent, WM_LBUTTONDBLCLK, nFlags, GetCurrentMessage()->lParam);
}

void CTLFrame::OnContextMenu(CWnd* pWnd, CPoint) {
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent != NULL)
        ::SendMessageA(hWndParent, WM_CONTEXTMENU, (WPARAM)CWnd::GetSafeHwnd(pWnd),
                       GetCurrentMessage()->lParam);
}
