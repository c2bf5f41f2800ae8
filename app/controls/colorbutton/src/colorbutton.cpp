// The colour button.
#include "colorbutton.h"

#include <initializer_list>

CColorButton::CColorButton() : m_color(RGB(0, 0, 0)) {
    m_rect1.SetRectEmpty();
    m_rect2.SetRectEmpty();
}

CColorButton::~CColorButton() {
    m_bitmap1.DeleteObject();
    m_bitmap2.DeleteObject();
}

void CColorButton::SetColor(COLORREF color) {
    m_color = color;
    if (m_bitmap1.GetSafeHandle() == NULL) return;
    CDC screen;
    screen.Attach(::GetDC(NULL));
    CDC memory;
    if (memory.CreateCompatibleDC(&screen)) {
        CBrush brush(color);
        CBitmap* pOld = memory.SelectObject(&m_bitmap1);
        memory.FillRect(&m_rect1, &brush);
        if (m_bitmap2.GetSafeHandle() != NULL) {
            memory.SelectObject(&m_bitmap2);
            memory.FillRect(&m_rect2, &brush);
        }
        memory.SelectObject(pOld);
    }
    ::ReleaseDC(NULL, screen.Detach());
}

BOOL CColorButton::LoadBitmaps(UINT nIdBitmap1, UINT nIdBitmap2) {
    m_bitmap1.DeleteObject();
    m_bitmap2.DeleteObject();
    const BOOL first = m_bitmap1.LoadBitmap(nIdBitmap1);
    const BOOL second = m_bitmap2.LoadBitmap(nIdBitmap2);
    return first && second;
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect r(lpDrawItemStruct->rcItem);
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    CPen white(PS_SOLID, 0, RGB(0xFF, 0xFF, 0xFF));
    CPen light(PS_SOLID, 0, RGB(0xC0, 0xC0, 0xC0));
    CPen dark(PS_SOLID, 0, RGB(0x80, 0x80, 0x80));
    CPen* pOldPen = pDC->SelectObject(&black);

    // Each run of lines starts at its first point and goes on to the others.
    auto lines = [pDC](CPen& pen, std::initializer_list<POINT> points) {
        pDC->SelectObject(&pen);
        const POINT* p = points.begin();
        pDC->MoveTo(p->x, p->y);
        for (++p; p != points.end(); ++p) pDC->LineTo(p->x, p->y);
    };
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
        lines(dark,
              {{r.left + 1, r.bottom - 3}, {r.left + 1, r.top + 1}, {r.right - 2, r.top + 1}});
        lines(light, {{r.left + 2, r.bottom - 2},
                      {r.left + 2, r.top + 2},
                      {r.right - 2, r.top + 2},
                      {r.right - 4, r.top + 4}});
        lines(light, {{r.left + 3, r.top + 3},
                      {r.left + 3, r.bottom - 2},
                      {r.right - 2, r.bottom - 2},
                      {r.right - 2, r.top + 3},
                      {r.left + 3, r.top + 3}});
        r.OffsetRect(1, 1);
    } else {
        lines(white,
              {{r.left + 1, r.bottom - 3}, {r.left + 1, r.top + 1}, {r.right - 2, r.top + 1}});
        lines(white,
              {{r.left + 2, r.bottom - 4}, {r.left + 2, r.top + 2}, {r.right - 3, r.top + 2}});
        lines(black,
              {{r.left + 2, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.top + 1}});
        lines(black,
              {{r.left + 3, r.bottom - 3}, {r.right - 3, r.bottom - 3}, {r.right - 3, r.top + 2}});
    }

    r.DeflateRect(4, 4);
    CBrush brush(m_color);
    pDC->SelectObject(&black);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    // A disabled button shows no colour field.
    if (::IsWindowEnabled(lpDrawItemStruct->hwndItem)) pDC->Rectangle(&r);
    if (lpDrawItemStruct->itemState & ODS_FOCUS) {
        r.InflateRect(1, 1);
        pDC->DrawFocusRect(&r);
    }
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}
