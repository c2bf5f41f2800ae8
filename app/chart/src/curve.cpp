// The curve base: points, axes, symbols along the line, marker lines, the name along the
// line, clipping and the legend text.
#include "chartcurve.h"

#include "chartaxis.h"
#include "chartgdi.h"
#include "diagram.h"

#include <time.h>

#include <mutex>

IMPLEMENT_DYNAMIC(CCurve, CObject)

namespace {

// The curves' own generator of symbol phases, so that neither the process's rand nor its
// seed decide (or are disturbed by) where symbols stand.
class PhaseGenerator {
public:
    void Seed(unsigned int seed) {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_state = seed;
        m_seeded = true;
    }
    // A value in [0, 1].
    double Next() {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (!m_seeded) {
            m_state = (unsigned int)time(NULL);
            m_seeded = true;
        }
        m_state = m_state * 1103515245u + 12345u;
        return ((m_state >> 16) & 0x7FFF) / 32767.0;
    }

private:
    std::mutex m_mutex;
    unsigned int m_state = 0;
    bool m_seeded = false;
};

PhaseGenerator& Phases() {
    static PhaseGenerator generator;
    return generator;
}

// Outcodes of the clip against the plot rectangle.
enum { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

int OutCode(int x, int y, const RECT& r) {
    int code = 0;
    if (x < r.left)
        code |= kLeft;
    else if (x > r.right)
        code |= kRight;
    if (y < r.top)
        code |= kTop;
    else if (y > r.bottom)
        code |= kBottom;
    return code;
}

}  // namespace

void CCurve::SeedSymbolPhase(unsigned int seed) { Phases().Seed(seed); }

CCurve::CCurve()
    : m_nPenStyle(PS_SOLID),
      m_nLabelPosition(50),
      m_bRedrawAll(FALSE),
      m_pXAxis(NULL),
      m_pYAxis(NULL),
      m_crColor(::GetSysColor(COLOR_BTNTEXT)),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crMarker(0x00FF64),
      m_strYPrefix("Curve"),
      m_bSymbolsShown(TRUE),
      m_bShown(TRUE),
      m_nSymbolCount(10),
      m_dSymbolSpacing(1.0),
      m_dSymbolPhase(Phases().Next()),
      m_pDiagram(NULL),
      m_nLineWidth(1),
      m_nMarkerWidth(5),
      m_nPrecision(2),
      m_bConnectPoints(TRUE),
      m_nScrollDistance(0),
      m_nValueStyle(4),
      m_bShowX(TRUE),
      m_bShowY(TRUE) {
    m_dFirstSymbolDistance = m_dSymbolPhase * m_dSymbolSpacing;
    m_dRunningDistance = m_dFirstSymbolDistance;
    ::SetRectEmpty(&m_rectPlot);
    m_symbol.SetColor(m_crColor);
}

CCurve::CCurve(const CCurve& src)
    : CObject(),
      m_nPenStyle(src.m_nPenStyle),
      m_symbol(src.m_symbol),
      m_label(src.m_label),
      m_nLabelPosition(src.m_nLabelPosition),
      m_bRedrawAll(src.m_bRedrawAll),
      m_pXAxis(src.m_pXAxis),
      m_pYAxis(src.m_pYAxis),
      m_crColor(src.m_crColor),
      m_crBackground(src.m_crBackground),
      m_crMarker(src.m_crMarker),
      m_strName(src.m_strName),
      m_strYPrefix(src.m_strYPrefix),
      m_strXPrefix(src.m_strXPrefix),
      m_bSymbolsShown(src.m_bSymbolsShown),
      m_bShown(src.m_bShown),
      m_nSymbolCount(src.m_nSymbolCount),
      m_dSymbolSpacing(src.m_dSymbolSpacing),
      m_dSymbolPhase(src.m_dSymbolPhase),
      m_dFirstSymbolDistance(src.m_dFirstSymbolDistance),
      m_dRunningDistance(src.m_dRunningDistance),
      m_rectPlot(src.m_rectPlot),
      m_pDiagram(NULL),
      m_nLineWidth(src.m_nLineWidth),
      m_nMarkerWidth(src.m_nMarkerWidth),
      m_nPrecision(src.m_nPrecision),
      m_bConnectPoints(src.m_bConnectPoints),
      m_nScrollDistance(src.m_nScrollDistance),
      m_nValueStyle(src.m_nValueStyle),
      m_bShowX(src.m_bShowX),
      m_bShowY(src.m_bShowY),
      m_strLegendText(src.m_strLegendText) {
    ClonePointsFrom(src);
}

CCurve::~CCurve() { DeletePoints(); }

void CCurve::ClonePointsFrom(const CCurve& src) {
    for (POSITION pos = src.m_points.GetHeadPosition(); pos != NULL;)
        m_points.AddTail(static_cast<CCurvePoint*>(src.m_points.GetNext(pos))->Clone());
}

void CCurve::DeletePoints() {
    while (!m_points.IsEmpty()) delete m_points.RemoveHead();
}

CSyncObject* CCurve::GetLock() {
    if (m_pDiagram != NULL) return m_pDiagram->GetLock();
    return &m_lock;
}

CDC* CCurve::GetDC() const { return m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL; }

void CCurve::MarkChanged() {
    if (m_pDiagram != NULL) m_pDiagram->SetChanged();
}

BOOL CCurve::SetRect(int left, int top, int right, int bottom) {
    ::SetRect(&m_rectPlot, left, top, right, bottom);
    if (m_pXAxis != NULL && m_pYAxis != NULL) {
        RecalcPixels();
        RecalcSymbolSpacing();
    }
    return TRUE;
}

int CCurve::PixelYOf(double y) { return m_pYAxis->ValueToPixel(y); }

BOOL CCurve::RecalcAllPixels() {
    if (m_pXAxis == NULL || m_pYAxis == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    for (POSITION pos = m_points.GetHeadPosition(); pos != NULL;) {
        CCurvePoint* point = static_cast<CCurvePoint*>(m_points.GetNext(pos));
        point->m_nPixelX = m_pXAxis->ValueToPixel(point->m_dX);
        point->m_nPixelY = PixelYOf(point->m_dY);
    }
    return TRUE;
}

BOOL CCurve::CheckAxes(CAxis* x, CAxis* y) {
    if (x == NULL || y == NULL) return FALSE;
    const int xPos = x->GetPosition(), yPos = y->GetPosition();
    return (xPos == AXIS_BOTTOM || xPos == AXIS_TOP) && (yPos == AXIS_LEFT || yPos == AXIS_RIGHT);
}

BOOL CCurve::SetAxes(CAxis* x, CAxis* y) {
    if (!CheckAxes(x, y)) return FALSE;
    m_pXAxis = x;
    m_pYAxis = y;
    RecalcSymbolSpacing();
    RecalcPixels();
    return TRUE;
}

void CCurve::RecalcSymbolSpacing() {
    if (m_pXAxis == NULL || m_nSymbolCount < 1) return;
    RECT r;
    m_pXAxis->GetRect(r);
    m_dSymbolSpacing = (double)(abs(r.right - r.left) / m_nSymbolCount);
    m_dFirstSymbolDistance = m_dSymbolPhase * m_dSymbolSpacing;
}

BOOL CCurve::SetDiagram(CDiagram* diagram) {
    m_pDiagram = diagram;
    m_symbol.SetDiagram(diagram);
    m_label.SetDiagram(diagram);
    return TRUE;
}

BOOL CCurve::SetTexts(const char* name, const char* yPrefix, const char* xPrefix) {
    if (name != NULL) {
        m_strName = name;
        m_label.SetText(m_strName, m_label.GetFontSize());
    }
    if (yPrefix != NULL) m_strYPrefix = yPrefix;
    if (xPrefix != NULL) m_strXPrefix = xPrefix;
    MarkChanged();
    return TRUE;
}

BOOL CCurve::SetColor(COLORREF color) {
    m_crColor = color;
    m_symbol.SetColor(color);
    return TRUE;
}

BOOL CCurve::SetSymbolCount(int count) {
    // The spacing is the plot width divided by the count.
    if (count < 1) return FALSE;
    m_nSymbolCount = count;
    RecalcSymbolSpacing();
    return TRUE;
}

BOOL CCurve::SetSymbol(int count, int number, int size) {
    if (number < 0 || number > 255 || count < 1) return FALSE;
    m_nSymbolCount = count;
    m_symbol.SetColor(m_crColor);
    m_symbol.SetNumberAndSize(number, size);
    RecalcSymbolSpacing();
    return TRUE;
}

BOOL CCurve::SetSymbolsShown(BOOL shown) {
    m_bSymbolsShown = shown;
    m_symbol.SetShown(shown);
    return TRUE;
}

BOOL CCurve::SetPenStyle(int style) {
    m_nPenStyle = style;
    m_symbol.SetPenStyle(style);
    return TRUE;
}

BOOL CCurve::SetValueStyle(int style) {
    if (style != 0 && style != 1 && style != 4) return FALSE;
    m_nValueStyle = style;
    return TRUE;
}

BOOL CCurve::SetLegendValues(BOOL showX, BOOL showY) {
    m_bShowX = showX;
    m_bShowY = showY;
    return TRUE;
}

BOOL CCurve::DeleteAllPoints() {
    CSingleLock lock(GetLock(), TRUE);
    DeletePoints();
    return TRUE;
}

BOOL CCurve::RemoveHiddenPoints() {
    if (m_pDiagram == NULL || !m_pDiagram->GetDropHiddenPoints() || m_pXAxis == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    const double minimum = m_pXAxis->GetMinimum();
    // A point goes while the one after it still lies left of the range: the last of them
    // stays, so the line enters from the left edge.
    while (m_points.GetCount() >= 2) {
        POSITION second = m_points.GetHeadPosition();
        m_points.GetNext(second);
        if (!(static_cast<CCurvePoint*>(m_points.GetAt(second))->m_dX < minimum)) break;
        delete m_points.RemoveHead();
    }
    return TRUE;
}

BOOL CCurve::DrawMarker(int x) {
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    CPen pen(PS_SOLID, m_nMarkerWidth, m_crMarker);
    chart::Select selected(dc, pen);
    chart::Line(dc, x, m_rectPlot.top + m_nMarkerWidth, x, m_rectPlot.bottom - m_nMarkerWidth);
    return TRUE;
}

BOOL CCurve::ClipLine(int& x1, int& y1, int& x2, int& y2) {
    // A vertical segment is taken one pixel wide.
    if (x2 == x1) x2 = x1 + 1;
    const RECT& r = m_rectPlot;
    int code1 = OutCode(x1, y1, r), code2 = OutCode(x2, y2, r);
    for (;;) {
        if ((code1 | code2) == 0) return TRUE;
        if ((code1 & code2) != 0) return FALSE;
        const int code = code1 != 0 ? code1 : code2;
        const double dx = x2 - x1, dy = y2 - y1;
        int x, y;
        if (code & kTop) {
            x = chart::Round(x1 + dx * (r.top - y1) / dy);
            y = r.top;
        } else if (code & kBottom) {
            x = chart::Round(x1 + dx * (r.bottom - y1) / dy);
            y = r.bottom;
        } else if (code & kRight) {
            y = chart::Round(y1 + dy * (r.right - x1) / dx);
            x = r.right;
        } else {
            y = chart::Round(y1 + dy * (r.left - x1) / dx);
            x = r.left;
        }
        if (code == code1) {
            x1 = x;
            y1 = y;
            code1 = OutCode(x1, y1, r);
        } else {
            x2 = x;
            y2 = y;
            code2 = OutCode(x2, y2, r);
        }
    }
}

CString CCurve::GetLegendText(double x, double y) {
    CString xText, yText, xUnit, yUnit;
    if (m_pXAxis != NULL) {
        xText = m_pXAxis->FormatLabel(x);
        if (!m_pXAxis->GetUnit().IsEmpty()) xUnit = " " + m_pXAxis->GetUnit();
    }
    if (m_pYAxis != NULL) {
        yText = m_pYAxis->FormatLabel(y, this);
        if (!m_pYAxis->GetUnit().IsEmpty()) yUnit = " " + m_pYAxis->GetUnit();
    }
    const CString xPrefix = m_strXPrefix.IsEmpty() ? CString("X= ") : m_strXPrefix + " ";
    const CString yPrefix = m_strYPrefix.IsEmpty() ? CString("Y= ") : m_strYPrefix + " ";
    CString text;
    if (m_bShowX && m_bShowY)
        text.Format("%s [%s%s%s | %s%s%s]", (LPCSTR)m_strName, (LPCSTR)xPrefix, (LPCSTR)xText,
                    (LPCSTR)xUnit, (LPCSTR)yPrefix, (LPCSTR)yText, (LPCSTR)yUnit);
    else if (m_bShowX)
        text.Format("%s %s%s%s", (LPCSTR)m_strName, (LPCSTR)xPrefix, (LPCSTR)xText, (LPCSTR)xUnit);
    else if (m_bShowY)
        text.Format("%s %s%s%s", (LPCSTR)m_strName, (LPCSTR)yPrefix, (LPCSTR)yText, (LPCSTR)yUnit);
    else
        text = m_strName;
    return text;
}

CString CCurve::GetLegendRowText() const {
    return m_strLegendText.IsEmpty() ? m_strName : m_strLegendText;
}

BOOL CCurve::UpdateLegend(double x, double y) {
    CLegend* legend = m_pDiagram != NULL ? m_pDiagram->GetLegend() : NULL;
    if (legend == NULL) return FALSE;
    if (!m_bShowX && !m_bShowY) return TRUE;
    return legend->Draw(this, GetLegendText(x, y));
}

BOOL CCurve::IsInPlotX(const CCurvePoint* point) const {
    return point->m_nPixelX >= 0 && point->m_nPixelX <= m_rectPlot.right - m_rectPlot.left;
}

BOOL CCurve::IsInPlotY(const CCurvePoint* point) const {
    return point->m_nPixelY >= 0 && point->m_nPixelY <= m_rectPlot.bottom - m_rectPlot.top;
}

BOOL CCurve::DrawSegment(int x1, int y1, int x2, int y2, int* endX, int* endY) {
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    const int fromX = x1, fromY = y1, toX = x2, toY = y2;
    const BOOL visible = ClipLine(x1, y1, x2, y2);
    if (endX != NULL) *endX = x2;
    if (endY != NULL) *endY = y2;
    if (visible) chart::Line(dc, x1, y1, x2, y2);
    if (!m_bSymbolsShown) return visible;
    // Symbols every spacing pixels along the whole segment; what is left of the spacing carries
    // over to the next one. Below one pixel the walk would not advance: no symbols.
    const double length = hypot((double)(toX - fromX), (double)(toY - fromY));
    if (m_dSymbolSpacing < 1.0) return visible;
    while (m_dRunningDistance <= length) {
        if (visible && length > 0.0) {
            const int sx = chart::Round(fromX + (toX - fromX) * m_dRunningDistance / length);
            const int sy = chart::Round(fromY + (toY - fromY) * m_dRunningDistance / length);
            if (sx >= m_rectPlot.left && sx <= m_rectPlot.right && sy >= m_rectPlot.top &&
                sy <= m_rectPlot.bottom)
                m_symbol.Draw(sx, sy, FALSE);
        }
        m_dRunningDistance += m_dSymbolSpacing;
    }
    m_dRunningDistance -= length;
    return visible;
}

BOOL CCurve::Draw() {
    if (m_pDiagram == NULL || !m_bShown || m_points.IsEmpty()) return FALSE;
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    POSITION pos = m_points.GetHeadPosition();
    CCurvePoint* first = static_cast<CCurvePoint*>(m_points.GetNext(pos));
    DrawPoint(first, NULL);
    if (first->m_bMarked && IsInPlotX(first)) DrawMarker(m_rectPlot.left + first->m_nPixelX);
    CCurvePoint* previous = first;
    while (pos != NULL) {
        CCurvePoint* point = static_cast<CCurvePoint*>(m_points.GetNext(pos));
        DrawPoint(point, previous);
        previous = point;
    }

    // The name along the line, where it fits inside the plot.
    const int count = m_points.GetCount();
    if (count < 2) return TRUE;
    const int at = m_nLabelPosition * count / 100;
    POSITION labelPos = m_points.FindIndex(at < count ? at : count - 1);
    if (labelPos == NULL) return TRUE;
    const CCurvePoint* p1 = static_cast<CCurvePoint*>(m_points.GetAt(labelPos));
    const int further = at + 10 < count ? at + 10 : count - 1;
    const CCurvePoint* p2 = static_cast<CCurvePoint*>(m_points.GetAt(m_points.FindIndex(further)));
    const double pi = 3.14159265358979323846;
    const double theta = p1->m_nPixelX == p2->m_nPixelX
                             ? pi / 2
                             : atan((double)(p2->m_nPixelY - p1->m_nPixelY) /
                                    (double)(p2->m_nPixelX - p1->m_nPixelX));
    CSize size;
    m_label.GetSize(size);
    const double c = cos(theta), s = sin(theta);
    const int width = m_rectPlot.right - m_rectPlot.left,
              height = m_rectPlot.bottom - m_rectPlot.top;
    bool fits = true;
    for (int corner = 0; corner < 4 && fits; ++corner) {
        // Along the text and down from its top, in pixels counted up from the plot's bottom.
        const double a = (corner == 1 || corner == 2) ? size.cx : 0;
        const double b = corner >= 2 ? size.cy : 0;
        const double x = p1->m_nPixelX + a * c + b * s;
        const double y = p1->m_nPixelY + a * s - b * c;
        fits = x >= 0 && x < width && y >= 0 && y < height;
    }
    if (fits)
        m_label.Draw(m_rectPlot.left + p1->m_nPixelX, m_rectPlot.bottom - p1->m_nPixelY,
                     (int)(theta * 1800 / pi));
    return TRUE;
}

BOOL CCurve::DrawLast() {
    if (m_pDiagram == NULL || m_points.IsEmpty() || !m_bShown) return FALSE;
    if (m_bRedrawAll) {
        m_bRedrawAll = FALSE;
        m_pDiagram->Draw(NULL);
        return TRUE;
    }
    CSingleLock lock(GetLock(), TRUE);
    POSITION pos = m_points.GetTailPosition();
    CCurvePoint* last = static_cast<CCurvePoint*>(m_points.GetPrev(pos));
    CCurvePoint* previous = pos != NULL ? static_cast<CCurvePoint*>(m_points.GetAt(pos)) : NULL;
    if (last->m_bMarked && IsInPlotX(last)) DrawMarker(m_rectPlot.left + last->m_nPixelX);
    return DrawPoint(last, previous);
}
