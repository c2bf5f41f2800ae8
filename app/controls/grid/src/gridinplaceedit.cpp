// CGridInPlaceEdit: the grid's in-place cell editor, and what the grid's editors share.
#include "gridinplaceedit.h"

#include "gridcellarea.h"
#include "gridsettings.h"
#include "gridwnd.h"

BEGIN_MESSAGE_MAP(CGridInPlaceEdit, CEdit)
ON_WM_KILLFOCUS()
ON_WM_SETFOCUS()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_MOUSEACTIVATE()
ON_WM_SETCURSOR()
ON_WM_GETDLGCODE()
ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
END_MESSAGE_MAP()

namespace {

BOOL KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

// --- shared by the editors ----------------------------------------------------------------

UINT GridEditorDlgCode(UINT nDefault, LPARAM lParam) {
    // The key being asked about: held on the keyboard, or the message the dialog manager
    // hands over.
    const MSG* pMsg = (const MSG*)lParam;
    auto down = [pMsg](int vk) {
        return KeyHeld(vk) ||
               (pMsg != NULL && pMsg->message == WM_KEYDOWN && (int)pMsg->wParam == vk);
    };
    if (down(VK_TAB)) return nDefault | DLGC_WANTTAB;
    if (down(VK_RETURN) || down(VK_ESCAPE)) return nDefault | DLGC_WANTALLKEYS;
    return nDefault;
}

BOOL GridFocusLeavesGrid(CGridWnd* pGrid, CWnd* pNewWnd) {
    if (pNewWnd == NULL || pNewWnd->m_hWnd == NULL) return TRUE;
    return pNewWnd->m_hWnd != pGrid->m_hWnd && ::GetParent(pNewWnd->m_hWnd) != pGrid->m_hWnd;
}

void GridEditorFinish(CWnd* pEditor, CGridWnd* pGrid, BOOL bCancel, BOOL bMoveOn, int nTargetCol,
                      int nTargetRow) {
    if (pGrid == NULL || !::IsWindow(pGrid->m_hWnd)) return;
    CString text;
    pEditor->GetWindowText(text);
    if (pGrid->FinishEdit(text, bCancel, bMoveOn, nTargetCol, nTargetRow) != 0) return;
    // Refused: the edit goes on where it was, with the text typed so far.
    if (pGrid->GetEditCol() >= 0 && pGrid->GetEditRow() >= 0)
        pGrid->GotoCell(pGrid->GetEditCol(), pGrid->GetEditRow());
    pEditor->SetCapture();
    ::ReleaseCapture();
    pEditor->SetFocus();
}

// --- the in-place editor --------------------------------------------------------------------

CGridInPlaceEdit::CGridInPlaceEdit()
    : m_pGrid(NULL),
      m_bCancel(0),
      m_bMoveOn(0),
      m_nTargetCol(0),
      m_nTargetRow(0),
      m_nLastKey(0),
      m_bAutoGrow(1),
      m_nInitialHeight(0),
      m_nCurrentHeight(0) {}

CGridInPlaceEdit::~CGridInPlaceEdit() {}

int CGridInPlaceEdit::SetAutoGrow(int bAutoGrow) {
    int bOld = m_bAutoGrow;
    m_bAutoGrow = bAutoGrow ? 1 : 0;
    return bOld;
}

void CGridInPlaceEdit::OnSetFocus(CWnd*) {
    CRect rc;
    GetClientRect(&rc);
    m_nInitialHeight = rc.Height() + 4;
    m_nCurrentHeight = m_nInitialHeight;
    AutoResize();
    m_bCancel = 0;
    m_bMoveOn = 0;
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    m_nLastKey = 0;
    Default();
}

void CGridInPlaceEdit::OnKillFocus(CWnd* pNewWnd) {
    Default();
    if (m_pGrid == NULL) return;
    if (m_pGrid->GetCancelEditOnFocusLoss() && GridFocusLeavesGrid(m_pGrid, pNewWnd)) m_bCancel = 1;
    GridEditorFinish(this, m_pGrid, m_bCancel, m_bMoveOn, m_nTargetCol, m_nTargetRow);
}

void CGridInPlaceEdit::Leave(int nCol, int nRow) {
    m_bMoveOn = 1;
    m_nTargetCol = nCol;
    m_nTargetRow = nRow;
    if (m_pGrid != NULL) m_pGrid->SetFocus();
}

void CGridInPlaceEdit::OnKeyDown(UINT nChar, UINT, UINT) {
    m_nLastKey = (int)nChar;
    if (m_pGrid == NULL) {
        Default();
        return;
    }
    const int nCol = m_pGrid->GetEditCol(), nRow = m_pGrid->GetEditRow();
    switch (nChar) {
        case VK_TAB: Leave(KeyHeld(VK_SHIFT) ? nCol - 1 : nCol + 1, nRow); return;
        case VK_RETURN: Leave(nCol, nRow + 1); return;
        case VK_ESCAPE:
            m_bCancel = 1;
            m_bMoveOn = 0;
            m_pGrid->SetFocus();
            return;
        case VK_UP:
        case VK_DOWN:
            // Until the editor grows with its text the arrows leave the cell; once it grew
            // they move the caret.
            if (!HasGrown()) {
                Leave(nCol, nChar == VK_UP ? nRow - 1 : nRow + 1);
                return;
            }
            break;
        default: break;
    }
    Default();
}

void CGridInPlaceEdit::OnChar(UINT nChar, UINT, UINT) {
    UINT ch = nChar;
    if (m_pGrid != NULL) {
        const int nCol = m_pGrid->GetCursorCol(), nRow = m_pGrid->GetCursorRow();
        CGridDataSource* pSource = m_pGrid->GetSettings()->m_pDataSource;
        if (pSource != NULL && pSource->OnEditChar(nCol, nRow, this, &ch) == 0) return;
        if (!m_pGrid->OnEditChar(nCol, nRow, this, &ch)) return;
    }
    // Their keys did the work.
    if (ch == 9 || ch == 13 || ch == 27) return;
    DefWindowProc(WM_CHAR, ch, GetCurrentMessage()->lParam);
}

int CGridInPlaceEdit::OnMouseActivate(CWnd*, UINT, UINT) { return MA_ACTIVATE; }

BOOL CGridInPlaceEdit::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(::LoadCursorA(NULL, IDC_IBEAM));
    return TRUE;
}

