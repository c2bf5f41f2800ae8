// Dialog data exchange: UpdateData, the DDX_ and DDV_ routines and their prompts.
#include "internal.h"

#include <errno.h>
#include <float.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

IMPLEMENT_DYNAMIC(CUserException, CException)

CUserException::CUserException() {}

void AFXAPI AfxThrowUserException() { throw new CUserException; }

namespace {

void ReplaceArgument(CString& text, LPCSTR placeholder, LPCSTR value) {
    text.Replace(placeholder, value != NULL ? value : "");
}

// The prompt nIDPrompt (with its arguments) through AfxMessageBox, then the exchange ends.
[[noreturn]] void FailWithPrompt(CDataExchange* pDX, UINT nIDPrompt, LPCSTR lpsz1 = NULL,
                                 LPCSTR lpsz2 = NULL) {
    // The program's text when it has one, else the library's.
    CString prompt = vfc::FrameworkString(nIDPrompt);
    ReplaceArgument(prompt, "%1", lpsz1);
    ReplaceArgument(prompt, "%2", lpsz2);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

// The text without the blanks around it.
CString Trimmed(CString text) {
    text.TrimLeft(" \t");
    text.TrimRight(" \t");
    return text;
}

// A whole number: an optional sign and at least one digit, nothing else. FALSE when the text
// is none or the value lies outside [minValue, maxValue].
BOOL ParseWhole(const CString& raw, BOOL bAllowMinus, long long minValue, long long maxValue,
                long long& value) {
    CString text = Trimmed(raw);
    int i = 0;
    BOOL bNegative = FALSE;
    if (i < text.GetLength() && (text[i] == '+' || text[i] == '-')) {
        bNegative = text[i] == '-';
        if (bNegative && !bAllowMinus) return FALSE;
        ++i;
    }
    if (i == text.GetLength()) return FALSE;
    unsigned long long magnitude = 0;
    for (; i < text.GetLength(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return FALSE;
        magnitude = magnitude * 10 + (unsigned)(c - '0');
        if (magnitude > (1ULL << 33)) return FALSE;  // beyond every range asked for
    }
    long long signedValue = bNegative ? -(long long)magnitude : (long long)magnitude;
    if (signedValue < minValue || signedValue > maxValue) return FALSE;
    value = signedValue;
    return TRUE;
}

CString WindowText(HWND hWnd) {
    CString text;
    int nLen = ::GetWindowTextLengthA(hWnd);
    int n = ::GetWindowTextA(hWnd, text.GetBuffer(nLen), nLen + 1);
    text.ReleaseBuffer(n);
    return text;
}

BOOL IsClass(HWND hWnd, LPCSTR lpszClass) {
    char name[32];
    return ::GetClassNameA(hWnd, name, sizeof name) > 0 && lstrcmpiA(name, lpszClass) == 0;
}

BOOL IsComboWithoutEdit(HWND hWnd) {
    return IsClass(hWnd, "ComboBox") &&
           (::GetWindowLongA(hWnd, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
}

// Puts a text into an edit or a combo box; a drop-down list selects the entry that has it.
void SetControlText(HWND hWndCtrl, LPCSTR lpszText) {
    if (IsComboWithoutEdit(hWndCtrl)) {
        LRESULT nIndex = ::SendMessageA(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)lpszText);
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, nIndex == CB_ERR ? (WPARAM)-1 : (WPARAM)nIndex, 0);
        return;
    }
    // Unchanged text is not set again: the control would report a change.
    if (WindowText(hWndCtrl) != lpszText) ::SetWindowTextA(hWndCtrl, lpszText);
}

// A text exchanged as a whole number of the range; nIDPrompt when it is none.
void ExchangeWhole(CDataExchange* pDX, int nIDC, long long& value, BOOL bAllowMinus,
                   long long minValue, long long maxValue, UINT nIDPrompt) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        if (!ParseWhole(WindowText(hWndCtrl), bAllowMinus, minValue, maxValue, value))
            FailWithPrompt(pDX, nIDPrompt);
    } else {
        SetControlText(hWndCtrl, std::to_string(value).c_str());
    }
}

void ExchangeUnsigned(CDataExchange* pDX, int nIDC, unsigned long& value) {
    long long whole = (long long)value;
    ExchangeWhole(pDX, nIDC, whole, FALSE, 0, 0xFFFFFFFFLL, AFX_IDP_PARSE_UINT);
    if (pDX->m_bSaveAndValidate) value = (unsigned long)whole;
}

[[noreturn]] void FailRange(CDataExchange* pDX, long long minValue, long long maxValue) {
    FailWithPrompt(pDX, AFX_IDP_PARSE_INT_RANGE, std::to_string(minValue).c_str(),
                   std::to_string(maxValue).c_str());
}

}  // namespace

