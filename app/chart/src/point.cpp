// Curve points, the marker symbol and the levels of a digital curve.
#include "chartpoint.h"

#include "chartaxis.h"
#include "chartgdi.h"
#include "diagram.h"

IMPLEMENT_DYNCREATE(CCurvePlainPoint, CObject)
IMPLEMENT_DYNCREATE(CCurveMarkPoint, CObject)
IMPLEMENT_DYNCREATE(CSymbol, CObject)
IMPLEMENT_DYNCREATE(CHiLoStr, CObject)

// ---- points ----

CCurvePoint::CCurvePoint(double x, double y, BOOL marked)
    : m_dX(x), m_dY(y), m_nPixelX(0), m_nPixelY(0), m_bMarked(marked) {}

CCurvePoint::CCurvePoint(const CCurvePoint& src)
    : CObject(),
      m_dX(src.m_dX),
      m_dY(src.m_dY),
      m_nPixelX(src.m_nPixelX),
      m_nPixelY(src.m_nPixelY),
      m_bMarked(src.m_bMarked) {}

void CCurvePoint::SetX(double x, CAxis* axis) {
    m_dX = x;
    if (axis != NULL) m_nPixelX = axis->ValueToPixel(x);
}

void CCurvePoint::SetY(double y, CAxis* axis) {
    m_dY = y;
    if (axis != NULL) m_nPixelY = axis->ValueToPixel(y);
}

CCurvePlainPoint::CCurvePlainPoint(double x, double y, BOOL marked) : CCurvePoint(x, y, marked) {}

CCurvePlainPoint::CCurvePlainPoint(const CCurvePlainPoint& src) : CCurvePoint(src) {}

CCurvePoint* CCurvePlainPoint::Clone() const { return new CCurvePlainPoint(*this); }

CCurveMarkPoint::CCurveMarkPoint()
    : m_nMarkKind(0), m_nMarkStyle(1), m_nMarkSize(8), m_crMark(0xFFFFFF), m_nMarkFlags(0) {
    m_nMarkExtra[0] = m_nMarkExtra[1] = m_nMarkExtra[2] = -1;
}

CCurveMarkPoint::CCurveMarkPoint(double x, double y) : CCurveMarkPoint() {
    m_dX = x;
    m_dY = y;
    m_bMarked = FALSE;
}

CCurveMarkPoint::CCurveMarkPoint(const CCurveMarkPoint& src)
    : CCurvePoint(src),
      m_nMarkKind(src.m_nMarkKind),
      m_nMarkStyle(src.m_nMarkStyle),
      m_nMarkSize(src.m_nMarkSize),
      m_crMark(src.m_crMark),
      m_nMarkFlags(src.m_nMarkFlags) {
    for (int i = 0; i < 3; ++i) m_nMarkExtra[i] = src.m_nMarkExtra[i];
}

CCurvePoint* CCurveMarkPoint::Clone() const { return new CCurveMarkPoint(*this); }

// ---- symbol ----

CSymbol::CSymbol()
    : m_nPenStyle(PS_SOLID),
      m_nNumber(1),
      m_crColor(0),
      m_nFontSize(8),
      m_pDiagram(NULL),
      m_bShown(TRUE) {}

CSymbol::CSymbol(const CSymbol& src)
    : CObject(),
      m_nPenStyle(src.m_nPenStyle),
      m_nNumber(src.m_nNumber),
      m_crColor(src.m_crColor),
      m_nFontSize(src.m_nFontSize),
      m_pDiagram(NULL),
      m_bShown(src.m_bShown) {}

void CSymbol::SetColorAndNumber(COLORREF color, int number) {
    m_crColor = color;
    m_nNumber = number;
}

void CSymbol::SetNumberAndSize(int number, int size) {
    m_nNumber = number;
    m_nFontSize = size == 0 ? 8 : size;
}

void CSymbol::CreateSymbolFont(CFont& font, CDC* dc) const {
    chart::CreateChartFont(font, dc, m_nFontSize, 0, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_PITCH | FF_DONTCARE, "Zavirur");
}

BOOL CSymbol::GetSize(CSize& size, BOOL withLine, CFont* font) {
    size.cx = size.cy = 0;
    CDC* dc = m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL;
    if (dc == NULL) return FALSE;
    CFont symbolFont;
    if (font == NULL) {
        CreateSymbolFont(symbolFont, dc);
        font = &symbolFont;
    }
    chart::Select selected(dc, *font);
    TEXTMETRIC tm;
    if (!dc->GetTextMetrics(&tm)) return FALSE;
    size.cx = withLine ? 3 * tm.tmMaxCharWidth : tm.tmMaxCharWidth;
    size.cy = tm.tmHeight;
    return TRUE;
}

BOOL CSymbol::Draw(int x, int y, BOOL withLine) {
    CDC* dc = m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL;
    if (dc == NULL) return FALSE;
    CPen pen(m_nPenStyle, 1, m_crColor);
    CFont font;
    CreateSymbolFont(font, dc);
    chart::Select selectedPen(dc, pen);
    chart::Select selectedFont(dc, font);
    CSize size;
    GetSize(size, withLine, &font);
    int glyphX = x;
    if (withLine) {
        chart::Line(dc, x, y, x + size.cx, y);
        glyphX = x + size.cx / 2;
    }
    dc->SetTextColor(m_crColor);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_CENTER | TA_TOP);
    if (m_bShown) {
        CString text;
        text.Format("%d", m_nNumber);
        dc->TextOut(glyphX, y - size.cy / 2, text);
    }
    return TRUE;
}

// ---- levels ----

CHiLoStr::CHiLoStr() : m_dHigh(90.0), m_dLow(10.0), m_strHigh("ON"), m_strLow("OFF") {}

CHiLoStr::CHiLoStr(const CHiLoStr& src)
    : CObject(),
      m_dHigh(src.m_dHigh),
      m_dLow(src.m_dLow),
      m_strHigh(src.m_strHigh),
      m_strLow(src.m_strLow) {}

CHiLoStr& CHiLoStr::operator=(const CHiLoStr& src) {
    m_dHigh = src.m_dHigh;
    m_dLow = src.m_dLow;
    m_strHigh = src.m_strHigh;
    m_strLow = src.m_strLow;
    return *this;
}
