// The curve sheet.
#include "curvepropsheet.h"

#include "curvenodes.h"
#include "resource.h"

IMPLEMENT_DYNAMIC(CCurvePropSheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CCurvePropSheet, CHelpPropertySheet)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_COMMAND(IDCANCEL, OnClose)
ON_MESSAGE(PSM_CHANGED, OnPageChanged)
ON_MESSAGE(PSM_UNCHANGED, OnPageUnchanged)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// The sheet's window is this much taller than the system makes it.
const int kExtraHeight = 32;
}  // namespace

CCurvePropSheet::CCurvePropSheet(CObList* pNodeList, UINT nIDCaption, CWnd* pParentWnd,
                                 UINT iSelectPage)
    : CHelpPropertySheet(nIDCaption, pParentWnd, iSelectPage),
      m_optionPage(pNodeList, &m_settings),
      m_curvePage(pNodeList, &m_settings),
      m_pNodeList(pNodeList) {
    AddCurvePages();
}

CCurvePropSheet::CCurvePropSheet(CObList* pNodeList, const char* pszCaption, CWnd* pParentWnd,
                                 UINT iSelectPage)
    : CHelpPropertySheet(pszCaption, pParentWnd, iSelectPage),
      m_optionPage(pNodeList, &m_settings),
      m_curvePage(pNodeList, &m_settings),
      m_pNodeList(pNodeList) {
    AddCurvePages();
}

void CCurvePropSheet::AddCurvePages() {
    // Pages with help make the system place the Help button among the others (shown only
    // afterwards, it lay beyond the sheet's right edge) and keep it enabled on either page.
    m_curvePage.m_psp.dwFlags |= PSP_HASHELP;
    m_optionPage.m_psp.dwFlags |= PSP_HASHELP;
    AddPage(&m_curvePage);
    AddPage(&m_optionPage);
    // The option page finds the analyzers again when it is initialised; the curve page may
    // be shown before it is.
    ResolveCurveSlots(m_settings, m_pNodeList);
}

CCurvePropSheet::~CCurvePropSheet() {
    LeaveNodeHost();
    // The pages' windows go with the sheet's, before the members do.
    if (::IsWindow(m_hWnd)) DestroyWindow();
}

CCurvePropSheet* CCurvePropSheet::Of(CPropertyPage* pPage) {
    CPropertySheet* pSheet = pPage != NULL ? pPage->GetSheet() : NULL;
    return pSheet != NULL && pSheet->IsKindOf(RUNTIME_CLASS(CCurvePropSheet))
               ? (CCurvePropSheet*)pSheet
               : NULL;
}

BOOL CCurvePropSheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    CHelpPropertySheet::OnInitDialog();
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height() + kExtraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* pClose = GetDlgItem(IDCANCEL)) {
        CString text;
        text.LoadString(IDS_CLOSE_SHEET);
        pClose->SetWindowText(text);
        pClose->ShowWindow(SW_SHOW);
        pClose->EnableWindow(TRUE);
    }
    if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW)) {
        pApply->ShowWindow(SW_SHOW);
        pApply->EnableWindow(FALSE);
    }
    if (CWnd* pHelp = GetDlgItem(IDHELP)) {
        pHelp->ShowWindow(SW_SHOW);
        pHelp->EnableWindow(TRUE);
    }
    if (m_pNodeHost == NULL) {
        m_pNodeHost = &GetCurveHost();
        m_pNodeHost->AddNodeUser(this);
    }
    return TRUE;
}

void CCurvePropSheet::OnDestroy() {
    LeaveNodeHost();
    Default();
}

void CCurvePropSheet::LeaveNodeHost() {
    if (m_pNodeHost != NULL) m_pNodeHost->RemoveNodeUser(this);
    m_pNodeHost = NULL;
}

void CCurvePropSheet::EnableApply(BOOL bEnable) {
    if (CWnd* pApply = GetDlgItem(ID_APPLY_NOW)) pApply->EnableWindow(bEnable);
}

void CCurvePropSheet::OnApplyNow() {
    // The pages first (the option page stores its slot); the settings as they stand are
    // saved even when a page refused.
    Default();
    m_settings.SaveCurveSettings();
    EnableApply(FALSE);
}

void CCurvePropSheet::OnClose() { DestroyWindow(); }

LRESULT CCurvePropSheet::OnPageChanged(WPARAM, LPARAM) {
    Default();
    EnableApply(TRUE);
    return 0;
}

LRESULT CCurvePropSheet::OnPageUnchanged(WPARAM, LPARAM) {
    Default();
    EnableApply(FALSE);
    return 0;
}

void CCurvePropSheet::ReleaseNodes() {
    for (int i = 0; i < CCurveSettings::CURVES; ++i) m_settings.m_pInstrument[i] = NULL;
    m_optionPage.ReleaseNodes();
    m_bNodesReleased = TRUE;
}

BOOL CCurvePropSheet::ResolveReleasedNodes() {
    if (!m_bNodesReleased || GetCurveHost().IsDocumentBusy()) return FALSE;
    m_bNodesReleased = FALSE;
    ResolveCurveSlots(m_settings, m_pNodeList);
    m_optionPage.RefillNodeLists();
    m_curvePage.ApplyCurveSettings();
    return TRUE;
}
