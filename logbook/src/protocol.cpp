// CnuraProtocol: construction, settings, the page list and the user flags, and taking the
// values of the built-in pages over.
#include "internal.h"

#include <new>

namespace nura {
CString RegionalSeparator();
}

CnuraProtocol::CnuraProtocol()
    : m_hRegistryRoot(HKEY_CURRENT_USER),
      m_strRegistryKey("nura"),
      m_strFileName("prot.txt"),
      m_nMode(1),
      m_nColumns(1),
      m_nSplitLines(100),
      m_nRingBufferLines(100),
      m_nLineLimit(100),
      m_nCycleTime(1000),
      m_bBegin(FALSE),
      m_bEnd(FALSE),
      m_pGeneralPage(NULL),
      m_pFormatPage(NULL),
      m_dwDialogOptions(0xFFFFFFFF),
      m_strTimeFormat("%H:%M:%S"),
      m_strDateFormat("%d.%m.%Y"),
      m_bStarted(FALSE),
      m_bOpenedOnce(FALSE),
      m_nFileCounter(0),
      m_nLineCount(0),
      m_nColumn(0) {
    CreateBuiltInPages();
    m_strDialogTitle = nura::OwnString(2);
    CTime now = Now();
    SetBeginTime(FALSE, now);
    SetEndTime(FALSE, now);
    m_strRegionalSeparator = nura::RegionalSeparator();
    SetSeparator(m_strRegionalSeparator);
    SetRegistryKey(HKEY_CURRENT_USER, "nura");
    m_bStarted = FALSE;
}

CnuraProtocol::~CnuraProtocol() {
    CloseFile();
    for (int i = 0; i < m_pages.GetSize(); ++i) delete static_cast<PageEntry*>(m_pages[i]);
    m_pages.RemoveAll();
    delete m_pGeneralPage;
    delete m_pFormatPage;
}

// The General and Format pages as entries 0 and 1, General shown and Format hidden. When
// either cannot be made the writer works without built-in pages.
void CnuraProtocol::CreateBuiltInPages() {
    try {
        m_pGeneralPage = new CGeneralPage;
        m_pFormatPage = new CFormatPage;
        CStandardPage* builtIn[] = {m_pGeneralPage, m_pFormatPage};
        for (CStandardPage* page : builtIn) {
            PageEntry* entry = new PageEntry{page, page, TRUE};
            try {
                m_pages.Add(entry);
            } catch (...) {
                delete entry;
                throw;
            }
        }
        UsePropertyPage(0, TRUE);
        UsePropertyPage(1, FALSE);
    } catch (...) {
        for (int i = 0; i < m_pages.GetSize(); ++i) delete static_cast<PageEntry*>(m_pages[i]);
        m_pages.RemoveAll();
        delete m_pGeneralPage;
        delete m_pFormatPage;
        m_pGeneralPage = NULL;
        m_pFormatPage = NULL;
    }
}

// ---- settings -----------------------------------------------------------------------------

void CnuraProtocol::SetFileName(const CString& strName) {
    CloseFile();
    m_strFileName = strName;
    m_bOpenedOnce = FALSE;
    m_nFileCounter = 0;
    if (m_pGeneralPage != NULL) m_pGeneralPage->m_strFileName = strName;
}

void CnuraProtocol::SetProtocolMode(int nMode, unsigned long nLines) {
    if (nMode != 0 && nMode != 1) return;
    m_nMode = nMode;
    m_nLineLimit = nLines;
    if (nMode == 1)
        m_nSplitLines = nLines;
    else
        m_nRingBufferLines = nLines;
    if (m_pFormatPage != NULL) {
        m_pFormatPage->m_nMode = nMode;
        // Both counts, so that confirming the sheet does not replace the count of the other
        // mode with whatever the page held.
        m_pFormatPage->m_nSplitLines = m_nSplitLines;
        m_pFormatPage->m_nRingBufferLines = m_nRingBufferLines;
    }
}

void CnuraProtocol::GetProtocolMode(int& nMode, unsigned long& nLines) const {
    nMode = m_nMode;
    nLines = m_nLineLimit;
}

void CnuraProtocol::SetCycleTime(unsigned long nMilliseconds) {
    m_nCycleTime = nMilliseconds;
    if (m_pGeneralPage != NULL) m_pGeneralPage->m_nCycleTime = nMilliseconds;
}

void CnuraProtocol::SetSeparator(const CString& strSeparator) {
    m_strSeparator = strSeparator;
    if (m_pFormatPage != NULL) {
        m_pFormatPage->m_strSeparator = strSeparator;
        m_pFormatPage->m_strDefaultSeparator = " " + m_strRegionalSeparator;
    }
}

void CnuraProtocol::SetNumColumns(int nColumns) {
    if (nColumns < 0) return;
    m_nColumns = nColumns;
    if (m_pFormatPage != NULL) m_pFormatPage->m_nColumns = nColumns;
}

namespace {

// A time as the General page shows it: local calendar fields, month 1 to 12.
void ShowTime(const CTime& time, int& year, int& month, int& day, int& hour, int& minute,
              int& second) {
    struct tm f;
    nura::BreakLocalTime(time.GetTime(), f);
    year = f.tm_year + 1900;
    month = f.tm_mon + 1;
    day = f.tm_mday;
    hour = f.tm_hour;
    minute = f.tm_min;
    second = f.tm_sec;
}

}  // namespace

