// The program's report list and the view that hosts it.
#include "listctrlex.h"

#include "listctrl_seams.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CListCtrlEx, CListCtrl)
IMPLEMENT_DYNCREATE(CListViewEx, CView)

namespace {

// A column is as wide as its text and this much more.
const int kColumnMargin = 15;
// Text insets of the first column and of the others, on each side.
const int kFirstInset = 2;
const int kOtherInset = 6;
// A tool id holds the row above these bits and the column + 1 within them.
const int kColumnBits = 10;
const UINT_PTR kColumnMask = 0x3FF;

ListCellRecorder g_recorder = NULL;
void* g_recorderContext = NULL;

// The pieces of a comma-separated text; none for an empty text.
std::vector<CString> CommaPieces(UINT nStringId) {
    std::vector<CString> pieces;
    CString text;
    if (!text.LoadString(nStringId) || text.IsEmpty()) return pieces;
    int start = 0;
    for (int comma; (comma = text.Find(',', start)) != -1; start = comma + 1)
        pieces.push_back(text.Mid(start, comma - start));
    pieces.push_back(text.Mid(start));
    return pieces;
}

void DrawCellText(CDC* pDC, HWND hWndList, int nItem, int nColumn, const CString& text, RECT& rect,
                  UINT nFormat) {
    pDC->DrawText(text, &rect, nFormat);
    if (g_recorder != NULL) {
        ListCellDrawing drawing = {
            hWndList, nItem, nColumn, text, rect, nFormat, pDC->GetTextColor(), pDC->GetBkColor()};
        g_recorder(drawing, g_recorderContext);
    }
}

}  // namespace

void SetListCellRecorder(ListCellRecorder recorder, void* context) {
    g_recorder = recorder;
    g_recorderContext = context;
}

// --- CListCtrlEx ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
ON_NOTIFY_REFLECT_EX(LVN_INSERTITEM, OnInsertItem)
ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, OnDeleteItem)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
ON_MESSAGE(LVM_SETIMAGELIST, OnSetImageList)
ON_MESSAGE(LVM_SETTEXTBKCOLOR, OnSetTextBkColor)
ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColor)
ON_MESSAGE(LVM_SETTEXTCOLOR, OnSetTextColor)
END_MESSAGE_MAP()

CListCtrlEx::CListCtrlEx()
    : m_bOwnerDrawn(1),
      m_bClientWidthSel(0),
      m_cxClient(0),
      m_cxStateImageOffset(0),
      m_clrTextBk(::GetSysColor(COLOR_WINDOW)),
      m_clrBkgnd(::GetSysColor(COLOR_WINDOW)) {}

CListCtrlEx::~CListCtrlEx() {
    // The window's rows hand their records back while this object still handles them;
    // what a parent kept from that (it did not reflect the deletions) goes here.
    if (m_hWnd != NULL) DestroyWindow();
    for (CListItemData* pData : m_records) delete pData;
    m_records.clear();
}

void CListCtrlEx::PreSubclassWindow() {
    CListCtrl::PreSubclassWindow();
    EnableToolTips(TRUE);
}

BOOL CListCtrlEx::SetOwnerDrawn(bool bOwnerDrawn) {
    const BOOL bLocked = ::LockWindowUpdate(m_hWnd);
    m_bOwnerDrawn = bOwnerDrawn;
    const BOOL bChanged =
        bOwnerDrawn ? ModifyStyle(0, LVS_OWNERDRAWFIXED) : ModifyStyle(LVS_OWNERDRAWFIXED, 0);
    if (bLocked) ::LockWindowUpdate(NULL);
    if (bChanged && IsReportView()) RedrawWindow();
    return bChanged;
}

// --- columns ------------------------------------------------------------------------------

void CListCtrlEx::InsertColumnsFromString(UINT nStringId) {
    ModifyStyle(0, LVS_SHOWSELALWAYS);
    int nIndex = 0;
    for (const CString& piece : CommaPieces(nStringId)) InsertColumnFit(piece, nIndex++);
}

