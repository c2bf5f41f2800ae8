// The curve page: the live diagram, its samples, its print and its metafile export.
#include "curvepage.h"

#include "apputil.h"
#include "curvehost.h"
#include "curvetext.h"
#include "curvepropsheet.h"
#include "curvesettings.h"
#include "resource.h"
#include "sheethost.h"
#include "vaskinstrument.h"
#include "vaskreport.h"

IMPLEMENT_DYNAMIC(CCurvePage, CPropertyPage)

namespace {

const UINT g_nDrawRequestMessage = ::RegisterWindowMessageA(LL_DRAWREQUEST_MESSAGE);

// Time spans from two days on label the time axis with the date as well.
const DWORD kDateLabelSpan = 172800;
// The legend's font size on this page.
const int kLegendFontSize = 8;

// While it lives, the analyzer's failed device operations are not reported.
class CQuietAnalyzer {
public:
    explicit CQuietAnalyzer(CVaskInstrument* pAnalyzer)
        : m_pAnalyzer(pAnalyzer), m_report(pAnalyzer->IsCommandReportEnabled()) {
        m_pAnalyzer->EnableCommandReport(0);
    }
    ~CQuietAnalyzer() { m_pAnalyzer->EnableCommandReport(m_report); }

private:
    CVaskInstrument* m_pAnalyzer;
    int m_report;
};

// The current values of the slots' analyzers, each analyzer asked once. A failed read is no
// business of the user's at every tick: it is not reported, and the slot gets no sample.
class CSlotValues {
public:
    explicit CSlotValues(const CCurveSettings& settings) : m_settings(settings) {}

    // The analyzer's four values of the slot's analyzer, or NULL when it has none or the
    // read failed.
    const VaskFloat* Of(int slot) {
        CVaskInstrument* pAnalyzer = m_settings.m_pInstrument[slot];
        if (pAnalyzer == NULL) return NULL;
        for (int i = 0; i < m_count; ++i)
            if (m_reads[i].pAnalyzer == pAnalyzer) return m_reads[i].ok ? m_reads[i].values : NULL;
        Read& read = m_reads[m_count++];
        read.pAnalyzer = pAnalyzer;
        CQuietAnalyzer quiet(pAnalyzer);
        read.ok = pAnalyzer->GetMeas(read.values) != 0;
        return read.ok ? read.values : NULL;
    }

private:
    struct Read {
        CVaskInstrument* pAnalyzer;
        BOOL ok;
        VaskFloat values[4];
    };
    const CCurveSettings& m_settings;
    Read m_reads[CCurveSettings::CURVES];
    int m_count = 0;
};

}  // namespace

BEGIN_MESSAGE_MAP(CCurvePage, CHelpPropertyPage)
ON_WM_TIMER()
ON_WM_DRAWITEM()
ON_BN_CLICKED(IDC_CURVE_PRINT, OnPrint)
ON_BN_CLICKED(IDC_CURVE_EXPORT, OnExport)
ON_REGISTERED_MESSAGE(g_nDrawRequestMessage, OnDrawRequest)
END_MESSAGE_MAP()

CCurvePage::CCurvePage(CObList* pNodeList, CCurveSettings* pSettings)
    : CHelpPropertyPage(IDD),
      m_pDiagram(NULL),
      m_pLegend(NULL),
      m_pTimeAxis(NULL),
      m_pNodeList(pNodeList),
      m_pSettings(pSettings) {
    for (int i = 0; i < CURVES; ++i) {
        m_pYAxis[i] = NULL;
        m_pValueCurve[i] = NULL;
        m_pRefCurve[i] = NULL;
    }
    m_legendTexts.Add(CString());
    m_refLegendTexts.Add(CString());
}

CCurvePage::~CCurvePage() {
    if (m_pDiagram != NULL) {
        m_pDiagram->DeleteAll();
        delete m_pDiagram;
    }
}

