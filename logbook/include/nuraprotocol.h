// The measurement log writer of NURAPROTOCOL.dll.
//
// CnuraProtocol frames the texts that its caller hands it into rows of a plain text log
// file, stamps each file's first and last line with the date and time, and goes on in the
// next numbered file after a configured number of lines. It keeps its settings in the
// registry, checks an optional time window and holds the values of the built-in pages of
// its settings sheet. What is logged and when is the caller's decision; the writer takes
// no lock, and the caller serialises its calls.
#pragma once

#include "vaskfc.h"
#include "nuraprotocol_api.h"

// The values behind one built-in page of the settings sheet (General, Format). The writer
// mirrors each of its settings into them as soon as it is set, so that the pages always
// show the writer's values, and takes them back when the user confirms the sheet
// (CnuraProtocol::ApplyDialogValues). They live as long as the writer, so what the user
// entered is shown again at the next run of the sheet.
struct CStandardPageValues {
    explicit CStandardPageValues(UINT nTemplateId)
        : m_nTemplateId(nTemplateId), m_dwDialogOptions(0), m_bUserFlag(FALSE) {}
    virtual ~CStandardPageValues() {}

    UINT m_nTemplateId;         // the page's dialog template, also its help context base
    DWORD m_dwDialogOptions;    // given by the writer before each run of the sheet
    CString m_strUserFlagName;  // label of the page's optional check box; empty hides it
    BOOL m_bUserFlag;           // the value behind that check box
};

// General page: file, start and end of the time window, cycle time.
struct CGeneralPageValues : CStandardPageValues {
    enum { TemplateId = 230 };
    CGeneralPageValues()
        : CStandardPageValues(TemplateId),
          m_bStart(FALSE),
          m_bEnd(FALSE),
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
          m_nEndDay(0) {}

    BOOL m_bStart;       // start of the time window in force
    BOOL m_bEnd;         // end of the time window in force
    DWORD m_nCycleTime;  // ms
    CString m_strFileName;
    // Start and end as local calendar time (month 1 to 12).
    int m_nStartDay, m_nStartHour, m_nStartMinute, m_nStartMonth, m_nStartSecond, m_nStartYear;
    int m_nEndYear, m_nEndSecond, m_nEndMonth, m_nEndMinute, m_nEndHour, m_nEndDay;
};

// Format page: columns, mode and line counts, separator, additional values.
struct CFormatPageValues : CStandardPageValues {
    enum { TemplateId = 231 };
    CFormatPageValues()
        : CStandardPageValues(TemplateId),
          m_nColumns(0),
          m_nRingBufferLines(0),
          m_nSplitLines(0),
          m_nMode(-1),
          m_bLogPressure(FALSE),
          m_bLogEP(FALSE),
          m_bLogTemperature(FALSE),
          m_bLogEP90(FALSE) {}

    int m_nColumns;
    DWORD m_nRingBufferLines;
    DWORD m_nSplitLines;
    int m_nMode;                    // radio index: 0 ring buffer, 1 file splitting, -1 none
    CString m_strSeparator;         // empty when the choice could not show the separator
    CString m_strDefaultSeparator;  // " " and the regional list separator
    BOOL m_bLogPressure, m_bLogEP, m_bLogTemperature, m_bLogEP90;
};

class NURAPROTOCOL_API CnuraProtocol {
public:
    CnuraProtocol();
    // Closes an open file with its closing stamp; never throws.
    ~CnuraProtocol();

    CnuraProtocol(const CnuraProtocol&) = delete;
    CnuraProtocol& operator=(const CnuraProtocol&) = delete;

    // ---- settings ----
    // The settings live in root \ "Software" \ subkey \ "nura Protocol"; reloads them.
    void SetRegistryKey(HKEY hRoot, const CString& strSubkey);
    // Closes an open file and starts the numbering of the new name at 0.
    void SetFileName(const CString& strName);
    const CString& GetFileName() const { return m_strFileName; }
    // The file of the current counter.
    CString GetCurrentFileName() const;
    // Counted lines of the open file; 0 when none is open.
    unsigned long GetCurrentLineNumber() const;
    // Mode 0 ring buffer, 1 file splitting (both go on in the next numbered file after
    // `lines` lines; 0 never rolls over); any other mode is ignored.
    void SetProtocolMode(int nMode, unsigned long nLines);
    void GetProtocolMode(int& nMode, unsigned long& nLines) const;
    // The period at which the caller is to log; the writer keeps no timer.
    void SetCycleTime(unsigned long nMilliseconds);
    unsigned long GetCycleTime() const { return m_nCycleTime; }
    void SetSeparator(const CString& strSeparator);
    CString GetSeparator() const { return m_strSeparator; }
    // Values per row; a negative number is ignored.
    void SetNumColumns(int nColumns);
    int GetNumColumns() const { return m_nColumns; }
    void SetBeginTime(BOOL bEnabled, const CTime& time);
    void GetBeginTime(BOOL& bEnabled, CTime& time) const;
    void SetEndTime(BOOL bEnabled, const CTime& time);
    void GetEndTime(BOOL& bEnabled, CTime& time) const;
    // strftime patterns of the stamp lines: date, separator, a blank, time.
    void SetTimeFormat(const CString& strFormat) { m_strTimeFormat = strFormat; }
    CString GetTimeFormat() const { return m_strTimeFormat; }
    void SetDateFormat(const CString& strFormat) { m_strDateFormat = strFormat; }
    CString GetDateFormat() const { return m_strDateFormat; }
    // Bit 0 offers the number of columns on the Format page, bit 1 the mode group.
    void SetDialogOptions(unsigned long dwOptions) { m_dwDialogOptions = dwOptions; }
    unsigned long GetDialogOptions() const { return m_dwDialogOptions; }
    void SetDialogTitle(const CString& strTitle) { m_strDialogTitle = strTitle; }
    // The Format page's "Logging of additional values": which extra values the caller
    // passes. The writer itself does nothing with them.
    BOOL LogTemperature() const;
    BOOL LogPressure() const;
    BOOL LogEP() const;
    BOOL LogEP90() const;