int CListCtrlEx::InsertColumnFit(LPCSTR lpszText, int nIndex, int nSubItem, UINT nMask,
                                 int nFormat) {
    LVCOLUMNA column = {};
    column.mask = nMask;
    column.fmt = nFormat;
    column.cx = GetStringWidth(lpszText) + kColumnMargin;
    column.pszText = const_cast<LPSTR>(lpszText);
    column.iSubItem = nSubItem == -1 ? nIndex : nSubItem;
    return InsertColumn(nIndex, &column);
}

int CListCtrlEx::InsertColumn(int nCol, const LVCOLUMNA* pColumn) {
    const int nIndex = CListCtrl::InsertColumn(nCol, pColumn);
    ColumnInserted(nIndex);
    return nIndex;
}

int CListCtrlEx::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth,
                              int nSubItem) {
    const int nIndex = CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
    ColumnInserted(nIndex);
    return nIndex;
}

void CListCtrlEx::ColumnInserted(int nCol) {
    if (nCol < 0) return;
    for (int nItem = 0, nCount = GetItemCount(); nItem < nCount; ++nItem) {
        CListItemData* pData = Record(nItem);
        if (pData != NULL) pData->m_aTexts.InsertAt(nCol, CString());
    }
}

BOOL CListCtrlEx::DeleteColumn(int nCol) {
    if (!CListCtrl::DeleteColumn(nCol)) return FALSE;
    for (int nItem = 0, nCount = GetItemCount(); nItem < nCount; ++nItem) {
        CListItemData* pData = Record(nItem);
        if (pData != NULL) pData->m_aTexts.RemoveAt(nCol);
    }
    return TRUE;
}

void CListCtrlEx::DeleteAllItemsAndColumns() {
    DeleteAllItems();
    while (DeleteColumn(0)) {}
    UpdateWindow();
}

void CListCtrlEx::FitColumn(int nColumn, LPCSTR lpszText) {
    const int cx = GetStringWidth(lpszText) + kColumnMargin;
    if (cx > GetColumnWidth(nColumn)) SetColumnWidth(nColumn, cx);
}

// --- rows ---------------------------------------------------------------------------------

void CListCtrlEx::InsertItemsFromString(UINT nStringId) {
    int nItem = 0;
    for (const CString& piece : CommaPieces(nStringId)) SetItemTextFitColumn(nItem++, 0, piece);
    EnableToolTips(TRUE);
}

int CListCtrlEx::SetItemTextFitColumn(int nItem, int nSubItem, LPCSTR lpszText, int nImage,
                                      int bUpdate) {
    if (lpszText == NULL) lpszText = "";
    int nResult = TRUE;
    if (nSubItem == 0 && !bUpdate)
        nResult = nImage == -1 ? InsertItem(nItem, lpszText) : InsertItem(nItem, lpszText, nImage);
    else if (GetItemText(nItem, nSubItem) != lpszText)
        nResult = SetItemText(nItem, nSubItem, lpszText);
    FitColumn(nSubItem, lpszText);
    return nResult;
}

CListItemData* CListCtrlEx::Record(int nItem) const {
    if (nItem < 0 || nItem >= GetItemCount()) return NULL;
    CListItemData* pData = (CListItemData*)GetItemData(nItem);
    return m_records.count(pData) ? pData : NULL;
}

void CListCtrlEx::SetItemTipText(int nItem, int nColumn, LPCSTR lpszText) {
    CListItemData* pData = Record(nItem);
    if (pData != NULL && nColumn >= 0) pData->m_aTexts.SetAtGrow(nColumn, lpszText);
}

CString CListCtrlEx::GetItemTipText(int nItem, int nColumn) const {
    const CListItemData* pData = Record(nItem);
    if (pData == NULL || nColumn < 0 || nColumn >= pData->m_aTexts.GetSize()) return CString();
    return pData->m_aTexts[nColumn];
}

