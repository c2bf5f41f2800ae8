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

CPCVaskListView::CPCVaskListView() : m_nFilled(0) {}

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
    return nRow >= 0 && nRow < (int)m_rowInstruments.size() ? m_rowInstruments[nRow] : NULL;
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
    m_rowInstruments.clear();
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
    if (!m_nFilled) {
        if (pAnalyzers != NULL || bAnalyzer) m_wndList.InsertColumnsFromString(IDS_VALUE_COLUMNS);
        bRefresh = FALSE;
    }
    int nRow = 0;
    auto add = [&](CObject* pObject) {
        if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) return;
        // A refresh or a selection leaves the rows it has not reached to the next refresh
        // while the user's input waits; their texts stay as they were, and rows that a
        // selection did not reach are added then.
        if (RefreshGivesWay()) return;
        CVaskInstrument* pAnalyzer = (CVaskInstrument*)pObject;
        if (pAnalyzer->IsActive() && pAnalyzer->IsConnectionEnabled())
            AddInstrumentRows(pAnalyzer, nRow, bRefresh);
    };
    if (bAnalyzer) add(pNode);
    if (pAnalyzers != NULL)
        for (POSITION pos = pAnalyzers->GetHeadPosition(); pos != NULL;)
            add(pAnalyzers->GetNext(pos));
    m_nFilled = 1;
}

void CPCVaskListView::AddInstrumentRows(CVaskInstrument* pAnalyzer, int& nRow, BOOL bRefresh) {
    const int nCount = pAnalyzer->GetComponentCount();
    for (int c = 0; c < nCount && c < kComponents; ++c)
        FillComponentRow(nRow++, pAnalyzer, c, bRefresh);
    if (pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor = (CSindor23*)pAnalyzer;
        if (pSindor->HasH2SSensor()) FillComponentRow(nRow++, pAnalyzer, 2, bRefresh);
        if (pSindor->HasO2Sensor()) FillComponentRow(nRow++, pAnalyzer, 3, bRefresh);
    }
}

void CPCVaskListView::FillComponentRow(int nRow, CVaskInstrument* pAnalyzer, int c, BOOL bRefresh) {
    if (c < 0 || c >= kComponents) return;
    // A row that the selection's fill did not reach is added by the refresh.
    bRefresh = bRefresh && nRow < m_wndList.GetItemCount();
    VaskFloat values[kComponents];
    if (IsOnline()) {
        pAnalyzer->GetMeas(values);
    } else {
        values[c].text.Empty();
        values[c].unit = 1;
    }

    CString first = " ";
    if (c == 0) {
        const int nState = pAnalyzer->GetChannelState();
        CString state;
        if (nState >= 0 && nState <= kLastChannelState)
            state.LoadString(IDS_DEVICE_STATE_BASE + (UINT)nState);
        first = pAnalyzer->GetName() + ": " + state;
    }
    m_wndList.SetItemTextFitColumn(nRow, kInstrumentColumn, first, pAnalyzer->GetImageIndex(),
                                   bRefresh);
    CString status;
    pAnalyzer->GetCompSwitchText(c, status);
    m_wndList.SetItemTextFitColumn(nRow, kComponentColumn, pAnalyzer->GetComponentLabel(c));
    m_wndList.SetItemTextFitColumn(nRow, kStatusColumn, status);
    CString legend;
    legend.LoadString(IDS_SWITCH_LEGEND);
    m_wndList.SetItemTipText(nRow, kStatusColumn, legend);
    CString unit;
    CVaskInstrument::GetUnitText(unit, values[c].unit);
    m_wndList.SetItemTextFitColumn(nRow, kValueColumn, values[c].text + " " + unit);

    if ((int)m_rowInstruments.size() <= nRow) m_rowInstruments.resize(nRow + 1, NULL);
    m_rowInstruments[nRow] = pAnalyzer;
}

LRESULT CPCVaskListView::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kListHelpContext);
}

LRESULT CPCVaskListView::OnCommandHelp(WPARAM, LPARAM) { return 0; }