    // ---- pages and user flags (index = place in the page list; 0 General, 1 Format) ----
    // Appends a page that the caller keeps owning, shown; its index, -1 without memory.
    int AddPropertyPage(CPropertyPage* pPage);
    // Whether the page is shown; page 0 always is.
    void UsePropertyPage(int nIndex, BOOL bUse);
    BOOL IsPropertyPageUsed(int nIndex) const;
    // The optional check box of a built-in page; nothing for other indexes.
    void SetUserFlagName(int nIndex, const CString& strName);
    void GetUserFlagName(int nIndex, CString& strName) const;
    void SetUserFlag(int nIndex, BOOL bFlag);
    BOOL GetUserFlag(int nIndex) const;
    // Takes the values of the built-in pages over and saves the settings; run by the
    // settings sheet on OK and Apply. A new file name whose first file exists is taken
    // only when the user agrees to overwrite it: FALSE (and nothing taken) otherwise.
    BOOL ApplyDialogValues();
    // Runs the settings sheet modally, with an Apply button when bShowApply; its result,
    // IDOK or IDCANCEL. Until the sheet exists it shows nothing and answers IDCANCEL.
    int DoPropertyDialog(BOOL bShowApply);

    // ---- logging ----
    // Sets "started"; the next write opens the file.
    void Start() { m_bStarted = TRUE; }
    // Closes an open file; the next start begins again with the file of counter 0.
    void Stop();
    BOOL TimeWindowOpen() const;
    BOOL TimeWindowOver() const;
    BOOL TimeWindowHasStarted() const;
    // 0, or an error code: 0xFFFFFFFF not started, 1901 outside the time window, 110 the
    // file of this name and counter could not be opened before, 206 a name of 116
    // characters or more, 123 an empty name, a system error code of a failed open, or the
    // cause of the file exception of a failed write.
    unsigned long WriteLine(const CString& strText);
    unsigned long WriteData(const CString& strValue);

    // The wall clock of the time window and the stamp lines: the system's, or the one a
    // test sets (null sets the system's again).
    static void SetClock(CTime (*pfnNow)());

private:
    friend class CnuraProtocolProbe;
    struct PageEntry;

    PageEntry* Entry(int nIndex) const;
    CStandardPageValues* BuiltIn(int nIndex) const;
    void CreateBuiltInPages();
    void LoadSettings();
    void SaveSettings() const;

    static CString BuildFileName(const CString& strName, unsigned long nCounter);
    static CTime Now();
    bool IsOpen() const { return m_file.m_hFile != CFile::hFileNull; }
    unsigned long OpenIfNeeded();
    CString StampLine() const;
    void CloseFile();
    // Writes the bytes to the open file; throws the file's CFileException.
    void Emit(const CString& strBytes);

    HKEY m_hRegistryRoot;
    CString m_strRegistryKey;
    CPtrArray m_pages;  // PageEntry*
    CString m_strDialogTitle;
    CString m_strFileName;
    int m_nMode;
    CString m_strRegionalSeparator;
    CString m_strSeparator;
    int m_nColumns;
    unsigned long m_nSplitLines;
    unsigned long m_nRingBufferLines;
    unsigned long m_nLineLimit;
    unsigned long m_nCycleTime;
    BOOL m_bBegin;
    BOOL m_bEnd;
    CTime m_timeBegin;
    CTime m_timeEnd;
    CGeneralPageValues* m_pGeneralPage;
    CFormatPageValues* m_pFormatPage;
    unsigned long m_dwDialogOptions;
    CString m_strTimeFormat;
    CString m_strDateFormat;
    CFile m_file;
    BOOL m_bStarted;
    BOOL m_bOpenedOnce;
    unsigned long m_nFileCounter;
    unsigned long m_nLineCount;
    int m_nColumn;
};

// A start-up call that the library offers its callers; it has nothing to do.
extern "C" NURAPROTOCOL_API void InitCurveDLL();
