// CGridMaskedEdit: the grid's editor with an edit mask.
#include "gridmaskededit.h"

#include "gridinplaceedit.h"
#include "gridsettings.h"
#include "gridwnd.h"

#include <ctype.h>
#include <string.h>

BEGIN_MESSAGE_MAP(CGridMaskedEdit, CEdit)
ON_WM_CREATE()
ON_WM_KILLFOCUS()
ON_WM_MOUSEACTIVATE()
ON_WM_SETFOCUS()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

namespace {

// Marks a literal position in the pattern and a mask position in the template.
const char kMarker = 8;

// The character as the C classes take it: an unsigned char, or none (-1) beyond them.
int Classed(UINT nChar) { return nChar <= 0xFF ? (int)(unsigned char)nChar : -1; }

BOOL IsPrintable(UINT nChar) {
    const int c = Classed(nChar);
    return c >= 0 && isprint(c);
}

}  // namespace

const char CGridMaskedEdit::s_szMaskChars[] = "09#L?Aa&C";

CGridMaskedEdit::CGridMaskedEdit()
    : m_bInternal(0),
      m_bMaskActive(0),
      m_bCancel(0),
      m_bMoveOn(0),
      m_nTargetCol(0),
      m_nTargetRow(0),
      m_pGrid(NULL) {}

CGridMaskedEdit::~CGridMaskedEdit() {}

BOOL CGridMaskedEdit::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= ES_AUTOHSCROLL;
    return CEdit::PreCreateWindow(cs);
}

int CGridMaskedEdit::OnCreate(LPCREATESTRUCT lpcs) {
    if (CEdit::OnCreate(lpcs) == -1) return -1;
    if (m_pGrid == NULL)
        m_pGrid = dynamic_cast<CGridWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    return 0;
}

// --- the mask -------------------------------------------------------------------------------

BOOL CGridMaskedEdit::Admits(char cMask, UINT nChar) {
    const int c = Classed(nChar);
    const BOOL bDigit = c >= 0 && isdigit(c);
    const BOOL bAlpha = c >= 0 && isalpha(c);
    switch (cMask) {
        case '0': return bDigit;
        case '9': return bDigit || c == ' ';
        case '#': return bDigit || c == ' ' || c == '+' || c == '-';
        case 'L': return bAlpha;
        case '?': return bAlpha || c == ' ';
        case 'A': return bDigit || bAlpha;
        case 'a': return bDigit || bAlpha || c == ' ';
        case '&':
        case 'C': return c >= 0 && isprint(c);
        default: return TRUE;  // a literal position takes any character
    }
}

int CGridMaskedEdit::SetMask(LPCSTR lpszMask) {
    m_strMask = lpszMask != NULL ? lpszMask : "";
    m_strPattern.Empty();
    m_strTemplate.Empty();
    if (m_strMask.IsEmpty()) {
        m_bMaskActive = 0;
        // A limit left from a masked cell would cut the next cell's text.
        if (m_hWnd != NULL) LimitText(0);
        return 0;
    }
    m_bMaskActive = 1;
    if (m_hWnd != NULL) LimitText(m_strMask.GetLength());
    LPCSTR p = m_strMask;
    const int n = m_strMask.GetLength();
    for (int i = 0; i < n; ++i) {
        char c = p[i];
        BOOL bEscaped = FALSE;
        if (c == '\\') {
            if (i + 1 >= n) break;  // a backslash at the end escapes nothing
            c = p[++i];
            bEscaped = TRUE;
        }
        if (!bEscaped && c != '\0' && strchr(s_szMaskChars, c) != NULL) {
            m_strPattern += c;
            m_strTemplate += kMarker;
        } else {
            m_strPattern += kMarker;
            m_strTemplate += c;
        }
    }
    ReformatText();
    return 0;
}

int CGridMaskedEdit::CheckChar(UINT* pChar) {
    if (!m_bMaskActive || !IsPrintable(*pChar)) return 1;
    SendMessage(WM_CLEAR);
    int nStart, nEnd;
    GetSel(nStart, nEnd);
    const int nLength = m_strPattern.GetLength();
    if (nStart >= nLength) return 0;
    if (m_strTemplate[nStart] != kMarker) {
        // The control types the literal itself, one per typed character.
        m_bInternal = 1;
        DefWindowProc(WM_CHAR, (BYTE)m_strTemplate[nStart], 1);
        m_bInternal = 0;
        GetSel(nStart, nEnd);
        if (nStart >= nLength) return 0;
    }
    return Admits(m_strPattern[nStart], *pChar) ? 1 : 0;
}

