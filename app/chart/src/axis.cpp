// The axis base: settings, the axis line, ticks with their labels, grid lines and the title.
#include "chartaxis.h"

#include "chartgdi.h"
#include "diagram.h"

IMPLEMENT_DYNAMIC(CAxis, CObject)

CAxis::CAxis()
    : m_dMaximum(100.0),
      m_dMinimum(0.0),
      m_bVisible(TRUE),
      m_pDiagram(NULL),
      m_crAxis(0),
      m_crText(0),
      m_crFace(::GetSysColor(COLOR_BTNFACE)),
      m_nGridInterval(1),
      m_nPenWidth(2),
      m_nPosition(AXIS_BOTTOM),
      m_strTitle("Axis"),
      m_strLabelFormat("%%.%ig"),
      m_nFontSize(8),
      m_dScale(1.0),
      m_nVerticalLabels(1),
      m_nPrecision(2),
      m_bGrid(FALSE),
      m_nEndTextSide(0),
      m_nGridPenStyle(PS_SOLID),
      m_nGridPenWidth(1),
      m_nTitleAlignment(AXIS_TITLE_CENTER) {
    ::SetRectEmpty(&m_rect);
}

CAxis::CAxis(const CAxis& src)
    : CObject(),
      m_dMaximum(src.m_dMaximum),
      m_dMinimum(src.m_dMinimum),
      m_bVisible(src.m_bVisible),
      m_pDiagram(NULL),
      m_crAxis(src.m_crAxis),
      m_crText(src.m_crText),
      m_crFace(src.m_crFace),
      m_nGridInterval(src.m_nGridInterval),
      m_nPenWidth(src.m_nPenWidth),
      m_nPosition(src.m_nPosition),
      m_strTitle(src.m_strTitle),
      m_strUnit(src.m_strUnit),
      m_strLabelFormat(src.m_strLabelFormat),
      m_rect(src.m_rect),
      m_nFontSize(src.m_nFontSize),
      m_dScale(src.m_dScale),
      m_nVerticalLabels(src.m_nVerticalLabels),
      m_nPrecision(src.m_nPrecision),
      m_bGrid(src.m_bGrid),
      m_strEndText(src.m_strEndText),
      m_nEndTextSide(src.m_nEndTextSide),
      m_nGridPenStyle(src.m_nGridPenStyle),
      m_nGridPenWidth(src.m_nGridPenWidth),
      m_nTitleAlignment(src.m_nTitleAlignment) {}

CAxis::~CAxis() {}

CSyncObject* CAxis::GetLock() {
    if (m_pDiagram != NULL) return m_pDiagram->GetLock();
    return &m_lock;
}

CDC* CAxis::GetDC() const { return m_pDiagram != NULL ? m_pDiagram->GetDC() : NULL; }

void CAxis::MarkChanged() {
    if (m_pDiagram != NULL) m_pDiagram->SetChanged();
}

int CAxis::GetLength() const {
    return IsVertical() ? m_rect.bottom - m_rect.top : m_rect.right - m_rect.left;
}

BOOL CAxis::SetRect(int left, int top, int right, int bottom) {
    ::SetRect(&m_rect, left, top, right, bottom);
    // The range again, as the new length asks (a digital axis refuses it and keeps its own).
    SetRange(m_dMinimum, m_dMaximum);
    return TRUE;
}

BOOL CAxis::GetRect(RECT& rect) const {
    rect = m_rect;
    return TRUE;
}

BOOL CAxis::SetPosition(int position) {
    if (position == m_nPosition) return TRUE;
    m_nPosition = position;
    MarkChanged();
    if (m_pDiagram != NULL) m_pDiagram->Layout();
    return TRUE;
}

BOOL CAxis::SetVisible(BOOL visible) {
    if (visible == m_bVisible) return TRUE;
    m_bVisible = visible;
    MarkChanged();
    if (m_pDiagram != NULL) m_pDiagram->Layout();
    return TRUE;
}

