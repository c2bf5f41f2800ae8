// The communication configuration.
#include "commconfigdlg.h"

#include "controlhelp.h"
#include "converter.h"
#include "netlist.h"
#include "networksettingsdlg.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "vaskinstrument.h"

#include <memory>

namespace {

// The offline models offered, by analyzer type code; 6 ("Denrik") is not.
const int kOfferedTypes[] = {1, 2, 3, 4, 5, 7, 8};
// The Sindor 23: its count leaves room for the O2 and the H2S sensor.
const int kSindor23 = 4;
const int kLorvix62 = 8;
const char kOfflineConverter[] = "Offline";

// Heating is offered by these models offline.
bool OffersHeating(int type) { return type == 1 || type == 2 || type == 5 || type == 7; }

void TellNumber(UINT nFormatId, int number) {
    CString format, text;
    format.LoadString(nFormatId);
    text.Format((LPCSTR)format, number);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

BEGIN_MESSAGE_MAP(CCommConfigDlg, CDialog)
ON_BN_CLICKED(IDC_OFFLINE_MODE, UpdateControls)
ON_BN_CLICKED(IDC_ONLINE_MODE, UpdateControls)
ON_CBN_SELCHANGE(IDC_INSTRUMENT_TYPE, OnSelchangeType)
ON_CBN_EDITCHANGE(IDC_INSTRUMENT_TYPE, OnEditchangeType)
ON_BN_CLICKED(IDC_NETWORK_SETTINGS, OnSettings)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CCommConfigDlg::CCommConfigDlg(UINT nCancelAllowed, CWnd* pParentWnd)
    : CDialog(IDD, pParentWnd),
      m_nOperationMode(0),
      m_bO2Sensor(0),
      m_bH2SSensor(0),
      m_nComponents(1),
      m_bOptionalBoard(0),
      m_bHeating(0),
      m_nTypeCode(0),
      m_pOfflineConverter(NULL),
      m_nCancelAllowed(nCancelAllowed),
      m_nMaxComponents(4),
      m_bTypeTyped(FALSE) {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    m_nOperationMode = pApp != NULL && pApp->IsOnlineMode() ? 1 : 0;
}

void CCommConfigDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COMM_NETWORK, m_networkList);
    DDX_Control(pDX, IDC_INSTRUMENT_TYPE, m_typeList);
    DDX_Radio(pDX, IDC_OFFLINE_MODE, m_nOperationMode);
    DDX_Check(pDX, IDC_O2_SENSOR, m_bO2Sensor);
    DDX_Check(pDX, IDC_H2S_SENSOR, m_bH2SSensor);
    DDX_Text(pDX, IDC_COMPONENT_COUNT, m_nComponents);
    DDX_Check(pDX, IDC_OPTIONAL_BOARD, m_bOptionalBoard);
    DDX_Check(pDX, IDC_HEATING, m_bHeating);
}

BOOL CCommConfigDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!m_nCancelAllowed) GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    CPCVaskDoc* pDoc = CPCVaskDoc::GetActive();
    m_pOfflineConverter = pDoc != NULL ? pDoc->GetOfflineConverter() : NULL;
    if (m_pOfflineConverter != NULL) {
        m_bO2Sensor = m_pOfflineConverter->GetOfflineO2Sensor();
        m_bH2SSensor = m_pOfflineConverter->GetOfflineH2SSensor();
        m_nComponents = m_pOfflineConverter->GetOfflineComponents();
        m_bOptionalBoard = m_pOfflineConverter->GetOfflineOptionBoard();
        m_bHeating = m_pOfflineConverter->GetOfflineHeating();
    }
    FillInstrumentTypes();
    FillNetworks(NULL);
    UpdateData(FALSE);
    UpdateControls();
    return TRUE;
}

void CCommConfigDlg::FillInstrumentTypes() {
    m_typeList.ResetContent();
    for (int type : kOfferedTypes) {
        CString name;
        name.LoadString(IDS_OFFLINE_MODEL_BASE + type);
        m_typeList.SetItemData(m_typeList.AddString(name), type);
    }
    int index = -1;
    if (m_pOfflineConverter != NULL) {
        CString name;
        name.LoadString(IDS_OFFLINE_MODEL_BASE + m_pOfflineConverter->GetOfflineType());
        if (!name.IsEmpty()) index = m_typeList.FindStringExact(-1, name);
    }
    m_typeList.SetCurSel(index >= 0 ? index : 0);
    m_nTypeCode = (int)m_typeList.GetItemData(m_typeList.GetCurSel());
}

void CCommConfigDlg::FillNetworks(LPCSTR lpszNetwork) {
    FillNetworkList(m_networkList, lpszNetwork);
}

