// The curve sheet's option page.
#include "curveoptionpage.h"

#include "apputil.h"
#include "curvenodes.h"
#include "curvepropsheet.h"
#include "curvesettings.h"
#include "curvetext.h"
#include "resource.h"
#include "sindor23.h"
#include "vaskinstrument.h"

IMPLEMENT_DYNAMIC(CCurveOptionPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CCurveOptionPage, CHelpPropertyPage)
ON_CBN_SELCHANGE(IDC_CURVE_NETWORK, OnNetworkChanged)
ON_CBN_SELCHANGE(IDC_CURVE_ANALYZER, OnAnalyzerChanged)
ON_CBN_SELCHANGE(IDC_CURVE_COMPONENT, OnComponentChanged)
ON_CBN_SELCHANGE(IDC_CURVE_LIST, OnCurveChanged)
ON_CBN_SELCHANGE(IDC_CURVE_LEGEND, OnLegendChanged)
ON_CBN_SELCHANGE(IDC_CURVE_SYMBOL, OnControlChanged)
ON_BN_CLICKED(IDC_CURVE_COLOR, OnColorButton)
ON_BN_CLICKED(IDC_CURVE_ZERO_LINE, OnZeroLine)
ON_BN_CLICKED(IDC_CURVE_GRID, OnControlChanged)
ON_BN_CLICKED(IDC_CURVE_SHOW_VALUES, OnControlChanged)
ON_EN_CHANGE(IDC_CURVE_TIME_SPAN, OnControlChanged)
ON_EN_CHANGE(IDC_CURVE_SCROLL_AREA, OnControlChanged)
ON_EN_CHANGE(IDC_CURVE_UPPER, OnControlChanged)
ON_EN_CHANGE(IDC_CURVE_LOWER, OnControlChanged)
ON_EN_CHANGE(IDC_CURVE_ZERO_POINT, OnControlChanged)
END_MESSAGE_MAP()

namespace {

// Programmatic changes of the controls are no edits of the user's.
class CLoading {
public:
    explicit CLoading(BOOL& flag) : m_flag(flag), m_before(flag) { m_flag = TRUE; }
    ~CLoading() { m_flag = m_before; }

private:
    BOOL& m_flag;
    BOOL m_before;
};

CString SpanText(DWORD seconds) {
    CString text;
    text.Format("%.2d:%.2d", (int)(seconds / 3600), (int)(seconds % 3600 / 60));
    return text;
}

int FindItemData(const CComboBox& list, DWORD_PTR data) {
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetItemData(i) == data) return i;
    return -1;
}

}  // namespace

CCurveOptionPage::CCurveOptionPage(CObList* pNodeList, CCurveSettings* pSettings)
    : CHelpPropertyPage(IDD),
      m_fLowerLimit(0.0f),
      m_fUpperLimit(0.0f),
      m_bGrid(FALSE),
      m_nScrollArea(10),
      m_bShowValues(FALSE),
      m_strTimeSpan("00:30"),
      m_bShowZeroLine(FALSE),
      m_fZeroPoint(0.0f),
      m_pNodeList(pNodeList),
      m_pSettings(pSettings),
      m_nCurrentCurve(0),
      m_nLegend(0),
      m_bLoading(FALSE) {}

CCurveOptionPage::~CCurveOptionPage() {}

void CCurveOptionPage::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CURVE_NETWORK, m_networkList);
    DDX_Control(pDX, IDC_CURVE_SYMBOL, m_symbolList);
    DDX_Control(pDX, IDC_CURVE_LEGEND, m_legendList);
    DDX_Control(pDX, IDC_CURVE_LIST, m_curveList);
    DDX_Control(pDX, IDC_CURVE_ANALYZER, m_analyzerList);
    DDX_Control(pDX, IDC_CURVE_COMPONENT, m_componentList);
    DDX_Control(pDX, IDC_CURVE_COLOR, m_colorButton);
    DDX_Text(pDX, IDC_CURVE_LOWER, m_fLowerLimit);
    DDX_Text(pDX, IDC_CURVE_UPPER, m_fUpperLimit);
    DDX_Check(pDX, IDC_CURVE_GRID, m_bGrid);
    DDX_Text(pDX, IDC_CURVE_SCROLL_AREA, m_nScrollArea);
    DDV_MinMaxInt(pDX, m_nScrollArea, 1, 100);
    DDX_Check(pDX, IDC_CURVE_SHOW_VALUES, m_bShowValues);
    DDX_Text(pDX, IDC_CURVE_TIME_SPAN, m_strTimeSpan);
    DDV_MaxChars(pDX, m_strTimeSpan, 8);
    DDX_Text(pDX, IDC_CURVE_LOWER_UNIT, m_strLowerUnit);
    DDX_Text(pDX, IDC_CURVE_UPPER_UNIT, m_strUpperUnit);
    DDX_Check(pDX, IDC_CURVE_ZERO_LINE, m_bShowZeroLine);
    DDX_Text(pDX, IDC_CURVE_ZERO_POINT, m_fZeroPoint);
}

