// The curve settings and their place in the application profile.
#include "curvesettings.h"

#include <locale.h>
#include <math.h>
#include <stdio.h>

IMPLEMENT_DYNCREATE(CCurveSettings, CCmdTarget)

const char* const CCurveSettings::kSection = "Curve";

namespace {

const DWORD kDefaultTimeSpan = 1800;
const int kDefaultScrollArea = 80;
const float kDefaultLower = -1.0f, kDefaultUpper = 10.0f;

CString Key(const char* format, int curve) {
    CString key;
    key.Format(format, curve + 1);
    return key;
}

// A limit as written ("%f", which formats with a point whatever the locale): read with the
// runtime's conversion, the point turned into the decimal sign of the process's locale.
bool ParseLimit(const CString& text, float& value) {
    if (text.IsEmpty()) return false;
    CString local = text;
    const char point = *localeconv()->decimal_point;
    if (point != '\0' && point != '.') local.Replace('.', point);
    return sscanf(local, "%f", &value) == 1;
}

}  // namespace

CCurveSettings::CCurveSettings()
    : m_dwTimeSpan(kDefaultTimeSpan),
      m_nLegend(0),
      m_bShowValuesInLegend(FALSE),
      m_nScrollArea(kDefaultScrollArea),
      m_bRestart(TRUE) {
    for (int i = 0; i < CURVES; ++i) {
        m_fLowerLimit[i] = kDefaultLower;
        m_fUpperLimit[i] = kDefaultUpper;
        m_bGrid[i] = FALSE;
        m_nYAxis[i] = 0;
        m_crColor[i] = RGB(0, 0, 0);
        m_nSymbol[i] = i;
        m_nComponent[i] = 0;
        m_bShowRefLine[i] = FALSE;
        m_fRefValue[i] = 0.0f;
        m_pInstrument[i] = NULL;
    }
    LoadCurveSettings();
}

CCurveSettings::~CCurveSettings() {}

void CCurveSettings::LoadCurveSettings() {
    CWinApp* app = AfxGetApp();
    m_dwTimeSpan = app->GetProfileInt(kSection, "Time", (int)m_dwTimeSpan);
    m_nLegend = (int)app->GetProfileInt(kSection, "Legend", m_nLegend);
    m_nScrollArea = (int)app->GetProfileInt(kSection, "Hop1", m_nScrollArea);
    m_bShowValuesInLegend =
        (BOOL)app->GetProfileInt(kSection, "Show values in legend", m_bShowValuesInLegend);
    // Values the option page never stores: each would stop or break the diagram (a legend
    // position it cannot lay out, a time axis shorter than its tick labels, a scroll that
    // moves nothing or backwards).
    if (m_dwTimeSpan < 60) m_dwTimeSpan = kDefaultTimeSpan;
    if (m_nLegend < 0 || m_nLegend > 4) m_nLegend = 0;
    if (m_nScrollArea < 1 || m_nScrollArea > 100) m_nScrollArea = kDefaultScrollArea;

    for (int i = 0; i < CURVES; ++i) {
        m_bGrid[i] = (BOOL)app->GetProfileInt(kSection, Key("Grid%d", i), m_bGrid[i]);
        m_nYAxis[i] = (int)app->GetProfileInt(kSection, Key("YAxis%d", i), m_nYAxis[i]);
        CString text = app->GetProfileString(kSection, Key("ColorCurve%d", i));
        long color;
        if (!text.IsEmpty() && sscanf(text, "%ld", &color) == 1) m_crColor[i] = (COLORREF)color;
        float limit;
        if (ParseLimit(app->GetProfileString(kSection, Key("UpperLimit%d", i)), limit))
            m_fUpperLimit[i] = limit;
        if (ParseLimit(app->GetProfileString(kSection, Key("LowerLimit%d", i)), limit))
            m_fLowerLimit[i] = limit;
        // An axis needs its bottom below its top.
        if (!(m_fLowerLimit[i] < m_fUpperLimit[i]) || !isfinite(m_fLowerLimit[i]) ||
            !isfinite(m_fUpperLimit[i])) {
            m_fLowerLimit[i] = kDefaultLower;
            m_fUpperLimit[i] = kDefaultUpper;
        }
        m_nSymbol[i] = (int)app->GetProfileInt(kSection, Key("CurveSymbol%d", i), m_nSymbol[i]);
        m_strInstrument[i] = app->GetProfileString(kSection, Key("Instrument%d", i));
        m_strNetwork[i] = app->GetProfileString(kSection, Key("Network%d", i));
        m_nComponent[i] = (int)app->GetProfileInt(kSection, Key("Component%d", i), m_nComponent[i]);
    }
}

BOOL CCurveSettings::SaveCurveSettings() {
    CWinApp* app = AfxGetApp();
    BOOL ok = TRUE;
    ok &= app->WriteProfileInt(kSection, "Time", (int)m_dwTimeSpan);
    ok &= app->WriteProfileInt(kSection, "Legend", m_nLegend);
    ok &= app->WriteProfileInt(kSection, "Hop1", m_nScrollArea);
    ok &= app->WriteProfileInt(kSection, "Show values in legend", m_bShowValuesInLegend);
    for (int i = 0; i < CURVES; ++i) {
        CString text;
        text.Format("%ld", (long)m_crColor[i]);
        ok &= app->WriteProfileString(kSection, Key("ColorCurve%d", i), text);
        ok &= app->WriteProfileInt(kSection, Key("Grid%d", i), m_bGrid[i]);
        ok &= app->WriteProfileInt(kSection, Key("YAxis%d", i), m_nYAxis[i]);
        text.Format("%f", (double)m_fUpperLimit[i]);
        ok &= app->WriteProfileString(kSection, Key("UpperLimit%d", i), text);
        text.Format("%f", (double)m_fLowerLimit[i]);
        ok &= app->WriteProfileString(kSection, Key("LowerLimit%d", i), text);
        ok &= app->WriteProfileInt(kSection, Key("CurveSymbol%d", i), m_nSymbol[i]);
        ok &= app->WriteProfileString(kSection, Key("Instrument%d", i), m_strInstrument[i]);
        ok &= app->WriteProfileString(kSection, Key("Network%d", i), m_strNetwork[i]);
        ok &= app->WriteProfileInt(kSection, Key("Component%d", i), m_nComponent[i]);
    }
    return ok;
}
