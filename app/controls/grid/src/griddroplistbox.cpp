// CGridDropListBox: the drop-list cell type's pop-up list.
#include "griddroplistbox.h"

#include "gridcellarea.h"
#include "gridcelltype.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridDropListBox, CListBox)
ON_WM_KILLFOCUS()
ON_WM_MOUSEACTIVATE()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CGridDropListBox::CGridDropListBox()
    : m_pGrid(NULL),
      m_bActive(0),
      m_pOpenCol(NULL),
      m_pOpenRow(NULL),
      m_bChosen(0),
      m_nTypeIndex(0),
      m_bClosing(0) {}

CGridDropListBox::~CGridDropListBox() {
    if (m_hWnd != NULL) {
        m_bClosing = 1;
        DestroyWindow();
    }
}

void CGridDropListBox::OnSetFocus(CWnd*) {
    Default();
    // Every click now comes here: a release anywhere chooses.
    ::ReleaseCapture();
    SetCapture();
    m_bActive = 1;
    m_bChosen = 0;
}

void CGridDropListBox::OnKillFocus(CWnd*) {
    // The list's own destruction takes its focus: that focus loss must not destroy it again.
    if (m_bClosing) return;
    Default();
    Close();
}

void CGridDropListBox::Close() {
    if (m_bClosing || m_hWnd == NULL) return;
    m_bClosing = 1;
    // Closed by a key it still has the focus: the keyboard goes on in the cell area.
    const BOOL bHadFocus = ::GetFocus() == m_hWnd;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    DestroyWindow();
    m_bClosing = 0;
    m_bActive = 0;
    if (!m_bChosen) {
        if (m_pOpenCol != NULL) *m_pOpenCol = -2;
        if (m_pOpenRow != NULL) *m_pOpenRow = -2;
    }
    m_bChosen = 0;
    CWnd* pCells = m_pGrid != NULL ? m_pGrid->GetCellArea() : NULL;
    if (pCells != NULL && pCells->m_hWnd != NULL) {
        if (bHadFocus && ::GetFocus() == NULL) pCells->SetFocus();
        pCells->UpdateWindow();
    }
}

int CGridDropListBox::OnMouseActivate(CWnd*, UINT, UINT) { return MA_ACTIVATE; }

void CGridDropListBox::OnLButtonUp(UINT, CPoint) {
    Default();
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_hWnd != NULL && GetCurSel() != LB_ERR) ChooseSelected();
}

void CGridDropListBox::OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == VK_ESCAPE) {
        Close();
        return;
    }
    if (nChar == VK_RETURN) {
        if (GetCurSel() != LB_ERR)
            ChooseSelected();
        else
            Close();
        // Closed (or closing): nothing more happens on the window.
        if (m_hWnd == NULL || m_bClosing || !m_bActive) return;
    }
    Default();
}

UINT CGridDropListBox::OnGetDlgCode() {
    return (UINT)Default() | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void CGridDropListBox::ChooseSelected() {
    const int nCol = m_pOpenCol != NULL ? *m_pOpenCol : -1;
    const int nRow = m_pOpenRow != NULL ? *m_pOpenRow : -1;
    m_bChosen = 1;
    CString text;
    GetText(GetCurSel(), text);
    if (m_pGrid != NULL && nCol >= 0 && nRow >= 0 &&
        m_pGrid->OnCellTypeNotify(m_nTypeIndex, nCol, nRow, GRIDNOTIFY_LISTCHOSEN,
                                  (LPARAM)(LPCSTR)text)) {
        CGridCell cell;
        m_pGrid->GetCell(nCol, nRow, cell);
        cell.SetText(text);
        m_pGrid->SetCell(nCol, nRow, cell);
        m_pGrid->RepaintCell(nCol, nRow);
        m_pGrid->OnCellTypeNotify(m_nTypeIndex, nCol, nRow, GRIDNOTIFY_LISTSTORED,
                                  (LPARAM)(LPCSTR)text);
    }
    m_bActive = 0;
    if (m_pOpenCol != NULL) *m_pOpenCol = -1;
    if (m_pOpenRow != NULL) *m_pOpenRow = -1;
    CWnd* pCells = m_pGrid != NULL ? m_pGrid->GetCellArea() : NULL;
    if (pCells != NULL && pCells->m_hWnd != NULL)
        pCells->SetFocus();
    else
        Close();
}
