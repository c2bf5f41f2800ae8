// The component names of an analyzer.
#include "definecomponentsdlg.h"

#include "vaskinstrument.h"

CDefineComponentsDlg::CDefineComponentsDlg(CVaskInstrument* pAnalyzer, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd), m_pAnalyzer(pAnalyzer) {}

void CDefineComponentsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < kComponents; ++i) DDX_Text(pDX, IDC_COMPONENT_NAME_1 + i, m_strNames[i]);
}

BOOL CDefineComponentsDlg::OnInitDialog() {
    if (m_pAnalyzer != NULL) {
        for (int i = 0; i < kComponents; ++i) {
            m_strNames[i] = m_pAnalyzer->GetComponentName(i);
            if (!m_pAnalyzer->HasMeasRange(i))
                GetDlgItem(IDC_COMPONENT_NAME_1 + i)->EnableWindow(FALSE);
        }
    }
    return CDialog::OnInitDialog();
}

void CDefineComponentsDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_pAnalyzer != NULL) {
        for (int i = 0; i < kComponents; ++i) m_pAnalyzer->SetComponentName(i, m_strNames[i]);
        m_pAnalyzer->WriteComponentNames();
    }
    EndDialog(IDOK);
}
