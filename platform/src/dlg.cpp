// CDialog and CFormView: windows made from dialog templates; the templates' modules and their
// dialog init data.
#include "internal.h"

#include <string.h>

#include <vector>

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CFormView, CView)

namespace {

// The class name of dialog windows (WC_DIALOG is an atom, which the creation hook would take
// for any window).
const char kDialogClass[] = "#32770";

// Win16 numbers of the list messages, as dialog init data keep them.
const WORD kInitListAddString = 0x0401;
const WORD kInitComboAddString = 0x0403;

// The template resource of a module, NULL when it has none.
const void* LoadTemplate(HINSTANCE hInst, LPCSTR lpszTemplateName) {
    if (hInst == NULL || lpszTemplateName == NULL) return NULL;
    HRSRC hRes = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    if (hRes == NULL) return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    return hGlobal != NULL ? ::LockResource(hGlobal) : NULL;
}

BOOL IsExtendedTemplate(const void* pTemplate) {
    const WORD* p = static_cast<const WORD*>(pTemplate);
    return p[0] == 1 && p[1] == 0xFFFF;
}

// The style words of a template (DLGTEMPLATE or DLGTEMPLATEEX), read and written in a copy.
DWORD* TemplateStyle(void* pTemplate) {
    BYTE* p = static_cast<BYTE*>(pTemplate);
    return reinterpret_cast<DWORD*>(IsExtendedTemplate(pTemplate) ? p + 12 : p);
}

DWORD* TemplateExStyle(void* pTemplate) {
    BYTE* p = static_cast<BYTE*>(pTemplate);
    return reinterpret_cast<DWORD*>(IsExtendedTemplate(pTemplate) ? p + 8 : p + 4);
}

// The whole template, copied so that its styles can change.
std::vector<BYTE> CopyTemplate(HINSTANCE hInst, LPCSTR lpszTemplateName) {
    std::vector<BYTE> copy;
    HRSRC hRes = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    const void* p = LoadTemplate(hInst, lpszTemplateName);
    DWORD nSize = hRes != NULL ? ::SizeofResource(hInst, hRes) : 0;
    if (p == NULL || nSize < 16) return copy;
    copy.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + nSize);
    return copy;
}

}  // namespace

// --- templates and their modules ------------------------------------------------------------

HMODULE vfc::ModuleOfAddress(const void* p) {
    HMODULE hModule = NULL;
    if (!::GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            static_cast<LPCSTR>(p), &hModule))
        return NULL;
    return hModule;
}

HINSTANCE vfc::FindTemplateModule(HMODULE hCaller, LPCSTR lpszTemplateName) {
    if (lpszTemplateName == NULL) return NULL;
    if (hCaller != NULL && ::FindResourceA(hCaller, lpszTemplateName, (LPCSTR)RT_DIALOG) != NULL)
        return hCaller;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, (LPCSTR)RT_DIALOG);
    return ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG) != NULL ? hInst : NULL;
}

BOOL vfc::ExecuteDlgInit(HWND hWnd, HINSTANCE hInst, LPCSTR lpszTemplateName) {
    if (hInst == NULL || lpszTemplateName == NULL) return TRUE;
    HRSRC hRes = ::FindResourceA(hInst, lpszTemplateName, MAKEINTRESOURCEA(RT_DLGINIT));
    if (hRes == NULL) return TRUE;  // no init data: nothing to do
    HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const BYTE* p = hGlobal != NULL ? static_cast<const BYTE*>(::LockResource(hGlobal)) : NULL;
    if (p == NULL) return FALSE;
    const BYTE* pEnd = p + ::SizeofResource(hInst, hRes);
    // Entries: control id (16 bits), message (16 bits), length (32 bits), data; 0 ends.
    while (p + 2 <= pEnd) {
        WORD nIDC;
        memcpy(&nIDC, p, 2);
        if (nIDC == 0) return TRUE;
        if (p + 8 > pEnd) return FALSE;
        WORD nMsg;
        DWORD nLen;
        memcpy(&nMsg, p + 2, 2);
        memcpy(&nLen, p + 4, 4);
        p += 8;
        if (nLen > (DWORD)(pEnd - p)) return FALSE;
        // The text up to its zero, or all of it when the zero is missing.
        CString text(reinterpret_cast<LPCSTR>(p), (int)strnlen(reinterpret_cast<LPCSTR>(p), nLen));
        p += nLen;
        UINT message = 0;
        if (nMsg == kInitListAddString || nMsg == LB_ADDSTRING)
            message = LB_ADDSTRING;
        else if (nMsg == kInitComboAddString || nMsg == CB_ADDSTRING)
            message = CB_ADDSTRING;
        if (message != 0) ::SendDlgItemMessageA(hWnd, nIDC, message, 0, (LPARAM)(LPCSTR)text);
    }
    return p == pEnd;
}