BOOL CAxis::SetGridInterval(int interval) {
    // Grid lines of a logarithmic axis follow its decades; an interval below 1 would divide
    // by zero when the ticks are counted.
    if (IsKindOf(RUNTIME_CLASS(CAxisLog)) || interval < 1) return FALSE;
    m_nGridInterval = interval;
    return TRUE;
}

BOOL CAxis::LoadLabelFormat(UINT id) {
    CString format;
    if (!format.LoadString(id)) return FALSE;
    m_strLabelFormat = format;
    return TRUE;
}

BOOL CAxis::SetColor(COLORREF color) {
    m_crAxis = color;
    m_crText = color;
    return TRUE;
}

BOOL CAxis::SetPenWidth(int width) {
    m_nPenWidth = width;
    MarkChanged();
    return TRUE;
}

BOOL CAxis::SetRange(double minimum, double maximum) {
    CSingleLock lock(GetLock(), TRUE);
    if (!CheckRange(minimum, maximum)) return FALSE;
    m_dMinimum = minimum;
    m_dMaximum = maximum;
    MarkChanged();
    return TRUE;
}

BOOL CAxis::SetLabelOrientation(int vertical) {
    if (vertical != 0 && vertical != 1) return FALSE;
    m_nVerticalLabels = vertical;
    MarkChanged();
    return TRUE;
}

CString CAxis::FormatLabel(double value, CCurve*) {
    CString format, text;
    format.Format(m_strLabelFormat, m_nPrecision);
    text.Format(format, value);
    return text;
}

int CAxis::GetLongTick(CDC* dc) const {
    return chart::DeviceLength(dc, m_nFontSize * 5 / 8.0, true);
}

int CAxis::GetShortTick(CDC* dc) const {
    return chart::DeviceLength(dc, m_nFontSize * 3 / 8.0, true);
}

int CAxis::GetLabelGap(CDC* dc) const {
    return chart::DeviceLength(dc, m_nFontSize * 2 / 8.0, false);
}

void CAxis::CreateLabelFont(CFont& font, CDC* dc, BOOL turned) const {
    chart::CreateChartFont(font, dc, m_nFontSize, turned ? 900 : 0, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, FF_SWISS, "Arial");
}

BOOL CAxis::GetLabelMetrics(TEXTMETRIC* metrics, CFont* font, CDC* dc) {
    if (dc == NULL) dc = GetDC();
    if (dc == NULL || metrics == NULL) return FALSE;
    CFont labelFont;
    if (font == NULL) {
        CreateLabelFont(labelFont, dc, !IsVertical() && m_nVerticalLabels);
        font = &labelFont;
    }
    chart::Select selected(dc, *font);
    return dc->GetTextMetrics(metrics);
}

BOOL CAxis::DrawGridLine(int pixel) {
    if (m_pDiagram == NULL) return FALSE;
    return m_pDiagram->DrawGridLine(this, pixel);
}

BOOL CAxis::DrawLabelTick(int pixel, CString text) { return DrawTickAt(pixel, TRUE, text); }

BOOL CAxis::DrawTick(int pixel) { return DrawTickAt(pixel, FALSE, CString()); }