BOOL CListCtrlEx::SetItemValue(int nItem, int nValue) {
    CListItemData* pData = Record(nItem);
    if (pData == NULL) return FALSE;
    pData->m_nValue = nValue;
    return TRUE;
}

int CListCtrlEx::GetItemValue(int nItem) const {
    const CListItemData* pData = Record(nItem);
    return pData != NULL ? pData->m_nValue : 0;
}

BOOL CListCtrlEx::OnInsertItem(NMHDR* pNMHDR, LRESULT*) {
    // The lParam the row was inserted with becomes its value; the row's data is its record.
    const int nItem = ((NMLISTVIEW*)pNMHDR)->iItem;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    CListItemData* pData = new CListItemData((int)item.lParam);
    m_records.insert(pData);
    CListCtrl::SetItemData(nItem, (DWORD_PTR)pData);
    return FALSE;
}

BOOL CListCtrlEx::OnDeleteItem(NMHDR* pNMHDR, LRESULT*) {
    // The parent sees the row's value where the row's data was.
    NMLISTVIEW* pNMLV = (NMLISTVIEW*)pNMHDR;
    CListItemData* pData = (CListItemData*)pNMLV->lParam;
    if (m_records.erase(pData)) {
        pNMLV->lParam = pData->m_nValue;
        delete pData;
    }
    return FALSE;
}

// --- selection ------------------------------------------------------------------------------

int CListCtrlEx::GetFirstSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }

int CListCtrlEx::SelectItem(int nItem, int) {
    if (nItem == -1) return -1;
    SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    EnsureVisible(nItem, FALSE);
    RepaintSelectedItems();
    return nItem;
}

void CListCtrlEx::RepaintBand(int nItem) {
    RECT rcBounds, rcLabel;
    if (!GetItemRect(nItem, &rcBounds, LVIR_BOUNDS) || !GetItemRect(nItem, &rcLabel, LVIR_LABEL))
        return;
    rcBounds.left = rcLabel.left;
    InvalidateRect(&rcBounds, FALSE);
}

void CListCtrlEx::RepaintSelectedItems() {
    const int nFocused = GetNextItem(-1, LVNI_FOCUSED);
    if (nFocused != -1) RepaintBand(nFocused);
    // Without the focus the selection shows only with show-selection-always.
    if (!(GetStyle() & LVS_SHOWSELALWAYS))
        for (int nItem = GetNextItem(-1, LVNI_SELECTED); nItem != -1;
             nItem = GetNextItem(nItem, LVNI_SELECTED))
            RepaintBand(nItem);
    UpdateWindow();
}

// --- messages -------------------------------------------------------------------------------

void CListCtrlEx::OnSize(UINT nType, int cx, int cy) {
    m_cxClient = cx;
    CListCtrl::OnSize(nType, cx, cy);
}

void CListCtrlEx::OnPaint() {
    if (m_bClientWidthSel && m_bOwnerDrawn && IsReportView() && GetItemCount() > 0) {
        // The band of a selected row reaches the client's right edge: that strip is drawn
        // with the rows.
        RECT rcRows;
        if (GetItemRect(0, &rcRows, LVIR_BOUNDS) && rcRows.right < m_cxClient) {
            RECT rcClip;
            {
                CClientDC dc(this);
                dc.GetClipBox(&rcClip);
            }
            rcClip.left = std::min(rcRows.right - 1, rcClip.left);
            rcClip.right = m_cxClient;
            InvalidateRect(&rcClip, FALSE);
        }
    }
    CListCtrl::OnPaint();
}

void CListCtrlEx::OnSetFocus(CWnd* pOldWnd) {
    CListCtrl::OnSetFocus(pOldWnd);
    if (pOldWnd != NULL && ::IsChild(m_hWnd, pOldWnd->m_hWnd)) return;
    if (m_bOwnerDrawn && IsReportView()) RepaintSelectedItems();
}

