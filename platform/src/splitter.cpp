// CSplitterWnd: static splitters, their layout, the bars the user drags, and the active pane.
#include "internal.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_SETCURSOR()
ON_WM_CANCELMODE()
END_MESSAGE_MAP()

namespace {

const int kMaxPanes = 16;

// Sizes along one direction: each row (column) its ideal size, not above what is left; one
// below its minimum gets none; the last one takes the rest.
template <class Info>
void LayoutSizes(Info* pInfo, int nCount, int nSize, int nBar) {
    int nLeft = nSize;
    for (int i = 0; i < nCount; i++) {
        Info& info = pInfo[i];
        if (nLeft <= 0) {
            info.nCurSize = 0;
            continue;
        }
        if (i == nCount - 1) {
            info.nCurSize = nLeft;
            break;
        }
        int nIdeal = info.nIdealSize > 0 ? info.nIdealSize : 0;
        if (nIdeal < info.nMinSize) nIdeal = 0;
        info.nCurSize = nIdeal < nLeft ? nIdeal : nLeft;
        nLeft -= info.nCurSize + nBar;
    }
}

// The current and minimum size of a row or column; 0 for one that does not exist.
template <class Info>
void ReadInfo(const Info* pInfo, int nCount, int i, int& nCur, int& nMin) {
    if (i < 0 || i >= nCount) {
        nCur = nMin = 0;
        return;
    }
    nCur = pInfo[i].nCurSize;
    nMin = pInfo[i].nMinSize;
}

template <class Info>
void WriteInfo(Info* pInfo, int nCount, int i, int nIdeal, int nMin) {
    if (i < 0 || i >= nCount) return;
    pInfo[i].nIdealSize = nIdeal;
    pInfo[i].nMinSize = nMin;
}

}  // namespace

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(6),
      m_cySplitter(6),
      m_pRowInfo(NULL),
      m_pColInfo(NULL),
      m_nRows(0),
      m_nCols(0),
      m_bTracking(FALSE),
      m_nTrackRow(-1),
      m_nTrackCol(-1) {
    m_ptTrackOffset.x = m_ptTrackOffset.y = 0;
}

