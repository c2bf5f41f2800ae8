// Wrappers of the standard controls and the check-list box.
#include "internal.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {

// The item messages that an owner-drawn list or combo box gets back from its parent.
template <class Control>
BOOL ItemMessage(Control* pControl, UINT message, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = TRUE;
    switch (message) {
        case WM_DRAWITEM: pControl->DrawItem((LPDRAWITEMSTRUCT)lParam); break;
        case WM_MEASUREITEM: pControl->MeasureItem((LPMEASUREITEMSTRUCT)lParam); break;
        case WM_COMPAREITEM: lResult = pControl->CompareItem((LPCOMPAREITEMSTRUCT)lParam); break;
        case WM_DELETEITEM: pControl->DeleteItem((LPDELETEITEMSTRUCT)lParam); break;
        default: return FALSE;
    }
    if (pResult != NULL) *pResult = lResult;
    return TRUE;
}

void TextOfItem(HWND hWnd, UINT lenMessage, UINT textMessage, int nIndex, CString& rString) {
    int nLen = (int)::SendMessageA(hWnd, lenMessage, nIndex, 0);
    if (nLen < 0) {
        rString.Empty();
        return;
    }
    int n = (int)::SendMessageA(hWnd, textMessage, nIndex, (LPARAM)rString.GetBuffer(nLen));
    rString.ReleaseBuffer(n < 0 ? 0 : n);
}

}  // namespace

// --- CButton, CEdit, CStatic -----------------------------------------------------------------

CButton::CButton() {}

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem((LPDRAWITEMSTRUCT)lParam);
    if (pResult != NULL) *pResult = TRUE;
    return TRUE;
}

CEdit::CEdit() {}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll) {
    SendMessage(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll) SendMessage(EM_SCROLLCARET);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
    nStartChar = (int)dwStart;
    nEndChar = (int)dwEnd;
}

CStatic::CStatic() {}

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

// --- CListBox, CComboBox ---------------------------------------------------------------------

