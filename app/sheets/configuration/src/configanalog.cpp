// The analog outputs page of the configuration sheet.
#include "configpages.h"

#include "resource.h"
#include "sheethost.h"
#include "sindor23.h"

namespace {
// The analog outputs' group of the parameter table and its entries' keys.
const int kGroupAnalogOutputs = 24;
const char kRangeKey[] = "Range";
const char kInvertedKey[] = "Inverted";
const char kFaultKey[] = "Store on fault";
const char kCheckKey[] = "Store on function check";
const char kSuppressKey[] = "C%d: Negative Values";

CString SuppressKey(int c) {
    CString key;
    key.Format(kSuppressKey, c + 1);
    return key;
}

void FillCombo(CWnd* pCombo, UINT nStringId) {
    if (pCombo == NULL) return;
    pCombo->SendMessage(CB_RESETCONTENT);
    CStringArray items;
    SplitCommaText(nStringId, items);
    for (int i = 0; i < items.GetSize(); ++i)
        pCombo->SendMessage(CB_ADDSTRING, 0, (LPARAM)(LPCSTR)items[i]);
}

int Selection(CWnd* pCombo) {
    return pCombo != NULL ? (int)pCombo->SendMessage(CB_GETCURSEL) : CB_ERR;
}
}  // namespace

IMPLEMENT_DYNCREATE(CPageConfigAnalogous, CPropertyPage)

BEGIN_MESSAGE_MAP(CPageConfigAnalogous, CHelpPropertyPage)
ON_CBN_SELCHANGE(IDC_CONFIG_ANALOG_RANGE, OnControlChanged)
ON_CBN_SELCHANGE(IDC_CONFIG_STORE_CHECK, OnControlChanged)
ON_CBN_SELCHANGE(IDC_CONFIG_STORE_FAULT, OnControlChanged)
ON_BN_CLICKED(IDC_CONFIG_INVERTED, OnControlChanged)
ON_CLBN_CHKCHANGE(IDC_CONFIG_SUPPRESS, OnControlChanged)
END_MESSAGE_MAP()

CPageConfigAnalogous::CPageConfigAnalogous(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_ANALOG, pInstrument),
      m_nInverted(0),
      m_nSecondRangeFlag(0),
      m_nCurrentRange(0),
      m_nCheckBehaviour(0),
      m_nFaultBehaviour(0),
      m_bRangeRead(FALSE),
      m_bInvertedRead(FALSE),
      m_bStoreRead(FALSE) {
    for (BOOL& read : m_bSuppressRead) read = FALSE;
}

void CPageConfigAnalogous::DoDataExchange(CDataExchange* pDX) {
    CConfigPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CONFIG_SUPPRESS, m_suppress);
    DDX_Check(pDX, IDC_CONFIG_INVERTED, m_nInverted);
}

BOOL CPageConfigAnalogous::OnInitDialog() {
    CWaitCursor wait;
    CDialog::OnInitDialog();
    FillLists();
    ReadSettings();
    ShowData();
    EnableControls();
    return TRUE;
}

void CPageConfigAnalogous::FillLists() {
    FillCombo(GetDlgItem(IDC_CONFIG_STORE_CHECK), IDS_MEAS_STORE_TYPES);
    FillCombo(GetDlgItem(IDC_CONFIG_STORE_FAULT), IDS_MEAS_STORE_TYPES);
    const BOOL bSindor23 = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23));
    FillCombo(GetDlgItem(IDC_CONFIG_ANALOG_RANGE),
              bSindor23 ? IDS_ANALOG_RANGES_S23 : IDS_ANALOG_RANGES);
    m_suppress.ResetContent();
    const int count = m_pInstrument->GetComponentCount();
    for (int c = 0; c < count && c < kGridComponents; ++c) {
        m_bSuppressRead[c] = FALSE;
        const int item = m_suppress.AddString(m_pInstrument->GetComponentLabel(c));
        if (item < 0) continue;
        VaskFloat value;
        if (ReadEntry(Entry(kGroupAnalogOutputs, SuppressKey(c)), value)) {
            m_suppress.SetCheck(item, (int)value.value != 0 ? 1 : 0);
            m_bSuppressRead[c] = TRUE;
        }
    }
}

