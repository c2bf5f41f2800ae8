// Wrappers of the common controls.
#include "handlemap.h"

#include <vector>

IMPLEMENT_DYNCREATE(CImageList, CObject)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNCREATE(CScrollBar, CWnd)
IMPLEMENT_DYNCREATE(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

namespace {

void InitControls() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    InitOnceExecuteOnce(
        &once,
        [](PINIT_ONCE, PVOID, PVOID*) -> BOOL {
            INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                        ICC_PROGRESS_CLASS | ICC_TREEVIEW_CLASSES |
                                                        ICC_LISTVIEW_CLASSES};
            InitCommonControlsEx(&icc);
            return TRUE;
        },
        NULL, NULL);
}

// An owner-drawn item that the control's parent handed back: the control draws it.
template <class Control>
BOOL DrawnItem(Control* pControl, LPARAM lParam, LRESULT* pResult) {
    pControl->DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL) *pResult = TRUE;
    return TRUE;
}

BOOL CreateControl(CWnd* pWnd, LPCSTR lpszClass, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID) {
    InitControls();
    return pWnd->CWnd::Create(lpszClass, NULL, dwStyle, rect, pParentWnd, nID);
}

void SetImageListHandle(CObject* pObject, void* h) {
    static_cast<CImageList*>(pObject)->m_hImageList = (HIMAGELIST)h;
}

CImageList* FindAttachedList(HIMAGELIST h) {
    return static_cast<CImageList*>(vfc::ImageListMap().Owner(h));
}

}  // namespace

// --- CImageList -----------------------------------------------------------------------

CImageList::CImageList() : m_hImageList(NULL) {}

CImageList::~CImageList() {
    if (m_hImageList != NULL && FindAttachedList(m_hImageList) == this) DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
    return static_cast<CImageList*>(
        vfc::ImageListMap().FromHandle(hImageList, RUNTIME_CLASS(CImageList), SetImageListHandle));
}

void PASCAL CImageList::DeleteTempMap() { vfc::ImageListMap().DeleteTemp(); }

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    if (hImageList == NULL || m_hImageList != NULL || FindAttachedList(hImageList) != NULL)
        return FALSE;
    if (!vfc::ImageListMap().Claim(hImageList, this)) return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST h = m_hImageList;
    if (h != NULL) vfc::ImageListMap().Release(h, this);
    m_hImageList = NULL;
    return h;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    InitControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
    InitControls();
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, (LPCSTR)RT_BITMAP);
    return Attach(ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
    return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == NULL) return FALSE;
    BOOL bAttached = FindAttachedList(m_hImageList) == this;
    HIMAGELIST h = bAttached ? Detach() : m_hImageList;
    m_hImageList = NULL;
    return ImageList_Destroy(h);
}

// --- CProgressCtrl --------------------------------------------------------------------

CProgressCtrl::CProgressCtrl() {}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, PROGRESS_CLASSA, dwStyle, rect, pParentWnd, nID);
}

void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
    PBRANGE range = {};
    ::SendMessageA(m_hWnd, PBM_GETRANGE, FALSE, (LPARAM)&range);
    nLower = range.iLow;
    nUpper = range.iHigh;
}

// --- CScrollBar -----------------------------------------------------------------------

CScrollBar::CScrollBar() {}

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("SCROLLBAR", NULL, dwStyle, rect, pParentWnd, nID);
}

CScrollBar* PASCAL CScrollBar::FromHandleScrollBar(HWND hWnd) {
    return (CScrollBar*)vfc::WindowOfClass(hWnd, RUNTIME_CLASS(CScrollBar));
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) {
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit() { return CWnd::GetScrollLimit(SB_CTL); }

// --- CHeaderCtrl ----------------------------------------------------------------------

CHeaderCtrl::CHeaderCtrl() {}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, WC_HEADERA, dwStyle, rect, pParentWnd, nID);
}

CImageList* CHeaderCtrl::GetImageList() const {
    return CImageList::FromHandle((HIMAGELIST)::SendMessageA(m_hWnd, HDM_GETIMAGELIST, 0, 0));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList) {
    HIMAGELIST h = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle((HIMAGELIST)SendMessage(HDM_SETIMAGELIST, 0, (LPARAM)h));
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return DrawnItem(this, lParam, pResult);
}

// --- CTreeCtrl ------------------------------------------------------------------------

CTreeCtrl::CTreeCtrl() {}

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, WC_TREEVIEWA, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    TVINSERTSTRUCTA tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter) {
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const {
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_CHILDREN;
    ::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item);
    return item.cChildren;
}

