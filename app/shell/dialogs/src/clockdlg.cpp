// The dialog of an analyzer's clock.
#include "clockdlg.h"

#include "accesslevel.h"
#include "apputil.h"
#include "instrumenthost.h"
#include "vaskinstrument.h"

namespace {

// From "Specialist" on the clock may be set.
const int kSetLevel = 2;

const int kEdits[] = {IDC_CLOCK_DAY, IDC_CLOCK_MONTH, IDC_CLOCK_YEAR, IDC_CLOCK_HOUR,
                      IDC_CLOCK_MINUTE};

bool Online() { return GetInstrumentHost().GetOperationMode() == 1; }

}  // namespace

BEGIN_MESSAGE_MAP(CClockDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CClockDlg::CClockDlg(CVaskInstrument* pAnalyzer)
    : CDialog(IDD, NULL),
      m_nDay(0),
      m_nMonth(0),
      m_nYear(0),
      m_nHour(0),
      m_nMinute(0),
      m_pAnalyzer(pAnalyzer) {}

void CClockDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CLOCK_DAY, m_nDay);
    DDV_MinMaxInt(pDX, m_nDay, 1, 31);
    DDX_Text(pDX, IDC_CLOCK_MONTH, m_nMonth);
    DDV_MinMaxInt(pDX, m_nMonth, 1, 12);
    // The device keeps two digits of the year and reads back 1970 to 2035.
    DDX_Text(pDX, IDC_CLOCK_YEAR, m_nYear);
    DDV_MinMaxInt(pDX, m_nYear, 1980, 2035);
    DDX_Text(pDX, IDC_CLOCK_HOUR, m_nHour);
    DDV_MinMaxInt(pDX, m_nHour, 0, 23);
    DDX_Text(pDX, IDC_CLOCK_MINUTE, m_nMinute);
    DDV_MinMaxInt(pDX, m_nMinute, 0, 59);
}

BOOL CClockDlg::OnInitDialog() {
    if (Online() && m_pAnalyzer != NULL) {
        CWaitCursor wait;
        CTime time;
        // Time 0 is the access layer's "no date": the clock sent none.
        if (m_pAnalyzer->GetDate(time) && time.GetTime() > 0) {
            struct tm local;
            time.GetLocalTm(&local);
            m_nYear = local.tm_year + 1900;
            m_nMonth = local.tm_mon + 1;
            m_nDay = local.tm_mday;
            m_nHour = local.tm_hour;
            m_nMinute = local.tm_min;
        }
    }
    if (GetProgramAccessLevel() < kSetLevel)
        for (int id : kEdits) GetDlgItem(id)->EnableWindow(FALSE);
    return CDialog::OnInitDialog();
}

void CClockDlg::OnOK() {
    if (GetProgramAccessLevel() >= kSetLevel) {
        if (!UpdateData(TRUE)) return;
        // The system's calendar would roll a day beyond the month into the next one and the
        // device would get another date than the one typed.
        if (!IsCalendarDate(m_nDay, m_nMonth, m_nYear)) {
            CString format, text;
            format.LoadString(IDS_CLOCK_NO_SUCH_DATE);
            text.Format(format, m_nDay, m_nMonth, m_nYear);
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(IDC_CLOCK_DAY));
            return;
        }
        const CTime time(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, 0, -1);
        if (time.GetTime() <= 0) return;
        if (Online() && (m_pAnalyzer == NULL || !m_pAnalyzer->SetDate(time))) return;
    }
    CDialog::OnOK();
}

BOOL CClockDlg::OnHelpInfo(HELPINFO* pHelpInfo) {
    AfxGetApp()->WinHelp(0x50000 + pHelpInfo->iCtrlId, HELP_CONTEXTPOPUP);
    return TRUE;
}
