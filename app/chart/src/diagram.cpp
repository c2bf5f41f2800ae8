// The diagram: ownership of axes, curves and legend, the layout of its areas and drawing.
#include "diagram.h"

#include "chartgdi.h"

IMPLEMENT_DYNAMIC(CDiagram, CObject)

CDiagram::CDiagram(CWnd* window)
    : m_nFontSize(12),
      m_bFrame(TRUE),
      m_bGrid(FALSE),
      m_bLegendShown(FALSE),
      m_b3D(FALSE),
      m_bTitleShown(TRUE),
      m_bDropHiddenPoints(FALSE),
      m_pDC(NULL),
      m_pWnd(NULL),
      m_strTitle("Diagram Title"),
      m_crTitle(0),
      m_crGrid(::GetSysColor(COLOR_BTNSHADOW)),
      m_crFrame(::GetSysColor(COLOR_WINDOWFRAME)),
      m_crBackground(::GetSysColor(COLOR_BTNFACE)),
      m_dScrollShare(30.0),
      m_dViewShare(100.0),
      m_dLegendGap(2.0),
      m_dTitleHeight(5.0),
      m_dLegendSize(20.0),
      m_dHorizontalAxes(10.0),
      m_dVerticalAxes(10.0),
      m_nMargin(1),
      m_nSpacing(10),
      m_pLegend(NULL),
      m_bAutoSize(FALSE),
      m_bChanged(TRUE),
      m_pWindowDC(NULL),
      m_hWndDC(NULL) {
    ::SetRectEmpty(&m_rectWindow);
    ::SetRectEmpty(&m_rectTitle);
    ::SetRectEmpty(&m_rectOuter);
    ::SetRectEmpty(&m_rectPlot);
    ::SetRectEmpty(&m_rectInner);
    ::SetRectEmpty(&m_rectLegend);
    ::SetRectEmpty(&m_rectLegendGap);
    if (SetWindow(window)) {
        ::GetClientRect(window->GetSafeHwnd(), &m_rectWindow);
        m_rectOuter = m_rectWindow;
        m_pDC->SetBkColor(m_crBackground);
    }
    ComputeInnerRect();
    Layout();
}

CDiagram::~CDiagram() {
    ReleaseWindowDC();
    DeleteAll();
}

void CDiagram::DeleteAll() {
    CSingleLock lock(&m_lock, TRUE);
    // Curves first: a digital curve leaves the lists of its axes as it goes.
    while (!m_curves.IsEmpty()) delete m_curves.RemoveHead();
    while (!m_axes.IsEmpty()) delete m_axes.RemoveHead();
    delete m_pLegend;
    m_pLegend = NULL;
}

void CDiagram::ReleaseWindowDC() {
    if (m_pWindowDC == NULL) return;
    if (m_pDC == m_pWindowDC) m_pDC = NULL;
    HDC hDC = m_pWindowDC->m_hDC;
    m_pWindowDC->m_hDC = m_pWindowDC->m_hAttribDC = NULL;
    if (hDC != NULL) ::ReleaseDC(m_hWndDC, hDC);
    delete m_pWindowDC;
    m_pWindowDC = NULL;
    m_hWndDC = NULL;
}

BOOL CDiagram::SetWindow(CWnd* window) {
    HWND hWnd = window != NULL ? window->GetSafeHwnd() : NULL;
    if (hWnd == NULL) return FALSE;
    HDC hDC = ::GetDC(hWnd);
    if (hDC == NULL) return FALSE;
    ReleaseWindowDC();
    // Borrowed from the window, as the class library's window DCs are: given back with
    // ReleaseDC, never deleted, and not entered among the owned handles.
    m_pWindowDC = new CDC;
    m_pWindowDC->m_hDC = m_pWindowDC->m_hAttribDC = hDC;
    m_pWindowDC->SetMapMode(MM_TEXT);
    m_pWindowDC->SetBkMode(TRANSPARENT);
    m_pWindowDC->SetViewportOrg(0, 0);
    m_hWndDC = hWnd;
    m_pWnd = window;
    m_pDC = m_pWindowDC;
    return TRUE;
}

