// The value list pane.
#include "pcvasklistview.h"

#include "windowwait.h"
#include "converter.h"
#include "gateway.h"
#include "panehelp.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "resource.h"
#include "sindor23.h"
#include "vaskinstrument.h"

IMPLEMENT_DYNCREATE(CPCVaskListView, CListViewEx)

namespace {

const DWORD_PTR kListHelpContext = HID_BASE_RESOURCE + 0x9A;
const int kComponents = 4;
const int kLastChannelState = 25;
enum Column { kInstrumentColumn, kComponentColumn, kValueColumn, kStatusColumn };

BOOL IsOnline() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL && pApp->IsOnlineMode();
}

}  // namespace

BEGIN_MESSAGE_MAP(CPCVaskListView, CListViewEx)
ON_WM_CREATE()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CPCVaskListView::CPCVaskListView() : m_nFilled(0), m_nNextRow(0) {}

int CPCVaskListView::OnCreate(LPCREATESTRUCT lpcs) {
    // The list takes the view's styles.
    lpcs->style |= LVS_REPORT;
    return CListViewEx::OnCreate(lpcs) == -1 ? -1 : 0;
}

void CPCVaskListView::OnInitialUpdate() {
    m_wndList.SetOwnerDrawn(true);
    CListViewEx::OnInitialUpdate();
}

CPCVaskDoc* CPCVaskListView::GetDoc() const {
    CDocument* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

CVaskInstrument* CPCVaskListView::GetRowInstrument(int nRow) const {
    return nRow >= 0 && nRow < (int)m_rows.size() ? m_rows[nRow].pAnalyzer : NULL;
}

void CPCVaskListView::OnUpdate(CView*, LPARAM lHint, CObject*) {
    switch (lHint) {
        case 1:
        case 6:
            Clear();
            Fill(FALSE);
            break;
        case 3: Fill(TRUE); break;
        case 5:
        case 7: Clear(); break;
        default: break;
    }
}

void CPCVaskListView::Clear() {
    if (m_wndList.m_hWnd != NULL) m_wndList.DeleteAllItemsAndColumns();
    m_rows.clear();
    m_nNextRow = 0;
    m_nFilled = 0;
}

void CPCVaskListView::Fill(BOOL bRefresh) {
    if (m_wndList.m_hWnd == NULL) return;
    if (!IsWindowVisible() && IsOnline()) return;
    CPCVaskDoc* pDoc = GetDoc();
    CInstrument* pNode = pDoc != NULL ? pDoc->GetCurrentInstrument() : NULL;
    if (pNode == NULL) return;
    CObList* pAnalyzers = NULL;
    if (pNode->IsKindOf(RUNTIME_CLASS(CConverter)))
        pAnalyzers = ((CConverter*)pNode)->GetInstrumentList();
    else if (pNode->IsKindOf(RUNTIME_CLASS(CGateway)))
        pAnalyzers = ((CGateway*)pNode)->CollectInstrumentLists();
    const BOOL bAnalyzer = pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument));
    // The rows as the analyzers' flags give them now; laid out anew when they changed.
    const std::vector<Row> laidOut = m_rows;
    m_rows.clear();
    auto add = [&](CObject* pObject) {
        if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) return;
        CVaskInstrument* pAnalyzer = (CVaskInstrument*)pObject;
        if (pAnalyzer->IsActive() && pAnalyzer->IsConnectionEnabled()) AddInstrumentRows(pAnalyzer);
    };
    if (bAnalyzer) add(pNode);
    if (pAnalyzers != NULL)
        for (POSITION pos = pAnalyzers->GetHeadPosition(); pos != NULL;)
            add(pAnalyzers->GetNext(pos));
    if (!m_nFilled || m_rows != laidOut) {
        const std::vector<Row> rows = m_rows;
        Clear();
        m_rows = rows;
        if (pAnalyzers != NULL || bAnalyzer) m_wndList.InsertColumnsFromString(IDS_VALUE_COLUMNS);
        CString legend;
        legend.LoadString(IDS_SWITCH_LEGEND);
        for (int nRow = 0; nRow < (int)m_rows.size(); ++nRow) {
            CVaskInstrument* pAnalyzer = m_rows[nRow].pAnalyzer;
            const int c = m_rows[nRow].c;
            m_wndList.SetItemTextFitColumn(nRow, kInstrumentColumn,
                                           c == 0 ? pAnalyzer->GetName() : CString(" "),
                                           pAnalyzer->GetImageIndex());
            m_wndList.SetItemTextFitColumn(nRow, kComponentColumn, pAnalyzer->GetComponentLabel(c));
            m_wndList.SetItemTipText(nRow, kStatusColumn, legend);
        }
        m_nFilled = 1;
    }
    // The rows from the one where the last refresh stopped, round to it. A refresh reads at
    // least one whole row before it gives way to the user's input, so that every row is read
    // in turn however often the user clicks; a selection gives way after its first request.
    const size_t nRows = m_rows.size();
    const size_t first = nRows > 0 ? m_nNextRow % nRows : 0;
    for (size_t n = 0; n < nRows; ++n) {
        const size_t nRow = (first + n) % nRows;
        const BOOL bMayGiveWay = !bRefresh || n > 0;
        if ((bMayGiveWay && RefreshGivesWay()) || !FillComponentRow((int)nRow, bMayGiveWay)) {
            m_nNextRow = nRow;
            return;
        }
    }
    // All rows read: the next refresh begins at the top.
    m_nNextRow = 0;
}