int CGridMaskedEdit::ApplyMask(CString& rText) {
    if (!m_bMaskActive) return 1;
    CString out;
    const int nLength = m_strPattern.GetLength(), nText = rText.GetLength();
    int i = 0, t = 0;
    // Literals come from the template; a text character that fails its position is
    // dropped; nothing follows the last text character.
    while (i < nLength && t < nText) {
        if (m_strPattern[i] == kMarker) {
            out += m_strTemplate[i++];
            continue;
        }
        const char c = rText[t++];
        if (Admits(m_strPattern[i], (BYTE)c)) {
            out += c;
            ++i;
        }
    }
    rText = out;
    return 0;
}

void CGridMaskedEdit::ReformatText() {
    if (!m_bMaskActive || m_bInternal || m_hWnd == NULL) return;
    CString text;
    GetWindowText(text);
    if (text.IsEmpty()) return;
    int nStart, nEnd;
    GetSel(nStart, nEnd);
    m_bInternal = 1;
    ApplyMask(text);
    SetWindowText(text);
    SetSel(nStart, nEnd);
    SendMessage(EM_SCROLLCARET);
    m_bInternal = 0;
}

// --- messages -------------------------------------------------------------------------------

void CGridMaskedEdit::OnSetFocus(CWnd*) {
    SetMask(m_pGrid != NULL ? m_pGrid->GetEditCell().GetMask() : NULL);
    m_bCancel = 0;
    m_bMoveOn = 0;
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    Default();
}

void CGridMaskedEdit::OnKillFocus(CWnd* pNewWnd) {
    Default();
    if (m_pGrid == NULL) return;
    // As the in-place editor: a grid that stores edits left for another window (OK,
    // Apply) keeps what was typed here too.
    if (m_pGrid->GetCancelEditOnFocusLoss() && GridFocusLeavesGrid(m_pGrid, pNewWnd)) m_bCancel = 1;
    GridEditorFinish(this, m_pGrid, m_bCancel, m_bMoveOn, m_nTargetCol, m_nTargetRow);
}

void CGridMaskedEdit::Leave(int nCol, int nRow) {
    m_bMoveOn = 1;
    m_nTargetCol = nCol;
    m_nTargetRow = nRow;
    m_pGrid->SetFocus();
}

void CGridMaskedEdit::OnKeyDown(UINT nChar, UINT, UINT) {
    if (m_pGrid == NULL) {
        Default();
        return;
    }
    const int nCol = m_pGrid->GetEditCol(), nRow = m_pGrid->GetEditRow();
    switch (nChar) {
        case VK_TAB: Leave((::GetKeyState(VK_SHIFT) & 0x8000) ? nCol - 1 : nCol + 1, nRow); return;
        case VK_RETURN:
        case VK_DOWN: Leave(nCol, nRow + 1); return;
        case VK_UP: Leave(nCol, nRow - 1); return;
        case VK_ESCAPE:
            m_bCancel = 1;
            m_bMoveOn = 0;
            m_pGrid->SetFocus();
            return;
        default: Default();
    }
}

void CGridMaskedEdit::OnChar(UINT nChar, UINT, UINT) {
    UINT ch = nChar;
    if (!m_bInternal) {
        if (!CheckChar(&ch)) return;
        if (m_pGrid != NULL &&
            !m_pGrid->OnEditChar(m_pGrid->GetCursorCol(), m_pGrid->GetCursorRow(), this, &ch))
            return;
    }
    if (ch == 9 || ch == 13 || ch == 27) return;
    DefWindowProc(WM_CHAR, ch, GetCurrentMessage()->lParam);
}

int CGridMaskedEdit::OnMouseActivate(CWnd*, UINT, UINT) { return MA_ACTIVATE; }

UINT CGridMaskedEdit::OnGetDlgCode() {
    return GridEditorDlgCode((UINT)Default(), GetCurrentMessage()->lParam);
}