void CListCtrlEx::OnKillFocus(CWnd* pNewWnd) {
    CListCtrl::OnKillFocus(pNewWnd);
    if (pNewWnd != NULL && ::IsChild(m_hWnd, pNewWnd->m_hWnd)) return;
    if (m_bOwnerDrawn && IsReportView()) RepaintSelectedItems();
}

void CListCtrlEx::OnDestroy() {
    // Every record goes back through the rows' deletion notices while the parent is there.
    DeleteAllItems();
    CListCtrl::OnDestroy();
}

LRESULT CListCtrlEx::OnSetImageList(WPARAM wParam, LPARAM lParam) {
    if ((int)wParam == LVSIL_STATE) {
        int cx = 0, cy = 0;
        if (lParam == 0 || !ImageList_GetIconSize((HIMAGELIST)lParam, &cx, &cy)) cx = 0;
        m_cxStateImageOffset = cx;
    }
    return DefWindowProc(LVM_SETIMAGELIST, wParam, lParam);
}

LRESULT CListCtrlEx::OnSetTextBkColor(WPARAM wParam, LPARAM lParam) {
    m_clrTextBk = (COLORREF)lParam;
    return DefWindowProc(LVM_SETTEXTBKCOLOR, wParam, lParam);
}

LRESULT CListCtrlEx::OnSetBkColor(WPARAM wParam, LPARAM lParam) {
    m_clrBkgnd = (COLORREF)lParam;
    return DefWindowProc(LVM_SETBKCOLOR, wParam, lParam);
}

LRESULT CListCtrlEx::OnSetTextColor(WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(LVM_SETTEXTCOLOR, wParam, lParam);
}

// --- tool tips --------------------------------------------------------------------------------

int CListCtrlEx::CellRectFromPoint(CPoint point, RECT* pCellRect, int* pColumn) const {
    if (!IsReportView()) return -1;
    const int nCount = GetItemCount();
    const int nLast = std::min(GetTopIndex() + GetCountPerPage(), nCount - 1);
    HWND hWndHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    const int nColumns = hWndHeader != NULL ? Header_GetItemCount(hWndHeader) : 0;
    for (int nRow = GetTopIndex(); nRow <= nLast; ++nRow) {
        RECT rect;
        if (!GetItemRect(nRow, &rect, LVIR_BOUNDS) || !::PtInRect(&rect, point)) continue;
        for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
            const int cx = GetColumnWidth(nColumn);
            if (point.x >= rect.left && point.x <= rect.left + cx) {
                RECT rcClient;
                GetClientRect(&rcClient);
                rect.right = std::min(rect.left + cx, rcClient.right);
                if (pCellRect != NULL) *pCellRect = rect;
                if (pColumn != NULL) *pColumn = nColumn;
                return nRow;
            }
            rect.left += cx;
        }
    }
    return -1;
}

INT_PTR CListCtrlEx::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    RECT rect;
    int nColumn = 0;
    const int nRow = CellRectFromPoint(point, &rect, &nColumn);
    if (nRow == -1) return -1;
    const INT_PTR nID = ((INT_PTR)nRow << kColumnBits) + (nColumn & kColumnMask) + 1;
    if (pTI != NULL) {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)nID;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        pTI->rect = rect;
    }
    return nID;
}

