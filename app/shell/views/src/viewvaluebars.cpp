// The value-bars pane.
#include "viewvaluebars.h"

#include "windowwait.h"
#include "panehelp.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "sindor23.h"
#include "vaskinstrument.h"

IMPLEMENT_DYNCREATE(CViewValueBars, CFormView)

namespace {

const DWORD_PTR kBarsHelpContext = HID_BASE_RESOURCE + IDD_VIEW_VALUE_BARS;
const int kTipWidth = 300;
// The analyzer's ranges per component, and the entries of the selected range (one per
// component) and of the ranges' limits (per component, range by range).
const int kRanges = 4;
const int kMeasRangeNumber = 6;
const int kRangeLowerNumber = 30;
const int kRangeUpperNumber = 46;
// A Sindor 23 whose range reads 3 is in its combined range "1/2": from the first range's
// lower limit to the second range's upper limit.
const int kSindor23CombinedRange = 3;

const UINT kLabelIds[CViewValueBars::kRows] = {IDC_BAR_LABEL_1, IDC_BAR_LABEL_2, IDC_BAR_LABEL_3,
                                               IDC_BAR_LABEL_4};

// An entry's value as read now; FALSE when the analyzer has no such entry or the read fails.
BOOL ReadEntry(CVaskInstrument* pAnalyzer, int nNumber, VaskFloat& value) {
    CVaskParameter* pEntry = pAnalyzer->FindParameterByNumber(nNumber);
    return pEntry != NULL && pEntry->GetValue(value);
}

// A range's limits as read now, whatever the reads gave; FALSE when the analyzer lacks them
// (a range that its model does not have).
BOOL ReadLimits(CVaskInstrument* pAnalyzer, int nLowerNumber, int nUpperNumber, VaskFloat& lower,
                VaskFloat& upper) {
    CVaskParameter* pLower = pAnalyzer->FindParameterByNumber(nLowerNumber);
    CVaskParameter* pUpper = pAnalyzer->FindParameterByNumber(nUpperNumber);
    if (pLower == NULL || pUpper == NULL) return FALSE;
    pLower->GetValue(lower);
    pUpper->GetValue(upper);
    return TRUE;
}

}  // namespace

int CViewValueBars::s_nLayoutDone = 0;

BEGIN_MESSAGE_MAP(CViewValueBars, CFormView)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CViewValueBars::CViewValueBars() : CFormView(IDD) {}

void CViewValueBars::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    for (int c = 0; c < kRows; ++c) {
        DDX_Control(pDX, IDC_BAR_1 + c, m_bars[c]);
        DDX_Control(pDX, kLabelIds[c], m_labels[c]);
        DDX_Control(pDX, IDC_BAR_LOWER_1 + c, m_lowerLimits[c]);
        DDX_Control(pDX, IDC_BAR_UPPER_1 + c, m_upperLimits[c]);
        DDX_Control(pDX, IDC_BAR_VALUE_1 + c, m_values[c]);
        DDX_Control(pDX, IDC_BAR_RANGE_1 + c, m_ranges[c]);
        DDX_Control(pDX, IDC_BAR_STATUS_1 + c, m_status[c]);
    }
}

CPCVaskDoc* CViewValueBars::GetDoc() const {
    CDocument* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

void CViewValueBars::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    if (m_toolTip.m_hWnd != NULL || !m_toolTip.Create(this)) return;
    for (int c = 0; c < kRows; ++c) m_toolTip.AddTool(&m_status[c], IDS_SWITCH_LEGEND);
    m_toolTip.SetMaxTipWidth(kTipWidth);
    m_toolTip.Activate(TRUE);
}

BOOL CViewValueBars::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.m_hWnd != NULL) m_toolTip.RelayEvent(pMsg);
    return CFormView::PreTranslateMessage(pMsg);
}

BOOL CViewValueBars::HasRow(CVaskInstrument* pAnalyzer, int c) {
    if (c < pAnalyzer->GetComponentCount()) return TRUE;
    if (!pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) return FALSE;
    const CSindor23* pSindor = (const CSindor23*)pAnalyzer;
    return (c == 2 && pSindor->HasH2SSensor()) || (c == 3 && pSindor->HasO2Sensor());
}