CListBox::CListBox() {}

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("LISTBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const {
    TextOfItem(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}

UINT CListBox::ItemFromPoint(POINT pt, BOOL& bOutside) const {
    DWORD dw = (DWORD)::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ItemMessage(this, message, lParam, pResult) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

CComboBox::CComboBox() {}

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const {
    TextOfItem(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ItemMessage(this, message, lParam, pResult) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// --- CCheckListBox ---------------------------------------------------------------------------

namespace {

const BYTE kCheckMask = 0x03;
const BYTE kDisabled = 0x04;
const int kTextGap = 3;  // between the box and the text

}  // namespace

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

CCheckListBox::CCheckListBox() {}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    // Owner-drawn with strings whatever the caller asked: the box is drawn here.
    dwStyle &= ~LBS_OWNERDRAWVARIABLE;
    return CListBox::Create(dwStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow() {
    CListBox::PreSubclassWindow();
    // Items added before the object took the window start unchecked.
    int nCount = (int)::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0);
    m_itemStates.SetSize(nCount > 0 ? nCount : 0);
    for (int i = 0; i < m_itemStates.GetSize(); i++) m_itemStates[i] = 0;
    // A list box from a template measured its items before this object existed.
    if (GetStyle() & LBS_OWNERDRAWFIXED)
        ::SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, MAKELPARAM(CalcMinimumItemHeight(), 0));
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
    // The states follow the items: every change of the list passes here.
    switch (message) {
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
            if (lResult >= 0 && lResult <= m_itemStates.GetSize())
                m_itemStates.InsertAt((int)lResult, (BYTE)0);
            break;
        case LB_DELETESTRING:
            if (lResult != LB_ERR && (int)wParam >= 0 && (int)wParam < m_itemStates.GetSize())
                m_itemStates.RemoveAt((int)wParam);
            break;
        case LB_RESETCONTENT: m_itemStates.RemoveAll(); break;
        case WM_NCDESTROY: m_itemStates.RemoveAll(); break;
        default: break;
    }
    return lResult;
}

int CCheckListBox::GetCheck(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_itemStates.GetSize()) return -1;
    return m_itemStates[nIndex] & kCheckMask;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
    if (nIndex < 0 || nIndex >= m_itemStates.GetSize() || nCheck < 0 || nCheck > 2) return;
    m_itemStates[nIndex] = (BYTE)((m_itemStates[nIndex] & ~kCheckMask) | nCheck);
    InvalidateItem(nIndex);
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
    if (nIndex < 0 || nIndex >= m_itemStates.GetSize()) return;
    if (bEnabled)
        m_itemStates[nIndex] &= (BYTE)~kDisabled;
    else
        m_itemStates[nIndex] |= kDisabled;
    InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const {
    return nIndex >= 0 && nIndex < m_itemStates.GetSize() && !(m_itemStates[nIndex] & kDisabled);
}

int CCheckListBox::CheckBoxSize() const {
    int nSize = ::GetSystemMetrics(SM_CYMENUCHECK);
    return nSize > 0 ? nSize : 13;
}

int CCheckListBox::CalcMinimumItemHeight() const {
    int nText = 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != NULL) {
        HFONT hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
        HGDIOBJ hOld = hFont != NULL ? ::SelectObject(hDC, hFont) : NULL;
        TEXTMETRICA tm;
        if (::GetTextMetricsA(hDC, &tm)) nText = tm.tmHeight;
        if (hOld != NULL) ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
    }
    int nBox = CheckBoxSize() + 2;
    return nText > nBox ? nText : nBox;
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemHeight = (UINT)CalcMinimumItemHeight();
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    HDC hDC = lpDIS->hDC;
    RECT rcItem = lpDIS->rcItem;
    int nIndex = (int)lpDIS->itemID;
    if (nIndex < 0 || nIndex >= GetCount()) {
        // An empty list with the focus.
        if (lpDIS->itemState & ODS_FOCUS) ::DrawFocusRect(hDC, &rcItem);
        return;
    }
    BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    BOOL bEnabled = IsEnabled(nIndex) && IsWindowEnabled();
    int nBox = CheckBoxSize();

    // The box, centred in the item's height at its left.
    RECT rcBox = rcItem;
    rcBox.left += 1;
    rcBox.right = rcBox.left + nBox;
    rcBox.top += (rcItem.bottom - rcItem.top - nBox) / 2;
    rcBox.bottom = rcBox.top + nBox;
    ::FillRect(hDC, &rcItem, ::GetSysColorBrush(COLOR_WINDOW));
    UINT nState = DFCS_BUTTONCHECK | DFCS_FLAT;
    int nCheck = GetCheck(nIndex);
    if (nCheck == 1) nState |= DFCS_CHECKED;
    if (nCheck == 2) nState |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!bEnabled) nState |= DFCS_INACTIVE;
    ::DrawFrameControl(hDC, &rcBox, DFC_BUTTON, nState);

    // The text beside it.
    RECT rcText = rcItem;
    rcText.left = rcBox.right + kTextGap;
    ::FillRect(hDC, &rcText, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString text;
    GetText(nIndex, text);
    COLORREF crText = !bEnabled   ? ::GetSysColor(COLOR_GRAYTEXT)
                      : bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                  : ::GetSysColor(COLOR_WINDOWTEXT);
    COLORREF crOldText = ::SetTextColor(hDC, crText);
    int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    RECT rcLabel = rcText;
    rcLabel.left += 1;
    ::DrawTextA(hDC, text, text.GetLength(), &rcLabel,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, crOldText);
    if (lpDIS->itemState & ODS_FOCUS) ::DrawFocusRect(hDC, &rcText);
}

void CCheckListBox::InvalidateItem(int nIndex) {
    RECT rc;
    if (m_hWnd != NULL && GetItemRect(nIndex, &rc) != LB_ERR) ::InvalidateRect(m_hWnd, &rc, FALSE);
}

BOOL CCheckListBox::HitCheckBox(CPoint point, int& nIndex) const {
    BOOL bOutside = TRUE;
    UINT nItem = ItemFromPoint(point, bOutside);
    if (bOutside || (int)nItem >= GetCount()) return FALSE;
    RECT rc;
    if (GetItemRect((int)nItem, &rc) == LB_ERR) return FALSE;
    if (point.x < rc.left || point.x >= rc.left + 1 + CheckBoxSize() + kTextGap) return FALSE;
    nIndex = (int)nItem;
    return TRUE;
}

BOOL CCheckListBox::ToggleByUser(int nIndex) {
    if (!IsEnabled(nIndex)) return FALSE;
    SetCheck(nIndex, GetCheck(nIndex) == 1 ? 0 : 1);
    CWnd* pParent = GetParent();
    if (pParent != NULL)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                             (LPARAM)m_hWnd);
    return TRUE;
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point) {
    int nIndex = -1;
    BOOL bOnBox = HitCheckBox(point, nIndex);
    HWND hWnd = m_hWnd;
    Default();  // the item is selected as well
    if (bOnBox && ::IsWindow(hWnd)) ToggleByUser(nIndex);
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point) {
    // The second click of a double click on the box toggles again.
    int nIndex = -1;
    if (HitCheckBox(point, nIndex)) {
        ToggleByUser(nIndex);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar != VK_SPACE) {
        Default();
        return;
    }
    int nIndex = GetCaretIndex();
    if (nIndex >= 0 && nIndex < GetCount()) ToggleByUser(nIndex);
}

void CCheckListBox::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
    // The space bar toggles (OnKeyDown); it does not search the items.
    if (nChar != ' ') Default();
}
