// The built-in pages of the settings sheet: the base with the user flag and help, General
// (file, time window, cycle) and Format (columns, mode, separator, additional values).
// Their constructors are here, in the library, so that their templates are the library's.
#include "internal.h"

#include <errno.h>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CStandardPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CGeneralPage, CStandardPage)
IMPLEMENT_DYNAMIC(CFormatPage, CStandardPage)

// ---- CStandardPage ------------------------------------------------------------------------

CStandardPage::CStandardPage(UINT nTemplateId)
    : CPropertyPage(nTemplateId),
      m_nTemplateId(nTemplateId),
      m_dwDialogOptions(0),
      m_bUserFlag(FALSE),
      m_bShowingFields(FALSE) {
    m_psp.dwFlags |= PSP_HASHELP;
}

CStandardPage::~CStandardPage() {}

void CStandardPage::ShowUserFlag() {
    CWnd* pBox = GetDlgItem(IDC_NURA_USER_FLAG);
    if (pBox == NULL) return;
    if (!m_strUserFlagName.IsEmpty()) pBox->SetWindowText(m_strUserFlagName);
    pBox->ShowWindow(m_strUserFlagName.IsEmpty() ? SW_HIDE : SW_SHOW);
}

void CStandardPage::ExchangeUserFlag(CDataExchange* pDX, BOOL& bCopy) {
    if (!pDX->m_bSaveAndValidate) bCopy = m_bUserFlag;
    DDX_Check(pDX, IDC_NURA_USER_FLAG, bCopy);
    if (pDX->m_bSaveAndValidate && !m_strUserFlagName.IsEmpty()) m_bUserFlag = bCopy;
}

BOOL CStandardPage::OnInitDialog() {
    m_bShowingFields = TRUE;
    BOOL bResult = CPropertyPage::OnInitDialog();
    m_bShowingFields = FALSE;
    return bResult;
}

BOOL CStandardPage::OnSetActive() {
    m_bShowingFields = TRUE;
    BOOL bResult = CPropertyPage::OnSetActive();
    m_bShowingFields = FALSE;
    return bResult;
}

void CStandardPage::OnChange() {
    if (!m_bShowingFields) SetModified(TRUE);
}

void CStandardPage::EnableControl(int nID, BOOL bEnable) {
    if (CWnd* pControl = GetDlgItem(nID)) pControl->EnableWindow(bEnable);
}

// ---- CGeneralPage -------------------------------------------------------------------------

namespace {

const int kStartRow[] = {IDC_NURA_START_YEAR, IDC_NURA_START_MONTH,  IDC_NURA_START_DAY,
                         IDC_NURA_START_HOUR, IDC_NURA_START_MINUTE, IDC_NURA_START_SECOND};
const int kEndRow[] = {IDC_NURA_END_YEAR, IDC_NURA_END_MONTH,  IDC_NURA_END_DAY,
                       IDC_NURA_END_HOUR, IDC_NURA_END_MINUTE, IDC_NURA_END_SECOND};

// Whether the month of that year has the day. Months outside 1 to 12 are left to the range
// checks.
bool DayAllowed(int day, int month, int year) {
    static const int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day <= kLength[month - 1]) return true;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && day == 29 && leap;
}

// A whole number typed into the control, blanks around it allowed; FALSE for anything else.
BOOL ReadInt(const CWnd& page, int nID, int& value) {
    CString text;
    page.GetDlgItemText(nID, text);
    text.TrimLeft(" \t");
    text.TrimRight(" \t");
    if (text.IsEmpty()) return FALSE;
    char* end = NULL;
    errno = 0;
    long n = strtol(text, &end, 10);
    if (*end != '\0' || errno == ERANGE || n < INT_MIN || n > INT_MAX) return FALSE;
    value = (int)n;
    return TRUE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CGeneralPage, CStandardPage)
