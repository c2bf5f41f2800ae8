// The tree part of the tree-list control: columns, item records, row painting, sorting and
// the mouse and keys in the tree.
#include "treelist.h"

#include "treelistseams.h"

#include <algorithm>
#include <functional>

namespace {

// Item operations of other threads arrive as this message; lParam is the call to run.
UINT g_nItemCallMessage = RegisterWindowMessageA("DravonTreeListItemCall");

BOOL IsSelected(UINT nState) { return (nState & (TVIS_SELECTED | TVIS_DROPHILITED)) != 0; }

// The font of the rows: the window's own, else the control's copy, else the GUI font.
void RowFont(CWnd* pWnd, const CFont& fallback, LOGFONT* pLogFont) {
    HFONT hFont = (HFONT)::SendMessageA(pWnd->m_hWnd, WM_GETFONT, 0, 0);
    if (hFont != NULL && ::GetObjectA(hFont, sizeof *pLogFont, pLogFont) != 0) return;
    if (fallback.GetSafeHandle() != NULL && fallback.GetLogFont(pLogFont)) return;
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof *pLogFont, pLogFont);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTLTreeCtrl, CTreeCtrl)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_KEYDOWN()
ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMA, OnDeleteItem)
ON_NOTIFY_REFLECT_EX(TVN_DELETEITEMW, OnDeleteItem)
ON_REGISTERED_MESSAGE(g_nItemCallMessage, OnItemCall)
END_MESSAGE_MAP()

CTLTreeCtrl::CTLTreeCtrl()
    : m_nColumnCount(0),
      m_nTotalWidth(0),
      m_nItemCount(0),
      m_pFrame(NULL),
      m_nOffset(0),
      m_bSortEnabled(0),
      m_hPaintItem(NULL),
      m_bRedraw(1) {
    memset(&m_ps, 0, sizeof m_ps);
}

CTLTreeCtrl::~CTLTreeCtrl() {
    // The window outlives this part of the object only without WM_DESTROY reaching it:
    // its records are freed here.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        OnGuiThread([this]() -> int {
            FreeItemRecords(GetRootItem());
            return 0;
        });
}

// --- threads -------------------------------------------------------------------------------

template <class Call>
auto CTLTreeCtrl::OnGuiThread(Call call) const -> decltype(call()) {
    typedef decltype(call()) Result;
    HWND hWnd = m_hWnd;
    if (hWnd == NULL || GetWindowThreadProcessId(hWnd, NULL) == GetCurrentThreadId()) return call();
    // Sent, not posted: the caller gets the result, and the records are only touched by
    // the thread that paints them.
    Result result{};
    std::function<void()> run = [&] { result = call(); };
    ::SendMessageA(hWnd, g_nItemCallMessage, 0, (LPARAM)&run);
    return result;
}

LRESULT CTLTreeCtrl::OnItemCall(WPARAM, LPARAM lParam) {
    (*reinterpret_cast<std::function<void()>*>(lParam))();
    return 0;
}

// --- records -------------------------------------------------------------------------------

CTLItemData* CTLTreeCtrl::RecordOf(HTREEITEM hItem) const {
    if (hItem == NULL || hItem == TVI_ROOT || m_hWnd == NULL) return NULL;
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    if (!GetItem(&item)) return NULL;
    CTLItemData* pRecord = (CTLItemData*)item.lParam;
    TLTouchRecord(pRecord);
    return pRecord;
}

BOOL CTLTreeCtrl::WriteRecord(HTREEITEM hItem, CTLItemData* pRecord) {
    TLTouchRecord(pRecord);
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = (LPARAM)pRecord;
    return CTreeCtrl::SetItem(&item);
}

void CTLTreeCtrl::FreeItemRecords(HTREEITEM hItem) {
    for (; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
        CTLItemData* pRecord = RecordOf(hItem);
        if (pRecord != NULL) {
            WriteRecord(hItem, NULL);
            delete pRecord;
        }
        FreeItemRecords(GetChildItem(hItem));
    }
}

BOOL CTLTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
    // Every item that goes takes its record with it, whoever deletes it. The parameter of
    // the notification is cleared, so that a parent that sees it later finds no record.
    NMTREEVIEWA* pNMTreeView = (NMTREEVIEWA*)pNMHDR;
    CTLItemData* pRecord = (CTLItemData*)pNMTreeView->itemOld.lParam;
    if (pRecord != NULL) {
        TLTouchRecord(pRecord);
        delete pRecord;
        pNMTreeView->itemOld.lParam = 0;
    }
    *pResult = 0;
    return FALSE;
}

