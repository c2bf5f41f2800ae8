// CViewValueBars: the value pane while an analyzer is selected (form 147; the main window
// puts it in place of the value list). Per component, up to four rows: the component's
// label, a bar over the current measuring range with the measured value as its position,
// the range's lower and upper limit and its number below the bar, the value with its unit,
// and the component's switch status, whose tool tip explains the abbreviations.
//
// Hints 1, 6 and 7 lay the rows out anew (a flag of the whole program records that they are
// laid out for the selection); hint 3, the timer's, refreshes the values. A range that
// cannot be read, or that names none of the analyzer's four ranges, shows "Unknown" with an
// empty bar. A refresh or a selection that gives way to the user's input (buswait.h) leaves
// what it has not read to the next refresh; until then a row shows nothing of it.
#pragma once

#include "vaskfc.h"

#include "resource.h"

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

    // Shows row c with the component's label and switch status, or hides it.
    void ShowComponentRow(CVaskInstrument* pAnalyzer, int c, BOOL bShow);
    // Row c's bar, limits, range and value from the device (and its switch status when the
    // layout gave way before reading it).
    void UpdateComponentBar(CVaskInstrument* pAnalyzer, int c);

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
    // Row c's switch status from the device.
    void ShowSwitchStatus(CVaskInstrument* pAnalyzer, int c);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    static int s_nLayoutDone;
    // Whether row c's switch status was read since the row was laid out (a layout that gave
    // way leaves it to the next refresh).
    BOOL m_bStatusRead[kRows] = {};

    DECLARE_MESSAGE_MAP()
};