void CnuraProtocol::SetBeginTime(BOOL bEnabled, const CTime& time) {
    m_bBegin = bEnabled;
    m_timeBegin = time;
    if (CGeneralPage* page = m_pGeneralPage) {
        page->m_bStart = bEnabled;
        ShowTime(time, page->m_nStartYear, page->m_nStartMonth, page->m_nStartDay,
                 page->m_nStartHour, page->m_nStartMinute, page->m_nStartSecond);
    }
}

void CnuraProtocol::GetBeginTime(BOOL& bEnabled, CTime& time) const {
    bEnabled = m_bBegin;
    time = m_timeBegin;
}

void CnuraProtocol::SetEndTime(BOOL bEnabled, const CTime& time) {
    m_bEnd = bEnabled;
    m_timeEnd = time;
    if (CGeneralPage* page = m_pGeneralPage) {
        page->m_bEnd = bEnabled;
        ShowTime(time, page->m_nEndYear, page->m_nEndMonth, page->m_nEndDay, page->m_nEndHour,
                 page->m_nEndMinute, page->m_nEndSecond);
    }
}

void CnuraProtocol::GetEndTime(BOOL& bEnabled, CTime& time) const {
    bEnabled = m_bEnd;
    time = m_timeEnd;
}

BOOL CnuraProtocol::LogTemperature() const {
    return m_pFormatPage != NULL && m_pFormatPage->m_bLogTemperature;
}
BOOL CnuraProtocol::LogPressure() const {
    return m_pFormatPage != NULL && m_pFormatPage->m_bLogPressure;
}
BOOL CnuraProtocol::LogEP() const { return m_pFormatPage != NULL && m_pFormatPage->m_bLogEP; }
BOOL CnuraProtocol::LogEP90() const { return m_pFormatPage != NULL && m_pFormatPage->m_bLogEP90; }

// ---- pages and user flags -----------------------------------------------------------------

CnuraProtocol::PageEntry* CnuraProtocol::Entry(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_pages.GetSize()) return NULL;
    return static_cast<PageEntry*>(m_pages[nIndex]);
}

CStandardPage* CnuraProtocol::BuiltIn(int nIndex) const {
    PageEntry* entry = Entry(nIndex);
    return entry != NULL ? entry->pBuiltIn : NULL;
}

int CnuraProtocol::AddPropertyPage(CPropertyPage* pPage) {
    PageEntry* entry = new (std::nothrow) PageEntry{pPage, NULL, TRUE};
    if (entry == NULL) return -1;
    try {
        return m_pages.Add(entry);
    } catch (CException* e) {
        e->Delete();
    } catch (...) {}
    delete entry;
    return -1;
}

void CnuraProtocol::UsePropertyPage(int nIndex, BOOL bUse) {
    PageEntry* entry = Entry(nIndex);
    if (entry != NULL) entry->bUsed = nIndex == 0 ? TRUE : bUse;
}

BOOL CnuraProtocol::IsPropertyPageUsed(int nIndex) const {
    PageEntry* entry = Entry(nIndex);
    return entry != NULL && entry->bUsed;
}

void CnuraProtocol::SetUserFlagName(int nIndex, const CString& strName) {
    if (CStandardPage* page = BuiltIn(nIndex)) page->m_strUserFlagName = strName;
}

void CnuraProtocol::GetUserFlagName(int nIndex, CString& strName) const {
    if (CStandardPage* page = BuiltIn(nIndex)) strName = page->m_strUserFlagName;
}

void CnuraProtocol::SetUserFlag(int nIndex, BOOL bFlag) {
    if (CStandardPage* page = BuiltIn(nIndex)) page->m_bUserFlag = bFlag;
}

BOOL CnuraProtocol::GetUserFlag(int nIndex) const {
    CStandardPage* page = BuiltIn(nIndex);
    return page != NULL && page->m_bUserFlag;
}

// ---- the values of the built-in pages -----------------------------------------------------

BOOL CnuraProtocol::ApplyDialogValues() {
    if (m_pGeneralPage != NULL) {
        const CGeneralPage& page = *m_pGeneralPage;
        CString name = page.m_strFileName;
        if (name != m_strFileName) {
            // Only the first file of a new name is asked for: the later ones are replaced
            // as the log reaches them.
            DWORD attributes = GetFileAttributesA(BuildFileName(name, 0));
            if (attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                AfxMessageBox(nura::OwnString(5), MB_YESNO) != IDYES)
                return FALSE;
            SetFileName(name);
        }
        SetCycleTime(page.m_nCycleTime);
        SetBeginTime(page.m_bStart,
                     CTime(nura::MakeLocalTime(page.m_nStartYear, page.m_nStartMonth,
                                               page.m_nStartDay, page.m_nStartHour,
                                               page.m_nStartMinute, page.m_nStartSecond)));
        SetEndTime(page.m_bEnd, CTime(nura::MakeLocalTime(page.m_nEndYear, page.m_nEndMonth,
                                                          page.m_nEndDay, page.m_nEndHour,
                                                          page.m_nEndMinute, page.m_nEndSecond)));
    }
    if (m_pFormatPage != NULL) {
        CFormatPage& page = *m_pFormatPage;
        SetNumColumns(page.m_nColumns);
        m_nRingBufferLines = page.m_nRingBufferLines;
        m_nSplitLines = page.m_nSplitLines;
        int mode = page.m_nMode != 0 ? 1 : 0;
        SetProtocolMode(mode, mode == 1 ? m_nSplitLines : m_nRingBufferLines);
        // A separator that the page's choice cannot show reads back empty: keep ours.
        if (!page.m_strSeparator.IsEmpty())
            SetSeparator(page.m_strSeparator);
        else
            page.m_strSeparator = m_strSeparator;
    }
    SaveSettings();
    return TRUE;
}