UINT CGridInPlaceEdit::OnGetDlgCode() {
    return GridEditorDlgCode((UINT)Default(), GetCurrentMessage()->lParam);
}

void CGridInPlaceEdit::OnUpdate() { AutoResize(); }

void CGridInPlaceEdit::AutoResize() {
    if (!m_bAutoGrow || m_pGrid == NULL || !IsWindowVisible()) return;
    CWnd* pOwner = GetParent();
    if (pOwner == NULL) return;
    CString text;
    GetWindowText(text);
    text += " X X";  // room for what comes next

    CRect rcWnd, rcOwner;
    GetWindowRect(&rcWnd);
    pOwner->ScreenToClient(&rcWnd);
    pOwner->GetClientRect(&rcOwner);
    CRect rc = rcWnd;
    rc.right = rcOwner.right;
    {
        CClientDC dc(this);
        CFont* pFont = GetFont();
        CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
        rc.left += 2;
        dc.DrawText(text, text.GetLength(), &rc, DT_CALCRECT | DT_WORDBREAK);
        rc.left -= 2;
        if (pOldFont != NULL) dc.SelectObject(pOldFont);
    }
    if (rc.bottom >= rcOwner.bottom) rc.bottom = rcOwner.bottom - 1;

    const BOOL bOverCells = pOwner == m_pGrid->GetCellArea();
    int nCol, nRow;
    CRect rcCell;
    if (rc.Width() > rcWnd.Width()) {
        // A line longer than the editor: it widens over the cells to its right, to the
        // edge of the cell that the line reaches.
        if (bOverCells && m_pGrid->CellFromPoint(rc.right, rc.top + 1, nCol, nRow, &rcCell) == 0)
            rc.right = rcCell.right - 1;
        if (rc.right > rcOwner.right) rc.right = rcOwner.right;
    }
    if (rc.Height() > rcWnd.Height()) {
        // More lines: the editor takes the whole width and ends at the next row boundary.
        rc.right = rcOwner.right;
        if (bOverCells &&
            m_pGrid->CellFromPoint(rc.left + 1, rc.bottom + 1, nCol, nRow, &rcCell) == 0)
            rc.bottom = rcCell.bottom - 1;
    }
    if (rc.bottom > rcOwner.bottom - 1) rc.bottom = rcOwner.bottom - 1;
    if (rc.bottom < rcWnd.bottom) rc.bottom = rcWnd.bottom;
    if (rc.right < rcWnd.right) rc.right = rcWnd.right;

    if (rc.right != rcWnd.right || rc.bottom != rcWnd.bottom) {
        MoveWindow(&rc, TRUE);
        pOwner->ValidateRect(&rc);
        // A height other than the one taken at the focus's arrival: from now on Up and Down
        // move the caret, also in an editor that only got wider.
        m_nCurrentHeight = rc.Height();
    }
}
