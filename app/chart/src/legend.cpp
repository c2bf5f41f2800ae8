// The legend box and the label along a curve.
#include "chartlegend.h"

#include "chartaxis.h"
#include "chartcurve.h"
#include "chartgdi.h"
#include "diagram.h"

IMPLEMENT_DYNCREATE(CLegend, CObject)
IMPLEMENT_DYNCREATE(CLabel, CObject)

// ---- legend ----

CLegend::CLegend()
    : m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_crFrame(::GetSysColor(COLOR_WINDOWFRAME)),
      m_bVisible(TRUE),
      m_pDiagram(NULL),
      m_nPosition(LEGEND_RIGHT),
      m_nFontSize(8) {
    ::SetRectEmpty(&m_rect);
}

CLegend::CLegend(const CLegend& src)
    : CObject(),
      m_crBackground(src.m_crBackground),
      m_crFrame(src.m_crFrame),
      m_bVisible(src.m_bVisible),
      m_pDiagram(NULL),
      m_nPosition(src.m_nPosition),
      m_nFontSize(src.m_nFontSize) {
    ::SetRectEmpty(&m_rect);
}

BOOL CLegend::SetPosition(int position) {
    m_nPosition = position;
    if (m_pDiagram != NULL) m_pDiagram->SetLegend(this);
    return TRUE;
}

BOOL CLegend::SetRect(int left, int top, int right, int bottom) {
    ::SetRect(&m_rect, left, top, right, bottom);
    return TRUE;
}

BOOL CLegend::SetVisible(BOOL visible) {
    if (visible == m_bVisible) return TRUE;
    m_bVisible = visible;
    if (m_pDiagram != NULL) {
        m_pDiagram->SetChanged();
        m_pDiagram->Layout();
    }
    return TRUE;
}

BOOL CLegend::SetFontSize(int size) {
    if (size == 0) {
        m_nFontSize = 8;
        return TRUE;
    }
    m_nFontSize = size;
    if (m_pDiagram != NULL) m_pDiagram->SetChanged();
    return TRUE;
}

void CLegend::CreateLegendFont(CFont& font, CDC* dc) const {
    chart::CreateChartFont(font, dc, m_nFontSize, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, FF_SWISS, "Arial");
}

BOOL CLegend::GetTextSize(CSize& size, TEXTMETRIC* metrics, CString text, CFont* font) {
    size.cx = size.cy = 0;
    CDC* dc = m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL;
    if (dc == NULL) return FALSE;
    CFont legendFont;
    if (font == NULL) {
        CreateLegendFont(legendFont, dc);
        font = &legendFont;
    }
    chart::Select selected(dc, *font);
    size = dc->GetTextExtent(text);
    if (metrics != NULL) dc->GetTextMetrics(metrics);
    return TRUE;
}

BOOL CLegend::GetRequiredSize(CSize& size, CFont* font) {
    size.cx = size.cy = -1;
    if (m_pDiagram == NULL || m_pDiagram->GetDC() == NULL) return FALSE;
    TEXTMETRIC tm;
    CSize extent;
    if (!GetTextSize(extent, &tm, CString(), font)) return FALSE;
    const BOOL beside = m_nPosition == LEGEND_LEFT || m_nPosition == LEGEND_RIGHT;
    int widest = 0, shown = 0, symbolWidth = 0;
    for (POSITION pos = m_pDiagram->GetCurves().GetHeadPosition(); pos != NULL;) {
        CCurve* curve = static_cast<CCurve*>(m_pDiagram->GetCurves().GetNext(pos));
        if (!curve->IsShown()) continue;
        ++shown;
        if (!beside) continue;
        CSize symbol;
        curve->GetSymbol()->GetSize(symbol, TRUE);
        if (symbol.cx > symbolWidth) symbolWidth = symbol.cx;
        // The texts with the widest values the axes can show.
        CAxis* x = curve->GetXAxis();
        CAxis* y = curve->GetYAxis();
        const double xMax = x != NULL ? x->GetMaximum() : 0.0;
        CStringArray texts;
        if (curve->IsKindOf(RUNTIME_CLASS(CCurveDigital))) {
            const double threshold = static_cast<CCurveDigital*>(curve)->GetThreshold();
            texts.Add(curve->GetLegendText(xMax, threshold));
            texts.Add(curve->GetLegendText(xMax, threshold - 1.0));
        } else {
            texts.Add(curve->GetLegendText(xMax, y != NULL ? y->GetMaximum() : 0.0));
        }
        for (int i = 0; i < texts.GetSize(); ++i) {
            GetTextSize(extent, NULL, texts[i], font);
            if (extent.cx > widest) widest = extent.cx;
        }
    }
    if (beside)
        size.cx = widest + 2 * tm.tmMaxCharWidth + symbolWidth;
    else
        size.cy = 2 * tm.tmHeight * shown;
    return TRUE;
}