BOOL CDiagram::AddAxis(CAxis* axis) {
    if (axis == NULL || m_axes.Find(axis) != NULL) return FALSE;
    m_axes.AddTail(axis);
    axis->SetDiagram(this);
    axis->SetFaceColor(m_crBackground);
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::AddCurve(CCurve* curve) {
    if (curve == NULL || m_curves.Find(curve) != NULL) return FALSE;
    m_curves.AddTail(curve);
    curve->SetDiagram(this);
    curve->SetBackgroundColor(m_crBackground);
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::RemoveAxis(CAxis* axis) {
    POSITION pos = axis != NULL ? m_axes.Find(axis) : NULL;
    if (pos == NULL) return FALSE;
    for (POSITION c = m_curves.GetHeadPosition(); c != NULL;) {
        const CCurve* curve = static_cast<CCurve*>(m_curves.GetNext(c));
        if (curve->GetXAxis() == axis || curve->GetYAxis() == axis) return FALSE;
    }
    m_axes.RemoveAt(pos);
    axis->SetDiagram(NULL);
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::RemoveCurve(CCurve* curve) {
    POSITION pos = curve != NULL ? m_curves.Find(curve) : NULL;
    if (pos == NULL) return FALSE;
    m_curves.RemoveAt(pos);
    curve->SetDiagram(NULL);
    SetChanged();
    return TRUE;
}

BOOL CDiagram::SetLegend(CLegend* legend) {
    if (legend == NULL) return FALSE;
    if (m_pLegend != NULL && m_pLegend != legend) delete m_pLegend;
    m_pLegend = legend;
    legend->SetDiagram(this);
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetLegendShown(BOOL shown) {
    m_bLegendShown = shown;
    if (m_pLegend != NULL) {
        SetChanged();
        Layout();
    }
    return TRUE;
}

BOOL CDiagram::SetFrame(BOOL frame) {
    m_bFrame = frame;
    ComputeInnerRect();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetTitle(const char* title) {
    m_strTitle = title;  // NULL gives the empty string
    // Whether there is a title decides whether the layout keeps room for it.
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetTitleShown(BOOL shown) {
    if (shown == m_bTitleShown) return TRUE;
    m_bTitleShown = shown;
    SetChanged();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetFontSize(int size) {
    m_nFontSize = size == 0 ? 12 : size;
    SetChanged();
    return TRUE;
}

BOOL CDiagram::SetBackgroundColor(COLORREF color) {
    CSingleLock lock(&m_lock, TRUE);
    m_crBackground = color;
    if (m_pDC != NULL) m_pDC->SetBkColor(color);
    for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;)
        static_cast<CAxis*>(m_axes.GetNext(pos))->SetFaceColor(color);
    for (POSITION pos = m_curves.GetHeadPosition(); pos != NULL;)
        static_cast<CCurve*>(m_curves.GetNext(pos))->SetBackgroundColor(color);
    return TRUE;
}

BOOL CDiagram::SetScrollShares(double scroll, double view) {
    if (!(scroll >= 0.0 && scroll <= 100.0) || !(view >= 0.0 && view <= 100.0)) return FALSE;
    m_dScrollShare = scroll;
    m_dViewShare = view;
    return TRUE;
}

BOOL CDiagram::SetRect(int left, int top, int right, int bottom) {
    ::SetRect(&m_rectOuter, left, top, right, bottom);
    SetChanged();
    ComputeInnerRect();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetRectFromDC(CDC* dc) {
    HWND hWnd = dc != NULL ? ::WindowFromDC(dc->GetSafeHdc()) : NULL;
    if (hWnd == NULL) return FALSE;
    ::GetClientRect(hWnd, &m_rectWindow);
    m_rectOuter = m_rectWindow;
    SetChanged();
    ComputeInnerRect();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetLayout(double legendSize, double legendGap, double titleHeight,
                         double horizontalAxes, double verticalAxes) {
    m_dLegendSize = legendSize;
    m_dLegendGap = legendGap;
    m_dTitleHeight = titleHeight;
    m_dHorizontalAxes = horizontalAxes;
    m_dVerticalAxes = verticalAxes;
    ComputeInnerRect();
    return Layout();
}

BOOL CDiagram::SetMargin(int margin) {
    m_nMargin = margin;
    ComputeInnerRect();
    Layout();
    return TRUE;
}

BOOL CDiagram::SetSpacing(int spacing) {
    m_nSpacing = spacing;
    ComputeInnerRect();
    Layout();
    return TRUE;
}

void CDiagram::ComputeInnerRect() {
    m_rectInner = m_rectOuter;
    const int inset = m_nMargin + m_nSpacing;
    ::InflateRect(&m_rectInner, -inset, -inset);
}

BOOL CDiagram::IsDrawable(const CAxis* axis) {
    if (!axis->IsVisible()) return FALSE;
    return !(axis->IsKindOf(RUNTIME_CLASS(CAxisDigital)) && !axis->IsVertical());
}

BOOL CDiagram::Layout() {
    int L = m_rectInner.left, T = m_rectInner.top, R = m_rectInner.right, B = m_rectInner.bottom;

    if (m_pLegend != NULL && m_bLegendShown && m_pLegend->IsVisible()) {
        const int w = chart::Round((R - L) * m_dLegendSize * 0.01);
        const int g = chart::Round((R - L) * m_dLegendGap * 0.01);
        const int h = chart::Round((B - T) * m_dLegendSize * 0.01);
        RECT& legend = m_rectLegend;
        RECT& gap = m_rectLegendGap;
        switch (m_pLegend->GetPosition()) {
            case LEGEND_LEFT:
                ::SetRect(&legend, L, T, L + w, B);
                ::SetRect(&gap, L + w + 1, T, L + w + 1 + g, B);
                L += w + g + 2;
                break;
            case LEGEND_RIGHT:
                ::SetRect(&legend, R - w, T, R, B);
                ::SetRect(&gap, R - w - g - 1, T, R - w - 1, B);
                R -= w + g + 2;
                break;
            case LEGEND_BOTTOM:
                ::SetRect(&legend, L, B - h, R, B);
                ::SetRect(&gap, L, B - h - g - 1, R, B - h - 1);
                B -= h + g + 2;
                break;
            case LEGEND_TOP:
                ::SetRect(&legend, L, T, R, T + h);
                ::SetRect(&gap, L, T + h + 1, R, T + h + 1 + g);
                T += h + g + 2;
                break;
            default: return FALSE;
        }
        m_pLegend->SetRect(legend.left, legend.top, legend.right, legend.bottom);
    } else {
        ::SetRectEmpty(&m_rectLegend);
        ::SetRectEmpty(&m_rectLegendGap);
    }

    const bool titled = !m_strTitle.IsEmpty() && m_bTitleShown;
    if (titled) {
        const int t = chart::Round((B - T) * m_dTitleHeight * 0.01);
        ::SetRect(&m_rectTitle, L, T, R, T + t - 1);
        T += t;
    } else {
        ::SetRectEmpty(&m_rectTitle);
    }

    // Per side (left, right, bottom, top): the number of axes and the room they take.
    int count[4] = {0, 0, 0, 0}, required[4] = {0, 0, 0, 0};
    const bool automatic = m_bAutoSize != FALSE;
    for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;) {
        CAxis* axis = static_cast<CAxis*>(m_axes.GetNext(pos));
        const int side = axis->GetPosition();
        if (!IsDrawable(axis) || side < 0 || side > 3) continue;
        ++count[side];
        if (automatic) {
            CSize size;
            axis->GetRequiredSize(size);
            const int room = axis->IsVertical() ? size.cx : size.cy;
            if (room > 0) required[side] += room;
        }
    }
    const int H = chart::Round((B - T) * m_dHorizontalAxes * 0.01);
    const int V = chart::Round((R - L) * m_dVerticalAxes * 0.01);
    // A side without axes has no share (the curve page may hide every y axis).
    const int horizontal = count[AXIS_BOTTOM] + count[AXIS_TOP];
    const int vertical = count[AXIS_LEFT] + count[AXIS_RIGHT];
    const int hShare = horizontal > 0 ? H / horizontal : 0;
    const int vShare = vertical > 0 ? V / vertical : 0;
    int total[4];
    for (int side = 0; side < 4; ++side) {
        const int share = side == AXIS_LEFT || side == AXIS_RIGHT ? vShare : hShare;
        total[side] = automatic ? required[side] : share * count[side];
    }

    int used[4] = {0, 0, 0, 0};
    for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;) {
        CAxis* axis = static_cast<CAxis*>(m_axes.GetNext(pos));
        const int side = axis->GetPosition();
        if (!IsDrawable(axis) || side < 0 || side > 3) continue;
        int room;
        if (automatic) {
            CSize size;
            axis->GetRequiredSize(size);
            room = axis->IsVertical() ? size.cx : size.cy;
            if (room < 0) room = 0;
        } else {
            room = axis->IsVertical() ? vShare : hShare;
        }
        const int top = T + total[AXIS_TOP], bottom = B - total[AXIS_BOTTOM];
        const int left = L + total[AXIS_LEFT], right = R - total[AXIS_RIGHT];
        const int outer = used[side];
        switch (side) {
            case AXIS_LEFT: axis->SetRect(L + outer, top, L + outer + room, bottom); break;
            case AXIS_RIGHT: axis->SetRect(R - outer - room, top, R - outer, bottom); break;
            case AXIS_BOTTOM: axis->SetRect(left, B - outer - room, right, B - outer); break;
            default: axis->SetRect(left, T + outer, right, T + outer + room); break;
        }
        used[side] += room;
    }

    ::SetRect(&m_rectPlot, L + total[AXIS_LEFT], T + total[AXIS_TOP], R - total[AXIS_RIGHT],
              B - total[AXIS_BOTTOM]);
    if (titled) {
        m_rectTitle.left = m_rectPlot.left;
        m_rectTitle.right = m_rectPlot.right;
    }
    for (POSITION pos = m_curves.GetHeadPosition(); pos != NULL;)
        static_cast<CCurve*>(m_curves.GetNext(pos))
            ->SetRect(m_rectPlot.left, m_rectPlot.top, m_rectPlot.right, m_rectPlot.bottom);
    return TRUE;
}

BOOL CDiagram::AutoSize() {
    const int width = m_rectOuter.right - m_rectOuter.left;
    const int height = m_rectOuter.bottom - m_rectOuter.top;
    if (width <= 0 || height <= 0) return FALSE;
    double legendSize = m_dLegendSize;
    if (m_pLegend != NULL && m_bLegendShown && m_pLegend->IsVisible()) {
        CSize size;
        if (m_pLegend->GetRequiredSize(size))
            legendSize = size.cx != -1 ? size.cx * 100.0 / width : size.cy * 100.0 / height;
    }
    int vertical = 0, horizontal = 0;
    for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;) {
        CAxis* axis = static_cast<CAxis*>(m_axes.GetNext(pos));
        if (!IsDrawable(axis)) continue;
        CSize size;
        if (!axis->GetRequiredSize(size)) continue;
        if (axis->IsVertical())
            vertical += size.cx > 0 ? size.cx : 0;
        else
            horizontal += size.cy > 0 ? size.cy : 0;
    }
    double titleHeight = m_dTitleHeight;
    CSize title;
    if (GetTitleSize(title)) titleHeight = title.cy * 100.0 / height;
    SetLayout(legendSize, m_dLegendGap, titleHeight, horizontal * 100.0 / height,
              vertical * 100.0 / width);
    m_bChanged = FALSE;
    return TRUE;
}

void CDiagram::CreateTitleFont(CFont& font, CDC* dc) const {
    chart::CreateChartFont(font, dc, m_nFontSize, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, FF_SWISS, "Arial");
}

BOOL CDiagram::GetTitleMetrics(TEXTMETRIC* metrics, CFont* font, CDC* dc) {
    if (dc == NULL) dc = m_pDC;
    if (dc == NULL || metrics == NULL) return FALSE;
    CFont titleFont;
    if (font == NULL) {
        CreateTitleFont(titleFont, dc);
        font = &titleFont;
    }
    chart::Select selected(dc, *font);
    return dc->GetTextMetrics(metrics);
}

BOOL CDiagram::GetTitleSize(CSize& size) {
    TEXTMETRIC tm;
    size.cx = -1;
    size.cy = 0;
    if (!GetTitleMetrics(&tm)) return FALSE;
    size.cy = (int)(1.5 * tm.tmHeight);
    return TRUE;
}

COLORREF CDiagram::GetShadowColor() const {
    return ::GetSysColor(m_crBackground != 0 ? COLOR_BTNHIGHLIGHT : COLOR_BACKGROUND);
}

BOOL CDiagram::DrawGridLine(CAxis* axis, int pixel) {
    if (axis == NULL || m_pDC == NULL) return FALSE;
    if (!m_bGrid) return TRUE;
    CPen pen(axis->GetGridPenStyle(), axis->GetGridPenWidth(), m_crGrid);
    chart::Select selected(m_pDC, pen);
    const RECT& p = m_rectPlot;
    if (axis->IsVertical())
        chart::Line(m_pDC, p.left, p.bottom - pixel, p.right, p.bottom - pixel);
    else
        chart::Line(m_pDC, p.left + pixel, p.top, p.left + pixel, p.bottom);
    return TRUE;
}

void CDiagram::DrawTitle() {
    if (m_strTitle.IsEmpty() || !m_bTitleShown) return;
    CFont font;
    CreateTitleFont(font, m_pDC);
    chart::Select selected(m_pDC, font);
    m_pDC->SetTextAlign(TA_CENTER | TA_BASELINE);
    const int x = (m_rectTitle.left + m_rectTitle.right) / 2;
    const int y = (m_rectTitle.top + m_rectTitle.bottom) / 2;
    if (m_b3D) {
        m_pDC->SetTextColor(GetShadowColor());
        m_pDC->TextOut(x + 1, y + 1, m_strTitle);
    }
    m_pDC->SetTextColor(m_crTitle);
    m_pDC->TextOut(x, y, m_strTitle);
}

void CDiagram::Draw(CDC* dc) {
    if (m_pDC == NULL) return;
    // Held through the whole drawing: the target device context stays ours until it is done.
    CSingleLock lock(&m_lock, TRUE);
    CPen framePen(PS_DASHDOTDOT, m_nMargin, m_crFrame);
    CBrush background(m_crBackground);

    CDC* const windowDC = m_pDC;
    CDC memory;
    CBitmap bitmap;
    HGDIOBJ oldBitmap = NULL;
    const int width = abs(m_rectOuter.right), height = abs(m_rectOuter.bottom);
    if (dc == NULL) {
        // Nothing to show in an empty window; the window never sees a half-drawn diagram.
        if (width == 0 || height == 0) return;
        if (!memory.CreateCompatibleDC(windowDC) ||
            !bitmap.CreateCompatibleBitmap(windowDC, width, height))
            return;
        oldBitmap = memory.SelectObject(bitmap.m_hObject);
        memory.FillSolidRect(0, 0, width, height, m_crBackground);
        m_pDC = &memory;
    } else {
        m_pDC = dc;
    }
    m_pDC->SetBkColor(m_crBackground);
    m_pDC->SetBkMode(TRANSPARENT);

    if (m_bAutoSize && m_bChanged) AutoSize();
    if (m_bFrame) {
        chart::Select pen(m_pDC, framePen);
        chart::Select brush(m_pDC, background);
        m_pDC->Rectangle(m_rectOuter.left, m_rectOuter.top, m_rectOuter.right - 1,
                         m_rectOuter.bottom - 1);
    }

    if (m_pLegend != NULL && m_bLegendShown) m_pLegend->Draw();
    for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;) {
        CAxis* axis = static_cast<CAxis*>(m_axes.GetNext(pos));
        if (IsDrawable(axis)) axis->Draw();
    }
    for (POSITION pos = m_curves.GetHeadPosition(); pos != NULL;) {
        CCurve* curve = static_cast<CCurve*>(m_curves.GetNext(pos));
        curve->RecalcPixels();
        if (curve->IsShown()) curve->Draw();
    }

    // The grid lines ran over the axis lines: those come again on top.
    if (m_bGrid) {
        for (POSITION pos = m_axes.GetHeadPosition(); pos != NULL;) {
            CAxis* axis = static_cast<CAxis*>(m_axes.GetNext(pos));
            if (IsDrawable(axis)) axis->DrawAxisLine();
        }
    }
    DrawTitle();

    m_pDC = windowDC;
    if (dc == NULL) {
        windowDC->BitBlt(0, 0, width, height, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(oldBitmap);
    }
}
