// The two concrete curves: discrete samples and digital steps.
#include "chartcurve.h"

#include "chartaxis.h"
#include "chartgdi.h"
#include "diagram.h"

IMPLEMENT_DYNCREATE(CCurveDiscrete, CCurve)
IMPLEMENT_DYNCREATE(CCurveDigital, CCurve)

// ---- discrete ----

CCurveDiscrete::CCurveDiscrete(int reserved1, int reserved2)
    : m_crCross(RGB(255, 0, 0)), m_nReserved1(reserved1), m_nReserved2(reserved2) {}

CCurveDiscrete::CCurveDiscrete(const CCurveDiscrete& src)
    : CCurve(src),
      m_crCross(src.m_crCross),
      m_nReserved1(src.m_nReserved1),
      m_nReserved2(src.m_nReserved2) {}

CCurve* CCurveDiscrete::Clone() const { return new CCurveDiscrete(*this); }

BOOL CCurveDiscrete::RecalcPixels() { return RecalcAllPixels(); }

BOOL CCurveDiscrete::AddPoint(double x, double y, BOOL marked) {
    if (m_pDiagram == NULL || m_pXAxis == NULL || m_pYAxis == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    // Past the view share of the x axis, the axis moves forward by all but the scroll share.
    const double scroll = m_pDiagram->GetScrollShare(), view = m_pDiagram->GetViewShare();
    const double minimum = m_pXAxis->GetMinimum(), maximum = m_pXAxis->GetMaximum();
    const double width = fabs(maximum - minimum);
    if (scroll != 0.0 && !m_pXAxis->IsKindOf(RUNTIME_CLASS(CAxisDigital)) &&
        x - minimum > width * view / 100.0) {
        const double newMinimum = minimum + (100.0 - scroll) / 100.0 * width;
        m_pXAxis->SetRange(newMinimum, newMinimum + (maximum - minimum));
        MarkChanged();
        if (!m_points.IsEmpty()) {
            m_bRedrawAll = TRUE;
            CCurvePoint* first = static_cast<CCurvePoint*>(m_points.GetHead());
            m_nScrollDistance = abs(first->m_nPixelX - m_pXAxis->ValueToPixel(first->m_dX));
            RemoveHiddenPoints();
        }
    }
    CCurvePlainPoint* point = new CCurvePlainPoint(x, y, marked);
    point->SetX(x, m_pXAxis);
    point->SetY(y, m_pYAxis);
    m_points.AddTail(point);
    if (m_pDiagram->GetLegendShown()) UpdateLegend(x, y);
    return TRUE;
}

BOOL CCurveDiscrete::DrawPoint(CCurvePoint* point, CCurvePoint* previous) {
    if (m_pDiagram == NULL || !m_bShown || point == NULL) return FALSE;
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    CPen pen(m_nPenStyle, m_nLineWidth, m_crColor);
    chart::Select selected(dc, pen);
    const int X = m_rectPlot.left + point->m_nPixelX, Y = m_rectPlot.bottom - point->m_nPixelY;
    if (m_dRunningDistance == 0.0) m_dRunningDistance = m_dFirstSymbolDistance;

    if (!m_bConnectPoints) {
        if (!IsInPlotX(point)) return FALSE;
        if (point->m_bMarked) DrawMarker(X);
        if (m_bSymbolsShown)
            m_symbol.Draw(X, Y, FALSE);
        else if (!point->m_bMarked)
            dc->SetPixel(X, Y, m_crColor);
        return TRUE;
    }
    if (previous == NULL) return TRUE;
    if (!m_points.IsEmpty() && previous == m_points.GetHead())
        m_dRunningDistance = m_dFirstSymbolDistance + m_dSymbolSpacing;
    const int fromX = m_rectPlot.left + previous->m_nPixelX;
    const int fromY = m_rectPlot.bottom - previous->m_nPixelY;
    int endX = X, endY = Y;
    // Clipped first, to learn whether the segment still ends at this point for its marker.
    int x1 = fromX, y1 = fromY;
    if (point->m_bMarked && ClipLine(x1, y1, endX, endY) && endX == X && endY == Y) DrawMarker(X);
    DrawSegment(fromX, fromY, X, Y);
    return TRUE;
}

BOOL CCurveDiscrete::Draw() {
    if (!CCurve::Draw()) return FALSE;
    CDC* dc = GetDC();
    CSingleLock lock(GetLock(), TRUE);
    CPen pen(m_nPenStyle, m_nLineWidth, m_crCross);
    chart::Select selected(dc, pen);
    for (POSITION pos = m_points.GetHeadPosition(); pos != NULL;) {
        const CCurvePoint* point = static_cast<CCurvePoint*>(m_points.GetNext(pos));
        if (!IsInPlotX(point)) continue;
        const int X = m_rectPlot.left + point->m_nPixelX, Y = m_rectPlot.bottom - point->m_nPixelY;
        chart::Line(dc, X - 3, Y - 3, X + 3, Y + 3);
        chart::Line(dc, X - 3, Y + 3, X + 3, Y - 3);
    }
    return TRUE;
}

// ---- digital ----

CCurveDigital::CCurveDigital() : m_dThreshold(1.0), m_bRegistered(FALSE) {}

// The copy is bound to the same axes but not entered in their lists.
CCurveDigital::CCurveDigital(const CCurveDigital& src)
    : CCurve(src), m_levels(src.m_levels), m_dThreshold(src.m_dThreshold), m_bRegistered(FALSE) {}

CCurveDigital::~CCurveDigital() { Unregister(); }

void CCurveDigital::Unregister() {
    if (!m_bRegistered) return;
    CAxis* axes[2] = {m_pXAxis, m_pYAxis};
    for (CAxis* axis : axes)
        if (axis != NULL && axis->IsKindOf(RUNTIME_CLASS(CAxisDigital)))
            static_cast<CAxisDigital*>(axis)->RemoveCurve(this);
    m_bRegistered = FALSE;
}

CCurve* CCurveDigital::Clone() const { return new CCurveDigital(*this); }

BOOL CCurveDigital::SetAxes(CAxis*, CAxis*) { return FALSE; }

BOOL CCurveDigital::SetDigitalAxes(CAxis* x, CAxis* y) {
    if (!CheckAxes(x, y)) return FALSE;
    Unregister();
    CCurve::SetAxes(x, y);
    CAxis* axes[2] = {x, y};
    for (CAxis* axis : axes)
        if (axis->IsKindOf(RUNTIME_CLASS(CAxisDigital)))
            static_cast<CAxisDigital*>(axis)->AddCurve(this);
    m_bRegistered = TRUE;
    return TRUE;
}

BOOL CCurveDigital::SetLevels(double high, double low, const CString& highText,
                              const CString& lowText) {
    m_levels.SetHighValue(high);
    m_levels.SetLowValue(low);
    m_levels.SetHighText(highText);
    m_levels.SetLowText(lowText);
    MarkChanged();
    return TRUE;
}

// One rule for adding and for recomputing: on a digital axis a value takes the level of its
// side of the threshold, on a value axis it stands where it is.
int CCurveDigital::PixelYOf(double y) {
    if (m_pYAxis->IsKindOf(RUNTIME_CLASS(CAxisDigital)))
        return m_pYAxis->ValueToPixel(y >= m_dThreshold ? m_levels.GetHighValue()
                                                        : m_levels.GetLowValue());
    return m_pYAxis->ValueToPixel(y);
}

BOOL CCurveDigital::RecalcPixels() { return RecalcAllPixels(); }

BOOL CCurveDigital::AddPoint(double x, double y, BOOL marked) {
    if (m_pXAxis == NULL || m_pYAxis == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    if (!m_points.IsEmpty() && !(x > static_cast<CCurvePoint*>(m_points.GetTail())->m_dX))
        return FALSE;
    CCurvePlainPoint* point = new CCurvePlainPoint(x, y, marked);
    point->SetX(x, m_pXAxis);
    point->m_nPixelY = PixelYOf(y);
    m_points.AddTail(point);
    if (m_pDiagram != NULL && m_pDiagram->GetLegendShown()) UpdateLegend(x, y);
    return TRUE;
}

BOOL CCurveDigital::DrawPoint(CCurvePoint* point, CCurvePoint* previous) {
    if (m_pDiagram == NULL || !m_bShown || point == NULL || previous == NULL) return FALSE;
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    CPen pen(m_nPenStyle, m_nLineWidth, m_crColor);
    chart::Select selected(dc, pen);
    if (m_dRunningDistance == 0.0) m_dRunningDistance = m_dFirstSymbolDistance;
    if (!m_points.IsEmpty() && previous == m_points.GetHead())
        m_dRunningDistance = m_dFirstSymbolDistance + m_dSymbolSpacing;
    const int fromX = m_rectPlot.left + previous->m_nPixelX;
    const int fromY = m_rectPlot.bottom - previous->m_nPixelY;
    const int X = m_rectPlot.left + point->m_nPixelX, Y = m_rectPlot.bottom - point->m_nPixelY;
    // The step: along the previous level to this x, then up or down to this level.
    int endX = X;
    const BOOL horizontal = DrawSegment(fromX, fromY, X, fromY, &endX);
    if (horizontal && endX == X) {
        if (point->m_bMarked) DrawMarker(X);
        if (fromY != Y) DrawSegment(X, fromY, X, Y);
    }
    return TRUE;
}
