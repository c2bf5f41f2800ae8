// The settings of the live curve diagram: the displayed time span, the legend, the scroll area
// of the time axis and six curve slots, each bound to one measured component of one analyzer.
// Kept in the application profile, section "Curve"; the curve property sheet owns one, its
// option page edits it and its curve page draws from it.
#pragma once

#include "vaskfc.h"

class CVaskInstrument;

class CCurveSettings : public CCmdTarget {
    DECLARE_DYNCREATE(CCurveSettings)
public:
    enum { CURVES = 6 };

    // The defaults, then the profile.
    CCurveSettings();
    ~CCurveSettings() override;

    // Reads the profile; a value the option page could never have stored (a lower limit not
    // below the upper one, a span below a minute, a legend choice outside 0 to 4, a scroll
    // area outside 1 to 100) falls back to its default.
    void LoadCurveSettings();
    // Writes every stored value; FALSE when a write failed (the others are still written).
    BOOL SaveCurveSettings();

    DWORD m_dwTimeSpan;           // seconds shown on the time axis
    int m_nLegend;                // 0 "<None>", 1 "Left", 2 "Right", 3 "Below", 4 "Above"
    BOOL m_bShowValuesInLegend;   // legend entries carry the current value
    float m_fLowerLimit[CURVES];  // bottom of the curve's y axis
    float m_fUpperLimit[CURVES];  // top of the curve's y axis
    BOOL m_bGrid[CURVES];
    int m_nYAxis[CURVES];                    // carried, not drawn from
    COLORREF m_crColor[CURVES];              // curve and axis colour
    int m_nSymbol[CURVES];                   // index in the symbol list; 0 = no symbol
    int m_nScrollArea;                       // percent
    CString m_strInstrument[CURVES];         // analyzer name
    CString m_strNetwork[CURVES];            // name of the network that holds it
    int m_nComponent[CURVES];                // as stored; the curve page shows 0 to 3 only
    BOOL m_bShowRefLine[CURVES];             // not stored
    float m_fRefValue[CURVES];               // not stored
    BOOL m_bRestart;                         // not stored: the diagram must start again
    CVaskInstrument* m_pInstrument[CURVES];  // not stored: resolved by the option page

    static const char* const kSection;  // "Curve"
};