// --- CDataExchange ------------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd),
      m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL) {
        // A fault of the program: the member names a control that its template lacks.
        m_hWndLastControl = NULL;
        FailWithPrompt(this, AFX_IDP_NO_CONTROL, std::to_string(nIDC).c_str());
    }
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl != NULL && ::IsWindow(m_hWndLastControl)) {
        // In a dialog the focus moves as by Tab, so that the default button follows.
        HWND hWndDlg = m_pDlgWnd->m_hWnd;
        if (::IsChild(hWndDlg, m_hWndLastControl))
            ::SendMessageA(::GetParent(m_hWndLastControl), WM_NEXTDLGCTL, (WPARAM)m_hWndLastControl,
                           TRUE);
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) {
            if (IsClass(m_hWndLastControl, "ComboBox"))
                ::SendMessageA(m_hWndLastControl, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
            else
                ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

// --- UpdateData -----------------------------------------------------------------------------

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    if (m_hWnd == NULL) return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // The prompt has been shown.
        e->Delete();
        return FALSE;
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// --- DDX ------------------------------------------------------------------------------------

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetControlText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    long long whole = value;
    ExchangeWhole(pDX, nIDC, whole, TRUE, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
    if (pDX->m_bSaveAndValidate) value = (int)whole;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    unsigned long v = value;
    ExchangeUnsigned(pDX, nIDC, v);
    value = (UINT)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) {
    unsigned long v = value;
    ExchangeUnsigned(pDX, nIDC, v);
    value = (DWORD)v;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text = Trimmed(WindowText(hWndCtrl));
        char* pEnd = NULL;
        errno = 0;
        double d = strtod(text, &pEnd);
        if (text.IsEmpty() || pEnd == NULL || *pEnd != '\0' || errno == ERANGE || !isfinite(d) ||
            fabs(d) > FLT_MAX)
            FailWithPrompt(pDX, AFX_IDP_PARSE_REAL);
        value = (float)d;
    } else {
        char text[48];
        sprintf(text, "%.*g", FLT_DIG, (double)value);
        SetControlText(hWndCtrl, text);
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (value >= 0 && value <= 2) ? value : 0, 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) value = -1;
    // The group: this button and its siblings up to the next that starts a group.
    int nIndex = 0;
    for (HWND h = hWndCtrl; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hWndCtrl && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP)) break;
        if (!(::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)) continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) value = nIndex;
        } else {
            ::SendMessageA(h, BM_SETCHECK, nIndex == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nIndex;
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = WindowText(hWndCtrl);
        return;
    }
    if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) != CB_ERR)
        return;
    if (IsComboWithoutEdit(hWndCtrl))
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)-1, 0);
    else
        ::SetWindowTextA(hWndCtrl, value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != NULL) return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) pDX->Fail();  // a control already taken
}

// --- DDV ------------------------------------------------------------------------------------

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    HWND hWndCtrl = pDX->m_hWndLastControl;
    if (!pDX->m_bSaveAndValidate) {
        // The control takes no more than that.
        if (hWndCtrl == NULL) return;
        if (IsClass(hWndCtrl, "ComboBox"))
            ::SendMessageA(hWndCtrl, CB_LIMITTEXT, nChars, 0);
        else if (IsClass(hWndCtrl, "Edit"))
            ::SendMessageA(hWndCtrl, EM_LIMITTEXT, nChars, 0);
        return;
    }
    if (value.GetLength() > nChars) {
        FailWithPrompt(pDX, AFX_IDP_PARSE_STRING_SIZE, std::to_string(nChars).c_str());
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, minVal, maxVal);
}
