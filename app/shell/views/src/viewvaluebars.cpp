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

// A control's text, set only when it changes (no flicker at every refresh).
void ShowText(CWnd& control, const CString& text) {
    CString shown;
    control.GetWindowText(shown);
    if (shown != text) control.SetWindowText(text);
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
    if (pAnalyzer != m_pReadFor) ForgetReads(pAnalyzer);
    if (!s_nLayoutDone) {
        for (int c = 0; c < kRows; ++c) ShowComponentRow(pAnalyzer, c, HasRow(pAnalyzer, c));
        s_nLayoutDone = 1;
        m_nNextRow = 0;
    }
    // The rows from the one where the last refresh stopped, round to it. A refresh reads at
    // least one whole row before it gives way to the user's input, so that every row is read
    // in turn however often the user clicks; a selection gives way after its first request.
    int rows[kRows];
    int nRows = 0, first = 0;
    for (int c = 0; c < kRows; ++c) {
        if (!HasRow(pAnalyzer, c)) continue;
        if (c < m_nNextRow) first = nRows + 1;
        rows[nRows++] = c;
    }
    if (nRows == 0) return;
    first %= nRows;
    for (int n = 0; n < nRows; ++n) {
        const int c = rows[(first + n) % nRows];
        const BOOL bMayGiveWay = lHint != 3 || n > 0;
        if ((bMayGiveWay && RefreshGivesWay()) || !UpdateComponentBar(pAnalyzer, c, bMayGiveWay)) {
            m_nNextRow = c;
            return;
        }
    }
    // All rows read: the next refresh begins at the top.
    m_nNextRow = 0;
}

void CViewValueBars::ShowComponentRow(CVaskInstrument* pAnalyzer, int c, BOOL bShow) {
    if (c < 0 || c >= kRows) return;
    CWnd* row[] = {&m_bars[c],   &m_labels[c], &m_lowerLimits[c], &m_upperLimits[c],
                   &m_values[c], &m_ranges[c], &m_status[c]};
    for (CWnd* pControl : row) pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    if (!bShow) return;
    m_labels[c].SetWindowText(pAnalyzer->GetComponentLabel(c) + ":");
    // Until the row is read: nothing of the analyzer shown before.
    if (pAnalyzer != m_pReadFor) ForgetReads(pAnalyzer);
    m_read[c] = RowRead();
    ShowRead(c);
}

void CViewValueBars::ForgetReads(CVaskInstrument* pAnalyzer) {
    m_pReadFor = pAnalyzer;
    m_nNextRow = 0;
    for (int c = 0; c < kRows; ++c) {
        m_read[c] = RowRead();
        if (m_bars[c].m_hWnd != NULL) ShowRead(c);
    }
}

void CViewValueBars::ShowRead(int c) {
    const RowRead& row = m_read[c];
    ShowText(m_status[c], row.bStatus ? row.status : CString());
    if (row.range == RowRead::kUnknown) {
        CString unknown;
        unknown.LoadString(IDS_UNKNOWN);
        for (CStatic* pText : {&m_lowerLimits[c], &m_upperLimits[c], &m_values[c], &m_ranges[c]})
            ShowText(*pText, unknown);
        m_bars[c].SetPos(0);
        return;
    }
    ShowText(m_ranges[c], row.range == RowRead::kKnown ? row.rangeText : CString());
    ShowText(m_lowerLimits[c], row.bLimits ? row.lower.text : CString());
    ShowText(m_upperLimits[c], row.bLimits ? row.upper.text : CString());
    if (row.bLimits) m_bars[c].SetRange32((int)row.lower.value, (int)row.upper.value);
    m_bars[c].SetPos(row.bLimits && row.bValue ? (int)row.value.value : 0);
    CString value;
    if (row.bValue) {
        CString unit;
        CVaskInstrument::GetUnitText(unit, row.value.unit);
        value = row.value.text + " " + unit;
    }
    ShowText(m_values[c], value);
}

BOOL CViewValueBars::UpdateComponentBar(CVaskInstrument* pAnalyzer, int c, BOOL bMayGiveWay) {
    if (c < 0 || c >= kRows || pAnalyzer == NULL) return TRUE;
    if (pAnalyzer != m_pReadFor) ForgetReads(pAnalyzer);
    RowRead& row = m_read[c];
    // Each read may be the one after which the row gives way to the user's input: it shows
    // what it has read so far, and the next refresh reads the row again.
    auto givesWay = [&] {
        ShowRead(c);
        return bMayGiveWay && RefreshGivesWay();
    };
    // The switch status is read with the row every time: it changes with the sheets and
    // at the device.
    pAnalyzer->GetCompSwitchText(c, row.status);
    row.bStatus = TRUE;
    if (givesWay()) return FALSE;
    VaskFloat values[kRows];
    if (pAnalyzer->GetMeas(values)) {
        // A failed read leaves the value last read.
        row.value = values[c];
        row.bValue = TRUE;
    }
    if (givesWay()) return FALSE;
    VaskFloat range;
    BOOL bRange = ReadEntry(pAnalyzer, kMeasRangeNumber + c, range);
    const int nRange = bRange ? (int)range.value : 0;
    int nLowerNumber = 0, nUpperNumber = 0;
    CString rangeText;
    if (bRange && nRange == kSindor23CombinedRange &&
        pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        nLowerNumber = kRangeLowerNumber + kRanges * c;
        nUpperNumber = kRangeUpperNumber + kRanges * c + 1;
        rangeText.LoadString(IDS_RANGE_TEXT);
        rangeText += range.text;
    } else if (bRange && nRange <= kRanges) {
        // Range values 1 to 4 select ranges 0 to 3; 0 and below the first.
        const int r = nRange - 1 > 0 ? nRange - 1 : 0;
        nLowerNumber = kRangeLowerNumber + kRanges * c + r;
        nUpperNumber = kRangeUpperNumber + kRanges * c + r;
        CString format;
        format.LoadString(IDS_RANGE_NUMBER);
        rangeText.Format(format, r + 1);
    } else {
        // A range beyond the analyzer's four is none of them.
        bRange = FALSE;
    }
    if (!bRange) {
        row.range = RowRead::kUnknown;
        row.bLimits = FALSE;
        ShowRead(c);
        return TRUE;
    }
    // The limits read before belong to another range when the range changed.
    if (row.range != RowRead::kKnown || row.nLowerNumber != nLowerNumber ||
        row.nUpperNumber != nUpperNumber)
        row.bLimits = FALSE;
    row.range = RowRead::kKnown;
    row.nLowerNumber = nLowerNumber;
    row.nUpperNumber = nUpperNumber;
    row.rangeText = rangeText;
    if (givesWay()) return FALSE;
    VaskFloat lower, upper;
    if (ReadLimits(pAnalyzer, nLowerNumber, nUpperNumber, lower, upper)) {
        row.lower = lower;
        row.upper = upper;
        row.bLimits = TRUE;
    } else {
        row.range = RowRead::kUnknown;
        row.bLimits = FALSE;
    }
    ShowRead(c);
    return TRUE;
}

LRESULT CViewValueBars::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kBarsHelpContext);
}

LRESULT CViewValueBars::OnCommandHelp(WPARAM, LPARAM) { return 0; }
