#include "chartgdi.h"

namespace chart {

int Round(double x) {
    // Beyond this GDI cannot draw anyway; the bound keeps the conversion defined.
    const double kLimit = 0x3FFFFFFF;
    if (x != x) return 0;
    double r = floor(x + 0.5);
    if (r > kLimit) return (int)kLimit;
    if (r < -kLimit) return -(int)kLimit;
    return (int)r;
}

int FontHeight(CDC* dc, int points) {
    CSize size(0, points * dc->GetDeviceCaps(LOGPIXELSY) / 72);
    dc->DPtoLP(&size);
    return -size.cy;
}

int DeviceLength(CDC* dc, double logical, bool vertical) {
    int n = (int)ceil(logical);
    CSize size(vertical ? 0 : n, vertical ? n : 0);
    dc->LPtoDP(&size);
    int length = vertical ? size.cy : size.cx;
    if (length < 0) length = -length;
    return length < 1 ? 1 : length;
}

BOOL CreateChartFont(CFont& font, CDC* dc, int points, int escapement, BYTE charSet,
                     BYTE outPrecision, BYTE clipPrecision, BYTE pitchAndFamily, LPCSTR face) {
    return font.CreateFont(FontHeight(dc, points), 0, escapement, escapement, FW_NORMAL, FALSE,
                           FALSE, FALSE, charSet, outPrecision, clipPrecision, PROOF_QUALITY,
                           pitchAndFamily, face);
}

}  // namespace chart
