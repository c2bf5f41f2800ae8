// Helpers shared by the chart classes: the chart's rounding, font heights and lengths in the
// units of a device context, and scoped selection of drawing objects.
#pragma once

#include "vaskfc.h"

#include <math.h>

namespace chart {

// round(x) of the chart: floor(x + 0.5), kept within what GDI coordinates can hold; NaN is 0.
int Round(double x);

// The height (negative: character height) of a font of the given points in the logical units
// of the device context.
int FontHeight(CDC* dc, int points);

// A length of the given logical units in device pixels, along y (vertical) or x; at least 1.
int DeviceLength(CDC* dc, double logical, bool vertical);

// The chart's font: the given face (none when NULL), weight 400, proof quality.
BOOL CreateChartFont(CFont& font, CDC* dc, int points, int escapement, BYTE charSet,
                     BYTE outPrecision, BYTE clipPrecision, BYTE pitchAndFamily, LPCSTR face);

// A drawing object selected into a device context for a scope; the object that was selected
// before comes back at the end. Works on handles, so that no temporary wrappers pile up.
class Select {
public:
    Select(CDC* dc, CGdiObject& object) : m_dc(dc), m_old(dc->SelectObject(object.m_hObject)) {}
    ~Select() {
        if (m_old != NULL && m_old != HGDI_ERROR) m_dc->SelectObject(m_old);
    }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;

private:
    CDC* m_dc;
    HGDIOBJ m_old;
};

// A line from (x1, y1) to (x2, y2) with the selected pen.
inline void Line(CDC* dc, int x1, int y1, int x2, int y2) {
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

}  // namespace chart
