// Wrappers of the common controls: tree, list, header, image list, tool tips, progress bar,
// scroll bar and the tool-bar control. Each member is one control message and returns what
// the control returned. Owner-drawn lists and headers get WM_DRAWITEM back from their parent
// as DrawItem.
#pragma once

#include "vaskfc_wnd.h"

class CBitmap;
class CDC;
class CImageList;

// --- CImageList --------------------------------------------------------------------------

class VASKFC_API CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    ~CImageList() override;  // destroys an attached list

    // The attached object of the calling thread, else a temporary one; NULL for NULL.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // From a bitmap of the resource chain: images cx wide, the colour crMask transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HBITMAP hbmImage, HBITMAP hbmMask) {
        return ImageList_Add(m_hImageList, hbmImage, hbmMask);
    }
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, HICON hIcon) {
        return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) != -1;
    }
    HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(NULL, m_hImageList, nImage); }
    BOOL SetOverlayImage(int nImage, int nOverlay) {
        return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
    }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL Draw(HDC hDC, int nImage, POINT pt, UINT nStyle) {
        return ImageList_Draw(m_hImageList, nImage, hDC, pt.x, pt.y, nStyle);
    }

    HIMAGELIST m_hImageList;
};

// --- CToolTipCtrl -------------------------------------------------------------------------

class VASKFC_API CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl();
    // A tool-tip window owned by pParentWnd's top-level window.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    // A tool for the whole client area of pWnd (or lpRectTool) with id nIDTool; a text of
    // LPSTR_TEXTCALLBACK asks pWnd with TTN_NEEDTEXT.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL,
                 UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    BOOL GetToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFOA lpToolInfo) {
        SendMessage(TTM_SETTOOLINFOA, 0, (LPARAM)lpToolInfo);
    }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, nDelay); }
    void SetDelayTime(DWORD dwDuration, int iTime) {
        SendMessage(TTM_SETDELAYTIME, dwDuration, iTime);
    }
    int GetDelayTime(DWORD dwDuration) const {
        return (int)::SendMessageA(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0);
    }
    int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
    int GetMaxTipWidth() const { return (int)::SendMessageA(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0); }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr); }
    void Pop() { SendMessage(TTM_POP); }

protected:
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};

// --- CProgressCtrl --------------------------------------------------------------------------

class VASKFC_API CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    CProgressCtrl();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper) {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
    }
    void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const { return (int)::SendMessageA(m_hWnd, PBM_GETPOS, 0, 0); }
    int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos); }
    int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, nPos); }
    int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, nStep); }
    int StepIt() { return (int)SendMessage(PBM_STEPIT); }
    COLORREF SetBarColor(COLORREF clr) { return (COLORREF)SendMessage(PBM_SETBARCOLOR, 0, clr); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)SendMessage(PBM_SETBKCOLOR, 0, clr); }
};

// --- CScrollBar ---------------------------------------------------------------------------

class VASKFC_API CScrollBar : public CWnd {
    DECLARE_DYNCREATE(CScrollBar)
public:
    CScrollBar();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // The scroll-bar object of a WM_HSCROLL or WM_VSCROLL (NULL for a window's own bar):
    // the permanent one when it is a scroll bar, else a temporary one of the calling thread.
    static CScrollBar* PASCAL FromHandleScrollBar(HWND hWnd);

    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE) {
        return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
    }
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
        ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
    }
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
        ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
    }
    void ShowScrollBar(BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
    BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) {
        return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
    }
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    // The largest position the bar can take: its maximum less its page plus one.
    int GetScrollLimit();
};

// --- CHeaderCtrl --------------------------------------------------------------------------

class VASKFC_API CHeaderCtrl : public CWnd {
    DECLARE_DYNCREATE(CHeaderCtrl)
public:
    CHeaderCtrl();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMA, nPos, (LPARAM)pHeaderItem);
    }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem) {
        return (BOOL)SendMessage(HDM_SETITEMA, nPos, (LPARAM)pHeaderItem);
    }
    int InsertItem(int nPos, HDITEMA* phdi) {
        return (int)SendMessage(HDM_INSERTITEMA, nPos, (LPARAM)phdi);
    }
    BOOL DeleteItem(int nPos) { return (BOOL)SendMessage(HDM_DELETEITEM, nPos); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) {
        return (BOOL)SendMessage(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout);
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return (BOOL)::SendMessageA(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect);
    }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) {
        return (int)SendMessage(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo);
    }

    // Draws an owner-drawn item (HDF_OWNERDRAW); the parent's WM_DRAWITEM comes here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// --- CTreeCtrl ----------------------------------------------------------------------------

