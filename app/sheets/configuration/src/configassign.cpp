// The relay and binary-input assignment pages of the configuration sheet.
#include "configpages.h"

#include "resource.h"

namespace {
const int kHeatingFunction = 51;
const int kFreeFunction = 1;

const AssignmentKind kRelays = {IDD_CONFIG_RELAYS,
                                IDC_CONFIG_RELAY_LIST,
                                IDS_RELAY_HEADINGS,
                                IDC_CONFIG_RELAY_FREE,
                                IDC_CONFIG_RELAY_ASSIGN,
                                IDC_CONFIG_RELAY_REMOVE,
                                63,
                                IDS_RELAY_FUNCTION_BASE,
                                8,
                                &CVaskInstrument::GetRelayCount,
                                &CVaskInstrument::GetExtRelayCount,
                                &CVaskInstrument::GetRelayFunctionTable,
                                &CVaskInstrument::GetRelayOutputs,
                                &CVaskInstrument::GetExtRelayOutputs,
                                &CVaskInstrument::SetRelayOutputs,
                                &CVaskInstrument::SetExtRelayOutputs,
                                25,
                                "Relay %d",
                                TRUE};

const AssignmentKind kBinaryInputs = {IDD_CONFIG_BINARY,
                                      IDC_CONFIG_BINARY_LIST,
                                      IDS_BINARY_HEADINGS,
                                      IDC_CONFIG_BINARY_FREE,
                                      IDC_CONFIG_BINARY_ASSIGN,
                                      IDC_CONFIG_BINARY_REMOVE,
                                      50,
                                      IDS_INPUT_FUNCTION_BASE,
                                      6,
                                      &CVaskInstrument::GetBinaryInputCount,
                                      &CVaskInstrument::GetExtBinaryInputCount,
                                      &CVaskInstrument::GetBinaryInputFunctionTable,
                                      &CVaskInstrument::GetBinaryInputs,
                                      &CVaskInstrument::GetExtBinaryInputs,
                                      &CVaskInstrument::SetBinaryInputs,
                                      &CVaskInstrument::SetExtBinaryInputs,
                                      26,
                                      "Binary input %d",
                                      FALSE};

CString EntryKey(const char* format, int number) {
    CString key;
    key.Format(format, number);
    return key;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPageConfigAssignment, CConfigPage)
ON_BN_CLICKED(IDC_CONFIG_RELAY_ASSIGN, OnAssign)
ON_BN_CLICKED(IDC_CONFIG_RELAY_REMOVE, OnRemove)
ON_BN_CLICKED(IDC_CONFIG_BINARY_ASSIGN, OnAssign)
ON_BN_CLICKED(IDC_CONFIG_BINARY_REMOVE, OnRemove)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CPageConfigRelais, CPropertyPage)
IMPLEMENT_DYNCREATE(CPageConfigBinary, CPropertyPage)

CPageConfigRelais::CPageConfigRelais(CVaskInstrument* pInstrument)
    : CPageConfigAssignment(kRelays, pInstrument) {}

CPageConfigBinary::CPageConfigBinary(CVaskInstrument* pInstrument)
    : CPageConfigAssignment(kBinaryInputs, pInstrument) {}

CPageConfigAssignment::CPageConfigAssignment(const AssignmentKind& kind,
                                             CVaskInstrument* pInstrument)
    : CConfigPage(kind.nTemplate, pInstrument),
      m_kind(kind),
      m_nStandardCount(0),
      m_nOptionCount(0),
      m_nOptionCard(0),
      m_bHeating(FALSE),
      m_bStandardRead(FALSE),
      m_bOptionRead(FALSE) {
    for (int& a : m_assigned) a = 0;
    for (int i = 0; i < kSlots; ++i) m_standard[i] = m_option[i] = kFreeFunction;
}

void CPageConfigAssignment::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_kind.nList, m_list);
    DDX_Control(pDX, m_kind.nFreeList, m_free);
}