void CCurvePage::DoDataExchange(CDataExchange* pDX) {
    CHelpPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CURVE_PRINT, m_printButton);
    DDX_Control(pDX, IDC_CURVE_DIAGRAM, m_diagramControl);
}

BOOL CCurvePage::OnInitDialog() {
    CHelpPropertyPage::OnInitDialog();
    if (m_pDiagram == NULL) {
        m_pDiagram = new CDiagram(&m_diagramControl);
        if (m_pLegend == NULL) m_pLegend = new CLegend;
        m_pDiagram->SetLegend(m_pLegend);
        m_pDiagram->SetMargin(3);
        m_pDiagram->Set3D(FALSE);
        m_pLegend->SetPosition(LEGEND_BOTTOM);
        m_pLegend->SetFontSize(kLegendFontSize);
        m_pDiagram->SetTitle(NULL);
        // Points that scrolled out of sight are dropped: a sheet open for days would
        // otherwise keep and redraw every sample.
        m_pDiagram->SetDropHiddenPoints(TRUE);

        m_pTimeAxis = new CAxisTime;
        m_pTimeAxis->SetPosition(AXIS_BOTTOM);
        m_pTimeAxis->SetPrecision(2);
        m_pDiagram->AddAxis(m_pTimeAxis);
        for (int i = 0; i < CURVES; ++i) {
            m_pYAxis[i] = new CAxisLinear;
            m_pYAxis[i]->SetPosition(AXIS_LEFT);
            m_pDiagram->AddAxis(m_pYAxis[i]);
            m_pValueCurve[i] = new CCurveDiscrete;
            m_pValueCurve[i]->SetAxes(m_pTimeAxis, m_pYAxis[i]);
            m_pDiagram->AddCurve(m_pValueCurve[i]);
            m_pRefCurve[i] = new CCurveDiscrete;
            m_pRefCurve[i]->SetAxes(m_pTimeAxis, m_pYAxis[i]);
            m_pDiagram->AddCurve(m_pRefCurve[i]);
            m_pYAxis[i]->SetPrecision(6);
        }
    }
    ApplyCurveSettings();
    return TRUE;
}

