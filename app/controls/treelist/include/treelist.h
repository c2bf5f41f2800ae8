// The tree-list control: a tree whose rows carry several columns of text under a header
// with column titles, scrolled sideways when the columns are wider than the window.
//
// The platform's tree-view control keeps the items, their hierarchy, lines, buttons,
// expansion and selection, every item with an empty label; the control keeps the column
// texts of each item in a record of its own (CTLItemData, the item's lParam) and paints
// them over the rows. Three windows make it:
//
//   CTLFrame        the window the owner creates (class "DRAVONTREELISTCTRL") or
//                   subclasses on a dialog (AttachToDlgItem); lays out the other two
//   CTLTreeCtrl     the tree part (child id 373), with the records, painting and sorting
//   CTLHeaderCtrl   the header part (child id 337 of the frame, a member of the tree)
//   and a horizontal scroll bar (child id 377 of the frame).
//
// Threads: the windows belong to the thread that made them (the GUI thread). The item and
// column operations of CTLTreeCtrl may be called from any thread: called from another one,
// they are carried out on the GUI thread (sent to the tree as a private message, so they
// are synchronous and give the same result), and records are only ever touched there. A
// GUI thread that waits for such a worker must keep dispatching sent messages while it
// waits (MsgWaitForMultipleObjects, a message pump), or the two block each other.
#pragma once

#include "vaskfc.h"

#include <functional>
#include <map>

class CTLFrame;

// The child window ids of the parts.
#define TL_TREE_ID      373
#define TL_HEADER_ID    337
#define TL_SCROLLBAR_ID 377

// The window class of the frame.
#define TL_WINDOW_CLASS "DRAVONTREELISTCTRL"

// The record of one tree item: its column texts, the owner's value and its look.
struct CTLItemData {
    CTLItemData();
    CTLItemData(const CTLItemData& other);
    ~CTLItemData();
    CTLItemData& operator=(const CTLItemData&) = delete;

    // Column c is the run of characters between the c-th and the (c+1)-th separator
    // (column 0 before the first); a column beyond the last separator reads as "".
    CString GetColumnText(int nColumn) const;
    // Stores the text of column nColumn, appending separators when the record has fewer
    // columns. A separator inside the text is stored as a blank, so that the text stays in
    // its own column.
    void SetColumnText(int nColumn, LPCSTR lpszText);
    // The text as SetColumnText stores it.
    CString StoredText(LPCSTR lpszText) const;

    CString m_strTexts;       // all column texts, joined by the separator
    DWORD_PTR m_dwUserValue;  // the owner's value for the row (an object's address)
    char m_cSeparator;        // 0xB6
    int m_bBold;              // the row is drawn in the bold variant of the font
    COLORREF m_crText;        // colour of the row's texts when it is not selected
};

// The header part: column titles, every one owner-drawn, with an optional image each.
class CTLHeaderCtrl : public CHeaderCtrl {
public:
    CTLHeaderCtrl();
    ~CTLHeaderCtrl() override;

    // The list whose images the titles show (the header's own image list is not used);
    // returns the previous list.
    CImageList* SetImageList(CImageList* pImageList);
    // The image of a title, -1 when it has none.
    int GetItemImage(int nIndex) const;
    // Stores the image, makes the item owner-drawn and repaints the header.
    void SetItemImage(int nIndex, int nImage);
    // With the auto-fit flag: scales every column but nSkipColumn so that together they
    // fill the parent's client width (less nSkipWidth when a column is skipped).
    void FitColumns(int nSkipColumn, int nSkipWidth);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CImageList* m_pImageList;
    std::map<int, int> m_itemImages;  // header item index -> image index
    int m_bAutoFit;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};

// The sort order handed to CompareItems.
struct TLSortParam {
    int nColumn;
    BOOL bAscending;
};

// The tree part. It hides CTreeCtrl's item operations of the same names: items inserted
// here get a record; the owner may still use the CTreeCtrl members for hit tests and
// navigation.
class CTLTreeCtrl : public CTreeCtrl {
public:
    CTLTreeCtrl();
    ~CTLTreeCtrl() override;