BOOL CPageConfigAssignment::OnInitDialog() {
    CWaitCursor wait;
    CDialog::OnInitDialog();
    CVaskInstrument* p = m_pInstrument;
    m_nOptionCard = p->HasExtensionCard();
    // Asked once: online it is a request to the device.
    m_bHeating = m_kind.bHeatingRule && p->HasHeating();
    m_nStandardCount = (p->*m_kind.standardCount)();
    if (m_nStandardCount < 0) m_nStandardCount = 0;
    if (m_nStandardCount > m_kind.nStandardSlots) m_nStandardCount = m_kind.nStandardSlots;
    m_nOptionCount = m_nOptionCard ? (p->*m_kind.optionCount)() : 0;
    if (m_nOptionCount < 0) m_nOptionCount = 0;
    if (m_nOptionCount > kSlots) m_nOptionCount = kSlots;
    for (int i = 0; i < kSlots; ++i) m_standard[i] = m_option[i] = kFreeFunction;
    // Without standard outputs (the Sindor 23's binary inputs) there is nothing to read or
    // write on the main board, and the option card does not depend on it.
    m_bStandardRead = m_nStandardCount == 0;
    m_bOptionRead = m_nOptionCount == 0;
    if (IsOnline()) {
        // The device's records hold up to eight codes whatever the count.
        int codes[kSlots];
        for (int& c : codes) c = kFreeFunction;
        if (m_nStandardCount > 0 && (p->*m_kind.readStandard)(codes)) {
            for (int i = 0; i < m_nStandardCount; ++i) m_standard[i] = codes[i];
            m_bStandardRead = TRUE;
        }
        for (int& c : codes) c = kFreeFunction;
        if (m_nOptionCount > 0 && (p->*m_kind.readOption)(codes)) {
            for (int i = 0; i < m_nOptionCount; ++i) m_option[i] = codes[i];
            m_bOptionRead = TRUE;
        }
    } else {
        BOOL bAll = TRUE;
        for (int i = 0; i < m_nStandardCount; ++i)
            bAll = ReadInt(m_kind.nGroup, EntryKey(m_kind.keyFormat, i + 1), m_standard[i]) && bAll;
        m_bStandardRead = bAll;
        bAll = TRUE;
        for (int i = 0; i < m_nOptionCount; ++i)
            bAll = ReadInt(m_kind.nGroup, EntryKey(m_kind.keyFormat, m_nStandardCount + i + 1),
                           m_option[i]) &&
                   bAll;
        m_bOptionRead = bAll;
    }
    m_list.SetOwnerDrawn(true);
    FillAssignmentList();
    FillFunctionList();
    EnableControls();
    return TRUE;
}

CString CPageConfigAssignment::FunctionText(int code) const {
    CString text;
    text.LoadString(code > m_kind.nFunctions ? IDS_NOT_YET_DEFINED : m_kind.nTextBase + code);
    return text;
}

int* CPageConfigAssignment::RowSlot(int nRow, BOOL* pRead) {
    if (nRow < 0) return NULL;
    if (nRow < m_nStandardCount) {
        *pRead = m_bStandardRead;
        return &m_standard[nRow];
    }
    if (m_nOptionCard && nRow - m_nStandardCount < m_nOptionCount) {
        *pRead = m_bOptionRead;
        return &m_option[nRow - m_nStandardCount];
    }
    return NULL;
}

int CPageConfigAssignment::GetRowCode(int nRow) const {
    BOOL bRead = FALSE;
    const int* pSlot = const_cast<CPageConfigAssignment*>(this)->RowSlot(nRow, &bRead);
    return pSlot != NULL ? *pSlot : 0;
}

