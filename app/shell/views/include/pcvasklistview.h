// CPCVaskListView: the value pane of the main window while no analyzer is selected, and for
// every selection until the value bars take its place: a report list with one row per
// measuring component of the analyzers below the selected node (a converter, a gateway or an
// analyzer), with the analyzer's state in its first row, the component's label, its current
// value with unit and its switch status, whose tool tip explains the abbreviations.
//
// Document hints: 1 and 6 build the rows anew, 3 (the timer) refreshes their texts, 5 and 7
// empty the list. Analyzers that are inactive or whose connection is switched off have no
// rows.
#pragma once

#include "listctrlex.h"

#include <vector>

class CPCVaskDoc;
class CVaskInstrument;

class CPCVaskListView : public CListViewEx {
    DECLARE_DYNCREATE(CPCVaskListView)
public:
    CPCVaskListView();

    // The list draws its rows itself.
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // The rows of the analyzer's components from row nRow on; nRow counts on past them.
    void AddInstrumentRows(CVaskInstrument* pAnalyzer, int& nRow, BOOL bRefresh);
    // Row nRow for component c: inserted, or its texts replaced where they differ (bRefresh).
    void FillComponentRow(int nRow, CVaskInstrument* pAnalyzer, int c, BOOL bRefresh);

    // The analyzer of a row; NULL outside the rows.
    CVaskInstrument* GetRowInstrument(int nRow) const;
    CListCtrlEx& GetList() { return m_wndList; }
    int IsFilled() const { return m_nFilled; }

protected:
    CPCVaskDoc* GetDoc() const;
    // The columns and rows of the selected node; in refresh mode once they are there.
    void Fill(BOOL bRefresh);
    // No rows, no columns: the next fill builds them.
    void Clear();

    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    int m_nFilled;
    // The analyzer of each row (the rows' own value is an int).
    std::vector<CVaskInstrument*> m_rowInstruments;

    DECLARE_MESSAGE_MAP()
};