BOOL CCurveOptionPage::OnInitDialog() {
    CLoading loading(m_bLoading);
    CHelpPropertyPage::OnInitDialog();
    m_symbolFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH,
                            "Zavirur");
    m_symbolList.SetFont(&m_symbolFont);

    FillNetworkList();
    if (m_networkList.GetCount() > 0) m_networkList.SetCurSel(0);
    FillAnalyzerList();
    ResolveCurveSlots(*m_pSettings, m_pNodeList);

    m_curveList.SetCurSel(0);
    m_nCurrentCurve = 0;
    m_strTimeSpan = SpanText(m_pSettings->m_dwTimeSpan);
    m_nLegend = m_pSettings->m_nLegend;
    m_nScrollArea = m_pSettings->m_nScrollArea;
    m_bShowValues = m_pSettings->m_bShowValuesInLegend;
    LoadCurve(0);
    m_legendList.SetCurSel(m_nLegend);
    return TRUE;
}

BOOL CCurveOptionPage::OnSetActive() {
    CCurvePropSheet* pSheet = CCurvePropSheet::Of(this);
    if (pSheet != NULL) pSheet->ResolveReleasedNodes();
    CLoading loading(m_bLoading);
    return CHelpPropertyPage::OnSetActive();
}

BOOL CCurveOptionPage::OnKillActive() { return StoreCurve(); }

BOOL CCurveOptionPage::OnApply() {
    if (!StoreCurve()) return FALSE;
    return CHelpPropertyPage::OnApply();
}

// ---- the lists -----------------------------------------------------------------------------

void CCurveOptionPage::FillNetworkList() {
    CLoading loading(m_bLoading);
    m_networkList.ResetContent();
    if (m_pNodeList == NULL) return;
    for (POSITION pos = m_pNodeList->GetHeadPosition(); pos != NULL;) {
        CObject* pNode = m_pNodeList->GetNext(pos);
        if (!IsCurveNetwork(pNode)) continue;
        const int index = m_networkList.AddString(((CInstrument*)pNode)->GetDisplayName());
        if (index >= 0) m_networkList.SetItemDataPtr(index, pNode);
    }
}

void CCurveOptionPage::FillAnalyzerList() {
    CLoading loading(m_bLoading);
    m_analyzerList.ResetContent();
    m_analyzerNodes.RemoveAll();
    CInstrument* pNetwork = SelectedNetwork();
    if (pNetwork != NULL)
        for (POSITION pos = pNetwork->GetFirstChildPosition(); pos != NULL;)
            m_analyzerNodes.AddTail(pNetwork->GetNextChild(pos));
    CPtrArray analyzers;
    ListedAnalyzers(pNetwork, analyzers);
    for (int i = 0; i < analyzers.GetSize(); ++i) {
        CVaskInstrument* pAnalyzer = (CVaskInstrument*)analyzers[i];
        const int index = m_analyzerList.AddString(pAnalyzer->GetName());
        if (index >= 0) m_analyzerList.SetItemDataPtr(index, pAnalyzer);
    }
    const int index = m_analyzerList.AddString(CurveText(IDS_NO_INSTRUMENT));
    if (index >= 0) m_analyzerList.SetItemDataPtr(index, NULL);
}

void CCurveOptionPage::FillComponentList() {
    m_componentList.ResetContent();
    CVaskInstrument* pAnalyzer = SelectedAnalyzer();
    if (pAnalyzer != NULL) {
        const int count = pAnalyzer->GetComponentCount();
        int last = count - 1;
        // The third and fourth components of a Sindor 23 are its extra sensors.
        if (pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
            CSindor23* pSindor = (CSindor23*)pAnalyzer;
            if (pSindor->HasO2Sensor() || pSindor->HasH2SSensor()) last = 3;
        }
        for (int c = 0; c <= last && c <= 3; ++c) {
            const int index = m_componentList.AddString(pAnalyzer->GetComponentLabel(c));
            if (index >= 0) m_componentList.SetItemData(index, (DWORD_PTR)c);
        }
    }
    // The name follows the user's choice; a slot being loaded keeps the names it has, so
    // that an analyzer not found now is found again later.
    if (!m_bLoading)
        m_pSettings->m_strInstrument[m_nCurrentCurve] =
            pAnalyzer != NULL ? pAnalyzer->GetName() : CurveText(IDS_NO_INSTRUMENT);
    if (m_componentList.GetCount() > 0) m_componentList.SetCurSel(0);
    ShowComponentUnit();
    MarkModified();
}

