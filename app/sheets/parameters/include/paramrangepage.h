// CPageParamRange: the page "Measuring ranges" of the parameter sheet. For one component at a
// time it shows the lower and upper value of each range (CRangeGrid), the linearisation
// curve's start and end, the current range (or autorange) and the two autorange switching
// points. It reads every component when it opens and writes every component on Apply, to the
// device online, into the analyzer's parameter table offline.
//
// A component whose values could not all be read is never written: its defaults (range 1,
// autorange off, empty values) are not the device's settings. Before writing, the numbers of
// every component that will be written are checked, not only the shown one's.
#pragma once

#include "parampage.h"
#include "rangegrid.h"

class CVaskInstrument;

class CPageParamRange : public CParamPage {
public:
    explicit CPageParamRange(CVaskInstrument* pAnalyzer);

    CRangeGrid& GetRangeGrid() { return m_rangeGrid; }
    int GetCurrentRange(int c) const { return m_nCurrentRange[c]; }
    BOOL GetAutorange(int c) const { return m_bAutorange[c]; }
    // Whether all of component c's settings were read (the component may be written).
    BOOL IsComponentRead(int c) const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnComponentChange();
    void OnRangeChange();

    // The numbers of the shown component (cells and switching edits) and of every other
    // component that will be written; FALSE after the message of the first text that is no
    // number.
    BOOL CheckValues();
    BOOL CheckComponent(int c);
    BOOL WriteComponent(int c);
    // The range list's entry of component c's range or autorange.
    int RangeListIndex(int c) const;
    void ShowTexts(int c);
    BOOL IsSindor23() const;

    CComboBox m_componentList;
    CComboBox m_rangeList;
    CString m_strSwitchDown;
    CString m_strSwitchUp;
    CString m_strLinEnd;
    CString m_strLinStart;

    VaskFloat m_switchDown[kGridComponents];
    VaskFloat m_switchUp[kGridComponents];
    VaskFloat m_linEnd[kGridComponents];
    VaskFloat m_linStart[kGridComponents];
    int m_nCurrentRange[kGridComponents];
    BOOL m_bAutorange[kGridComponents];
    // Range and autorange, and the switching points, read per component.
    BOOL m_bRangeRead[kGridComponents];
    BOOL m_bLimitsRead[kGridComponents];
    // The user chose a range for the component: a switch back does not reread it.
    BOOL m_bRangeChosen[kGridComponents];
    int m_nShownComponent;
    int m_nListIndex;
    CRangeGrid m_rangeGrid;

    DECLARE_MESSAGE_MAP()
};