void CCurvePage::ApplyCurveSettings() {
    if (m_pDiagram == NULL) return;
    CCurveSettings& s = *m_pSettings;
    m_pDiagram->SetLegendShown(s.m_nLegend != 0);
    if (s.m_nLegend != 0) m_pLegend->SetPosition(s.m_nLegend - 1);
    m_pDiagram->SetScrollShares(s.m_nScrollArea, 100);
    const CString valueFormat = CurveText(IDS_CURVE_VALUE_FORMAT);

    CSlotValues values(s);
    BOOL grid = FALSE;
    int shown = 0;
    for (int i = 0; i < CURVES; ++i) {
        CVaskInstrument* pAnalyzer = s.m_pInstrument[i];
        CAxisLinear* pAxis = m_pYAxis[i];
        CCurveDiscrete* pValue = m_pValueCurve[i];
        CCurveDiscrete* pRef = m_pRefCurve[i];
        if (pAnalyzer == NULL) {
            pAxis->SetVisible(FALSE);
            pValue->SetShown(FALSE);
            pRef->SetShown(FALSE);
            continue;
        }
        const int c = s.m_nComponent[i];
        CString unit;
        const VaskFloat* pValues = values.Of(i);
        if (pValues != NULL) CVaskInstrument::GetUnitText(unit, pValues[c].unit);
        // The label reads the device as well; an analyzer that does not answer is told
        // nowhere here, as at the ticks.
        CString component;
        {
            CQuietAnalyzer quiet(pAnalyzer);
            component = pAnalyzer->GetComponentLabel(c);
        }

        const double lower = s.m_fLowerLimit[i], upper = s.m_fUpperLimit[i];
        pAxis->SetRange(lower, upper);
        pAxis->SetTicks(lower, (upper - lower) / 10.0, 2);
        grid = grid || s.m_bGrid[i];
        pAxis->SetGrid(grid);
        // The shown slots' axes alternate between the left and the right side.
        pAxis->SetPosition(shown % 2 == 0 ? AXIS_LEFT : AXIS_RIGHT);
        ++shown;
        pAxis->SetColor(s.m_crColor[i]);

        const int symbol = s.m_nSymbol[i] - 1 > 0 ? s.m_nSymbol[i] - 1 : 0;
        pValue->SetColor(s.m_crColor[i]);
        pValue->SetSymbol(10, symbol, 4);
        pValue->SetSymbolsShown(s.m_nSymbol[i] != 0);
        pValue->SetLegendValues(FALSE, s.m_bShowValuesInLegend);
        pRef->SetColor(s.m_crColor[i]);
        pRef->SetSymbol(10, symbol, 4);
        pRef->SetSymbolsShown(FALSE);
        pRef->SetPenStyle(PS_DOT);
        pRef->SetLegendValues(FALSE, s.m_bShowValuesInLegend);

        CString name = pAnalyzer->GetDisplayName();
        name.TrimRight();
        const CString label = name + ", " + component;
        CString title;
        title.Format("%s [%s]", (LPCSTR)label, (LPCSTR)unit);
        pAxis->SetTitle(title);
        pAxis->SetLabelFormat(valueFormat);
        pAxis->SetUnit(unit);
        pValue->SetTexts(label);
        pValue->SetLegendText(CString());
        m_legendTexts.SetAtGrow(i, label);
        pRef->SetTexts("Ref. " + label);
        pRef->SetLegendText(CString());
        m_refLegendTexts.SetAtGrow(i, "Ref. " + label);

        pAxis->SetVisible(TRUE);
        pValue->SetShown(TRUE);
        pRef->SetShown(s.m_bShowRefLine[i]);
    }
    if (CWnd* pHint = GetDlgItem(IDC_CURVE_NO_ANALYZER))
        pHint->ShowWindow(shown == 0 ? SW_SHOW : SW_HIDE);

    const CString timeFormat = CurveText(
        s.m_dwTimeSpan < kDateLabelSpan ? IDS_CURVE_TIME_FORMAT : IDS_CURVE_DATE_TIME_FORMAT);
    if (s.m_bRestart) {
        for (int i = 0; i < CURVES; ++i) {
            m_pValueCurve[i]->DeleteAllPoints();
            // The reference line of the old time range would lie outside the new one.
            m_pRefCurve[i]->DeleteAllPoints();
        }
        const CTime now = CTime::GetCurrentTime();
        const double start = (double)now.GetTime();
        m_pTimeAxis->SetRange(start, start + s.m_dwTimeSpan);
        m_pTimeAxis->SetTicks(start, s.m_dwTimeSpan / 10.0, 2);
        m_pTimeAxis->SetEndText(now.Format(CurveText(IDS_DATE_FORMAT)));
    }
    m_pTimeAxis->SetLabelFormat(timeFormat);
    m_pTimeAxis->SetTitle(CString());
    m_pDiagram->SetGrid(grid);
    m_pDiagram->SetAutoSize(TRUE);
    m_pDiagram->SetChanged();
    m_pDiagram->Draw(NULL);
    s.m_bRestart = FALSE;
}