void CTLTreeCtrl::OnDestroy() {
    FreeItemRecords(GetRootItem());
    Default();
}

// --- columns -------------------------------------------------------------------------------

int CTLTreeCtrl::InsertColumn(int nIndex, LPCSTR lpszText, int nAlign, int nWidth, int) {
    CString text(lpszText);
    return OnGuiThread([=]() -> int {
        HDITEMA hd = {};
        hd.mask = HDI_TEXT | HDI_FORMAT;
        if (nWidth != -1) {
            hd.mask |= HDI_WIDTH;
            hd.cxy = nWidth;
        }
        hd.fmt = HDF_OWNERDRAW | HDF_STRING |
                 (nAlign == 1   ? HDF_RIGHT
                  : nAlign == 2 ? HDF_CENTER
                                : HDF_LEFT);
        hd.pszText = const_cast<LPSTR>((LPCSTR)text);
        int nNew = m_wndHeader.InsertItem(nIndex, &hd);
        if (nNew < 0) return -1;
        // The images of later columns move with them.
        std::map<int, int> images;
        for (const auto& entry : m_wndHeader.m_itemImages)
            images[entry.first >= nNew ? entry.first + 1 : entry.first] = entry.second;
        m_wndHeader.m_itemImages.swap(images);
        if (++m_nColumnCount == 1) m_wndHeader.SetItemImage(nNew, 0);
        RecalcTotalWidth();
        return nNew;
    });
}

void CTLTreeCtrl::InsertColumnsFromString(UINT nID) {
    OnGuiThread([=]() -> int {
        ModifyStyle(0, TVS_EDITLABELS);
        CString columns;
        if (!columns.LoadString(nID) || columns.IsEmpty()) return 0;
        int nIndex = 0;
        for (int start = 0; start <= columns.GetLength(); nIndex++) {
            int end = columns.Find(',', start);
            if (end < 0) end = columns.GetLength();
            InsertColumn(nIndex, columns.Mid(start, end - start), 0, 250);
            start = end + 1;
        }
        return 0;
    });
}

BOOL CTLTreeCtrl::DeleteColumn(int nColumn, HTREEITEM hItem) {
    return OnGuiThread([=]() -> BOOL {
        BOOL bResult = FALSE;
        HTREEITEM hStart = hItem;
        if (hItem == NULL) {
            bResult = m_wndHeader.GetSafeHwnd() != NULL && m_wndHeader.DeleteItem(nColumn);
            if (!bResult) {
                Invalidate();
                return FALSE;
            }
            std::map<int, int> images;
            for (const auto& entry : m_wndHeader.m_itemImages)
                if (entry.first != nColumn)
                    images[entry.first > nColumn ? entry.first - 1 : entry.first] = entry.second;
            m_wndHeader.m_itemImages.swap(images);
            m_nColumnCount--;
            RecalcTotalWidth();
            hStart = GetRootItem();
        }
        ClearColumn(nColumn, hStart);
        Invalidate();
        return bResult;
    });
}

void CTLTreeCtrl::ClearColumn(int nColumn, HTREEITEM hItem) {
    for (; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
        CTLItemData* pRecord = RecordOf(hItem);
        if (pRecord != NULL) pRecord->SetColumnText(nColumn, "");
        ClearColumn(nColumn, GetChildItem(hItem));
    }
}

int CTLTreeCtrl::GetColumnCount() const { return m_nColumnCount; }

int CTLTreeCtrl::GetColumnWidth(int nColumn) const {
    HDITEMA hd = {};
    hd.mask = HDI_WIDTH;
    if (m_wndHeader.GetSafeHwnd() == NULL || !m_wndHeader.GetItem(nColumn, &hd)) return 0;
    return hd.cxy;
}

int CTLTreeCtrl::GetColumnAlign(int nColumn) const {
    HDITEMA hd = {};
    hd.mask = HDI_FORMAT;
    if (m_wndHeader.GetSafeHwnd() == NULL || !m_wndHeader.GetItem(nColumn, &hd)) return 0;
    switch (hd.fmt & HDF_JUSTIFYMASK) {
        case HDF_RIGHT: return 1;
        case HDF_CENTER: return 2;
        default: return 0;
    }
}

int CTLTreeCtrl::GetTotalColumnWidth() const { return m_nTotalWidth; }

