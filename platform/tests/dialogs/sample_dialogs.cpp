#include "sample_dialogs.h"

std::vector<std::string> g_dialogEvents;

namespace {
void Note(const std::string& event) { g_dialogEvents.push_back(event); }
}  // namespace

// --- CRangePage -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRangePage, CPropertyPage)
ON_EN_CHANGE(IDC_VALUE, OnValueChange)
END_MESSAGE_MAP()

CRangePage::CRangePage() : CPropertyPage(IDD_RANGE_PAGE) { m_psp.dwFlags |= PSP_HASHELP; }

void CRangePage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VALUE, m_nValue);
    DDV_MinMaxInt(pDX, m_nValue, 0, 100);
}

void CRangePage::OnValueChange() { SetModified(TRUE); }

BOOL CRangePage::OnSetActive() {
    Note("range: set active");
    return CPropertyPage::OnSetActive();
}

BOOL CRangePage::OnKillActive() {
    BOOL bOk = CPropertyPage::OnKillActive();
    Note(bOk ? "range: kill active" : "range: kill active refused");
    return bOk;
}

BOOL CRangePage::OnApply() {
    Note("range: apply");
    return CPropertyPage::OnApply();
}

void CRangePage::OnReset() {
    Note("range: reset");
    CPropertyPage::OnReset();
}

// --- COptionsPage ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(COptionsPage, CPropertyPage)
ON_BN_CLICKED(IDC_OPTION, OnOptionClicked)
END_MESSAGE_MAP()

COptionsPage::COptionsPage() : CPropertyPage(IDD_OPTIONS_PAGE) {}

void COptionsPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OPTION, m_nOption);
    DDX_Text(pDX, IDC_NOTE, m_strNote);
}

void COptionsPage::OnOptionClicked() { SetModified(TRUE); }

BOOL COptionsPage::OnSetActive() {
    Note("options: set active");
    return CPropertyPage::OnSetActive();
}

BOOL COptionsPage::OnKillActive() {
    Note("options: kill active");
    return CPropertyPage::OnKillActive();
}

BOOL COptionsPage::OnApply() {
    Note(m_bRefuseApply ? "options: apply refused" : "options: apply");
    return m_bRefuseApply ? FALSE : CPropertyPage::OnApply();
}

void COptionsPage::OnReset() {
    Note("options: reset");
    CPropertyPage::OnReset();
}

// --- CSampleSheet ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CSampleSheet, CPropertySheet)
ON_WM_HELPINFO()
ON_WM_TIMER()
ON_MESSAGE(PSM_CHANGED, OnPageChanged)
ON_MESSAGE(PSM_UNCHANGED, OnPageUnchanged)
ON_COMMAND(IDOK, OnOK)
END_MESSAGE_MAP()

CSampleSheet::CSampleSheet(CWnd* pParentWnd) : CPropertySheet("Sample sheet", pParentWnd) {
    AddPage(&m_range);
    AddPage(&m_options);
}

BOOL CSampleSheet::OnInitDialog() {
    // The caption's "?" button, then the system's initialisation.
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    Note("sheet: init");
    return CPropertySheet::OnInitDialog();
}

BOOL CSampleSheet::OnHelpInfo(HELPINFO* pHelpInfo) {
    if (pHelpInfo->iCtrlId != AFX_IDC_TAB_CONTROL)
        AfxGetApp()->WinHelp(HID_BASE_CONTROL + pHelpInfo->iCtrlId, HELP_CONTEXTPOPUP);
    return TRUE;
}

void CSampleSheet::OnTimer(UINT_PTR) { ++m_nTicks; }

LRESULT CSampleSheet::OnPageChanged(WPARAM, LPARAM) {
    ++m_nChanged;
    return Default();
}

LRESULT CSampleSheet::OnPageUnchanged(WPARAM, LPARAM) {
    ++m_nUnchanged;
    return Default();
}

void CSampleSheet::OnOK() {
    Note("sheet: OK");
    Default();
}

// --- CInstrumentsDlg ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CInstrumentsDlg, CDialog)
ON_CLBN_CHKCHANGE(IDC_INSTRUMENTS, OnCheckChange)
END_MESSAGE_MAP()

CInstrumentsDlg::CInstrumentsDlg(const std::vector<Item>& items, CWnd* pParentWnd)
    : CDialog(IDD_INSTRUMENTS, pParentWnd), m_items(items) {}

void CInstrumentsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INSTRUMENTS, m_list);
}

BOOL CInstrumentsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const Item& item : m_items) {
        int nIndex = m_list.AddString(item.name);
        if (nIndex < 0) continue;
        m_list.SetItemDataPtr(nIndex, item.data);
        m_list.SetCheck(nIndex, item.check);
        m_list.Enable(nIndex, item.enabled);
    }
    return TRUE;
}

void CInstrumentsDlg::OnCheckChange() { ++m_nCheckChanges; }

void CInstrumentsDlg::OnOK() {
    m_selected.clear();
    for (int i = 0; i < m_list.GetCount(); i++)
        if (m_list.GetCheck(i) > 0 && m_list.GetItemDataPtr(i) != NULL)
            m_selected.push_back(m_list.GetItemDataPtr(i));
    CDialog::OnOK();
}
