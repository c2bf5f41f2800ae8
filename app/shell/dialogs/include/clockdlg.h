// "Clock Settings": shows the date and time of one analyzer's clock and sets it. The clock
// is read when the dialog opens and written on OK, both only in online mode; below access
// level 2 ("Specialist") the fields are read-only and OK writes nothing. Seconds are not
// shown; the time written has second 0. A date that does not exist (31.02.) is refused with
// a message and nothing is written.
#pragma once

#include "vaskfc.h"

#include "resource.h"

class CVaskInstrument;

class CClockDlg : public CDialog {
public:
    enum { IDD = IDD_CLOCK };

    // The analyzer stays the caller's.
    explicit CClockDlg(CVaskInstrument* pAnalyzer);

    BOOL OnInitDialog() override;

    int m_nDay;     // 1-31
    int m_nMonth;   // 1-12
    int m_nYear;    // 1980-2035: the device keeps two digits of the year
    int m_nHour;    // 0-23
    int m_nMinute;  // 0-59

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    CVaskInstrument* m_pAnalyzer;

    DECLARE_MESSAGE_MAP()
};