CSplitterWnd::~CSplitterWnd() {
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID) {
    if (pParentWnd == NULL || nRows < 1 || nCols < 1 || nRows > kMaxPanes || nCols > kMaxPanes ||
        m_hWnd != NULL)
        return FALSE;
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
    m_nRows = nRows;
    m_nCols = nCols;
    m_pRowInfo = new RowColInfo[nRows];
    m_pColInfo = new RowColInfo[nCols];
    for (int i = 0; i < nRows; i++) m_pRowInfo[i] = RowColInfo{0, 0, -1};
    for (int i = 0; i < nCols; i++) m_pColInfo[i] = RowColInfo{0, 0, -1};
    LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW),
                                           (HBRUSH)(COLOR_BTNFACE + 1));
    RECT rect = {0, 0, 0, 0};
    return CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd,
                    nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, CSize sizeInit,
                              CCreateContext* pContext) {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == NULL ||
        !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    if (::GetDlgItem(m_hWnd, IdFromRowCol(row, col)) != NULL) return FALSE;  // pane taken
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;
    // Without a context the new view shows the document of the active pane.
    CCreateContext contextActive;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == NULL) {
        CWnd* pActive = GetActivePane();
        if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(CView))) {
            CView* pOldView = (CView*)pActive;
            contextActive.m_pLastView = pOldView;
            contextActive.m_pCurrentDoc = pOldView->GetDocument();
            if (contextActive.m_pCurrentDoc != NULL)
                contextActive.m_pNewDocTemplate = contextActive.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextActive;
        bSendInitialUpdate = TRUE;
    }
    CWnd* pWnd = static_cast<CWnd*>(pViewClass->CreateObject());
    if (pWnd == NULL) return FALSE;
    RECT rect = {0, 0, sizeInit.cx, sizeInit.cy};
    if (!pWnd->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, rect, this, IdFromRowCol(row, col),
                      pContext))
        return FALSE;  // the view deleted itself
    if (bSendInitialUpdate) pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col) {
    CWnd* pPane = GetPane(row, col);
    if (pPane == NULL) return;
    // The active view hands its place to another pane first.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && (CWnd*)pFrame->GetActiveView() == pPane) {
        if (CanActivateNext()) ActivateNext();
        if ((CWnd*)pFrame->GetActiveView() == pPane) pFrame->SetActiveView(NULL, FALSE);
    }
    pPane->DestroyWindow();
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols) return NULL;
    return CWnd::FromHandle(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) {
    if (pWnd == NULL || pWnd->m_hWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd) return FALSE;
    int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols) return FALSE;
    if (pRow != NULL) *pRow = row;
    if (pCol != NULL) *pCol = col;
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const {
    ReadInfo(m_pRowInfo, m_nRows, row, cyCur, cyMin);
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin) {
    WriteInfo(m_pRowInfo, m_nRows, row, cyIdeal, cyMin);
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const {
    ReadInfo(m_pColInfo, m_nCols, col, cxCur, cxMin);
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin) {
    WriteInfo(m_pColInfo, m_nCols, col, cxIdeal, cxMin);
}

void CSplitterWnd::RecalcLayout() {
    if (m_hWnd == NULL) return;
    RECT client;
    GetClientRect(&client);
    LayoutSizes(m_pRowInfo, m_nRows, client.bottom - client.top, m_cySplitter);
    LayoutSizes(m_pColInfo, m_nCols, client.right - client.left, m_cxSplitter);
    HDWP hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    int y = client.top;
    for (int row = 0; row < m_nRows; row++) {
        int x = client.left;
        int cy = m_pRowInfo[row].nCurSize;
        for (int col = 0; col < m_nCols; col++) {
            int cx = m_pColInfo[col].nCurSize;
            // A pane may be missing while its view lends its id elsewhere.
            HWND hWndPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
            if (hWndPane != NULL && hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, hWndPane, NULL, x, y, cx, cy,
                                        SWP_NOZORDER | SWP_NOACTIVATE);
            x += cx + m_cxSplitter;
        }
        y += cy + m_cySplitter;
    }
    if (hDWP != NULL) ::EndDeferWindowPos(hDWP);
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CSplitterWnd::OnPaint() {
    // The bars between the panes, raised.
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    GetClientRect(&client);
    int y = client.top;
    for (int row = 0; row < m_nRows - 1; row++) {
        y += m_pRowInfo[row].nCurSize;
        RECT bar = {client.left, y, client.right, y + m_cySplitter};
        ::DrawEdge(hDC, &bar, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        y += m_cySplitter;
    }
    int x = client.left;
    for (int col = 0; col < m_nCols - 1; col++) {
        x += m_pColInfo[col].nCurSize;
        RECT bar = {x, client.top, x + m_cxSplitter, client.bottom};
        ::DrawEdge(hDC, &bar, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        x += m_cxSplitter;
    }
    ::EndPaint(m_hWnd, &ps);
}

// --- dragging the bars -------------------------------------------------------------------

void CSplitterWnd::HitTestBar(POINT pt, int* pRow, int* pCol) const {
    *pRow = *pCol = -1;
    int y = 0;
    for (int row = 0; row < m_nRows - 1; row++) {
        y += m_pRowInfo[row].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitter) *pRow = row;
        y += m_cySplitter;
    }
    int x = 0;
    for (int col = 0; col < m_nCols - 1; col++) {
        x += m_pColInfo[col].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitter) *pCol = col;
        x += m_cxSplitter;
    }
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
    int row, col;
    HitTestBar(point, &row, &col);
    if (row < 0 && col < 0) return;
    // The point's distance from the bar's start stays while it is dragged.
    int yBar = 0, xBar = 0;
    for (int i = 0; i <= row; i++) yBar += m_pRowInfo[i].nCurSize + (i < row ? m_cySplitter : 0);
    for (int i = 0; i <= col; i++) xBar += m_pColInfo[i].nCurSize + (i < col ? m_cxSplitter : 0);
    m_ptTrackOffset.x = point.x - xBar;
    m_ptTrackOffset.y = point.y - yBar;
    m_nTrackRow = row;
    m_nTrackCol = col;
    m_bTracking = TRUE;
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
    if (!m_bTracking) return;
    // The pane before the bar gets the size up to the bar's new place.
    if (m_nTrackRow >= 0) {
        int yStart = 0;
        for (int i = 0; i < m_nTrackRow; i++) yStart += m_pRowInfo[i].nCurSize + m_cySplitter;
        int cy = point.y - m_ptTrackOffset.y - yStart;
        m_pRowInfo[m_nTrackRow].nIdealSize = cy > 0 ? cy : 0;
    }
    if (m_nTrackCol >= 0) {
        int xStart = 0;
        for (int i = 0; i < m_nTrackCol; i++) xStart += m_pColInfo[i].nCurSize + m_cxSplitter;
        int cx = point.x - m_ptTrackOffset.x - xStart;
        m_pColInfo[m_nTrackCol].nIdealSize = cx > 0 ? cx : 0;
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (!m_bTracking) return;
    OnMouseMove(nFlags, point);
    m_bTracking = FALSE;
    m_nTrackRow = m_nTrackCol = -1;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CSplitterWnd::OnCancelMode() {
    m_bTracking = FALSE;
    m_nTrackRow = m_nTrackCol = -1;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    CWnd::OnCancelMode();
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (nHitTest == HTCLIENT && pWnd == this) {
        POINT pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        int row, col;
        HitTestBar(pt, &row, &col);
        if (row >= 0 || col >= 0) {
            LPCSTR cursor =
                row >= 0 && col >= 0 ? IDC_SIZEALL : (row >= 0 ? IDC_SIZENS : IDC_SIZEWE);
            ::SetCursor(::LoadCursorA(NULL, cursor));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

// --- the active pane ---------------------------------------------------------------------

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) {
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = pFrame != NULL ? (CWnd*)pFrame->GetActiveView() : NULL;
    if (pView == NULL || !IsChildPane(pView, pRow, pCol)) return NULL;
    return pView;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd) {
    CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
    if (pPane == NULL) return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView((CView*)pPane);
    else
        pPane->SetFocus();
}

BOOL CSplitterWnd::CanActivateNext(BOOL) { return m_nRows * m_nCols > 1; }

void CSplitterWnd::ActivateNext(BOOL bPrev) {
    int row = 0, col = 0;
    if (GetActivePane(&row, &col) == NULL) {
        row = 0;
        col = 0;
    }
    // The panes in reading order, from the active one on, skipping empty places.
    int nPanes = m_nRows * m_nCols;
    int nIndex = row * m_nCols + col;
    for (int n = 0; n < nPanes; n++) {
        nIndex = bPrev ? (nIndex + nPanes - 1) % nPanes : (nIndex + 1) % nPanes;
        CWnd* pPane = GetPane(nIndex / m_nCols, nIndex % m_nCols);
        if (pPane != NULL && pPane->IsWindowVisible()) {
            SetActivePane(nIndex / m_nCols, nIndex % m_nCols, pPane);
            return;
        }
    }
}

// --- routing -------------------------------------------------------------------------

BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    // What the splitter does not handle goes to its frame.
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != NULL && (BOOL)pFrame->SendMessage(WM_COMMAND, wParam, lParam);
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (CWnd::OnNotify(wParam, lParam, pResult)) return TRUE;
    // Notifications of the panes go on to the parent (through nested splitters).
    CWnd* pParent = GetParent();
    if (pParent == NULL) return FALSE;
    *pResult = pParent->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