ON_BN_CLICKED(IDC_NURA_START, OnStartClicked)
ON_BN_CLICKED(IDC_NURA_END, OnEndClicked)
ON_BN_CLICKED(IDC_NURA_BROWSE, OnBrowse)
ON_BN_CLICKED(IDC_NURA_USER_FLAG, OnChange)
ON_EN_CHANGE(IDC_NURA_FILE_NAME, OnChange)
ON_EN_CHANGE(IDC_NURA_CYCLE_TIME, OnChange)
ON_EN_CHANGE(IDC_NURA_START_YEAR, OnChange)
ON_EN_CHANGE(IDC_NURA_START_MONTH, OnChange)
ON_EN_CHANGE(IDC_NURA_START_DAY, OnChange)
ON_EN_CHANGE(IDC_NURA_START_HOUR, OnChange)
ON_EN_CHANGE(IDC_NURA_START_MINUTE, OnChange)
ON_EN_CHANGE(IDC_NURA_START_SECOND, OnChange)
ON_EN_CHANGE(IDC_NURA_END_YEAR, OnChange)
ON_EN_CHANGE(IDC_NURA_END_MONTH, OnChange)
ON_EN_CHANGE(IDC_NURA_END_DAY, OnChange)
ON_EN_CHANGE(IDC_NURA_END_HOUR, OnChange)
ON_EN_CHANGE(IDC_NURA_END_MINUTE, OnChange)
ON_EN_CHANGE(IDC_NURA_END_SECOND, OnChange)
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage()
    : CStandardPage(TemplateId),
      m_bStart(FALSE),
      m_bEnd(FALSE),
      m_bUserFlagCopy(FALSE),
      m_nCycleTime(0),
      m_nStartDay(0),
      m_nStartHour(0),
      m_nStartMinute(0),
      m_nStartMonth(0),
      m_nStartSecond(0),
      m_nStartYear(0),
      m_nEndYear(0),
      m_nEndSecond(0),
      m_nEndMonth(0),
      m_nEndMinute(0),
      m_nEndHour(0),
      m_nEndDay(0),
      m_bCheck(TRUE) {}

CGeneralPage::~CGeneralPage() {}

void CGeneralPage::DoDataExchange(CDataExchange* pDX) {
    CStandardPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_NURA_START, m_bStart);
    DDX_Check(pDX, IDC_NURA_END, m_bEnd);
    ExchangeUserFlag(pDX, m_bUserFlagCopy);
    DDX_Text(pDX, IDC_NURA_CYCLE_TIME, m_nCycleTime);
    DDV_MinMaxDWord(pDX, m_nCycleTime, 1000, 3600000);
    DDX_Text(pDX, IDC_NURA_FILE_NAME, m_strFileName);
    DDX_Text(pDX, IDC_NURA_START_DAY, m_nStartDay);
    DDV_MinMaxInt(pDX, m_nStartDay, 1, 31);
    DDX_Text(pDX, IDC_NURA_START_HOUR, m_nStartHour);
    DDV_MinMaxInt(pDX, m_nStartHour, 0, 23);
    DDX_Text(pDX, IDC_NURA_START_MINUTE, m_nStartMinute);
    DDV_MinMaxInt(pDX, m_nStartMinute, 0, 59);
    DDX_Text(pDX, IDC_NURA_START_MONTH, m_nStartMonth);
    DDV_MinMaxInt(pDX, m_nStartMonth, 1, 12);
    DDX_Text(pDX, IDC_NURA_START_SECOND, m_nStartSecond);
    DDV_MinMaxInt(pDX, m_nStartSecond, 0, 59);
    DDX_Text(pDX, IDC_NURA_START_YEAR, m_nStartYear);
    DDV_MinMaxInt(pDX, m_nStartYear, 1997, 9999);
    DDX_Text(pDX, IDC_NURA_END_YEAR, m_nEndYear);
    DDV_MinMaxInt(pDX, m_nEndYear, 1997, 9999);
    DDX_Text(pDX, IDC_NURA_END_SECOND, m_nEndSecond);
    DDV_MinMaxInt(pDX, m_nEndSecond, 0, 59);
    DDX_Text(pDX, IDC_NURA_END_MONTH, m_nEndMonth);
    DDV_MinMaxInt(pDX, m_nEndMonth, 1, 12);
    DDX_Text(pDX, IDC_NURA_END_MINUTE, m_nEndMinute);
    DDV_MinMaxInt(pDX, m_nEndMinute, 0, 59);
    DDX_Text(pDX, IDC_NURA_END_HOUR, m_nEndHour);
    DDV_MinMaxInt(pDX, m_nEndHour, 0, 23);
    DDX_Text(pDX, IDC_NURA_END_DAY, m_nEndDay);
    DDV_MinMaxInt(pDX, m_nEndDay, 1, 31);
}

BOOL CGeneralPage::OnInitDialog() {
    CStandardPage::OnInitDialog();
    EnableRows();
    ShowUserFlag();
    return TRUE;
}

void CGeneralPage::EnableRows() {
    for (int nID : kStartRow) EnableControl(nID, m_bStart);
    for (int nID : kEndRow) EnableControl(nID, m_bEnd);
}

