// CPropertyPage and CPropertySheet over the system's property sheets.
#include "internal.h"

#include <vector>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

const char kDialogClass[] = "#32770";

void InitSheetControls() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    InitOnceExecuteOnce(
        &once,
        [](PINIT_ONCE, PVOID, PVOID*) -> BOOL {
            INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
            InitCommonControlsEx(&icc);
            return TRUE;
        },
        NULL, NULL);
}

// A notification's answer, for the sheet: the dialog's result as well as the return value.
BOOL Answer(HWND hWnd, LRESULT* pResult, LRESULT lResult) {
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
    if (pResult != NULL) *pResult = lResult;
    return TRUE;
}

}  // namespace

// --- CPropertyPage --------------------------------------------------------------------------

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE) {
    Construct(NULL, 0, __builtin_return_address(0));
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : m_bFirstSetActive(TRUE) {
    Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption, __builtin_return_address(0));
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : m_bFirstSetActive(TRUE) {
    Construct(lpszTemplateName, nIDCaption, __builtin_return_address(0));
}

CPropertyPage::~CPropertyPage() {}

void CPropertyPage::Construct(LPCSTR lpszTemplateName, UINT nIDCaption, void* pCaller) {
    SetTemplate(lpszTemplateName, pCaller);
    memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    if (nIDCaption != 0) AfxLoadString(nIDCaption, m_strCaption);
}

const PROPSHEETPAGEA& CPropertyPage::PreparePageRecord() {
    m_psp.dwSize = sizeof m_psp;
    m_psp.hInstance = GetTemplateModule();
    m_psp.pszTemplate = m_lpszTemplateName;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.lParam = (LPARAM)this;
    if (!m_strCaption.IsEmpty()) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    return m_psp;
}

CPropertySheet* CPropertyPage::GetSheet() const {
    if (m_hWnd == NULL) return NULL;
    CWnd* pParent = FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet))
               ? static_cast<CPropertySheet*>(pParent)
               : NULL;
}

void CPropertyPage::SetModified(BOOL bChanged) {
    if (m_hWnd == NULL) return;
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != NULL)
        ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

BOOL CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    // Only the sheet's notifications: a control's code may have the same number.
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code) {
        case PSN_SETACTIVE: return Answer(m_hWnd, pResult, OnSetActive() ? 0 : -1);
        case PSN_KILLACTIVE: return Answer(m_hWnd, pResult, !OnKillActive());
        case PSN_APPLY:
            // A refusal shows the refusing page.
            return Answer(m_hWnd, pResult, OnApply() ? PSNRET_NOERROR : PSNRET_INVALID);
        case PSN_RESET: OnReset(); return Answer(m_hWnd, pResult, 0);
        case PSN_QUERYCANCEL: return Answer(m_hWnd, pResult, !OnQueryCancel());
        case PSN_HELP: SendMessage(WM_COMMAND, ID_HELP); return Answer(m_hWnd, pResult, 0);
        default: return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BOOL CPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    if ((nID == IDOK || nID == IDCANCEL) && ::GetParent(m_hWnd) != NULL) {
        // Enter and Escape inside a page act on the sheet.
        ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    // The page's window is taken over at its WM_INITDIALOG; everything before and after that
    // not handled by the page is the system's.
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd) != NULL) return FALSE;
    const PROPSHEETPAGEA* pRecord = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    CPropertyPage* pPage =
        pRecord != NULL ? reinterpret_cast<CPropertyPage*>(pRecord->lParam) : NULL;
    if (pPage == NULL || !pPage->SubclassWindow(hWnd)) return FALSE;
    pPage->m_bFirstSetActive = TRUE;
    return vfc::RunInitDialog(pPage);
}

// --- CPropertySheet -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() { CommonConstruct(NULL, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd != NULL) DestroyWindow();
    delete[] m_pPageRecords;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage) {
    memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_bModeless = FALSE;
    m_bInitialized = FALSE;
    m_initWParam = 0;
    m_initLParam = 0;
    m_pPageRecords = NULL;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
    CommonConstruct(pParentWnd, iSelectPage);
    AfxLoadString(nIDCaption, m_strCaption);
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

// --- pages ----------------------------------------------------------------------------------

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
    if (nPage < 0 || nPage >= m_pages.GetSize()) return NULL;
    return static_cast<CPropertyPage*>(m_pages[nPage]);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
    for (int i = 0; i < m_pages.GetSize(); i++)
        if (m_pages[i] == pPage) return i;
    return -1;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
    if (pPage == NULL || GetPageIndex(pPage) >= 0) return;
    m_pages.Add(pPage);
    if (m_hWnd == NULL) return;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&pPage->PreparePageRecord());
    if (hPage == NULL || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
        if (hPage != NULL) ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0) RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage) {
    if (nPage < 0 || nPage >= m_pages.GetSize()) return;
    if (m_hWnd != NULL) ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.RemoveAt(nPage);
}