void CViewValueBars::OnUpdate(CView*, LPARAM lHint, CObject*) {
    if (lHint == 1 || lHint == 6 || lHint == 7)
        s_nLayoutDone = 0;
    else if (lHint != 3)
        return;
    CPCVaskApp* pApp = CPCVaskApp::Get();
    if (m_hWnd == NULL || m_bars[0].m_hWnd == NULL) return;
    if (!IsWindowVisible() && pApp != NULL && pApp->IsOnlineMode()) return;
    CPCVaskDoc* pDoc = GetDoc();
    CInstrument* pNode = pDoc != NULL ? pDoc->GetCurrentInstrument() : NULL;
    if (pNode == NULL || !pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) return;
    CVaskInstrument* pAnalyzer = (CVaskInstrument*)pNode;
    if (!s_nLayoutDone) {
        for (int c = 0; c < kRows; ++c) ShowComponentRow(pAnalyzer, c, HasRow(pAnalyzer, c));
        s_nLayoutDone = 1;
    }
    for (int c = 0; c < kRows; ++c) {
        // A refresh or a selection leaves the values it has not read to the next refresh
        // while the user's input waits.
        if (RefreshGivesWay()) return;
        if (HasRow(pAnalyzer, c)) UpdateComponentBar(pAnalyzer, c);
    }
}

void CViewValueBars::ShowComponentRow(CVaskInstrument* pAnalyzer, int c, BOOL bShow) {
    if (c < 0 || c >= kRows) return;
    CWnd* row[] = {&m_bars[c],   &m_labels[c], &m_lowerLimits[c], &m_upperLimits[c],
                   &m_values[c], &m_ranges[c], &m_status[c]};
    for (CWnd* pControl : row) pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (!bShow) return;
    m_labels[c].SetWindowText(pAnalyzer->GetComponentLabel(c) + ":");
    if (RefreshGivesWay())
        m_status[c].SetWindowText("");
    else
        ShowSwitchStatus(pAnalyzer, c);
    // Until the row is read: nothing of the analyzer shown before.
    for (CStatic* pText : {&m_lowerLimits[c], &m_upperLimits[c], &m_values[c], &m_ranges[c]})
        pText->SetWindowText("");
    m_bars[c].SetPos(0);
}

void CViewValueBars::ShowSwitchStatus(CVaskInstrument* pAnalyzer, int c) {
    CString status;
    pAnalyzer->GetCompSwitchText(c, status);
    m_status[c].SetWindowText(status);
    m_bStatusRead[c] = TRUE;
}

void CViewValueBars::UpdateComponentBar(CVaskInstrument* pAnalyzer, int c) {
    if (c < 0 || c >= kRows) return;
    // Each read may be the one that gives way to the user's input: the row then keeps what it
    // shows until the next refresh reads it.
    if (!m_bStatusRead[c]) {
        ShowSwitchStatus(pAnalyzer, c);
        if (RefreshGivesWay()) return;
    }
    VaskFloat values[kRows];
    const int bMeasured = pAnalyzer->GetMeas(values);
    if (RefreshGivesWay()) return;
    VaskFloat range, lower, upper;
    BOOL bRange = ReadEntry(pAnalyzer, kMeasRangeNumber + c, range);
    if (RefreshGivesWay()) return;
    const int nRange = bRange ? (int)range.value : 0;
    CString rangeText;
    if (bRange && nRange == kSindor23CombinedRange &&
        pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        bRange = ReadLimits(pAnalyzer, kRangeLowerNumber + kRanges * c,
                            kRangeUpperNumber + kRanges * c + 1, lower, upper);
        rangeText.LoadString(IDS_RANGE_TEXT);
        rangeText += range.text;
    } else if (bRange && nRange <= kRanges) {
        // Range values 1 to 4 select ranges 0 to 3; 0 and below the first.
        const int r = nRange - 1 > 0 ? nRange - 1 : 0;
        bRange = ReadLimits(pAnalyzer, kRangeLowerNumber + kRanges * c + r,
                            kRangeUpperNumber + kRanges * c + r, lower, upper);
        CString format;
        format.LoadString(IDS_RANGE_NUMBER);
        rangeText.Format(format, r + 1);
    } else {
        // A range beyond the analyzer's four is none of them.
        bRange = FALSE;
    }
    if (RefreshGivesWay()) return;
    if (!bRange) {
        CString unknown;
        unknown.LoadString(IDS_UNKNOWN);
        for (CStatic* pText : {&m_lowerLimits[c], &m_upperLimits[c], &m_values[c], &m_ranges[c]})
            pText->SetWindowText(unknown);
        m_bars[c].SetPos(0);
        return;
    }
    m_ranges[c].SetWindowText(rangeText);
    m_lowerLimits[c].SetWindowText(lower.text);
    m_upperLimits[c].SetWindowText(upper.text);
    m_bars[c].SetRange32((int)lower.value, (int)upper.value);
    m_bars[c].SetPos((int)values[c].value);
    if (bMeasured) {
        CString unit;
        CVaskInstrument::GetUnitText(unit, values[c].unit);
        m_values[c].SetWindowText(values[c].text + " " + unit);
    }
}

LRESULT CViewValueBars::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kBarsHelpContext);
}

LRESULT CViewValueBars::OnCommandHelp(WPARAM, LPARAM) { return 0; }
