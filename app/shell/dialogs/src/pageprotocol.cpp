// The logging settings page.
#include "pageprotocol.h"

#include "instrumentoverviewdlg.h"
#include "resource.h"
#include "vaskinstrument.h"

namespace {

const char kDefaultDelimiter[] = ".";

}  // namespace

IMPLEMENT_DYNCREATE(CPageProtocol, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageProtocol, CHelpPropertyPage)
ON_CBN_SELCHANGE(IDC_PROTOCOL_NETWORK, OnNetworkChange)
ON_CBN_SELCHANGE(IDC_PROTOCOL_DELIMITER, OnModified)
ON_CLBN_CHKCHANGE(IDC_PROTOCOL_INSTRUMENTS, OnModified)
END_MESSAGE_MAP()

CPageProtocol::CPageProtocol(CObList* pNodeList)
    : CHelpPropertyPage(IDD_PROTOCOL_PAGE),
      m_strDelimiter(kDefaultDelimiter),
      m_candidates(10),
      m_pNodeList(pNodeList),
      m_selection(10),
      m_pCurrent(NULL) {
    m_psp.dwFlags |= PSP_HASHELP;
}

CPageProtocol::~CPageProtocol() {}

// ---- the selection ----------------------------------------------------------------------

void CPageProtocol::SetCurrentInstrument(CVaskInstrument* pInstrument) {
    CSingleLock lock(&m_lock, TRUE);
    m_pCurrent = pInstrument;
    m_selection.RemoveAll();
    if (pInstrument != NULL) m_selection.AddTail(pInstrument);
}

void CPageProtocol::ClearSelection() {
    CSingleLock lock(&m_lock, TRUE);
    m_selection.RemoveAll();
}

void CPageProtocol::GetLoggingChoice(CObList& selection, CString& delimiter) {
    CSingleLock lock(&m_lock, TRUE);
    selection.RemoveAll();
    selection.AddTail(&m_selection);
    delimiter = m_strDelimiter;
}

CString CPageProtocol::GetDelimiter() {
    CSingleLock lock(&m_lock, TRUE);
    return m_strDelimiter;
}

// ---- the window -------------------------------------------------------------------------

void CPageProtocol::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROTOCOL_NETWORK, m_networks);
    DDX_Control(pDX, IDC_PROTOCOL_INSTRUMENTS, m_analyzers);
    // The logging thread copies the delimiter: it changes only under the lock.
    CString delimiter = GetDelimiter();
    DDX_CBString(pDX, IDC_PROTOCOL_DELIMITER, delimiter);
    DDV_MaxChars(pDX, delimiter, 1);
    if (pDX->m_bSaveAndValidate) {
        // A delimiter of no character would join the digits of a value.
        if (delimiter.IsEmpty()) delimiter = kDefaultDelimiter;
        CSingleLock lock(&m_lock, TRUE);
        m_strDelimiter = delimiter;
    }
}

BOOL CPageProtocol::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    // The template's entries; a template without them still offers both.
    CComboBox* pDelimiters = (CComboBox*)GetDlgItem(IDC_PROTOCOL_DELIMITER);
    if (pDelimiters != NULL) {
        for (LPCSTR sign : {".", ","})
            if (pDelimiters->FindStringExact(-1, sign) < 0) pDelimiters->AddString(sign);
        if (pDelimiters->SelectString(-1, GetDelimiter()) < 0)
            pDelimiters->SelectString(-1, kDefaultDelimiter);
    }
    FillNetworks();
    return TRUE;
}

void CPageProtocol::FillNetworks() {
    if (m_pNodeList == NULL) return;
    FillNetworkNodes(m_networks, m_pNodeList);
    OnNetworkChange();
}

void CPageProtocol::OnNetworkChange() {
    m_candidates.RemoveAll();
    const int index = m_networks.GetCurSel();
    if (index >= 0) {
        CInstrument* pNetwork = (CInstrument*)m_networks.GetItemDataPtr(index);
        for (POSITION pos = pNetwork->GetFirstChildPosition(); pos != NULL;)
            m_candidates.AddTail(pNetwork->GetNextChild(pos));
    }
    FillAnalyzers();
}

void CPageProtocol::FillAnalyzers() {
    m_analyzers.ResetContent();
    for (POSITION pos = m_candidates.GetHeadPosition(); pos != NULL;) {
        CInstrument* pNode = (CInstrument*)m_candidates.GetNext(pos);
        if (!pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument)) || !pNode->IsActive()) continue;
        const int index = m_analyzers.AddString(pNode->GetName());
        if (index < 0) continue;
        m_analyzers.SetItemDataPtr(index, pNode);
        m_analyzers.SetCheck(index, pNode == m_pCurrent ? 1 : 0);
    }
}

void CPageProtocol::OnModified() { SetModified(TRUE); }

BOOL CPageProtocol::OnApply() {
    CObList chosen(10);
    for (int i = 0; i < m_analyzers.GetCount(); ++i) {
        void* pData = m_analyzers.GetItemDataPtr(i);
        if (m_analyzers.GetCheck(i) > 0 && pData != NULL) chosen.AddTail((CObject*)pData);
    }
    {
        CSingleLock lock(&m_lock, TRUE);
        m_selection.RemoveAll();
        m_selection.AddTail(&chosen);
    }
    return CHelpPropertyPage::OnApply();
}