HWND vfc::ModalOwner(CWnd* pParentWnd) {
    HWND hWnd = CWnd::GetSafeHwnd(pParentWnd);
    if (hWnd == NULL) hWnd = CWnd::GetSafeHwnd(AfxGetMainWnd());
    if (hWnd == NULL) return NULL;
    hWnd = ::GetAncestor(hWnd, GA_ROOT);
    // A window of another thread cannot own this thread's dialog.
    if (hWnd == NULL || ::GetWindowThreadProcessId(hWnd, NULL) != ::GetCurrentThreadId())
        return NULL;
    // A dialog already open over it owns the new one. The last active pop-up may since have
    // been hidden (a progress window between two operations): a dialog it owned would leave
    // the window enabled beneath it, open to clicks and a close while the dialog runs.
    HWND hPopup = ::GetLastActivePopup(hWnd);
    if (hPopup == NULL || hPopup == hWnd) return hWnd;
    if (::IsWindowVisible(hPopup) && ::IsWindowEnabled(hPopup)) return hPopup;
    if (::IsWindowEnabled(hWnd)) return hWnd;
    // Disabled under a modal window of its own: the front-most shown one that takes input
    // (owned windows lie above their owner).
    for (HWND hTop = ::GetTopWindow(NULL); hTop != NULL && hTop != hWnd;
         hTop = ::GetWindow(hTop, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(hTop, NULL) != ::GetCurrentThreadId() ||
            !::IsWindowVisible(hTop) || !::IsWindowEnabled(hTop))
            continue;
        for (HWND hOwner = ::GetWindow(hTop, GW_OWNER); hOwner != NULL;
             hOwner = ::GetWindow(hOwner, GW_OWNER))
            if (hOwner == hWnd) return hTop;
    }
    return hWnd;
}

// --- CDialog --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_COMMAND(ID_HELP, OnHelpCommand)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL),
      m_nIDHelp(0),
      m_pParentWnd(NULL),
      m_hCallerModule(NULL),
      m_bModal(FALSE),
      m_lInitDefault(0) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
    m_pParentWnd = pParentWnd;
    SetTemplate(MAKEINTRESOURCEA(nIDTemplate), __builtin_return_address(0));
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
    m_pParentWnd = pParentWnd;
    SetTemplate(lpszTemplateName, __builtin_return_address(0));
}

CDialog::~CDialog() {}

void CDialog::SetTemplate(LPCSTR lpszTemplateName, void* pCaller) {
    m_hCallerModule = vfc::ModuleOfAddress(pCaller);
    if (lpszTemplateName == NULL || IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    } else {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
        m_nIDHelp = 0;
    }
}

HINSTANCE CDialog::GetTemplateModule() const {
    return vfc::FindTemplateModule(m_hCallerModule, m_lpszTemplateName);
}

BOOL CDialog::CreateFromTemplate(CWnd* pParentWnd, BOOL bModal, int* pnResult) {
    if (m_hWnd != NULL) return FALSE;
    HINSTANCE hInst = GetTemplateModule();
    const void* pTemplate = LoadTemplate(hInst, m_lpszTemplateName);
    if (pTemplate == NULL) return FALSE;
    m_bModal = bModal;
    vfc::HookWindowCreate(this, kDialogClass);
    BOOL bMade;
    if (bModal) {
        CModalLoop loop;
        INT_PTR nResult =
            ::DialogBoxIndirectParamA(hInst, (LPCDLGTEMPLATEA)pTemplate,
                                      vfc::ModalOwner(pParentWnd), AfxDlgProc, (LPARAM)this);
        bMade = nResult != -1;
        if (pnResult != NULL) *pnResult = (int)nResult;
    } else {
        // A child dialog lives in its parent; a pop-up is owned by the top-level window.
        DWORD dwStyle = *TemplateStyle(const_cast<void*>(pTemplate));
        HWND hWndParent =
            (dwStyle & WS_CHILD) ? CWnd::GetSafeHwnd(pParentWnd) : vfc::ModalOwner(pParentWnd);
        bMade = ::CreateDialogIndirectParamA(hInst, (LPCDLGTEMPLATEA)pTemplate, hWndParent,
                                             AfxDlgProc, (LPARAM)this) != NULL;
    }
    vfc::UnhookWindowCreate();
    m_bModal = FALSE;
    return bMade;
}

