// CPCVaskListView: the value pane of the main window while no analyzer is selected, and for
// every selection until the value bars take its place: a report list with one row per
// measuring component of the analyzers below the selected node (a converter, a gateway or an
// analyzer), with the analyzer's state in its first row, the component's label, its current
// value with unit and its switch status, whose tool tip explains the abbreviations.
//
// Document hints: 1 and 6 build the rows anew, 3 (the timer) refreshes their texts, 5 and 7
// empty the list. Analyzers that are inactive or whose connection is switched off have no
// rows.
//
// The rows are laid out at once, without a read: the analyzer's name, the component's label.
// Their values, states and switch statuses are read row by row, the whole row on every
// refresh. A refresh that gives way to the user's input (windowwait.h) reads at least one row,
// and the next refresh begins at the row where it stopped, so every row is read within as
// many refreshes as there are rows. A selection that gives way leaves what it has not read
// to the next refresh. Until a row is read it shows nothing but its names; a read that
// fails leaves the value last read.
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

    // The rows of the analyzer's components, added to the rows to lay out.
    void AddInstrumentRows(CVaskInstrument* pAnalyzer);
    // Row nRow (component c of its analyzer) from the device: its texts replaced where they
    // differ. Between its reads it gives way to the user's input when bMayGiveWay; FALSE when
    // it did (the row shows what it has read).
    BOOL FillComponentRow(int nRow, BOOL bMayGiveWay = TRUE);

    // The analyzer of a row; NULL outside the rows.
    CVaskInstrument* GetRowInstrument(int nRow) const;
    CListCtrlEx& GetList() { return m_wndList; }
    int IsFilled() const { return m_nFilled; }

protected:
    CPCVaskDoc* GetDoc() const;
    // The columns and rows of the selected node, laid out when they are not, then read from
    // the row where the last refresh stopped; a refresh (bRefresh) reads at least one row
    // before it gives way.
    void Fill(BOOL bRefresh);
    // No rows, no columns: the next fill builds them.
    void Clear();

    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    int m_nFilled;
    // The analyzer and component of each row (the rows' own value is an int).
    struct Row {
        CVaskInstrument* pAnalyzer;
        int c;
        bool operator==(const Row& other) const {
            return pAnalyzer == other.pAnalyzer && c == other.c;
        }
    };
    std::vector<Row> m_rows;
    // The row at which the next refresh begins: one that gave way goes on where it stopped.
    size_t m_nNextRow;

    DECLARE_MESSAGE_MAP()
};