BOOL CLegend::Draw(CCurve* only, CString text) {
    if (m_pDiagram == NULL || !m_bVisible) return FALSE;
    CDC* dc = m_pDiagram->GetDC();
    if (dc == NULL) return FALSE;
    CSingleLock lock(m_pDiagram->GetLock(), TRUE);
    CPen pen(PS_SOLID, 1, m_crFrame);
    CBrush brush(m_crBackground);
    chart::Select selectedPen(dc, pen);
    chart::Select selectedBrush(dc, brush);
    dc->SetTextColor(m_crFrame);
    dc->SetBkMode(TRANSPARENT);
    if (only == NULL) dc->Rectangle(&m_rect);

    CFont font;
    CreateLegendFont(font, dc);
    chart::Select selectedFont(dc, font);
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    const int H = tm.tmHeight, M = tm.tmMaxCharWidth;
    dc->SetTextAlign(TA_LEFT | TA_TOP);

    int row = 0;
    for (POSITION pos = m_pDiagram->GetCurves().GetHeadPosition(); pos != NULL;) {
        CCurve* curve = static_cast<CCurve*>(m_pDiagram->GetCurves().GetNext(pos));
        if (!curve->IsShown()) continue;
        const int top = m_rect.top + row * H + (row + 1) * (H / 2);
        ++row;
        if (only != NULL && only != curve) continue;
        CSymbol* symbol = curve->GetSymbol();
        CSize symbolSize;
        symbol->GetSize(symbolSize, TRUE);
        RECT textRect = {m_rect.left + M + symbolSize.cx, top, m_rect.right - 1, top + H};
        if (only != NULL) {
            dc->FillRect(&textRect, &brush);
            if (!text.IsEmpty()) curve->SetLegendText(text);
        }
        dc->SetTextColor(m_crFrame);
        dc->DrawText(curve->GetLegendRowText(), &textRect, DT_LEFT | DT_TOP | DT_SINGLELINE);
        symbol->Draw(m_rect.left + M / 2, top + H / 2, TRUE);
    }
    return TRUE;
}

// ---- label ----

CLabel::CLabel() : m_crColor(0), m_nFontSize(8), m_pDiagram(NULL), m_bShown(TRUE) {}

CLabel::CLabel(const CLabel& src)
    : CObject(),
      m_strText(src.m_strText),
      m_crColor(src.m_crColor),
      m_nFontSize(src.m_nFontSize),
      m_pDiagram(NULL),
      m_bShown(src.m_bShown) {}

void CLabel::SetText(const CString& text, int size) {
    m_strText = text;
    m_nFontSize = size == 0 ? 8 : size;
}

void CLabel::CreateLabelFont(CFont& font, CDC* dc, int escapement) const {
    chart::CreateChartFont(font, dc, m_nFontSize, escapement, ANSI_CHARSET, OUT_TT_PRECIS,
                           CLIP_STROKE_PRECIS, FF_SWISS, NULL);
}

BOOL CLabel::GetSize(CSize& size, CFont* font) {
    size.cx = size.cy = 0;
    CDC* dc = m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL;
    if (dc == NULL) return FALSE;
    // Measured in the font it is drawn with (unturned), so that the placement test fits.
    CFont labelFont;
    if (font == NULL) {
        CreateLabelFont(labelFont, dc, 0);
        font = &labelFont;
    }
    chart::Select selected(dc, *font);
    size = dc->GetTextExtent(m_strText);
    return TRUE;
}

BOOL CLabel::Draw(int x, int y, int escapement) {
    if (!m_bShown || m_strText.IsEmpty()) return FALSE;
    CDC* dc = m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL;
    if (dc == NULL) return FALSE;
    CPen pen(PS_SOLID, 1, m_crColor);
    CFont font;
    CreateLabelFont(font, dc, escapement);
    chart::Select selectedPen(dc, pen);
    chart::Select selectedFont(dc, font);
    dc->SetTextColor(m_crColor);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->TextOut(x, y, m_strText);
    return TRUE;
}