void CCurvePage::Sample() {
    CCurvePropSheet* pSheet = CCurvePropSheet::Of(this);
    if (pSheet != NULL) pSheet->ResolveReleasedNodes();
    if (m_pDiagram == NULL || m_pSettings->m_bRestart) return;
    CCurveSettings& s = *m_pSettings;
    const double now = (double)CTime::GetCurrentTime().GetTime();
    CSlotValues values(s);
    for (int i = 0; i < CURVES; ++i) {
        const VaskFloat* pValues = values.Of(i);
        if (pValues == NULL) continue;
        const int c = s.m_nComponent[i];
        if (c < 0 || c > 3) continue;
        const double v = pValues[c].value;
        m_pValueCurve[i]->AddPoint(now, v, FALSE);
        m_pValueCurve[i]->DrawLast();
        // The reference line always spans from the left edge to now.
        m_pRefCurve[i]->DeleteAllPoints();
        m_pRefCurve[i]->AddPoint(m_pTimeAxis->GetMinimum(), s.m_fRefValue[i], FALSE);
        m_pRefCurve[i]->AddPoint(now, s.m_fRefValue[i], FALSE);
        m_pRefCurve[i]->DrawLast();
        m_pTimeAxis->SetEndText(
            CTime((time_t)m_pTimeAxis->GetMinimum()).Format(CurveText(IDS_DATE_FORMAT)));
        if (s.m_bShowValuesInLegend) {
            CString unit, unitPart, text;
            CVaskInstrument::GetUnitText(unit, pValues[c].unit);
            unitPart.Format("[%s]", (LPCSTR)unit);
            text.Format("%s: %.3f %s", (LPCSTR)m_legendTexts[i], v, (LPCSTR)unitPart);
            m_pValueCurve[i]->SetLegendText(text);
            text.Format("%s: %.3f %s", (LPCSTR)m_refLegendTexts[i], (double)s.m_fRefValue[i],
                        (LPCSTR)unitPart);
            m_pRefCurve[i]->SetLegendText(text);
        }
    }
    m_pDiagram->Draw(NULL);
}

BOOL CCurvePage::OnSetActive() {
    GetSheetHost().SetTimerTarget(this);
    CCurvePropSheet* pSheet = CCurvePropSheet::Of(this);
    if (pSheet != NULL) pSheet->ResolveReleasedNodes();
    ApplyCurveSettings();
    return CHelpPropertyPage::OnSetActive();
}

void CCurvePage::OnOK() {
    GetSheetHost().SetTimerTarget(NULL);
    CHelpPropertyPage::OnOK();
}

void CCurvePage::OnCancel() {
    GetSheetHost().SetTimerTarget(NULL);
    CHelpPropertyPage::OnCancel();
}

void CCurvePage::OnTimer(UINT_PTR) {
    Sample();
    Default();
}

void CCurvePage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl == IDC_CURVE_DIAGRAM && m_pDiagram != NULL) {
        m_pDiagram->Draw(NULL);
        return;
    }
    CHelpPropertyPage::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

// ---- paper and metafiles ---------------------------------------------------------------------

CCurvePage::Look CCurvePage::SaveLook() const {
    Look look;
    look.frame = m_pDiagram->GetFrame();
    look.threeD = m_pDiagram->Get3D();
    look.diagramBackground = m_pDiagram->GetBackgroundColor();
    look.legendBackground = m_pLegend->GetBackgroundColor();
    look.rect = m_pDiagram->GetOuterRect();
    return look;
}

void CCurvePage::SetPaperLook() {
    m_pDiagram->SetFrame(FALSE);
    m_pDiagram->Set3D(FALSE);
    m_pDiagram->SetBackgroundColor(RGB(0xFF, 0xFF, 0xFF));
    m_pLegend->SetBackgroundColor(RGB(0xFF, 0xFF, 0xFF));
}

void CCurvePage::RestoreLook(const Look& look) {
    m_pDiagram->SetFrame(look.frame);
    m_pDiagram->Set3D(look.threeD);
    m_pDiagram->SetBackgroundColor(look.diagramBackground);
    m_pLegend->SetBackgroundColor(look.legendBackground);
    const RECT& now = m_pDiagram->GetOuterRect();
    if (!::EqualRect(&now, &look.rect))
        m_pDiagram->SetRect(look.rect.left, look.rect.top, look.rect.right, look.rect.bottom);
}