    // --- columns ---------------------------------------------------------------------
    // nAlign 0 left, 1 right, 2 centre; nWidth in pixels, -1 for the header's default.
    // The fifth argument is accepted and ignored. Result: the new column's index, -1 on
    // failure.
    int InsertColumn(int nIndex, LPCSTR lpszText, int nAlign = 0, int nWidth = -1,
                     int nSubItem = -1);
    // One left-aligned column of width 250 per comma-separated piece of string nID.
    void InsertColumnsFromString(UINT nID);
    // Without an item: removes the header column and empties that column's text of every
    // item; with one, only empties the texts of hItem, its following siblings and their
    // descendants. Later columns keep their numbers. Result: nonzero when a header column
    // was removed.
    BOOL DeleteColumn(int nColumn, HTREEITEM hItem = NULL);
    int GetColumnCount() const;
    int GetColumnWidth(int nColumn) const;  // 0 when there is no such column
    int GetColumnAlign(int nColumn) const;  // 1 right, 2 centre, else 0
    int GetTotalColumnWidth() const;
    void RecalcTotalWidth();

    // --- items -----------------------------------------------------------------------
    HTREEITEM InsertItem(LPCSTR lpszText, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItemWithImages(LPCSTR lpszText, int nImage, int nSelectedImage,
                                   HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItemEx(UINT nMask, LPCSTR lpszText, int nImage, int nSelectedImage, UINT nState,
                           UINT nStateMask, DWORD_PTR dwUserValue, HTREEITEM hParent,
                           HTREEITEM hInsertAfter);
    // 1 at once when the column already holds the text; else the write's result; 0 for an
    // item without a record.
    BOOL SetItemText(HTREEITEM hItem, int nColumn, LPCSTR lpszText);
    CString GetItemText(HTREEITEM hItem, int nColumn) const;
    CString GetItemTextByIndex(int nIndex, int nColumn) const;
    BOOL SetItemUserValue(HTREEITEM hItem, DWORD_PTR dwValue);
    DWORD_PTR GetItemUserValue(HTREEITEM hItem) const;
    // The row's text colour; 1 when unchanged, 0 without a record or when the write fails.
    BOOL SetItemMark(HTREEITEM hItem, COLORREF crText, BOOL bRepaint = TRUE);
    BOOL SetItemBold(HTREEITEM hItem, BOOL bBold, BOOL bRepaint = TRUE);
    void ExpandItem(HTREEITEM hItem, int bExpand);
    // The root placeholder (TVI_ROOT) counts as expanded, a null item as not.
    BOOL IsItemExpanded(HTREEITEM hItem) const;
    // Only items with a record; the records of the item and its children are freed.
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteItemByIndex(int nIndex);
    // Frees every record and removes every item; the header's columns stay (callers delete
    // them first), the column count and total width become 0.
    void DeleteAll();
    // Only for an item without children (else NULL): a copy of its record under hParent.
    HTREEITEM CopyItem(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM MoveItem(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter);
    // The index-th top-level item (NULL when there are fewer); the position of a top-level
    // item (the number of top-level items when hItem is not one of them).
    HTREEITEM GetItemByIndex(int nIndex) const;
    int GetItemIndex(HTREEITEM hItem) const;

    // --- sorting and painting -------------------------------------------------------
    void EnableSort(BOOL bEnable);
    BOOL IsSortEnabled() const;
    // Sorts the children of hParent (NULL: the top level) when sorting is enabled; 0 when
    // it is not.
    BOOL SortItems(int nColumn, BOOL bAscending, HTREEITEM hParent = NULL);
    // Texts with the same letters before their first digits compare by the number that
    // follows ("x9" before "x10"); otherwise without regard to letter case.
    static int CALLBACK CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    // Stores the redraw flag (0: the next paint request does nothing) and sends
    // WM_SETREDRAW with it.
    void SetRedraw(BOOL bRedraw = TRUE);
    // The row of hItem with its column texts (nothing for a null item).
    void DrawItem(CDC* pDC, HTREEITEM hItem);
    // The tree-view's own painting, then the rows of the visible items.
    void PaintItems(CDC* pDC);
    // One cell's text, cut to "..." when it is wider than the cell.
    void DrawColumnText(CDC* pDC, const CString& strText, CRect rect, int nWidth, int nAlign);

    // The frame's layout check after input; nothing without a frame.
    void AdjustLayout();

    CTLHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }
    CTLFrame* GetFrame() const { return m_pFrame; }
    // 0 or negative: the x origin of the painting, the negated scroll position.
    int GetHorizontalOffset() const { return m_nOffset; }

    int m_nColumnCount;
    int m_nTotalWidth;
    int m_nItemCount;  // items inserted minus items deleted through the control
    CTLFrame* m_pFrame;
    CTLHeaderCtrl m_wndHeader;
    CFont m_font;  // the parent window's font, used by header and rows
    CImageList m_imageList;
    int m_nOffset;
    PAINTSTRUCT m_ps;
    int m_bSortEnabled;
    HTREEITEM m_hPaintItem;  // when set, a paint draws only this item
    int m_bRedraw;

protected:
    // The record of an item, NULL when it has none. Every access of the control to a
    // record goes through here (GUI thread).
    CTLItemData* RecordOf(HTREEITEM hItem) const;
    // Writes the record back as the item's parameter.
    BOOL WriteRecord(HTREEITEM hItem, CTLItemData* pRecord);
    // Frees the records of hItem, its following siblings and all their descendants and
    // clears their parameters.
    void FreeItemRecords(HTREEITEM hItem);
    void ClearColumn(int nColumn, HTREEITEM hItem);
    HTREEITEM InsertRecord(CTLItemData* pRecord, UINT nMask, int nImage, int nSelectedImage,
                           UINT nState, UINT nStateMask, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM CopyOrMove(HTREEITEM hItem, HTREEITEM hParent, HTREEITEM hInsertAfter, BOOL bMove);
    // Applies change to the record of hItem (false: nothing changed, 1 at once), writes the
    // record back and repaints when asked.
    BOOL ChangeLook(HTREEITEM hItem, BOOL bRepaint,
                    const std::function<bool(CTLItemData&)>& change);
    // Runs call on the thread of the tree's window and returns its result.
    template <class Call>
    auto OnGuiThread(Call call) const -> decltype(call());

    void OnPaint();
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnItemCall(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CTLFrame;
};

// The frame: header, tree and horizontal scroll bar.
class CTLFrame : public CWnd {
public:
    CTLFrame();
    ~CTLFrame() override;

    // Registers the window class "DRAVONTREELISTCTRL" (once; later calls give the same
    // atom). Note that <windows.h> names this member RegisterClassA.
    static ATOM RegisterClass();
    // Subclasses control nID of pParent as the frame and creates its parts; 0 when the
    // control cannot be subclassed (nothing is created then).
    BOOL AttachToDlgItem(UINT nID, CWnd* pParent);
    // Creates header, tree and scroll bar in the frame's window and lays them out.
    BOOL Initialize();
    // Lays out after a column or item change.
    void RecalcLayout();
    // For hItem and each following sibling with children: sorts its children, then
    // recurses into its first child.
    void SortRecursive(int nColumn, BOOL bAscending, HTREEITEM hItem);

    CTLTreeCtrl& GetTreeCtrl() { return m_tree; }
    CScrollBar& GetScrollBar() { return m_horScrollBar; }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CTLTreeCtrl m_tree;
    CScrollBar m_horScrollBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    BOOL HasParts() const;
    int HeaderHeight() const;
    int HeaderLeft() const;
    // The tree below the header at the frame's width, above the bar when bAboveBar.
    void SizeTree(BOOL bAboveBar);
    int TreeClientWidth() const;
    // The header's width: the frame's width, or the multiple of nDivisor above the total
    // column width when that is wider; the frame's width for a divisor of 0.
    int HeaderWidth(int nDivisor) const;
    void PlaceHeader(int x, int nWidth);
    void PlaceBar(int nWidth);
    void SetBarRange(int nMax, int nPage);
    void ShowBar(BOOL bShow);
    // The layout of a new frame size (WM_SIZE).
    void LayoutForSize();
    // The rows and the header follow the bar's position.
    void FollowBarPosition();
    void OnHeaderItemClick(int nColumn);
    void OnHeaderItemChanged();

    friend class CTLTreeCtrl;
};