void CPageConfigAnalogous::ReadSettings() {
    CWnd* pRange = GetDlgItem(IDC_CONFIG_ANALOG_RANGE);
    CWnd* pCheck = GetDlgItem(IDC_CONFIG_STORE_CHECK);
    CWnd* pFault = GetDlgItem(IDC_CONFIG_STORE_FAULT);
    if (IsOnline()) {
        int inverted = 0, second = 0;
        CurrentType range = Current0To20mA;
        m_bRangeRead = m_pInstrument->GetAnalogRange(inverted, second, range) != 0;
        m_bInvertedRead = m_bRangeRead;
        if (m_bRangeRead) {
            m_nInverted = inverted;
            m_nSecondRangeFlag = second;
            m_nCurrentRange = range;
            pRange->SendMessage(CB_SETCURSEL, m_nCurrentRange);
        }
        MeasStoreType onCheck = MeasStoreOff, onFault = MeasStoreOff;
        m_bStoreRead = m_pInstrument->GetMeasStore(onCheck, onFault) != 0;
        if (m_bStoreRead) {
            m_nCheckBehaviour = onCheck;
            m_nFaultBehaviour = onFault;
            pCheck->SendMessage(CB_SETCURSEL, m_nCheckBehaviour);
            pFault->SendMessage(CB_SETCURSEL, m_nFaultBehaviour);
        }
        return;
    }
    // The Sindor 23 has no inversion entry.
    m_bRangeRead = ReadInt(kGroupAnalogOutputs, kRangeKey, m_nCurrentRange);
    m_bInvertedRead = ReadInt(kGroupAnalogOutputs, kInvertedKey, m_nInverted);
    m_bStoreRead = ReadInt(kGroupAnalogOutputs, kFaultKey, m_nFaultBehaviour) &&
                   ReadInt(kGroupAnalogOutputs, kCheckKey, m_nCheckBehaviour);
    pRange->SendMessage(CB_SETCURSEL, m_bRangeRead ? m_nCurrentRange : -1);
    pCheck->SendMessage(CB_SETCURSEL, m_bStoreRead ? m_nCheckBehaviour : -1);
    pFault->SendMessage(CB_SETCURSEL, m_bStoreRead ? m_nFaultBehaviour : -1);
}

void CPageConfigAnalogous::EnableControls() {
    const BOOL bEdit = MayEdit();
    const BOOL bSindor23 = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23));
    EnableControl(IDC_CONFIG_ANALOG_RANGE, bEdit && m_bRangeRead);
    EnableControl(IDC_CONFIG_INVERTED, bEdit && m_bInvertedRead && !bSindor23);
    EnableControl(IDC_CONFIG_STORE_CHECK, bEdit && m_bStoreRead);
    EnableControl(IDC_CONFIG_STORE_FAULT, bEdit && m_bStoreRead && bSindor23);
    for (int i = 0; i < m_suppress.GetCount(); ++i)
        m_suppress.Enable(i, bEdit && !bSindor23 && i < kGridComponents && m_bSuppressRead[i]);
}

BOOL CPageConfigAnalogous::OnKillActive() {
    GetSheetHost().SetTimerTarget(NULL);
    return CConfigPage::OnKillActive();
}

BOOL CPageConfigAnalogous::OnApply() {
    if (!UpdateData(TRUE)) return FALSE;
    if (!m_nModified) return CConfigPage::OnApply();
    const int range = Selection(GetDlgItem(IDC_CONFIG_ANALOG_RANGE));
    const int onCheck = Selection(GetDlgItem(IDC_CONFIG_STORE_CHECK));
    const int onFault = Selection(GetDlgItem(IDC_CONFIG_STORE_FAULT));
    // A list left without a selection (its value unread or not in the list) is not written.
    const BOOL bWriteRange = m_bRangeRead && range != CB_ERR;
    const BOOL bWriteStore = m_bStoreRead && onCheck != CB_ERR && onFault != CB_ERR;
    if (bWriteRange) m_nCurrentRange = range;
    if (bWriteStore) m_nCheckBehaviour = onCheck, m_nFaultBehaviour = onFault;
    const BOOL bSindor23 = m_pInstrument->IsKindOf(RUNTIME_CLASS(CSindor23));
    const int count = m_suppress.GetCount();
    if (IsOnline()) {
        if (bWriteRange && !m_pInstrument->SetAnalogRange(m_nInverted, m_nSecondRangeFlag,
                                                          (CurrentType)m_nCurrentRange))
            return FALSE;
        if (bWriteStore && !m_pInstrument->SetMeasStore((MeasStoreType)m_nCheckBehaviour,
                                                        (MeasStoreType)m_nFaultBehaviour))
            return FALSE;
        if (!bSindor23) {
            for (int c = 0; c < count && c < kGridComponents; ++c) {
                if (!m_bSuppressRead[c]) continue;
                if (!m_pInstrument->SuppressNegativeAnalog(c, m_suppress.GetCheck(c) == 1))
                    return FALSE;
            }
        }
    } else {
        if (bWriteRange) {
            WriteInt(kGroupAnalogOutputs, kRangeKey, m_nCurrentRange);
        }
        if (m_bInvertedRead) WriteInt(kGroupAnalogOutputs, kInvertedKey, m_nInverted);
        if (bWriteStore) {
            WriteInt(kGroupAnalogOutputs, kCheckKey, m_nCheckBehaviour);
            // The fault entry takes the functional-check choice on every model but the
            // Sindor 23, whose fault list is the only one enabled: stored files rely on it.
            WriteInt(kGroupAnalogOutputs, kFaultKey,
                     bSindor23 ? m_nFaultBehaviour : m_nCheckBehaviour);
        }
        for (int c = 0; c < count && c < kGridComponents; ++c)
            if (m_bSuppressRead[c])
                WriteInt(kGroupAnalogOutputs, SuppressKey(c), m_suppress.GetCheck(c) == 1 ? 1 : 0);
    }
    ReadSettings();
    EnableControls();
    m_nModified = 0;
    return CConfigPage::OnApply();
}
