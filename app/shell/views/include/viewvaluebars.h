// CViewValueBars: the value pane while an analyzer is selected (form 147; the main window
// puts it in place of the value list). Per component, up to four rows: the component's
// label, a bar over the current measuring range with the measured value as its position,
// the range's lower and upper limit and its number below the bar, the value with its unit,
// and the component's switch status, whose tool tip explains the abbreviations.
//
// Hints 1, 6 and 7 lay the rows out anew (a flag of the whole program records that they are
// laid out for the selection); hint 3, the timer's, refreshes the values. A range that
// cannot be read, or that names none of the analyzer's four ranges, shows "Unknown" with an
// empty bar.
//
// Each row is read whole, its switch status included, on every refresh: the switch status,
// the measured values, the range and its limits. A refresh that gives way to the user's
// input (windowwait.h) reads at least one row, and the next refresh begins at the row where it
// stopped, so every row is read within as many refreshes as there are rows. A selection
// that gives way leaves what it has not read to the next refresh. A row shows what was last
// read of it for the analyzer shown, and nothing of what is not read yet: never a value of
// the analyzer shown before.
#pragma once

#include "vaskfc.h"

#include "resource.h"
#include "vaskfloat.h"

class CPCVaskDoc;
class CVaskInstrument;

class CViewValueBars : public CFormView {
    DECLARE_DYNCREATE(CViewValueBars)
public:
    enum { IDD = IDD_VIEW_VALUE_BARS, kRows = 4 };

    CViewValueBars();

    // Creates the status fields' tool tip (the legend of string 12322, 300 pixels wide).
    void OnInitialUpdate() override;
    // Hands every message to the tool tip first.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // Shows row c with the component's label, or hides it; what the row showed of the values
    // is forgotten (its switch status comes with the row's next read).
    void ShowComponentRow(CVaskInstrument* pAnalyzer, int c, BOOL bShow);
    // Row c's switch status, bar, limits, range and value from the device. Between its reads
    // it gives way to the user's input when bMayGiveWay; FALSE when it did (the row shows
    // what it has read).
    BOOL UpdateComponentBar(CVaskInstrument* pAnalyzer, int c, BOOL bMayGiveWay = TRUE);

    // Whether the rows are laid out for the current selection (one flag for the program).
    static int IsLayoutDone() { return s_nLayoutDone; }

    CToolTipCtrl m_toolTip;
    CProgressCtrl m_bars[kRows];
    CStatic m_labels[kRows];
    CStatic m_lowerLimits[kRows];
    CStatic m_upperLimits[kRows];
    CStatic m_values[kRows];
    CStatic m_ranges[kRows];
    CEdit m_status[kRows];

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CPCVaskDoc* GetDoc() const;
    // The rows' components of the analyzer: 0 to n - 1, and a Sindor 23's sensors as rows 2
    // and 3; each row shown or hidden once.
    void ShowRows(CVaskInstrument* pAnalyzer);
    // Whether row c shows one of the analyzer's components.
    static BOOL HasRow(CVaskInstrument* pAnalyzer, int c);
    // What was read of row c for the analyzer shown since the rows were laid out for it.
    struct RowRead {
        BOOL bStatus = FALSE;
        CString status;
        BOOL bValue = FALSE;
        VaskFloat value;
        enum { kNotRead, kUnknown, kKnown } range = kNotRead;
        int nLowerNumber = 0, nUpperNumber = 0;  // the entries of the range's limits
        CString rangeText;
        BOOL bLimits = FALSE;
        VaskFloat lower, upper;
    };
    // Row c's controls from what was read of it.
    void ShowRead(int c);
    // Forgets what the rows showed of the analyzer they were read for: their texts empty.
    void ForgetReads(CVaskInstrument* pAnalyzer);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    static int s_nLayoutDone;
    // The analyzer whose values the rows hold, and what they hold of it.
    CVaskInstrument* m_pReadFor = NULL;
    RowRead m_read[kRows];
    // The row at which the next refresh begins: one that gave way goes on where it stopped.
    int m_nNextRow = 0;

    DECLARE_MESSAGE_MAP()
};