CRect CCurvePage::MetafileFrame(CDC* pReference) {
    CRect client;
    GetClientRect(&client);
    const double x =
        pReference->GetDeviceCaps(HORZSIZE) * 100.0 / pReference->GetDeviceCaps(HORZRES);
    const double y =
        pReference->GetDeviceCaps(VERTSIZE) * 100.0 / pReference->GetDeviceCaps(VERTRES);
    return CRect((int)(client.left * x), (int)(client.top * y), (int)(client.right * x),
                 (int)(client.bottom * y));
}

void CCurvePage::OnExport() {
    CFileDialog dialog(FALSE, CurveText(IDS_CURVE_EXPORT_EXT), CurveText(IDS_CURVE_EXPORT_NAME),
                       OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY,
                       CurveText(IDS_CURVE_EXPORT_FILTER), this);
    if (dialog.DoModal() != IDOK) return;
    ExportTo(dialog.GetPathName());
}

BOOL CCurvePage::ExportTo(const CString& path) {
    if (m_pDiagram == NULL) return FALSE;
    CClientDC screen(this);
    const CRect frame = MetafileFrame(&screen);
    CMetaFileDC metafile;
    if (!metafile.CreateEnhanced(&screen, path, &frame, NULL)) {
        // Nothing was drawn and nothing changed: the user learns why from the system.
        const DWORD error = ::GetLastError();
        CString text = SystemErrorText(error);
        if (text.IsEmpty()) text.Format("%s (%lu)", (LPCSTR)path, (unsigned long)error);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return FALSE;
    }
    const Look look = SaveLook();
    SetPaperLook();
    m_pDiagram->Draw(&metafile);
    HENHMETAFILE hMetafile = metafile.CloseEnhanced();
    if (hMetafile != NULL) ::DeleteEnhMetaFile(hMetafile);
    RestoreLook(look);
    m_pDiagram->Draw(NULL);
    return hMetafile != NULL;
}

void CCurvePage::OnPrint() {
    if (m_pDiagram == NULL) return;
    CCurveHost& host = GetCurveHost();
    const int hJob = host.StartReportJob(IDS_PRINT_TYPE_DIAGRAM, this);
    if (hJob == -1) return;
    CClientDC screen(this);
    const CRect frame = MetafileFrame(&screen);
    CMetaFileDC metafile;
    const BOOL created = metafile.CreateEnhanced(&screen, NULL, &frame, NULL);
    const Look look = SaveLook();
    SetPaperLook();
    if (created) m_pDiagram->Draw(&metafile);
    LlDefineVariableStart(hJob);
    host.DefineReportHeaderVariables(hJob);
    HENHMETAFILE hMetafile = created ? metafile.CloseEnhanced() : NULL;
    if (hMetafile != NULL && LlPrintIsVariableUsed(hJob, "VDiagramme"))
        LlDefineVariableExtHandle(hJob, "VDiagramme", (HANDLE)hMetafile, LL_TYPE_DRAWING_EMF, NULL);
    LlPrint(hJob);
    host.EndReportPreview(hJob, AfxGetMainWnd());
    if (hMetafile != NULL) ::DeleteEnhMetaFile(hMetafile);
    RestoreLook(look);
    m_pDiagram->Draw(NULL);
}

LRESULT CCurvePage::OnDrawRequest(WPARAM wParam, LPARAM lParam) {
    if (wParam != 0 || lParam == 0 || m_pDiagram == NULL) return 0;
    const LLDRAWREQUEST* pRequest = (const LLDRAWREQUEST*)lParam;
    CDC target;
    if (pRequest->hDC == NULL || !target.Attach(pRequest->hDC)) return 0;
    if (pRequest->hAttribDC != NULL) target.SetAttribDC(pRequest->hAttribDC);
    // The live diagram gets its window's rectangle, frame and colours back afterwards.
    const Look look = SaveLook();
    SetPaperLook();
    const RECT& r = pRequest->rcTarget;
    m_pDiagram->SetRect(r.left, r.top, r.right, r.bottom);
    m_pDiagram->Draw(&target);
    target.Detach();
    RestoreLook(look);
    return 0;
}