CWnd* CPropertySheet::GetTabControl() const {
    return m_hWnd != NULL ? FromHandle((HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0))
                          : NULL;
}

int CPropertySheet::GetActiveIndex() const {
    if (m_hWnd == NULL) return (int)m_psh.nStartPage;
    HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hWndTab != NULL ? (int)::SendMessageA(hWndTab, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int nPage) {
    if (nPage < 0 || nPage >= m_pages.GetSize()) return FALSE;
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) {
    return SetActivePage(GetPageIndex(pPage));
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle) {
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL) ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)lpszText);
}

// --- running ----------------------------------------------------------------------------------

BOOL CPropertySheet::BuildHeader(CWnd* pParentWnd) {
    int nPages = m_pages.GetSize();
    if (nPages == 0) return FALSE;
    InitSheetControls();
    delete[] m_pPageRecords;
    m_pPageRecords = new PROPSHEETPAGEA[nPages];
    for (int i = 0; i < nPages; i++) {
        CPropertyPage* pPage = GetPage(i);
        m_pPageRecords[i] = pPage->PreparePageRecord();
        // A page that offers help makes the sheet show its Help button.
        if (pPage->m_psp.dwFlags & PSP_HASHELP) m_psh.dwFlags |= PSH_HASHELP;
    }
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.dwFlags &= ~PSH_MODELESS;
    if (m_bModeless) m_psh.dwFlags |= PSH_MODELESS;
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)nPages;
    m_psh.ppsp = m_pPageRecords;
    if (m_psh.nStartPage >= (UINT)nPages) m_psh.nStartPage = 0;
    m_psh.hwndParent = vfc::ModalOwner(pParentWnd);
    return TRUE;
}

INT_PTR CPropertySheet::RunSystemSheet(BOOL bModeless) {
    if (m_hWnd != NULL) return -1;
    m_bModeless = bModeless;
    if (!BuildHeader(m_pParentWnd)) return -1;
    m_bInitialized = FALSE;
    vfc::HookWindowCreate(this, kDialogClass);
    INT_PTR nResult;
    if (bModeless) {
        nResult = ::PropertySheetA(&m_psh);
    } else {
        CModalLoop loop;
        nResult = ::PropertySheetA(&m_psh);
    }
    vfc::UnhookWindowCreate();
    // The system keeps copies of the pages' records.
    delete[] m_pPageRecords;
    m_pPageRecords = NULL;
    return nResult;
}

int CPropertySheet::DoModal() {
    INT_PTR nResult = RunSystemSheet(FALSE);
    // Positive after OK; 0 after Cancel, also when Apply came before.
    return nResult > 0 ? IDOK : nResult == 0 ? IDCANCEL : -1;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle) {
    if (m_hWnd != NULL) return FALSE;
    if (pParentWnd != NULL) m_pParentWnd = pParentWnd;
    INT_PTR hResult = RunSystemSheet(TRUE);
    HWND hWnd = (HWND)hResult;
    if (hResult == 0 || hResult == -1 || !::IsWindow(hWnd)) return FALSE;
    if (dwStyle != (DWORD)-1) ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)(dwStyle & ~WS_CHILD));
    if (dwExStyle != 0) ModifyStyleEx(0, dwExStyle);
    if (dwStyle != (DWORD)-1 || dwExStyle != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM wParam, LPARAM lParam) {
    m_initWParam = wParam;
    m_initLParam = lParam;
    BOOL bResult = OnInitDialog();
    m_bInitialized = TRUE;
    return bResult;
}

BOOL CPropertySheet::OnInitDialog() {
    return (BOOL)DefWindowProc(WM_INITDIALOG, m_initWParam, m_initLParam);
}

BOOL CPropertySheet::PressButton(int nButton) {
    if (m_hWnd == NULL) return FALSE;
    ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, nButton, 0);
    return TRUE;
}

void CPropertySheet::EndDialog(int) {
    if (m_hWnd == NULL) return;
    if (m_bModeless)
        DestroyWindow();
    else
        PressButton(PSBTN_CANCEL);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    // A modeless sheet takes its keys (Tab, Enter, Escape, Ctrl+Tab) in the program's loop;
    // a modal one runs in the system's loop, which does this itself.
    return m_bModeless && m_hWnd != NULL &&
           ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hWnd = m_hWnd;
    LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
    // The system ends a modeless sheet after OK or Cancel only by dropping its current page:
    // the window itself goes here.
    // A handler may have destroyed the window (and the object with it): the members are read
    // only while the window is still this object's.
    if ((message == WM_COMMAND || message == WM_SYSCOMMAND) && ::IsWindow(hWnd) &&
        FromHandlePermanent(hWnd) == this && m_bModeless && m_bInitialized &&
        ::SendMessageA(hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0)
        DestroyWindow();
    return lResult;
}