// Ticks point away from the plot; the label stands beyond the tick's end.
BOOL CAxis::DrawTickAt(int p, BOOL labelled, const CString& text) {
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    const int length = labelled ? GetLongTick(dc) : GetShortTick(dc);
    const int pw = m_nPenWidth;
    const BOOL turned = !IsVertical() && m_nVerticalLabels;
    const RECT& r = m_rect;

    CPen pen, shadowPen;
    pen.CreatePen(PS_SOLID, 1, m_crAxis);
    shadowPen.CreatePen(
        PS_SOLID, pw, labelled ? m_pDiagram->GetShadowColor() : ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CFont font;
    CreateLabelFont(font, dc, turned);
    chart::Select selectedFont(dc, font);
    dc->SetTextColor(m_crText);
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    const int H = tm.tmHeight;
    const int halfW = (int)(tm.tmAveCharWidth * 0.5);

    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, tx = 0, ty = 0;
    UINT align = TA_LEFT | TA_TOP;
    switch (m_nPosition) {
        case AXIS_LEFT:
            x1 = r.right;
            x2 = r.right - pw - length;
            y1 = y2 = r.bottom - p;
            align = TA_RIGHT | TA_TOP;
            tx = x2 - halfW;
            ty = r.bottom - p - H / 2;
            break;
        case AXIS_RIGHT:
            x1 = r.left;
            x2 = r.left + pw + length;
            y1 = y2 = r.bottom - p;
            align = TA_LEFT | TA_TOP;
            tx = r.left + length + halfW + pw;
            ty = r.bottom - p - H / 2;
            break;
        case AXIS_TOP:
            x1 = x2 = r.left + p;
            y1 = r.bottom;
            y2 = r.bottom - pw - length;
            ty = r.bottom - halfW - pw - length;
            if (turned) {
                align = TA_LEFT | TA_TOP;
                tx = r.left + p - H / 2;
            } else {
                align = TA_CENTER | TA_BOTTOM;
                tx = r.left + p;
            }
            break;
        default:  // below the plot
            x1 = x2 = r.left + p;
            y1 = r.top;
            y2 = r.top + pw + length;
            ty = r.top + length + halfW + pw;
            if (turned) {
                align = TA_RIGHT | TA_TOP;
                tx = r.left + p - H / 2;
            } else {
                align = TA_CENTER | TA_TOP;
                tx = r.left + p;
            }
            break;
    }

    if (m_pDiagram->Get3D()) {
        // The shadow lies one pixel lower (a horizontal tick) or further right (a vertical one).
        const int dx = x1 == x2 ? 1 : 0, dy = y1 == y2 ? 1 : 0;
        chart::Select selectedShadow(dc, shadowPen);
        chart::Line(dc, x1 + dx, y1 + dy, x2 + dx, y2 + dy);
    }
    {
        chart::Select selectedPen(dc, pen);
        chart::Line(dc, x1, y1, x2, y2);
    }
    if (labelled) {
        dc->SetTextAlign(align);
        dc->TextOut(tx, ty, text);
    }
    return TRUE;
}

BOOL CAxis::DrawAxisLine() {
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    const RECT& r = m_rect;
    int x1, y1, x2, y2;
    switch (m_nPosition) {
        case AXIS_LEFT: x1 = x2 = r.right, y1 = r.top, y2 = r.bottom; break;
        case AXIS_RIGHT: x1 = x2 = r.left, y1 = r.top, y2 = r.bottom; break;
        case AXIS_TOP: x1 = r.left, x2 = r.right, y1 = y2 = r.bottom; break;
        default: x1 = r.left, x2 = r.right, y1 = y2 = r.top; break;
    }
    dc->SetBkMode(TRANSPARENT);
    if (m_pDiagram->Get3D()) {
        CPen shadowPen(PS_SOLID, m_nPenWidth, m_pDiagram->GetShadowColor());
        chart::Select selected(dc, shadowPen);
        const int dx = x1 == x2 ? 1 : 0, dy = y1 == y2 ? 1 : 0;
        chart::Line(dc, x1 + dx, y1 + dy, x2 + dx, y2 + dy);
    }
    CPen pen(PS_SOLID, m_nPenWidth, m_crAxis);
    chart::Select selected(dc, pen);
    chart::Line(dc, x1, y1, x2, y2);
    return TRUE;
}

void CAxis::DrawTitle(CDC* dc) {
    if (m_strTitle.IsEmpty() && m_strEndText.IsEmpty()) return;
    const BOOL vertical = IsVertical();
    CFont font;
    CreateLabelFont(font, dc, vertical);
    chart::Select selectedFont(dc, font);
    dc->SetBkMode(TRANSPARENT);
    const RECT& r = m_rect;

    // Along the axis: its start (bottom or left), its end (top or right) or its middle.
    int along;
    UINT align;
    switch (m_nTitleAlignment) {
        case AXIS_TITLE_START:
            along = vertical ? r.bottom : r.left;
            align = TA_LEFT;
            break;
        case AXIS_TITLE_END:
            along = vertical ? r.top : r.right;
            align = TA_RIGHT;
            break;
        default:
            along = vertical ? chart::Round((r.top + r.bottom) * 0.5)
                             : chart::Round((r.left + r.right) * 0.5);
            align = TA_CENTER;
            break;
    }
    // Across it: near the outer edge.
    int across;
    UINT vertAlign = TA_TOP;
    switch (m_nPosition) {
        case AXIS_LEFT: across = r.left + 2; break;
        case AXIS_RIGHT:
            across = r.right - 2;
            vertAlign = TA_BOTTOM;
            break;
        case AXIS_TOP: across = r.top + 2; break;
        default:
            across = r.bottom - 2;
            vertAlign = TA_BOTTOM;
            break;
    }
    const int x = vertical ? across : along;
    const int y = vertical ? along : across;
    if (!m_strTitle.IsEmpty()) {
        dc->SetTextAlign(align | vertAlign);
        if (m_pDiagram->Get3D()) {
            dc->SetTextColor(m_pDiagram->GetShadowColor());
            dc->TextOut(x, y + 1, m_strTitle);
        }
        dc->SetTextColor(m_crText);
        dc->TextOut(x, y, m_strTitle);
    }
    if (!vertical && !m_strEndText.IsEmpty()) {
        dc->SetTextColor(m_crText);
        const BOOL right = m_nEndTextSide == 1;
        dc->SetTextAlign((right ? TA_RIGHT : TA_LEFT) | vertAlign);
        dc->TextOut(right ? r.right : r.left, y + GetLongTick(dc) + 1, m_strEndText);
    }
}

BOOL CAxis::Draw() {
    if (m_pDiagram == NULL || !m_bVisible) return FALSE;
    CDC* dc = GetDC();
    if (dc == NULL) return FALSE;
    CSingleLock lock(GetLock(), TRUE);
    DrawAxisLine();
    DrawTitle(dc);
    return TRUE;
}

int CAxis::LongestRangeLabel() {
    const int atMinimum = FormatLabel(m_dMinimum).GetLength();
    const int atMaximum = FormatLabel(m_dMaximum).GetLength();
    return atMinimum > atMaximum ? atMinimum : atMaximum;
}

BOOL CAxis::RequiredSizeFor(CSize& size, SizeKind kind, int n) {
    size.cx = size.cy = -1;
    CDC* dc = GetDC();
    TEXTMETRIC tm;
    if (dc == NULL || !GetLabelMetrics(&tm, NULL, dc)) return FALSE;
    const int H = tm.tmHeight, W = tm.tmAveCharWidth;
    const int longTick = GetLongTick(dc), gap = GetLabelGap(dc), pw = m_nPenWidth;
    const int title = m_strTitle.IsEmpty() ? 0 : H;
    const BOOL turned = m_nVerticalLabels != 0;
    if (IsVertical()) {
        if (kind == SIZE_LINEAR)
            size.cx = longTick + 4 * gap + (W + 1) * (n + 1) + pw + title;
        else
            size.cx = (gap + n) * (W + 1) + longTick + pw + title;
        return TRUE;
    }
    switch (kind) {
        case SIZE_LINEAR:
            size.cy = turned ? longTick + 4 * gap + (W + 1) * n + pw + title
                             : longTick + (5 * H) / 2 + pw;
            break;
        case SIZE_LOG_TIME:
            size.cy = turned ? (gap + n) * (W + 1) + longTick + pw + title
                             : gap * (W + 1) + longTick + pw + H + title;
            break;
        default: break;  // a horizontal digital axis takes no room
    }
    return TRUE;
}