BOOL CTreeCtrl::SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszItem, int nImage,
                        int nSelectedImage, UINT nState, UINT nStateMask, LPARAM lParam) {
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = nMask;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const {
    // The text may be longer than a first guess: grow until it fits.
    for (int nLen = 256;; nLen *= 4) {
        std::vector<char> buffer((size_t)nLen + 1, '\0');
        TVITEMA item = {};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = buffer.data();
        item.cchTextMax = nLen + 1;
        if (!::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)&item) || item.pszText == NULL)
            return CString();
        // The control may hand its own buffer instead.
        int nGot = lstrlenA(item.pszText);
        if (item.pszText != buffer.data() || nGot < nLen || nLen >= 65536)
            return CString(item.pszText);
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR lpszItem) {
    return SetItem(hItem, TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const {
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    BOOL bOk = GetItem(&item);
    if (bOk) {
        nImage = item.iImage;
        nSelectedImage = item.iSelectedImage;
    }
    return bOk;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
    return SetItem(hItem, TVIF_IMAGE | TVIF_SELECTEDIMAGE, NULL, nImage, nSelectedImage, 0, 0, 0);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_STATE;
    item.stateMask = nStateMask;
    GetItem(&item);
    return item.state & nStateMask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
    return SetItem(hItem, TVIF_STATE, NULL, 0, 0, nState, nStateMask, 0);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const {
    TVITEMA item = {};
    item.hItem = hItem;
    item.mask = TVIF_PARAM;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData) {
    return SetItem(hItem, TVIF_PARAM, NULL, 0, 0, 0, 0, (LPARAM)dwData);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    *(HTREEITEM*)lpRect = hItem;  // the control reads the item from the rectangle
    return (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMRECT, (WPARAM)bTextOnly, (LPARAM)lpRect);
}

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* pFlags) const {
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM h = HitTest(&hti);
    if (pFlags != NULL) *pFlags = hti.flags;
    return h;
}

CImageList* CTreeCtrl::GetImageList(UINT nImageList) const {
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessageA(m_hWnd, TVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    HIMAGELIST h = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle(
        (HIMAGELIST)SendMessage(TVM_SETIMAGELIST, nImageListType, (LPARAM)h));
}

// --- CListCtrl ------------------------------------------------------------------------

CListCtrl::CListCtrl() {}

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, WC_LISTVIEWA, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    HWND hWndHeader = (HWND)::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0);
    return (CHeaderCtrl*)vfc::WindowOfClass(hWndHeader, RUNTIME_CLASS(CHeaderCtrl));
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam) {
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem) {
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage,
                        UINT nState, UINT nStateMask, LPARAM lParam) {
    LVITEMA item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    CString text;
    for (int nLen = 256;; nLen *= 4) {
        LVITEMA item = {};
        item.iSubItem = nSubItem;
        item.cchTextMax = nLen + 1;
        item.pszText = text.GetBuffer(nLen);
        int n = (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
        text.ReleaseBuffer(n);
        if (n < nLen || nLen >= 65536) return text;
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.cchTextMax = nLen;
    item.pszText = lpszText;
    return (int)::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEMA item = {};
    item.iItem = nItem;
    item.mask = LVIF_PARAM;
    GetItem(&item);
    return (DWORD_PTR)item.lParam;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    return SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, (LPARAM)dwData);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, RECT& rect) const {
    rect.top = nSubItem;
    rect.left = nArea;
    return (BOOL)::SendMessageA(m_hWnd, LVM_GETSUBITEMRECT, nItem, (LPARAM)&rect);
}

int CListCtrl::HitTest(POINT pt, UINT* pFlags) const {
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int n = HitTest(&hti);
    if (pFlags != NULL) *pFlags = hti.flags;
    return n;
}

CImageList* CListCtrl::GetImageList(int nImageList) const {
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessageA(m_hWnd, LVM_GETIMAGELIST, nImageList, 0));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    HIMAGELIST h = pImageList != NULL ? pImageList->m_hImageList : NULL;
    return CImageList::FromHandle(
        (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, nImageListType, (LPARAM)h));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    return DrawnItem(this, lParam, pResult);
}

// --- CToolBarCtrl ---------------------------------------------------------------------

CToolBarCtrl::CToolBarCtrl() {}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, (HBITMAP)CGdiObject::GetSafeHandle(pbmImage),
                         (HBITMAP)CGdiObject::GetSafeHandle(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, (HBITMAP)CGdiObject::GetSafeHandle(pbmImage), crMask);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, CDC::GetSafeHdc(pDC), pt.x, pt.y, nStyle);
}