void CCurveOptionPage::ShowComponentUnit() {
    CString unit;
    CVaskInstrument* pAnalyzer = SelectedAnalyzer();
    const int index = m_componentList.GetCurSel();
    if (pAnalyzer != NULL && index >= 0) {
        const int c = (int)m_componentList.GetItemData(index);
        VaskFloat values[4];
        if (c >= 0 && c < 4 && pAnalyzer->GetMeas(values))
            CVaskInstrument::GetUnitText(unit, values[c].unit);
    }
    m_strLowerUnit = m_strUpperUnit = unit;
    SetDlgItemText(IDC_CURVE_LOWER_UNIT, unit);
    SetDlgItemText(IDC_CURVE_UPPER_UNIT, unit);
}

CInstrument* CCurveOptionPage::SelectedNetwork() const {
    const int index = m_networkList.GetCurSel();
    return index >= 0 ? (CInstrument*)m_networkList.GetItemDataPtr(index) : NULL;
}

CVaskInstrument* CCurveOptionPage::SelectedAnalyzer() const {
    const int index = m_analyzerList.GetCurSel();
    return index >= 0 ? (CVaskInstrument*)m_analyzerList.GetItemDataPtr(index) : NULL;
}

void CCurveOptionPage::SelectSlotNodes() {
    CLoading loading(m_bLoading);
    CVaskInstrument* pAnalyzer = m_pSettings->m_pInstrument[m_nCurrentCurve];
    // The analyzer's nearest ancestor that the list holds: a gateway for an analyzer behind
    // one of its lines.
    int network = FindItemData(m_networkList, (DWORD_PTR)NetworkOfAnalyzer(pAnalyzer, m_pNodeList));
    if (network < 0 && m_networkList.GetCount() > 0) network = 0;
    m_networkList.SetCurSel(network);
    FillAnalyzerList();
    m_analyzerList.SetCurSel(FindItemData(m_analyzerList, (DWORD_PTR)pAnalyzer));
    if (SelectedAnalyzer() == NULL) {
        m_analyzerList.SetCurSel(FindItemData(m_analyzerList, 0));
        m_componentList.ResetContent();
        ShowComponentUnit();
        return;
    }
    FillComponentList();
    m_componentList.SetCurSel(
        FindItemData(m_componentList, (DWORD_PTR)m_pSettings->m_nComponent[m_nCurrentCurve]));
    ShowComponentUnit();
}

void CCurveOptionPage::ReleaseNodes() {
    m_analyzerNodes.RemoveAll();
    if (!::IsWindow(m_hWnd)) return;
    CLoading loading(m_bLoading);
    m_networkList.ResetContent();
    m_analyzerList.ResetContent();
    m_componentList.ResetContent();
}

void CCurveOptionPage::RefillNodeLists() {
    if (!::IsWindow(m_hWnd)) return;
    FillNetworkList();
    SelectSlotNodes();
}

// ---- slots ---------------------------------------------------------------------------------

void CCurveOptionPage::LoadCurve(int n) {
    if (n < 0 || n >= CCurveSettings::CURVES) return;
    if (n != m_nCurrentCurve && !StoreCurve()) {
        m_curveList.SetCurSel(m_nCurrentCurve);
        return;
    }
    m_nCurrentCurve = n;
    CLoading loading(m_bLoading);
    const CCurveSettings& s = *m_pSettings;
    m_fLowerLimit = s.m_fLowerLimit[n];
    m_fUpperLimit = s.m_fUpperLimit[n];
    m_fZeroPoint = s.m_fRefValue[n];
    m_bShowZeroLine = s.m_bShowRefLine[n];
    m_bGrid = s.m_bGrid[n];
    m_colorButton.SetColor(s.m_crColor[n]);
    m_colorButton.Invalidate();
    SelectSlotNodes();
    m_symbolList.SetCurSel(s.m_nSymbol[n]);
    UpdateData(FALSE);
    GetDlgItem(IDC_CURVE_ZERO_POINT)->EnableWindow(m_bShowZeroLine);
}

