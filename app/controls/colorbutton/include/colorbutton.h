// CColorButton: an owner-drawn push button that shows a colour field in a 3-D frame. The
// curve option page uses it to show and choose a curve's colour; the page opens the colour
// dialog itself and hands the choice over with SetColor.
//
// The button may also carry two bitmaps whose rectangles take the colour (LoadBitmaps,
// SetRect1, SetRect2); without them SetColor only stores the colour and the field shows it at
// the next repaint.
#pragma once

#include "vaskfc.h"

class CColorButton : public CButton {
public:
    CColorButton();
    // Deletes both bitmaps' GDI objects.
    ~CColorButton() override;

    // Stores the colour; with bitmap 1 loaded, fills rectangle 1 of bitmap 1 and rectangle 2
    // of bitmap 2 with it.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // Both bitmaps from the resources; TRUE when both loaded.
    BOOL LoadBitmaps(UINT nIdBitmap1, UINT nIdBitmap2);
    void SetRect1(int left, int top, int right, int bottom) {
        m_rect1.SetRect(left, top, right, bottom);
    }
    void SetRect2(int left, int top, int right, int bottom) {
        m_rect2.SetRect(left, top, right, bottom);
    }

    // The frame, raised or pressed, the colour field while the button is enabled, and the
    // focus rectangle.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    CBitmap m_bitmap1;
    CBitmap m_bitmap2;
    CRect m_rect1;
    CRect m_rect2;
    COLORREF m_color;
};
