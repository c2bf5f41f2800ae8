// The four kinds of axis: linear, logarithmic, time and digital.
#include "chartaxis.h"

#include "chartcurve.h"
#include "chartgdi.h"
#include "diagram.h"

#include <float.h>

IMPLEMENT_DYNCREATE(CAxisLinear, CAxisStepped)
IMPLEMENT_DYNCREATE(CAxisLog, CAxis)
IMPLEMENT_DYNCREATE(CAxisTime, CAxisStepped)
IMPLEMENT_DYNCREATE(CAxisDigital, CAxis)

namespace {

double LinearValue(int p, double minimum, double maximum, int length) {
    if (length == 0) return minimum;
    return minimum + (maximum - minimum) * p / abs(length);
}

}  // namespace

// ---- stepped: linear and time ----

IMPLEMENT_DYNAMIC(CAxisStepped, CAxis)

CAxisStepped::CAxisStepped() : m_dStep(1.0), m_dOrigin(0.0), m_nLabelInterval(10) {
    m_dMaximum = 100.0;
    m_dMinimum = 0.0;
    m_dScale = 0.0;
}

CAxisStepped::CAxisStepped(const CAxisStepped& src)
    : CAxis(src),
      m_dStep(src.m_dStep),
      m_dOrigin(src.m_dOrigin),
      m_nLabelInterval(src.m_nLabelInterval) {}

int CAxisStepped::ValueToPixel(double v) {
    // The scale is cached for a range whose ends coincide.
    if (m_dMaximum != m_dMinimum) m_dScale = fabs(GetLength() / (m_dMaximum - m_dMinimum));
    return chart::Round((v - m_dMinimum) * m_dScale);
}

double CAxisStepped::PixelToValue(int p) {
    return LinearValue(p, m_dMinimum, m_dMaximum, GetLength());
}

BOOL CAxisStepped::CheckRange(double& minimum, double& maximum) { return minimum < maximum; }

BOOL CAxisStepped::SetTicks(double origin, double step, int labelInterval) {
    // A step that is not positive never reaches the maximum: the tick walk would not end.
    if (!(step > 0.0 && step <= DBL_MAX) || labelInterval < 1 || !(fabs(origin) <= DBL_MAX))
        return FALSE;
    m_dOrigin = origin;
    m_dStep = step;
    m_nLabelInterval = labelInterval;
    return TRUE;
}