class VASKFC_API CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct) {
        return (HTREEITEM)SendMessage(TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct);
    }
    HTREEITEM InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCSTR lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage,
                         HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) {
        return (BOOL)SendMessage(TVM_EXPAND, nCode, (LPARAM)hItem);
    }

    UINT GetCount() const { return (UINT)::SendMessageA(m_hWnd, TVM_GETCOUNT, 0, 0); }
    UINT GetVisibleCount() const { return (UINT)::SendMessageA(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0); }
    UINT GetIndent() const { return (UINT)::SendMessageA(m_hWnd, TVM_GETINDENT, 0, 0); }
    void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
        return (HTREEITEM)::SendMessageA(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
    }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_PREVIOUS);
    }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetFirstVisibleItem() const { return GetNextItem(NULL, TVGN_FIRSTVISIBLE); }
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_NEXTVISIBLE);
    }
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const {
        return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE);
    }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    HTREEITEM GetDropHilightItem() const { return GetNextItem(NULL, TVGN_DROPHILITE); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;

    BOOL GetItem(TVITEMA* pItem) const {
        return (BOOL)::SendMessageA(m_hWnd, TVM_GETITEMA, 0, (LPARAM)pItem);
    }
    BOOL SetItem(TVITEMA* pItem) { return (BOOL)SendMessage(TVM_SETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(HTREEITEM hItem, UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage,
                 UINT nState, UINT nStateMask, LPARAM lParam);
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR lpszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;

    BOOL Select(HTREEITEM hItem, UINT nCode) {
        return (BOOL)SendMessage(TVM_SELECTITEM, nCode, (LPARAM)hItem);
    }
    BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
    BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
    BOOL SelectSetFirstVisible(HTREEITEM hItem) { return Select(hItem, TVGN_FIRSTVISIBLE); }
    BOOL EnsureVisible(HTREEITEM hItem) {
        return (BOOL)SendMessage(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem);
    }
    CWnd* EditLabel(HTREEITEM hItem) {
        return FromHandle((HWND)SendMessage(TVM_EDITLABELA, 0, (LPARAM)hItem));
    }
    CWnd* GetEditControl() const {
        return FromHandle((HWND)::SendMessageA(m_hWnd, TVM_GETEDITCONTROL, 0, 0));
    }
    HTREEITEM HitTest(POINT pt, UINT* pFlags = NULL) const;
    HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
        return (HTREEITEM)::SendMessageA(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo);
    }
    CImageList* GetImageList(UINT nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    BOOL SortChildren(HTREEITEM hItem) {
        return (BOOL)SendMessage(TVM_SORTCHILDREN, 0, (LPARAM)hItem);
    }
    BOOL SortChildrenCB(LPTVSORTCB pSort) {
        return (BOOL)SendMessage(TVM_SORTCHILDRENCB, 0, (LPARAM)pSort);
    }
    COLORREF GetBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, TVM_GETBKCOLOR, 0, 0); }
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETBKCOLOR, 0, clr); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)SendMessage(TVM_SETTEXTCOLOR, 0, clr); }
    int GetItemHeight() const { return (int)::SendMessageA(m_hWnd, TVM_GETITEMHEIGHT, 0, 0); }
    int SetItemHeight(int cyHeight) { return (int)SendMessage(TVM_SETITEMHEIGHT, cyHeight); }
};

// --- CListCtrl ----------------------------------------------------------------------------