void CTLTreeCtrl::RecalcTotalWidth() {
    OnGuiThread([this]() -> int {
        int nTotal = 0;
        for (int c = 0; c < m_nColumnCount; c++) nTotal += GetColumnWidth(c);
        m_nTotalWidth = nTotal;
        return nTotal;
    });
}

// --- items ---------------------------------------------------------------------------------

HTREEITEM CTLTreeCtrl::InsertItem(LPCSTR lpszText, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItemEx(TVIF_TEXT | TVIF_PARAM, lpszText, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTLTreeCtrl::InsertItemWithImages(LPCSTR lpszText, int nImage, int nSelectedImage,
                                            HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItemEx(TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszText, nImage,
                        nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTLTreeCtrl::InsertItemEx(UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage,
                                    UINT nState, UINT nStateMask, DWORD_PTR dwUserValue,
                                    HTREEITEM hParent, HTREEITEM hInsertAfter) {
    CString text(lpszText);
    return OnGuiThread([=]() -> HTREEITEM {
        BOOL bParentExpanded = IsItemExpanded(hParent);
        CTLItemData* pRecord = new CTLItemData;
        pRecord->SetColumnText(0, text);
        pRecord->m_dwUserValue = dwUserValue;
        HTREEITEM hNew = InsertRecord(pRecord, nMask, nImage, nSelectedImage, nState, nStateMask,
                                      hParent, hInsertAfter);
        if (hNew == NULL) return NULL;
        // A row under a collapsed parent is not seen: the next paint request is left out.
        if (!bParentExpanded) m_bRedraw = 0;
        if (bParentExpanded && m_pFrame != NULL) m_pFrame->RecalcLayout();
        return hNew;
    });
}

HTREEITEM CTLTreeCtrl::InsertRecord(CTLItemData* pRecord, UINT nMask, int nImage,
                                    int nSelectedImage, UINT nState, UINT nStateMask,
                                    HTREEITEM hParent, HTREEITEM hInsertAfter) {
    TLTouchRecord(pRecord);
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask | TVIF_TEXT | TVIF_PARAM;
    tvis.item.pszText = const_cast<LPSTR>("");
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = (LPARAM)pRecord;
    HTREEITEM hNew = CTreeCtrl::InsertItem(&tvis);
    if (hNew == NULL) {
        delete pRecord;
        return NULL;
    }
    m_nItemCount++;
    return hNew;
}

BOOL CTLTreeCtrl::SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText) {
    CString text(lpszText);
    return OnGuiThread([=]() -> BOOL {
        CTLItemData* pRecord = RecordOf(hItem);
        if (pRecord == NULL || nColumn < 0) return FALSE;
        if (pRecord->GetColumnText(nColumn) == pRecord->StoredText(text)) return TRUE;
        m_hPaintItem = hItem;
        pRecord->SetColumnText(nColumn, text);
        BOOL bResult = WriteRecord(hItem, pRecord);
        m_hPaintItem = NULL;
        // The tree-view does not repaint for a new parameter: the row is marked for the
        // next paint (only a visible one has a rectangle).
        CRect row;
        if (bResult && CTreeCtrl::GetItemRect(hItem, &row, FALSE)) InvalidateRect(&row, FALSE);
        return bResult;
    });
}

CString CTLTreeCtrl::GetItemText(HTREEITEM hItem, int nColumn) const {
    return OnGuiThread([=]() -> CString {
        CTLItemData* pRecord = RecordOf(hItem);
        return pRecord != NULL ? pRecord->GetColumnText(nColumn) : CString();
    });
}

CString CTLTreeCtrl::GetItemTextByIndex(int nIndex, int nColumn) const {
    return GetItemText(GetItemByIndex(nIndex), nColumn);
}

BOOL CTLTreeCtrl::SetItemUserValue(HTREEITEM hItem, DWORD_PTR dwValue) {
    return OnGuiThread([=]() -> BOOL {
        CTLItemData* pRecord = RecordOf(hItem);
        if (pRecord == NULL) return FALSE;
        pRecord->m_dwUserValue = dwValue;
        return WriteRecord(hItem, pRecord);
    });
}

DWORD_PTR CTLTreeCtrl::GetItemUserValue(HTREEITEM hItem) const {
    return OnGuiThread([=]() -> DWORD_PTR {
        CTLItemData* pRecord = RecordOf(hItem);
        return pRecord != NULL ? pRecord->m_dwUserValue : 0;
    });
}

BOOL CTLTreeCtrl::SetItemMark(HTREEITEM hItem, COLORREF crText, BOOL bRepaint) {
    return ChangeLook(hItem, bRepaint, [crText](CTLItemData& record) {
        if (record.m_crText == crText) return false;
        record.m_crText = crText;
        return true;
    });
}

BOOL CTLTreeCtrl::SetItemBold(HTREEITEM hItem, BOOL bBold, BOOL bRepaint) {
    return ChangeLook(hItem, bRepaint, [bBold](CTLItemData& record) {
        record.m_bBold = bBold;
        return true;
    });
}

BOOL CTLTreeCtrl::ChangeLook(HTREEITEM hItem, BOOL bRepaint,
                             const std::function<bool(CTLItemData&)>& change) {
    return OnGuiThread([&]() -> BOOL {
        CTLItemData* pRecord = RecordOf(hItem);
        if (pRecord == NULL) return FALSE;
        if (!change(*pRecord)) return TRUE;
        if (!WriteRecord(hItem, pRecord)) return FALSE;
        if (bRepaint) {
            m_hPaintItem = hItem;
            Invalidate();
            m_hPaintItem = NULL;
        }
        return TRUE;
    });
}

void CTLTreeCtrl::ExpandItem(HTREEITEM hItem, int bExpand) {
    if (hItem != NULL) Expand(hItem, bExpand ? TVE_EXPAND : TVE_COLLAPSE);
}

BOOL CTLTreeCtrl::IsItemExpanded(HTREEITEM hItem) const {
    if (hItem == NULL) return FALSE;
    if (hItem == TVI_ROOT) return TRUE;
    return (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

BOOL CTLTreeCtrl::DeleteItem(HTREEITEM hItem) {
    return OnGuiThread([=]() -> BOOL {
        if (RecordOf(hItem) == NULL) return FALSE;
        m_nItemCount--;
        // The records of the item and its children go with TVN_DELETEITEM.
        return CTreeCtrl::DeleteItem(hItem);
    });
}

BOOL CTLTreeCtrl::DeleteItemByIndex(int nIndex) { return DeleteItem(GetItemByIndex(nIndex)); }

void CTLTreeCtrl::DeleteAll() {
    OnGuiThread([this]() -> int {
        CWaitCursor wait;
        BOOL bLocked = ::LockWindowUpdate(m_hWnd);
        FreeItemRecords(GetRootItem());
        DeleteAllItems();
        m_nTotalWidth = 0;
        m_nColumnCount = 0;
        m_nOffset = 0;
        m_nItemCount = 0;
        if (bLocked) ::LockWindowUpdate(NULL);
        return 0;
    });
}

HTREEITEM CTLTreeCtrl::CopyItem(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return OnGuiThread([=]() { return CopyOrMove(hItem, hParent, hInsertAfter, FALSE); });
}

HTREEITEM CTLTreeCtrl::MoveItem(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return OnGuiThread([=]() { return CopyOrMove(hItem, hParent, hInsertAfter, TRUE); });
}

HTREEITEM CTLTreeCtrl::CopyOrMove(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter,
                                  BOOL bMove) {
    if (hItem == NULL || ItemHasChildren(hItem) || hParent == hItem) return NULL;
    CTLItemData* pRecord = RecordOf(hItem);
    if (pRecord == NULL) return NULL;
    TVITEMA item = {};
    item.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.hItem = hItem;
    item.stateMask = (UINT)-1;
    if (!GetItem(&item)) return NULL;
    // The copy is not selected; it takes the rest of the item's state.
    UINT nStateMask = ~(UINT)(TVIS_SELECTED | TVIS_DROPHILITED | TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    // The new item comes first: when it cannot be made, the source item stays.
    HTREEITEM hNew = InsertRecord(
        new CTLItemData(*pRecord), TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE, item.iImage,
        item.iSelectedImage, item.state & nStateMask, nStateMask, hParent, hInsertAfter);
    if (hNew != NULL && bMove) DeleteItem(hItem);
    return hNew;
}

HTREEITEM CTLTreeCtrl::GetItemByIndex(int nIndex) const {
    if (nIndex < 0) return NULL;
    HTREEITEM hItem = GetRootItem();
    for (; hItem != NULL && nIndex > 0; nIndex--) hItem = GetNextSiblingItem(hItem);
    return hItem;
}

int CTLTreeCtrl::GetItemIndex(HTREEITEM hItem) const {
    int nIndex = 0;
    for (HTREEITEM h = GetRootItem(); h != NULL && h != hItem; h = GetNextSiblingItem(h)) nIndex++;
    return nIndex;
}

// --- sorting -------------------------------------------------------------------------------

void CTLTreeCtrl::EnableSort(BOOL bEnable) { m_bSortEnabled = bEnable ? 1 : 0; }

BOOL CTLTreeCtrl::IsSortEnabled() const { return m_bSortEnabled; }

BOOL CTLTreeCtrl::SortItems(int nColumn, BOOL bAscending, HTREEITEM hParent) {
    if (!m_bSortEnabled) return FALSE;
    return OnGuiThread([=]() -> BOOL {
        TLSortParam param = {nColumn, bAscending};
        TVSORTCB sort = {};
        sort.hParent = hParent != NULL ? hParent : TVI_ROOT;
        sort.lpfnCompare = CompareItems;
        sort.lParam = (LPARAM)&param;
        return SortChildrenCB(&sort);
    });
}

// --- painting ------------------------------------------------------------------------------

void CTLTreeCtrl::SetRedraw(BOOL bRedraw) {
    OnGuiThread([=]() -> int {
        m_bRedraw = bRedraw ? 1 : 0;
        SendMessage(WM_SETREDRAW, bRedraw);
        return 0;
    });
}

void CTLTreeCtrl::OnPaint() {
    if (!m_bRedraw) {
        // Left out once: the window stays invalid, and the next request paints.
        m_bRedraw = 1;
        return;
    }
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    if (hDC == NULL) return;
    CDC dc;
    dc.Attach(hDC);
    CRect clip;
    dc.GetClipBox(&clip);
    dc.IntersectClipRect(&clip);
    dc.SetViewportOrg(m_nOffset, 0);
    dc.SetTextColor(GetSysColor(COLOR_WINDOW));
    if (m_hPaintItem != NULL)
        DrawItem(&dc, m_hPaintItem);
    else
        PaintItems(&dc);
    dc.Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

void CTLTreeCtrl::PaintItems(CDC* pDC) {
    DefWindowProc(WM_PAINT, (WPARAM)pDC->GetSafeHdc(), 0);
    CRect client;
    GetClientRect(&client);
    for (HTREEITEM hItem = GetFirstVisibleItem(); hItem != NULL;
         hItem = GetNextVisibleItem(hItem)) {
        CRect row;
        if (!GetItemRect(hItem, &row, FALSE) || row.top >= client.bottom) break;
        DrawItem(pDC, hItem);
    }
}

void CTLTreeCtrl::DrawItem(CDC* pDC, HTREEITEM hItem) {
    if (hItem == NULL) return;
    LOGFONT lf;
    RowFont(this, m_font, &lf);
    CFont font, boldFont;
    font.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    boldFont.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&font);

    CRect row, label;
    GetItemRect(hItem, &row, FALSE);
    GetItemRect(hItem, &label, TRUE);
    int nWidth0 = GetColumnWidth(0);
    row.left = label.left;
    if (m_nColumnCount >= 2 && row.left > nWidth0) row.left = nWidth0;
    row.right = m_nTotalWidth;

    CBrush window(GetSysColor(COLOR_WINDOW));
    pDC->FillRect(&row, &window);
    BOOL bSelected = IsSelected(GetItemState(hItem, TVIS_SELECTED | TVIS_DROPHILITED));
    CTLItemData* pRecord = RecordOf(hItem);
    if (!bSelected) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetBkColor(GetSysColor(COLOR_WINDOW));
        if (pRecord != NULL) pDC->SetTextColor(pRecord->m_crText);
    } else {
        CBrush highlight(GetSysColor(COLOR_HIGHLIGHT));
        pDC->FillRect(&row, &highlight);
        pDC->DrawFocusRect(&row);
        pDC->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    if (pRecord != NULL) {
        if (pRecord->m_bBold) pDC->SelectObject(&boldFont);
        DrawColumnText(pDC, pRecord->GetColumnText(0),
                       CRect(row.left + 2, row.top, nWidth0, row.bottom), nWidth0 - row.left - 2,
                       GetColumnAlign(0));
        int x = nWidth0;
        for (int c = 1; c < m_nColumnCount; c++) {
            int nWidth = GetColumnWidth(c);
            DrawColumnText(pDC, pRecord->GetColumnText(c),
                           CRect(x + 4, row.top, x + nWidth - 4, row.bottom), nWidth - 8,
                           GetColumnAlign(c));
            x += nWidth;
        }
        if (!bSelected) pDC->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    }
    pDC->SelectObject(pOldFont);
}

void CTLTreeCtrl::DrawColumnText(CDC* pDC, const CString& strText, CRect rect, int nWidth,
                                 int nAlign) {
    int a = nWidth - 4;
    CString text = strText;
    BOOL bCut = FALSE;
    while (!text.IsEmpty() && pDC->GetTextExtent(text).cx > a - 4) {
        text = text.Left(text.GetLength() - 1);
        bCut = TRUE;
    }
    if (bCut) {
        if (!text.IsEmpty()) text = text.Left(text.GetLength() - 1);
        text += "...";
    }
    rect.right = rect.left + a;
    UINT nFormat = DT_SINGLELINE | DT_VCENTER;
    if (nAlign == 2)
        nFormat |= DT_CENTER;
    else if (nAlign != 0)
        nFormat |= DT_RIGHT;
    // Without DT_NOCLIP: nothing reaches past the cell, not even the dots.
    if (!text.IsEmpty() && rect.right > rect.left) pDC->DrawText(text, &rect, nFormat);
}

// --- mouse and keys ------------------------------------------------------------------------

void CTLTreeCtrl::OnLButtonDown(UINT, CPoint point) {
    UINT nFlags = 0;
    HTREEITEM hItem = HitTest(point, &nFlags);
    if (hItem != NULL && (nFlags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT)))
        SelectItem(hItem);
    // Only column 0 holds the buttons; they lie where the painting shows them.
    if (m_nColumnCount < 1 || point.x < GetColumnWidth(0)) {
        UINT nButtonFlags = 0;
        HTREEITEM hButton = HitTest(CPoint(point.x - m_nOffset, point.y), &nButtonFlags);
        if (hButton != NULL && (nButtonFlags & TVHT_ONITEMBUTTON)) Expand(hButton, TVE_TOGGLE);
    }
    SetFocus();
    AdjustLayout();
}

void CTLTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_nColumnCount < 1 || point.x < GetColumnWidth(0)) {
        Default();
        AdjustLayout();
    }
    if (m_pFrame != NULL)
        m_pFrame->PostMessage(WM_LBUTTONDBLCLK, nFlags, GetCurrentMessage()->lParam);
    SetFocus();
}

void CTLTreeCtrl::OnRButtonDown(UINT, CPoint point) {
    HTREEITEM hItem = HitTest(point);
    if (hItem != NULL) SelectItem(hItem);
    Default();
}

void CTLTreeCtrl::OnKeyDown(UINT, UINT, UINT) {
    Default();
    AdjustLayout();
}

void CTLTreeCtrl::AdjustLayout() {
    CTLFrame* pFrame = m_pFrame;
    if (pFrame == NULL || !pFrame->HasParts()) return;
    CRect frame;
    pFrame->GetClientRect(&frame);
    int cxv = GetSystemMetrics(SM_CXVSCROLL);
    CScrollBar& bar = pFrame->m_horScrollBar;
    BOOL bBarShown = bar.IsWindowVisible();
    pFrame->SizeTree(bBarShown);
    BOOL bTreeBar = (GetStyle() & WS_VSCROLL) != 0;
    int T = m_nTotalWidth;
    int w = pFrame->TreeClientWidth();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    bar.GetScrollInfo(&info, SIF_RANGE);
    int nSpan = info.nMax - info.nMin;
    if (!bBarShown) {
        if (bTreeBar && T > w) {
            pFrame->ShowBar(TRUE);
            pFrame->SizeTree(TRUE);
            pFrame->PlaceBar(frame.Width() - cxv);
            pFrame->SetBarRange(T - pFrame->TreeClientWidth(), 0);
        }
    } else if (bTreeBar) {
        // The tree's own bar took cxv from the width the range was made for.
        pFrame->PlaceBar(frame.Width() - cxv);
        if (nSpan == T - w - cxv) pFrame->SetBarRange(info.nMax + cxv, 0);
    } else {
        pFrame->PlaceBar(frame.Width());
        if (nSpan == T - w + cxv) {
            if (info.nMax - cxv < 1) {
                pFrame->ShowBar(FALSE);
                pFrame->SizeTree(FALSE);
                pFrame->SetBarRange(0, 0);
                m_nOffset = 0;
                Invalidate();
                pFrame->PlaceHeader(0, pFrame->HeaderWidth(frame.Width()));
            } else {
                pFrame->SetBarRange(info.nMax - cxv, 0);
            }
        }
    }
}