BOOL CCurveOptionPage::StoreCurve() {
    if (!UpdateData(TRUE)) return FALSE;
    CCurveSettings& s = *m_pSettings;
    const int n = m_nCurrentCurve;
    // With no network listed (none configured, or the document is rebuilding its tree) the
    // slot is stored as off; the page must not become impossible to leave.
    const BOOL noNetworks = m_networkList.GetCount() == 0;
    if (!noNetworks && (m_networkList.GetCurSel() < 0 || m_analyzerList.GetCurSel() < 0))
        return FALSE;
    const int componentIndex = m_componentList.GetCurSel();
    const int component =
        componentIndex >= 0 ? (int)m_componentList.GetItemData(componentIndex) : 0;
    CVaskInstrument* pAnalyzer = SelectedAnalyzer();

    // An axis needs its bottom below its top.
    if (!(m_fLowerLimit < m_fUpperLimit)) {
        AfxMessageBox(IDS_CURVE_LIMITS_ORDER);
        GetDlgItem(IDC_CURVE_UPPER)->SetFocus();
        return FALSE;
    }

    int seconds = 0;
    if (!ParseTimeText(m_strTimeSpan, seconds) || seconds <= 59) {
        AfxMessageBox(IDS_INVALID_TIME_SPAN);
        GetDlgItem(IDC_CURVE_TIME_SPAN)->SetFocus();
        return FALSE;
    }
    const DWORD span = (DWORD)(seconds / 60 * 60);
    if (span != s.m_dwTimeSpan) s.m_bRestart = TRUE;
    s.m_dwTimeSpan = span;
    m_strTimeSpan = SpanText(span);

    if (!noNetworks) s.m_strNetwork[n] = SelectedNetwork()->GetDisplayName();
    s.m_nLegend = m_nLegend;
    s.m_bShowValuesInLegend = m_bShowValues;
    s.m_nScrollArea = m_nScrollArea;
    s.m_fLowerLimit[n] = m_fLowerLimit;
    s.m_fUpperLimit[n] = m_fUpperLimit;
    s.m_bGrid[n] = m_bGrid;
    s.m_crColor[n] = m_colorButton.GetColor();
    const int symbol = m_symbolList.GetCurSel();
    s.m_nSymbol[n] = symbol >= 0 ? symbol : 0;
    s.m_bShowRefLine[n] = m_bShowZeroLine;
    s.m_fRefValue[n] = m_fZeroPoint;
    if (noNetworks) {
        // Off; the stored component stays with the names, so that the slot is found again
        // once the networks are back.
        if (s.m_pInstrument[n] != NULL) s.m_bRestart = TRUE;
        s.m_pInstrument[n] = NULL;
    } else {
        if (pAnalyzer != s.m_pInstrument[n] || component != s.m_nComponent[n]) s.m_bRestart = TRUE;
        s.m_pInstrument[n] = pAnalyzer;
        s.m_nComponent[n] = component;
    }

    CLoading loading(m_bLoading);
    UpdateData(FALSE);
    return TRUE;
}

// ---- controls ------------------------------------------------------------------------------

void CCurveOptionPage::OnNetworkChanged() {
    FillAnalyzerList();
    // The first entry, so that the page never stays without a choice the user cannot see.
    m_analyzerList.SetCurSel(0);
    FillComponentList();
    MarkModified();
}

void CCurveOptionPage::OnAnalyzerChanged() { FillComponentList(); }

void CCurveOptionPage::OnComponentChanged() {
    ShowComponentUnit();
    MarkModified();
}

void CCurveOptionPage::OnCurveChanged() { LoadCurve(m_curveList.GetCurSel()); }

void CCurveOptionPage::OnColorButton() {
    CColorDialog dialog(m_colorButton.GetColor(), CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK) return;
    m_colorButton.SetColor(dialog.GetColor());
    m_colorButton.Invalidate();
    MarkModified();
}

void CCurveOptionPage::OnLegendChanged() {
    const int choice = m_legendList.GetCurSel();
    if (choice >= 0) m_nLegend = choice;
    MarkModified();
}

void CCurveOptionPage::OnZeroLine() {
    m_bShowZeroLine = IsDlgButtonChecked(IDC_CURVE_ZERO_LINE) == BST_CHECKED;
    GetDlgItem(IDC_CURVE_ZERO_POINT)->EnableWindow(m_bShowZeroLine);
    MarkModified();
}

void CCurveOptionPage::OnControlChanged() { MarkModified(); }

void CCurveOptionPage::MarkModified() {
    if (!m_bLoading) SetModified(TRUE);
}