void CGeneralPage::OnStartClicked() {
    UpdateData(TRUE);
    for (int nID : kStartRow) EnableControl(nID, m_bStart);
    SetModified(TRUE);
}

void CGeneralPage::OnEndClicked() {
    UpdateData(TRUE);
    for (int nID : kEndRow) EnableControl(nID, m_bEnd);
    SetModified(TRUE);
}

void CGeneralPage::OnBrowse() {
    // A value the range checks refused has been pointed out: no file dialog over it.
    if (!UpdateData(TRUE)) return;
    CFileDialog dialog(TRUE, NULL, m_strFileName, OFN_HIDEREADONLY, "(*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK) return;
    m_strFileName = dialog.GetPathName();
    SetDlgItemText(IDC_NURA_FILE_NAME, m_strFileName);
    SetModified(TRUE);
}

BOOL CGeneralPage::ReadForChecks() {
    m_bStart = IsDlgButtonChecked(IDC_NURA_START) == BST_CHECKED;
    m_bEnd = IsDlgButtonChecked(IDC_NURA_END) == BST_CHECKED;
    GetDlgItemText(IDC_NURA_FILE_NAME, m_strFileName);
    int* const fields[] = {&m_nStartYear,   &m_nStartMonth,  &m_nStartDay,  &m_nStartHour,
                           &m_nStartMinute, &m_nStartSecond, &m_nEndYear,   &m_nEndMonth,
                           &m_nEndDay,      &m_nEndHour,     &m_nEndMinute, &m_nEndSecond};
    const int* ids[] = {kStartRow, kEndRow};
    BOOL bAllRead = TRUE;
    for (int i = 0; i < 12; ++i)
        if (!ReadInt(*this, ids[i / 6][i % 6], *fields[i])) bAllRead = FALSE;
    return bAllRead;
}

BOOL CGeneralPage::OnKillActive() {
    // A leave while the controls are being read is refused; the running one decides.
    if (!m_bCheck) return FALSE;
    m_bCheck = FALSE;
    BOOL bNumbers = ReadForChecks();
    m_bCheck = TRUE;

    CString strMessage;
    int nFocus = 0;
    if (m_strFileName.IsEmpty()) {
        strMessage = nura::OwnString(7), nFocus = IDC_NURA_FILE_NAME;
    } else if (!nura::CheckFileName(m_strFileName, strMessage)) {
        // Taken over, such a name would fail at every write of the log.
        nFocus = IDC_NURA_FILE_NAME;
    } else if (bNumbers) {
        time_t start = nura::MakeLocalTime(m_nStartYear, m_nStartMonth, m_nStartDay, m_nStartHour,
                                           m_nStartMinute, m_nStartSecond);
        time_t end = nura::MakeLocalTime(m_nEndYear, m_nEndMonth, m_nEndDay, m_nEndHour,
                                         m_nEndMinute, m_nEndSecond);
        if (!DayAllowed(m_nStartDay, m_nStartMonth, m_nStartYear))
            strMessage = nura::OwnString(4), nFocus = IDC_NURA_START_DAY;
        else if (!DayAllowed(m_nEndDay, m_nEndMonth, m_nEndYear))
            strMessage = nura::OwnString(4), nFocus = IDC_NURA_END_DAY;
        // A year the runtime cannot take is left to the range checks below.
        else if (m_bStart && m_bEnd && start != -1 && end != -1 && start >= end)
            strMessage = nura::OwnString(6), nFocus = IDC_NURA_START_YEAR;
    }
    if (!strMessage.IsEmpty()) {
        AfxMessageBox(strMessage, MB_OK);
        if (CWnd* pControl = GetDlgItem(nFocus)) GotoDlgCtrl(pControl);
        return FALSE;
    }
    return CStandardPage::OnKillActive();
}

// ---- CFormatPage --------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFormatPage, CStandardPage)
ON_EN_CHANGE(IDC_NURA_COLUMNS, OnChange)
ON_EN_CHANGE(IDC_NURA_RING_BUFFER_LINES, OnChange)
ON_EN_CHANGE(IDC_NURA_SPLIT_LINES, OnChange)
ON_BN_CLICKED(IDC_NURA_RING_BUFFER, OnChange)
ON_BN_CLICKED(IDC_NURA_FILE_SPLITTING, OnChange)
ON_BN_CLICKED(IDC_NURA_USER_FLAG, OnChange)
ON_CBN_SELCHANGE(IDC_NURA_SEPARATOR, OnChange)
ON_BN_CLICKED(IDC_NURA_LOG_TEMPERATURE, OnAdditionalValue)
ON_BN_CLICKED(IDC_NURA_LOG_PRESSURE, OnAdditionalValue)
ON_BN_CLICKED(IDC_NURA_LOG_EP, OnAdditionalValue)
ON_BN_CLICKED(IDC_NURA_LOG_EP90, OnAdditionalValue)
END_MESSAGE_MAP()

CFormatPage::CFormatPage()
    : CStandardPage(TemplateId),
      m_bUserFlagCopy(FALSE),
      m_nColumns(0),
      m_nRingBufferLines(0),
      m_nSplitLines(0),
      m_nMode(-1),
      m_bLogPressure(FALSE),
      m_bLogEP(FALSE),
      m_bLogTemperature(FALSE),
      m_bLogEP90(FALSE) {
    m_fontSymbol.CreateFont(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Symbol");
}

CFormatPage::~CFormatPage() {}

void CFormatPage::DoDataExchange(CDataExchange* pDX) {
    CStandardPage::DoDataExchange(pDX);
    // The column count first: leaving the page takes it before anything else.
    DDX_Text(pDX, IDC_NURA_COLUMNS, m_nColumns);
    DDV_MinMaxInt(pDX, m_nColumns, 0, 32767);
    ExchangeUserFlag(pDX, m_bUserFlagCopy);
    DDX_Text(pDX, IDC_NURA_RING_BUFFER_LINES, m_nRingBufferLines);
    DDV_MinMaxDWord(pDX, m_nRingBufferLines, 0, 4000000000u);
    DDX_Text(pDX, IDC_NURA_SPLIT_LINES, m_nSplitLines);
    DDV_MinMaxDWord(pDX, m_nSplitLines, 0, 4000000000u);
    DDX_Radio(pDX, IDC_NURA_RING_BUFFER, m_nMode);
    // The choice shows only the listed separators; another one reads back empty.
    DDX_Text(pDX, IDC_NURA_SEPARATOR, m_strSeparator);
    DDX_Text(pDX, IDC_NURA_DEFAULT_SEPARATOR, m_strDefaultSeparator);
    DDX_Check(pDX, IDC_NURA_LOG_PRESSURE, m_bLogPressure);
    DDX_Check(pDX, IDC_NURA_LOG_EP, m_bLogEP);
    DDX_Check(pDX, IDC_NURA_LOG_TEMPERATURE, m_bLogTemperature);
    DDX_Check(pDX, IDC_NURA_LOG_EP90, m_bLogEP90);
}

BOOL CFormatPage::OnInitDialog() {
    CStandardPage::OnInitDialog();
    ShowUserFlag();
    BOOL bColumns = (m_dwDialogOptions & 1) != 0;
    EnableControl(IDC_NURA_COLUMNS_LABEL, bColumns);
    EnableControl(IDC_NURA_COLUMNS, bColumns);
    BOOL bMode = (m_dwDialogOptions & 2) != 0;
    for (int nID : {IDC_NURA_MODE_GROUP, IDC_NURA_FILE_SPLITTING, IDC_NURA_SPLIT_LINES_LABEL,
                    IDC_NURA_SPLIT_LINES})
        EnableControl(nID, bMode);
    // The ring buffer is not offered: the user can choose only file splitting.
    for (int nID :
         {IDC_NURA_RING_BUFFER, IDC_NURA_RING_BUFFER_LINES, IDC_NURA_RING_BUFFER_LINES_LABEL})
        EnableControl(nID, FALSE);
    if (m_fontSymbol.GetSafeHandle() != NULL) {
        for (int nID : {IDC_NURA_PHI, IDC_NURA_PHI90})
            if (CWnd* pLabel = GetDlgItem(nID))
                pLabel->SendMessage(WM_SETFONT, (WPARAM)m_fontSymbol.GetSafeHandle(), TRUE);
    }
    return TRUE;
}

void CFormatPage::OnAdditionalValue() {
    const BOOL before[] = {m_bLogTemperature, m_bLogPressure, m_bLogEP, m_bLogEP90};
    UpdateData(TRUE);
    const BOOL after[] = {m_bLogTemperature, m_bLogPressure, m_bLogEP, m_bLogEP90};
    for (int i = 0; i < 4; ++i)
        if (before[i] != after[i]) {
            SetModified(TRUE);
            break;
        }
}