void CPCVaskListView::AddInstrumentRows(CVaskInstrument* pAnalyzer) {
    const int nCount = pAnalyzer->GetComponentCount();
    for (int c = 0; c < nCount && c < kComponents; ++c) m_rows.push_back({pAnalyzer, c});
    if (pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor = (CSindor23*)pAnalyzer;
        if (pSindor->HasH2SSensor()) m_rows.push_back({pAnalyzer, 2});
        if (pSindor->HasO2Sensor()) m_rows.push_back({pAnalyzer, 3});
    }
}

BOOL CPCVaskListView::FillComponentRow(int nRow, BOOL bMayGiveWay) {
    if (nRow < 0 || nRow >= (int)m_rows.size()) return TRUE;
    CVaskInstrument* pAnalyzer = m_rows[nRow].pAnalyzer;
    const int c = m_rows[nRow].c;
    if (c < 0 || c >= kComponents) return TRUE;
    // Each read may be the one after which the row gives way to the user's input: it shows
    // what it has read so far, and the next refresh reads the row again.
    auto givesWay = [&] { return bMayGiveWay && RefreshGivesWay(); };
    VaskFloat values[kComponents];
    BOOL bValue = TRUE;
    if (IsOnline()) {
        // Asked once per refresh for all the analyzer's rows.
        bValue = pAnalyzer->GetMeas(values);
    } else {
        values[c].text.Empty();
        values[c].unit = 1;
    }
    if (bValue) {
        CString unit;
        CVaskInstrument::GetUnitText(unit, values[c].unit);
        m_wndList.SetItemTextFitColumn(nRow, kValueColumn, values[c].text + " " + unit);
    }
    if (givesWay()) return FALSE;
    if (c == 0) {
        const int nState = pAnalyzer->GetChannelState();
        CString state;
        if (nState >= 0 && nState <= kLastChannelState)
            state.LoadString(IDS_DEVICE_STATE_BASE + (UINT)nState);
        m_wndList.SetItemTextFitColumn(nRow, kInstrumentColumn, pAnalyzer->GetName() + ": " + state,
                                       pAnalyzer->GetImageIndex(), TRUE);
        if (givesWay()) return FALSE;
    }
    CString status;
    pAnalyzer->GetCompSwitchText(c, status);
    m_wndList.SetItemTextFitColumn(nRow, kStatusColumn, status);
    return TRUE;
}

LRESULT CPCVaskListView::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kListHelpContext);
}

LRESULT CPCVaskListView::OnCommandHelp(WPARAM, LPARAM) { return 0; }