BOOL CListCtrlEx::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
    const UINT_PTR nID = pNMHDR->idFrom;
    if (nID == 0) return FALSE;
    ::SendMessageA(pNMHDR->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 300);
    const int nRow = (int)((nID - 1) >> kColumnBits);
    const int nColumn = (int)((nID - 1) & kColumnMask);
    CString text = GetItemTipText(nRow, nColumn);
    if (text.IsEmpty()) text = GetItemText(nRow, nColumn);
    // The tool tip reads the text after the answer: it lives in buffers of the process.
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        static char s_szTip[1000];
        lstrcpynA(s_szTip, text, sizeof s_szTip);
        ((NMTTDISPINFOA*)pNMHDR)->lpszText = s_szTip;
    } else {
        static WCHAR s_wszTip[2000];
        const int nLength = std::min(text.GetLength(), 1999);
        const int nWide = ::MultiByteToWideChar(CP_ACP, 0, text, nLength, s_wszTip, 1999);
        s_wszTip[nWide] = 0;
        ((NMTTDISPINFOW*)pNMHDR)->lpszText = s_wszTip;
    }
    *pResult = 0;
    return TRUE;
}

// --- drawing ----------------------------------------------------------------------------------

CString CListCtrlEx::MakeShortString(CDC* pDC, const CString& text, int nColumnWidth, int nOffset,
                                     BOOL* pShortened) {
    if (pShortened != NULL) *pShortened = FALSE;
    const int nLength = text.GetLength();
    if (nLength == 0 || pDC->GetTextExtent(text).cx + nOffset <= nColumnWidth) return text;
    static const char kDots[] = "...";
    // Only a beginning that fits without the dots can fit with them: the longest of these
    // is where the search starts, one character shorter at a time down to one character.
    const int nRoom = nColumnWidth - nOffset - pDC->GetTextExtent(kDots, 3).cx;
    int nFit = 0;
    SIZE size;
    if (nRoom <= 0 ||
        !::GetTextExtentExPointA(pDC->m_hAttribDC, text, nLength, nRoom, &nFit, NULL, &size))
        nFit = 1;
    int nKeep = std::max(1, std::min(nFit, nLength - 1));
    for (; nKeep > 1; --nKeep)
        if (pDC->GetTextExtent(text.Left(nKeep) + kDots).cx + nOffset <= nColumnWidth) break;
    if (pShortened != NULL) *pShortened = TRUE;
    return text.Left(nKeep) + kDots;
}