int CDialog::DoModal() {
    int nResult = -1;
    CreateFromTemplate(m_pParentWnd, TRUE, &nResult);
    return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    if (lpszTemplateName != m_lpszTemplateName) {
        HMODULE hCaller = m_hCallerModule;
        SetTemplate(lpszTemplateName, __builtin_return_address(0));
        // The module given at construction still counts when it holds the template.
        if (hCaller != NULL && ::FindResourceA(hCaller, lpszTemplateName, (LPCSTR)RT_DIALOG))
            m_hCallerModule = hCaller;
    }
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(pParentWnd, FALSE, NULL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    // The dialog procedure first: a common dialog initialises itself there.
    m_lInitDefault = Default();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    ExecuteDlgInit(m_lpszTemplateName);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::ExecuteDlgInit(LPCSTR lpszResourceName) {
    HINSTANCE hInst = vfc::FindTemplateModule(m_hCallerModule, lpszResourceName);
    return vfc::ExecuteDlgInit(m_hWnd, hInst, lpszResourceName);
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    if (m_hWnd != NULL) ::EndDialog(m_hWnd, nResult);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (m_hWnd != NULL && pWndCtrl != NULL && pWndCtrl->m_hWnd != NULL)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, TRUE);
}

void CDialog::OnHelpCommand() {
    // The dialog's own help; a dialog without a help context leaves it to the focus.
    if (!SendMessage(WM_COMMANDHELP, 0, 0)) OnHelp();
}

LRESULT vfc::ResourceHelp(UINT nIDHelp, LPARAM lParam) {
    if (lParam == 0 && nIDHelp != 0) lParam = HID_BASE_RESOURCE + nIDHelp;
    if (lParam == 0) return FALSE;
    AfxGetApp()->WinHelp((DWORD_PTR)lParam, HELP_CONTEXT);
    return TRUE;
}

LRESULT CDialog::OnCommandHelp(WPARAM, LPARAM lParam) {
    return vfc::ResourceHelp(m_nIDHelp, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    // A modal dialog runs in the system's loop, which does this itself.
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
    // The window runs through its object; only a dialog that the creation hook missed is
    // taken over here, at its first message for the dialog procedure.
    if (message != WM_INITDIALOG || lParam == 0 || CWnd::FromHandlePermanent(hWnd) != NULL)
        return FALSE;
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg->SubclassWindow(hWnd)) return FALSE;
    return vfc::RunInitDialog(pDlg);
}

INT_PTR vfc::RunInitDialog(CDialog* pDlg) {
    // Called by a dialog procedure: nothing may cross the system's code.
    try {
        return pDlg->OnInitDialog();
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    } catch (...) {}
    return TRUE;
}

// --- CFormView ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFormView, CView)
ON_WM_CREATE()
ON_WM_PAINT()
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_hCallerModule(vfc::ModuleOfAddress(__builtin_return_address(0))),
      m_pCreateContext(NULL) {}

CFormView::CFormView(LPCSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName),
      m_nIDHelp(IS_INTRESOURCE(lpszTemplateName) ? (UINT)(UINT_PTR)lpszTemplateName : 0),
      m_hCallerModule(vfc::ModuleOfAddress(__builtin_return_address(0))),
      m_pCreateContext(NULL) {
    if (lpszTemplateName != NULL && !IS_INTRESOURCE(lpszTemplateName)) {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
}

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext) {
    HINSTANCE hInst = vfc::FindTemplateModule(m_hCallerModule, m_lpszTemplateName);
    std::vector<BYTE> copy = CopyTemplate(hInst, m_lpszTemplateName);
    if (copy.empty() || pParentWnd == NULL) {
        PostNcDestroy();  // as a view whose window failed
        return FALSE;
    }
    // A child of the frame without caption or frame of its own, in the view's styles.
    DWORD* pStyle = TemplateStyle(copy.data());
    *pStyle &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE |
                 WS_DISABLED | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    *pStyle |= WS_CHILD | DS_CONTROL | (dwStyle & ~(WS_BORDER | WS_VISIBLE));
    DWORD* pExStyle = TemplateExStyle(copy.data());
    *pExStyle |= WS_EX_CONTROLPARENT;
    if (dwStyle & WS_BORDER) *pExStyle |= WS_EX_CLIENTEDGE;

    m_pCreateContext = pContext;
    vfc::HookWindowCreate(this, kDialogClass);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, (LPCDLGTEMPLATEA)copy.data(),
                                             pParentWnd->m_hWnd, AfxDlgProc, 0);
    if (!vfc::UnhookWindowCreate()) {
        PostNcDestroy();  // never attached: the view ends as if its window had
        return FALSE;
    }
    if (hWnd == NULL) return FALSE;  // the window ended in its creation, and the view with it
    m_pCreateContext = NULL;
    SetDlgCtrlID((int)nID);
    ::SetWindowPos(hWnd, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    vfc::ExecuteDlgInit(hWnd, hInst, m_lpszTemplateName);
    if (dwStyle & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs) {
    // A dialog's creation carries no parameter of ours: the context comes from Create.
    lpcs->lpCreateParams = m_pCreateContext;
    return CView::OnCreate(lpcs);
}

void CFormView::OnPaint() { Default(); }  // the dialog paints itself

void CFormView::OnDraw(CDC*) {}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    if (CView::PreTranslateMessage(pMsg)) return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
    // Tab and the arrow keys move between the form's controls.
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

LRESULT CFormView::OnCommandHelp(WPARAM, LPARAM lParam) {
    return vfc::ResourceHelp(m_nIDHelp, lParam);
}