class VASKFC_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns.
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn) {
        return (int)SendMessage(LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn);
    }
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, nCol); }
    BOOL GetColumn(int nCol, LVCOLUMNA* pColumn) const {
        return (BOOL)::SendMessageA(m_hWnd, LVM_GETCOLUMNA, nCol, (LPARAM)pColumn);
    }
    BOOL SetColumn(int nCol, const LVCOLUMNA* pColumn) {
        return (BOOL)SendMessage(LVM_SETCOLUMNA, nCol, (LPARAM)pColumn);
    }
    int GetColumnWidth(int nCol) const {
        return (int)::SendMessageA(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0);
    }
    BOOL SetColumnWidth(int nCol, int cx) {
        return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
    }
    CHeaderCtrl* GetHeaderCtrl() const;

    // Items.
    int InsertItem(const LVITEMA* pItem) {
        return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)pItem);
    }
    int InsertItem(int nItem, LPCSTR lpszItem);
    int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(LVITEMA* pItem) const {
        return (BOOL)::SendMessageA(m_hWnd, LVM_GETITEMA, 0, (LPARAM)pItem);
    }
    BOOL SetItem(const LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                 UINT nStateMask, LPARAM lParam);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const {
        return (UINT)::SendMessageA(m_hWnd, LVM_GETITEMSTATE, nItem, nMask);
    }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEMA* pItem) {
        return (BOOL)SendMessage(LVM_SETITEMSTATE, nItem, (LPARAM)pItem);
    }
    int GetNextItem(int nItem, int nFlags) const {
        return (int)::SendMessageA(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
    }
    UINT GetSelectedCount() const {
        return (UINT)::SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0);
    }
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, RECT& rect) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const {
        return (int)::SendMessageA(m_hWnd, LVM_HITTEST, 0, (LPARAM)pHitTestInfo);
    }
    int HitTest(POINT pt, UINT* pFlags = NULL) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) {
        return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo);
    }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
        return (BOOL)SendMessage(LVM_ENSUREVISIBLE, nItem, MAKELPARAM(bPartialOK, 0));
    }
    int GetTopIndex() const { return (int)::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0); }
    int GetCountPerPage() const { return (int)::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0); }
    BOOL RedrawItems(int nFirst, int nLast) {
        return (BOOL)SendMessage(LVM_REDRAWITEMS, nFirst, nLast);
    }
    BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, nItem); }
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
        return (BOOL)SendMessage(LVM_SORTITEMS, dwData, (LPARAM)pfnCompare);
    }
    CWnd* EditLabel(int nItem) { return FromHandle((HWND)SendMessage(LVM_EDITLABELA, nItem)); }
    CWnd* GetEditControl() const {
        return FromHandle((HWND)::SendMessageA(m_hWnd, LVM_GETEDITCONTROL, 0, 0));
    }
    int GetStringWidth(LPCSTR lpsz) const {
        return (int)::SendMessageA(m_hWnd, LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz);
    }

    // Look.
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF GetBkColor() const { return (COLORREF)::SendMessageA(m_hWnd, LVM_GETBKCOLOR, 0, 0); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, cr); }
    COLORREF GetTextBkColor() const {
        return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTBKCOLOR, 0, 0);
    }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, cr); }
    COLORREF GetTextColor() const {
        return (COLORREF)::SendMessageA(m_hWnd, LVM_GETTEXTCOLOR, 0, 0);
    }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, cr); }
    DWORD GetExtendedStyle() const {
        return (DWORD)::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    }
    DWORD SetExtendedStyle(DWORD dwNewStyle) {
        return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
    }

    // Draws an owner-drawn row (LVS_OWNERDRAWFIXED); the parent's WM_DRAWITEM comes here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// --- CToolBarCtrl: the tool-bar control under CToolBar -------------------------------------

class VASKFC_API CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl();

    BOOL EnableButton(int nID, BOOL bEnable = TRUE) {
        return (BOOL)SendMessage(TB_ENABLEBUTTON, nID, MAKELPARAM(bEnable, 0));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE) {
        return (BOOL)SendMessage(TB_CHECKBUTTON, nID, MAKELPARAM(bCheck, 0));
    }
    BOOL PressButton(int nID, BOOL bPress = TRUE) {
        return (BOOL)SendMessage(TB_PRESSBUTTON, nID, MAKELPARAM(bPress, 0));
    }
    BOOL HideButton(int nID, BOOL bHide = TRUE) {
        return (BOOL)SendMessage(TB_HIDEBUTTON, nID, MAKELPARAM(bHide, 0));
    }
    BOOL IsButtonEnabled(int nID) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_ISBUTTONENABLED, nID, 0);
    }
    BOOL IsButtonChecked(int nID) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_ISBUTTONCHECKED, nID, 0);
    }
    BOOL IsButtonPressed(int nID) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_ISBUTTONPRESSED, nID, 0);
    }
    BOOL IsButtonHidden(int nID) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_ISBUTTONHIDDEN, nID, 0);
    }
    int GetState(int nID) const { return (int)::SendMessageA(m_hWnd, TB_GETSTATE, nID, 0); }
    BOOL SetState(int nID, UINT nState) {
        return (BOOL)SendMessage(TB_SETSTATE, nID, MAKELPARAM(nState, 0));
    }
    int GetButtonCount() const { return (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0); }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)lpButton);
    }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const {
        return (BOOL)::SendMessageA(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect);
    }
    int CommandToIndex(UINT nID) const {
        return (int)::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, nID, 0);
    }
    int HitTest(LPPOINT ppt) const {
        return (int)::SendMessageA(m_hWnd, TB_HITTEST, 0, (LPARAM)ppt);
    }
    HWND GetToolTips() const { return (HWND)::SendMessageA(m_hWnd, TB_GETTOOLTIPS, 0, 0); }
};