void CListCtrlEx::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nItem = (int)lpDrawItemStruct->itemID;

    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = nItem;
    item.stateMask = 0xFFFF;
    GetItem(&item);
    const CString text = GetItemText(nItem, 0);

    const BOOL bFocus = ::GetFocus() == m_hWnd;
    const BOOL bSelected =
        ((bFocus || (GetStyle() & LVS_SHOWSELALWAYS)) && (item.state & LVIS_SELECTED)) ||
        (item.state & LVIS_DROPHILITED);

    RECT rcBounds, rcLabel, rcIcon;
    GetItemRect(nItem, &rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    RECT rcAllLabels = rcBounds;
    rcAllLabels.left = rcLabel.left;
    if (m_bClientWidthSel && rcAllLabels.right < m_cxClient) rcAllLabels.right = m_cxClient;

    COLORREF clrTextSave = CLR_INVALID, clrBkSave = CLR_INVALID;
    if (bSelected) {
        clrTextSave = pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        clrBkSave = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        pDC->FillSolidRect(&rcAllLabels, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        if (!IsWindowEnabled()) {
            clrTextSave = pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
            clrBkSave = pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        }
        pDC->FillSolidRect(&rcAllLabels, m_clrTextBk);
    }

    // Images: the state image at the row's corner, then the small icon.
    UINT nStyle = ILD_TRANSPARENT;
    COLORREF clrImage = m_clrBkgnd;
    if (item.state & LVIS_CUT) {
        nStyle |= ILD_BLEND50;
    } else if (bSelected) {
        clrImage = ::GetSysColor(COLOR_HIGHLIGHT);
        nStyle |= ILD_BLEND50;
    }
    const UINT nStateImage = item.state & LVIS_STATEIMAGEMASK;
    HIMAGELIST hStateList = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_STATE, 0);
    if (nStateImage != 0 && hStateList != NULL)
        ImageList_Draw(hStateList, (int)(nStateImage >> 12) - 1, pDC->m_hDC, rcBounds.left,
                       rcBounds.top, ILD_TRANSPARENT);
    HIMAGELIST hSmallList = (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    if (hSmallList != NULL && rcBounds.left < rcBounds.right - 1)
        ImageList_DrawEx(hSmallList, item.iImage, pDC->m_hDC, rcIcon.left, rcIcon.top, 16, 16,
                         m_clrBkgnd, clrImage, nStyle | (item.state & LVIS_OVERLAYMASK));

    const UINT nFlags = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER;
    rcLabel.right -= m_cxStateImageOffset;
    CString shown = MakeShortString(pDC, text, rcLabel.right - rcLabel.left, 2 * kFirstInset);
    rcLabel.left += kFirstInset;
    rcLabel.right -= kFirstInset;
    DrawCellText(pDC, m_hWnd, nItem, 0, shown, rcLabel, DT_LEFT | nFlags);

    RECT rcColumn = rcBounds;
    rcColumn.right = rcBounds.left + GetColumnWidth(0);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int nColumn = 1; GetColumn(nColumn, &column); ++nColumn) {
        rcColumn.left = rcColumn.right;
        rcColumn.right += column.cx;
        const CString cell = GetItemText(nItem, nColumn);
        if (cell.IsEmpty()) continue;
        BOOL bShortened = FALSE;
        shown = MakeShortString(pDC, cell, rcColumn.right - rcColumn.left, 2 * kOtherInset,
                                &bShortened);
        // A shortened text shows its beginning, so it starts at the left.
        UINT nJustify = DT_LEFT;
        if (!bShortened) {
            if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) nJustify = DT_RIGHT;
            if ((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER) nJustify = DT_CENTER;
        }
        RECT rcCell = rcColumn;
        rcCell.left += kOtherInset;
        rcCell.right -= kOtherInset;
        DrawCellText(pDC, m_hWnd, nItem, nColumn, shown, rcCell, nJustify | nFlags);
    }

    if ((item.state & LVIS_FOCUSED) && bFocus) pDC->DrawFocusRect(&rcAllLabels);
    if (clrTextSave != CLR_INVALID) pDC->SetTextColor(clrTextSave);
    if (clrBkSave != CLR_INVALID) pDC->SetBkColor(clrBkSave);
}

// --- CListViewEx -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CListViewEx, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CListViewEx::CListViewEx() {}

CListViewEx::~CListViewEx() {}

void CListViewEx::OnDraw(CDC*) {}

int CListViewEx::OnCreate(LPCREATESTRUCT lpcs) {
    if (CView::OnCreate(lpcs) == -1) return -1;
    RECT rect;
    GetClientRect(&rect);
    if (!m_wndList.Create(lpcs->style | WS_BORDER, rect, this, IDC_LIST)) return -1;
    m_wndList.ModifyStyleEx(0, WS_EX_CLIENTEDGE,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return 0;
}

void CListViewEx::OnSize(UINT nType, int cx, int cy) {
    CView::OnSize(nType, cx, cy);
    if (m_wndList.m_hWnd != NULL) m_wndList.MoveWindow(0, 0, cx, cy);
}

BOOL CListViewEx::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const BOOL bResult = CView::OnNotify(wParam, lParam, pResult);
    NMHDR* pNMHDR = (NMHDR*)lParam;
    CWnd* pParent = GetParent();
    if (pNMHDR->idFrom == IDC_LIST && pParent != NULL) {
        // The parent sees the view as the sender; the list gets its header back.
        const NMHDR sender = *pNMHDR;
        pNMHDR->hwndFrom = m_hWnd;
        pNMHDR->idFrom = (UINT_PTR)GetDlgCtrlID();
        pParent->SendMessage(WM_NOTIFY, pNMHDR->idFrom, lParam);
        pNMHDR->hwndFrom = sender.hwndFrom;
        pNMHDR->idFrom = sender.idFrom;
    }
    return bResult;
}
