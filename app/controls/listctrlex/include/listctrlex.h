// The program's report list: CListCtrlEx keeps a record behind every row (the caller's row
// value and one tip text per column), fills columns and rows from comma-separated texts of
// the string table and widens columns to their texts, draws its rows itself with the
// selection across the whole row, and shows a tool tip per cell. CListViewEx is a view that
// fills its client area with one CListCtrlEx and passes the list's notifications on to its
// own parent as its own.
//
// Row values: the lParam given when a row is inserted becomes the row's value, read and
// changed with GetItemValue and SetItemValue (the list's own item data points to the row's
// record), and is handed back in the lParam of the row's LVN_DELETEITEM.
#pragma once

#include "vaskfc.h"

#include <set>

// The record behind one row; the list owns it from the row's insertion to its deletion.
class CListItemData {
public:
    explicit CListItemData(int value = 0) : m_nValue(value) {}
    virtual ~CListItemData() {}

    int m_nValue;           // the caller's row value
    CStringArray m_aTexts;  // the tip text of each column, index = column
};

class CListCtrlEx : public CListCtrl {
    DECLARE_DYNCREATE(CListCtrlEx)
public:
    CListCtrlEx();
    ~CListCtrlEx() override;

    // Adds (true) or removes the owner-drawn style; a report list is then repainted whole.
    // Whether the style changed.
    BOOL SetOwnerDrawn(bool bOwnerDrawn);
    BOOL GetOwnerDrawn() const { return m_bOwnerDrawn; }

    // One left-aligned column per comma-separated piece of the string, from column 0 on,
    // each as wide as its text + 15; the selection stays shown without the focus.
    void InsertColumnsFromString(UINT nStringId);
    // A column as wide as its text + 15 at nIndex; nSubItem -1 takes the index.
    int InsertColumnFit(LPCSTR lpszText, int nIndex, int nSubItem = -1,
                        UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM,
                        int nFormat = LVCFMT_LEFT);
    // The library's insertion and deletion of columns; the rows' tip texts follow them.
    int InsertColumn(int nCol, const LVCOLUMNA* pColumn);
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    void DeleteAllItemsAndColumns();

    // One row per comma-separated piece of the string (row i shows piece i); tool tips on.
    void InsertItemsFromString(UINT nStringId);
    // With nSubItem 0 and bUpdate 0 a new row at nItem (with the image unless -1); else the
    // cell's text, set only when it differs. The column is widened to the text + 15 when
    // it is narrower. The new row's index, or whether the cell was set.
    int SetItemTextFitColumn(int nItem, int nSubItem, LPCSTR lpszText, int nImage = -1,
                             int bUpdate = 0);

    void SetItemTipText(int nItem, int nColumn, LPCSTR lpszText);
    CString GetItemTipText(int nItem, int nColumn) const;
    // Whether the row has a record.
    BOOL SetItemValue(int nItem, int nValue);
    // 0 for a row without a record.
    int GetItemValue(int nItem) const;

    int GetFirstSelectedItem() const;
    // Selects the row (others stay selected), scrolls it into view and repaints the
    // selection; -1 for -1, else the row.
    int SelectItem(int nItem, int nSubItem = 0);
    void RepaintSelectedItems();

    // The cell of the report view under the point: its row (-1 for none), column and
    // rectangle (clipped to the client area).
    int CellRectFromPoint(CPoint point, RECT* pCellRect, int* pColumn) const;
    // The text shortened with "..." so that its width + nOffset fits nColumnWidth.
    static CString MakeShortString(CDC* pDC, const CString& text, int nColumnWidth, int nOffset,
                                   BOOL* pShortened = NULL);

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int m_bOwnerDrawn;         // the list draws its rows itself, selection across the row
    int m_bClientWidthSel;     // the selection reaches the client area's right edge
    int m_cxClient;            // client width
    int m_cxStateImageOffset;  // width of a state image, 0 without a state image list
    COLORREF m_clrTextBk;      // fills the rows that are not selected
    COLORREF m_clrBkgnd;       // the background of the rows' icons

protected:
    void PreSubclassWindow() override;

    BOOL IsReportView() const { return (GetStyle() & LVS_TYPEMASK) == LVS_REPORT; }
    // The row's record, or NULL when its item data is none of this list's records.
    CListItemData* Record(int nItem) const;
    // Widens the column to the text + 15 when it is narrower.
    void FitColumn(int nColumn, LPCSTR lpszText);
    // After a column was inserted at nCol (-1: none was) or deleted there.
    void ColumnInserted(int nCol);
    void RepaintBand(int nItem);

    BOOL OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnDestroy();
    LRESULT OnSetImageList(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);

    // The records this list made and has not deleted yet.
    std::set<CListItemData*> m_records;

    DECLARE_MESSAGE_MAP()
};

// A view whose client area is one CListCtrlEx (control id 1000). The list's notifications
// reach the view's parent as the view's own: sender the view's window and control id.
class CListViewEx : public CView {
    DECLARE_DYNCREATE(CListViewEx)
public:
    enum { IDC_LIST = 1000 };

    CListViewEx();
    ~CListViewEx() override;

    CDocument* GetDocument() const { return m_pDocument; }
    void OnDraw(CDC* pDC) override;

    CListCtrlEx m_wndList;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);

    DECLARE_MESSAGE_MAP()
};