int CCommConfigDlg::TakeType() {
    int index = m_typeList.GetCurSel();
    // Typing leaves the list's selection at the first entry that begins with the text: the
    // typed text decides once it was typed after the last pick.
    if (m_bTypeTyped) {
        CString text;
        m_typeList.GetWindowText(text);
        index = text.IsEmpty() ? -1 : m_typeList.FindStringExact(-1, text);
    }
    if (index >= 0) {
        m_nTypeCode = (int)m_typeList.GetItemData(index);
    } else {
        CString name;
        name.LoadString(IDS_OFFLINE_MODEL_BASE + m_nTypeCode);
        index = name.IsEmpty() ? -1 : m_typeList.FindStringExact(-1, name);
    }
    // The list shows the type that OK stores.
    if (index >= 0 && (m_bTypeTyped || index != m_typeList.GetCurSel()))
        m_typeList.SetCurSel(index);
    m_bTypeTyped = FALSE;
    return m_nTypeCode;
}

void CCommConfigDlg::OnSelchangeType() {
    m_bTypeTyped = FALSE;
    UpdateControls();
}

void CCommConfigDlg::OnEditchangeType() { m_bTypeTyped = TRUE; }

void CCommConfigDlg::UpdateControls() {
    if (!UpdateData(TRUE)) return;
    const BOOL online = m_nOperationMode == 1;
    const BOOL offline = !online;
    GetDlgItem(IDC_COMM_NETWORK)->EnableWindow(online);
    GetDlgItem(IDC_NETWORK_SETTINGS)->EnableWindow(online);
    GetDlgItem(IDC_COMPONENT_COUNT)->EnableWindow(offline);
    GetDlgItem(IDC_OPTIONAL_BOARD)->EnableWindow(offline);
    GetDlgItem(IDC_INSTRUMENT_TYPE)->EnableWindow(offline);

    const int type = TakeType();
    BOOL heating = FALSE, sensors = FALSE;
    if (OffersHeating(type)) {
        heating = offline;
    } else if (type == kSindor23) {
        sensors = offline;
    } else if (type == kLorvix62 && offline) {
        // Only with the extension card of the offline analyzer that the document has.
        CPCVaskDoc* pDoc = CPCVaskDoc::GetActive();
        CVaskInstrument* pAnalyzer = pDoc != NULL ? pDoc->GetOfflineInstrument() : NULL;
        heating = pAnalyzer != NULL && pAnalyzer->HasExtensionCard();
    }
    GetDlgItem(IDC_O2_SENSOR)->EnableWindow(sensors);
    GetDlgItem(IDC_H2S_SENSOR)->EnableWindow(sensors);
    GetDlgItem(IDC_HEATING)->EnableWindow(heating);

    if (m_nComponents > m_nMaxComponents) m_nComponents = m_nMaxComponents;
    UpdateData(FALSE);
}

void CCommConfigDlg::OnSettings() {
    CString name;
    const int index = m_networkList.GetCurSel();
    if (index >= 0) m_networkList.GetLBText(index, name);
    CNetworkSettingsDlg dialog(name, this);
    if (dialog.DoModal() == IDOK) FillNetworks(dialog.m_strNetworkName);
}

void CCommConfigDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    const int type = TakeType();
    const int max = m_nMaxComponents;
    if (m_nOperationMode == 0) {
        if (type != kSindor23 && m_nComponents > max) {
            TellNumber(IDS_MAX_COMPONENTS, max);
            return;
        }
        if (type == kSindor23) {
            if (m_nComponents > (m_bH2SSensor ? max - 2 : max - 1)) {
                TellNumber(IDS_MAX_COMPONENTS_SENSORS, max - 2);
                return;
            }
            if (m_nComponents < 1) {
                AfxMessageBox(IDS_MIN_COMPONENTS, MB_OK | MB_ICONEXCLAMATION);
                return;
            }
        }
    } else {
        const int index = m_networkList.GetCurSel();
        if (index >= 0) {
            CString name;
            m_networkList.GetLBText(index, name);
            SetNetworkName(name);
        }
    }
    m_nTypeCode = type;

    // Without a document the description still goes to the profile.
    std::unique_ptr<CConverter> ownConverter;
    CConverter* pConverter = m_pOfflineConverter;
    if (pConverter == NULL) {
        ownConverter.reset(new CConverter(kOfflineConverter, 1));
        pConverter = ownConverter.get();
    }
    pConverter->ReadFromRegistry(kOfflineConverter);
    ConverterConfig config;
    pConverter->GetConfiguration(config);
    config.hasHeating = m_bHeating;
    config.hasOptionBoard = m_bOptionalBoard;
    config.hasO2Sensor = m_bO2Sensor;
    config.hasH2SSensor = m_bH2SSensor;
    config.components = m_nComponents;
    config.offlineType = m_nTypeCode;
    pConverter->SetConfiguration(config);
    pConverter->WriteToRegistry();
    m_pOfflineConverter = NULL;
    EndDialog(IDOK);
}

void CCommConfigDlg::OnCancel() {
    if (m_nCancelAllowed) CDialog::OnCancel();
}

BOOL CCommConfigDlg::OnHelpInfo(HELPINFO* pHelpInfo) { return ShowControlHelpPopup(pHelpInfo); }