BOOL CAxisStepped::DrawSteps(BOOL times) {
    if (m_pDiagram == NULL || !m_bVisible || GetDC() == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    const double minimum = m_dMinimum, maximum = m_dMaximum, step = m_dStep;
    const double labelStep = m_nLabelInterval * step;
    // The first tick and the first labelled one at or above the minimum.
    const double distance = fabs(m_dOrigin - minimum);
    double first, firstLabel;
    if (m_dOrigin > minimum) {
        first = m_dOrigin - floor(distance / step) * step;
        firstLabel = m_dOrigin - floor(distance / labelStep) * labelStep;
    } else {
        first = m_dOrigin + ceil(distance / step) * step;
        firstLabel = m_dOrigin + ceil(distance / labelStep) * labelStep;
    }
    // How close a tick must come to a label position: a tenth of the step, or for times a
    // thousandth of the value (of a second beyond 1).
    auto tolerance = [=](double v) {
        if (!times) return step * 0.1;
        const double e = fabs(v <= 1.0 ? 0.001 * v : v / (1000.0 * v));
        return e == 0.0 ? 0.0001 * fabs(maximum - minimum) : e;
    };
    int unlabelled = 0;
    if (fabs(first - firstLabel) > tolerance(first))
        unlabelled = chart::Round(fabs(first - firstLabel + labelStep) / (times ? 1.0 : step));
    int labels = 0;
    for (long long i = 0;; ++i) {
        // Each value from the first tick, not a running sum: a step below the resolution of
        // the values cannot stall the walk.
        const double v = first + i * step;
        if (!(v <= maximum)) break;
        const int p = ValueToPixel(v);
        if (fabs(v - labels * labelStep - firstLabel) < tolerance(v)) {
            if (m_bGrid && !times) DrawGridLine(p);
            DrawLabelTick(p, FormatLabel(v));
            if (m_bGrid && times) DrawGridLine(p);
            ++labels;
            unlabelled = 1;
        } else {
            if (m_bGrid && unlabelled % m_nGridInterval == 0) DrawGridLine(p);
            ++unlabelled;
            DrawTick(p);
        }
    }
    CAxis::Draw();
    return TRUE;
}

// ---- linear ----

CAxisLinear::CAxisLinear() {}

CAxisLinear::CAxisLinear(const CAxisLinear& src) : CAxisStepped(src) {}

BOOL CAxisLinear::Shift(double delta) {
    CSingleLock lock(GetLock(), TRUE);
    m_dMinimum += delta;
    m_dMaximum += delta;
    MarkChanged();
    return TRUE;
}

BOOL CAxisLinear::Draw() { return DrawSteps(FALSE); }

CAxis* CAxisLinear::Clone() const { return new CAxisLinear(*this); }

BOOL CAxisLinear::GetRequiredSize(CSize& size) {
    return RequiredSizeFor(size, SIZE_LINEAR, LongestRangeLabel());
}

// ---- logarithmic ----

CAxisLog::CAxisLog() : m_nSubdivisions(10), m_nLabelInterval(2) {
    m_dMaximum = 100.0;
    m_dMinimum = 0.01;
    m_nPrecision = 2;
    m_dScale = 0.0;
}

CAxisLog::CAxisLog(const CAxisLog& src)
    : CAxis(src), m_nSubdivisions(src.m_nSubdivisions), m_nLabelInterval(src.m_nLabelInterval) {}

BOOL CAxisLog::Shift(double delta) {
    CSingleLock lock(GetLock(), TRUE);
    if (m_dMinimum <= 0.0) return FALSE;
    // Each end moves by delta of its own decade's unit; downward one decade finer.
    auto moved = [delta](double e) {
        const double decade = delta > 0.0 ? floor(log10(e)) : floor(log10(e) - 1.0);
        return e + delta * pow(10.0, decade);
    };
    const double minimum = moved(m_dMinimum), maximum = moved(m_dMaximum);
    // A range that leaves the positive values, or turns over, has no logarithmic scale.
    if (!(minimum > 0.0) || !(minimum < maximum)) return FALSE;
    m_dMinimum = minimum;
    m_dMaximum = maximum;
    MarkChanged();
    return TRUE;
}

int CAxisLog::ValueToPixel(double v) {
    if (v <= 0.0) return 0;
    return chart::Round(log10(v / m_dMinimum) * GetLength() / log10(m_dMaximum / m_dMinimum));
}

double CAxisLog::PixelToValue(int p) {
    if (p < 0) return 0.0;
    const int length = GetLength();
    if (length == 0) return m_dMinimum;
    return m_dMinimum * pow(10.0, p / (length / log10(m_dMaximum / m_dMinimum)));
}

BOOL CAxisLog::CheckRange(double& minimum, double& maximum) {
    if (minimum > maximum) return FALSE;
    if (minimum <= 0.0) minimum = 0.01;
    if (maximum <= 0.0) maximum = 100.0;
    return minimum < maximum;
}

CAxis* CAxisLog::Clone() const { return new CAxisLog(*this); }

BOOL CAxisLog::GetRequiredSize(CSize& size) {
    return RequiredSizeFor(size, SIZE_LOG_TIME, LongestRangeLabel());
}

BOOL CAxisLog::SetSubdivisions(int subdivisions, int labelInterval) {
    // No subdivision would divide a decade by zero.
    if (subdivisions < 1 || subdivisions > 9 || labelInterval < 1) return FALSE;
    m_nSubdivisions = subdivisions;
    m_nLabelInterval = labelInterval;
    return TRUE;
}

BOOL CAxisLog::Draw() {
    if (m_pDiagram == NULL || !m_bVisible || GetDC() == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    const double minimum = m_dMinimum, maximum = m_dMaximum;
    if (minimum > 0.0 && minimum < maximum && maximum <= DBL_MAX) {
        const double logMin = log10(minimum);
        const int decades = (int)(ceil(log10(maximum)) - floor(logMin));
        double t = fabs(0.001 * ceil(logMin));
        if (t == 0.0) t = 0.0001 * fabs(minimum - maximum);
        // A decade starts at the minimum when that lies on a power of ten.
        double s = (ceil(logMin) - floor(logMin) < t || ceil(logMin) - logMin < t)
                       ? minimum
                       : pow(10.0, floor(logMin));
        double e = 10.0 * s;
        const int n = m_nSubdivisions;
        const bool even = n % 2 == 0;
        double w = even ? (e - s) / n : e / n;
        double labelStep = m_nLabelInterval * w;
        double v = even ? s : 0.0;
        while (v < minimum) v += w;
        int k = (int)ceil(v / labelStep);
        for (int d = 0; d < decades; ++d) {
            if (s >= minimum) {
                const int p = ValueToPixel(s);
                if (m_bGrid) DrawGridLine(p);
                DrawLabelTick(p, FormatLabel(s));
            }
            while (v <= e && v <= maximum) {
                const int p = ValueToPixel(v);
                double tolerance = v <= 1.0 ? fabs(0.001 * v) : fabs(v / (1000.0 * v));
                if (tolerance == 0.0) tolerance = 0.0001 * fabs(minimum - maximum);
                if (m_bGrid) DrawGridLine(p);
                if (fabs(k * labelStep - v) < tolerance) {
                    DrawLabelTick(p, FormatLabel(v));
                    if (k * labelStep - v < tolerance) ++k;
                } else {
                    DrawTick(p);
                }
                v += w;
            }
            s *= 10.0;
            e *= 10.0;
            w *= 10.0;
            labelStep *= 10.0;
            k = 1;
            v = even ? s : 0.0;
        }
    }
    CAxis::Draw();
    return TRUE;
}

// ---- time ----

CAxisTime::CAxisTime() { m_strLabelFormat = "%M:%S"; }

CAxisTime::CAxisTime(const CAxisTime& src) : CAxisStepped(src) {}

BOOL CAxisTime::Shift(double seconds) {
    CSingleLock lock(GetLock(), TRUE);
    if (m_dMinimum + seconds < 0.0) {
        m_dMinimum = 0.0;
        return FALSE;
    }
    m_dMinimum += seconds;
    m_dMaximum += seconds;
    MarkChanged();
    return TRUE;
}

BOOL CAxisTime::Draw() { return DrawSteps(TRUE); }

CString CAxisTime::FormatLabel(double value, CCurve*) {
    // Far beyond any clock time (or no number at all) there is no time to show.
    if (!(fabs(value) < 1e13)) return CString();
    return CTime((time_t)value).Format(m_strLabelFormat);
}

CAxis* CAxisTime::Clone() const { return new CAxisTime(*this); }

BOOL CAxisTime::GetRequiredSize(CSize& size) {
    return RequiredSizeFor(size, SIZE_LOG_TIME, LongestRangeLabel());
}

// ---- digital ----

CAxisDigital::CAxisDigital() {
    m_dMaximum = 1.0;
    m_dMinimum = 0.0;
}

CAxisDigital::CAxisDigital(const CAxisDigital& src) : CAxis(src) {}

BOOL CAxisDigital::Shift(double) { return FALSE; }

int CAxisDigital::ValueToPixel(double v) { return chart::Round(abs(GetLength()) * v * 0.01); }

double CAxisDigital::PixelToValue(int p) {
    return LinearValue(p, m_dMinimum, m_dMaximum, GetLength());
}

BOOL CAxisDigital::CheckRange(double&, double&) { return FALSE; }

CString CAxisDigital::FormatLabel(double value, CCurve* curve) {
    if (curve == NULL || !HasCurve(curve) || !curve->IsKindOf(RUNTIME_CLASS(CCurveDigital)))
        return CString();
    const CCurveDigital* digital = static_cast<CCurveDigital*>(curve);
    return value >= digital->GetThreshold() ? digital->GetLevels().GetHighText()
                                            : digital->GetLevels().GetLowText();
}

CAxis* CAxisDigital::Clone() const { return new CAxisDigital(*this); }

BOOL CAxisDigital::GetRequiredSize(CSize& size) {
    int longest = 0;
    for (POSITION pos = m_curves.GetHeadPosition(); pos != NULL;) {
        const CCurveDigital* curve = static_cast<CCurveDigital*>(m_curves.GetNext(pos));
        const int high = curve->GetLevels().GetHighText().GetLength();
        const int low = curve->GetLevels().GetLowText().GetLength();
        if (high > longest) longest = high;
        if (low > longest) longest = low;
    }
    return RequiredSizeFor(size, SIZE_DIGITAL, longest);
}

BOOL CAxisDigital::AddCurve(CCurve* curve) {
    if (curve == NULL || !curve->IsKindOf(RUNTIME_CLASS(CCurveDigital))) return FALSE;
    if (!HasCurve(curve)) m_curves.AddTail(curve);
    return TRUE;
}

BOOL CAxisDigital::RemoveCurve(CCurve* curve) {
    POSITION pos = curve != NULL ? m_curves.Find(curve) : NULL;
    if (pos == NULL) return FALSE;
    m_curves.RemoveAt(pos);
    return TRUE;
}

BOOL CAxisDigital::HasCurve(CCurve* curve) const { return m_curves.Find(curve) != NULL; }

BOOL CAxisDigital::Draw() {
    if (m_pDiagram == NULL || !m_bVisible || GetDC() == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    for (POSITION pos = m_curves.GetHeadPosition(); pos != NULL;) {
        const CCurveDigital* curve = static_cast<CCurveDigital*>(m_curves.GetNext(pos));
        const CHiLoStr& levels = curve->GetLevels();
        const int high = ValueToPixel(levels.GetHighValue());
        const int low = ValueToPixel(levels.GetLowValue());
        DrawLabelTick(high, levels.GetHighText());
        DrawLabelTick(low, levels.GetLowText());
        if (m_bGrid) {
            DrawGridLine(high);
            DrawGridLine(low);
        }
    }
    CAxis::Draw();
    return TRUE;
}