void CPageConfigAssignment::FillAssignmentList() {
    m_list.DeleteAllItemsAndColumns();
    m_list.InsertColumnsFromString(m_kind.nHeadings);
    for (int& a : m_assigned) a = 0;
    const int rows = m_nStandardCount + m_nOptionCount;
    for (int row = 0; row < rows; ++row) {
        BOOL bRead = FALSE;
        const int code = *RowSlot(row, &bRead);
        CString number;
        number.Format("%i", row + 1);
        m_list.SetItemTextFitColumn(row, 0, number);
        // An unread part shows no function: it is not the device's.
        m_list.SetItemTextFitColumn(row, 1, bRead ? (LPCSTR)FunctionText(code) : "", -1, 1);
        if (bRead && code >= 1 && code <= m_kind.nFunctions) m_assigned[code - 1] = 1;
    }
}

void CPageConfigAssignment::FillFunctionList() {
    m_free.ResetContent();
    int count = 0;
    const int* flags = (m_pInstrument->*m_kind.functionTable)(count);
    if (flags == NULL) return;
    if (count > m_kind.nFunctions) count = m_kind.nFunctions;
    for (int i = 0; i < count; ++i) {
        if (!flags[i]) continue;
        // Function 1 ("Free", "Vacant") stays listed while outputs carry it.
        if (i > 0 && m_assigned[i]) continue;
        if (m_kind.bHeatingRule && i + 1 == kHeatingFunction && !m_bHeating) continue;
        const int item = m_free.AddString(FunctionText(i + 1));
        if (item >= 0) m_free.SetItemData(item, (DWORD_PTR)i);
    }
}

void CPageConfigAssignment::EnableControls() {
    const BOOL bEdit = MayEdit() && ((m_nStandardCount > 0 && m_bStandardRead) ||
                                     (m_nOptionCount > 0 && m_bOptionRead));
    EnableControl(m_kind.nAssign, bEdit);
    EnableControl(m_kind.nRemove, bEdit);
}

void CPageConfigAssignment::Unassign(int code) {
    if (code >= 1 && code <= m_kind.nFunctions) m_assigned[code - 1] = 0;
}

void CPageConfigAssignment::OnAssign() {
    const int row = m_list.GetFirstSelectedItem();
    const int sel = m_free.GetCurSel();
    if (row < 0 || sel < 0) return;
    BOOL bRead = FALSE;
    int* pSlot = RowSlot(row, &bRead);
    if (pSlot == NULL || !bRead) return;
    const int data = (int)m_free.GetItemData(sel);
    Unassign(*pSlot);
    *pSlot = data + 1;
    m_assigned[data] = 1;
    m_list.SetItemTextFitColumn(row, 1, FunctionText(*pSlot), -1, 1);
    FillFunctionList();
    OnParamModified();
}

void CPageConfigAssignment::OnRemove() {
    const int row = m_list.GetFirstSelectedItem();
    if (row < 0) return;
    BOOL bRead = FALSE;
    int* pSlot = RowSlot(row, &bRead);
    if (pSlot == NULL || !bRead) return;
    Unassign(*pSlot);
    *pSlot = kFreeFunction;
    m_list.SetItemTextFitColumn(row, 1, FunctionText(kFreeFunction), -1, 1);
    FillFunctionList();
    OnParamModified();
}

BOOL CPageConfigAssignment::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    CVaskInstrument* p = m_pInstrument;
    const BOOL bStandard = m_nStandardCount > 0 && m_bStandardRead;
    const BOOL bOption = m_nOptionCard && m_nOptionCount > 0 && m_bOptionRead;
    if (IsOnline()) {
        if (bStandard && !(p->*m_kind.writeStandard)(m_standard)) return FALSE;
        if (bOption && !(p->*m_kind.writeOption)(m_option)) return FALSE;
    } else {
        if (bStandard)
            for (int i = 0; i < m_nStandardCount; ++i)
                WriteInt(m_kind.nGroup, EntryKey(m_kind.keyFormat, i + 1), m_standard[i]);
        if (bOption)
            for (int i = 0; i < m_nOptionCount; ++i)
                WriteInt(m_kind.nGroup, EntryKey(m_kind.keyFormat, m_nStandardCount + i + 1),
                         m_option[i]);
    }
    return CConfigPage::OnApply();
}
