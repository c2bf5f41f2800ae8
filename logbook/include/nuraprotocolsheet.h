// The settings sheet of the measurement log writer and its built-in pages.
//
// The writer (CnuraProtocol) creates one General and one Format page when it is constructed
// and keeps them for its lifetime: it mirrors its settings into their fields and takes the
// fields back when the user confirms the sheet. Each run of its settings dialog builds a
// CnuraProtocolSheet around the used pages, the caller's own pages among them. The pages'
// templates come from the library's own resources (nuraprotocol_res.h).
#pragma once

#include "vaskfc.h"
#include "nuraprotocol_api.h"
#include "nuraprotocol_res.h"

class CnuraProtocol;

// The sheet: on OK and Apply the shown page takes its controls over and checks them, then
// the writer (when one is set) takes the pages' values over; either may keep the sheet open.
// Context help on a control shows its pop-up (0x50000 + id), the sheet's own help command
// the help contents (context 0).
class NURAPROTOCOL_API CnuraProtocolSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CnuraProtocolSheet)
public:
    explicit CnuraProtocolSheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CnuraProtocolSheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // IDOK or IDCANCEL; -1 when it could not be made (a sheet without pages says so first).
    int DoModal() override;
    BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0) override;
    void ShowApplyButton(BOOL bShow) { m_bShowApply = bShow; }
    void SetProtocol(CnuraProtocol* pProtocol) { m_pProtocol = pProtocol; }

    BOOL OnInitDialog() override;

    BOOL m_bShowApply;           // whether the sheet offers Apply; FALSE by default
    CnuraProtocol* m_pProtocol;  // whose ApplyDialogValues runs on OK and Apply; not owned

protected:
    // FALSE (after the message) when the sheet has no page to show.
    BOOL CanOpen();
    void PrepareButtons();
    // The shown page's fields, then the writer: FALSE keeps the sheet open.
    BOOL TakeOver();
    void OnOK();
    void OnApplyNow();
    void OnHelpContents();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()
};

// The base of the built-in pages: a page with a Help button (context 0x20000 + template id)
// and an optional check box for a flag of the caller's (the user flag).
class NURAPROTOCOL_API CStandardPage : public CPropertyPage {
    DECLARE_DYNAMIC(CStandardPage)
public:
    explicit CStandardPage(UINT nTemplateId = IDD_NURA_PROPERTY_PAGE);
    ~CStandardPage() override;

    UINT m_nTemplateId;         // the page's dialog template, also its help context base
    DWORD m_dwDialogOptions;    // given by the writer before each run of the sheet
    CString m_strUserFlagName;  // label of check box 2007; empty hides it
    BOOL m_bUserFlag;           // the value behind that check box

    // The fields are put into the controls: that is no change of the user's.
    BOOL OnSetActive() override;

protected:
    BOOL OnInitDialog() override;
    // Check box 2007 with the user flag's name, shown only when it has one.
    void ShowUserFlag();
    // The user flag through the page's copy: a hidden box leaves the flag as it is.
    void ExchangeUserFlag(CDataExchange* pDX, BOOL& bCopy);
    void OnChange();  // a control changed: the page is modified
    void EnableControl(int nID, BOOL bEnable);

    BOOL m_bShowingFields;  // while the fields go into the controls
};

// General: file name, start and end of the time window, cycle time.
class NURAPROTOCOL_API CGeneralPage : public CStandardPage {
    DECLARE_DYNAMIC(CGeneralPage)
public:
    enum { TemplateId = IDD_NURA_GENERAL };
    CGeneralPage();
    ~CGeneralPage() override;

    // Leaving checks the file name, the dates and the order of start and end, then every
    // field with its range.
    BOOL OnKillActive() override;

    BOOL m_bStart;  // start of the time window in force
    BOOL m_bEnd;    // end of the time window in force
    BOOL m_bUserFlagCopy;
    DWORD m_nCycleTime;  // ms
    CString m_strFileName;
    // Start and end as local calendar time (month 1 to 12).
    int m_nStartDay, m_nStartHour, m_nStartMinute, m_nStartMonth, m_nStartSecond, m_nStartYear;
    int m_nEndYear, m_nEndSecond, m_nEndMonth, m_nEndMinute, m_nEndHour, m_nEndDay;
    BOOL m_bCheck;  // down while the leave checks read the controls

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableRows();
    void OnStartClicked();
    void OnEndClicked();
    void OnBrowse();
    // What the checks need, read from the controls without range checks; FALSE when a
    // number is no number (the range checks that follow tell the user).
    BOOL ReadForChecks();
    DECLARE_MESSAGE_MAP()
};

// Format: number of columns, mode and line counts, separator, additional values.
class NURAPROTOCOL_API CFormatPage : public CStandardPage {
    DECLARE_DYNAMIC(CFormatPage)
public:
    enum { TemplateId = IDD_NURA_FORMAT };
    CFormatPage();
    ~CFormatPage() override;

    BOOL m_bUserFlagCopy;
    int m_nColumns;
    DWORD m_nRingBufferLines;
    DWORD m_nSplitLines;
    int m_nMode;                    // radio index: 0 ring buffer, 1 file splitting, -1 none
    CString m_strSeparator;         // empty when the choice could not show the separator
    CString m_strDefaultSeparator;  // " " and the regional list separator
    BOOL m_bLogPressure, m_bLogEP, m_bLogTemperature, m_bLogEP90;
    CFont m_fontSymbol;  // shows the "j" of labels 1341 and 1342 as a phi

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnAdditionalValue();
    DECLARE_MESSAGE_MAP()
};
