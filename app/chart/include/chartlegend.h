// The legend box of a diagram and the label that a curve writes along its line.
#pragma once

#include "vaskfc.h"

class CDiagram;
class CCurve;

// Positions of the legend relative to the rest of the diagram.
enum {
    LEGEND_LEFT = 0,
    LEGEND_RIGHT = 1,
    LEGEND_BOTTOM = 2,
    LEGEND_TOP = 3,
};

// Lists every shown curve of its diagram: the curve's symbol on a short line and its row text
// (the legend text last stored for the curve, else its name).
class CLegend : public CObject {
    DECLARE_DYNCREATE(CLegend)
public:
    CLegend();
    // Copies colours, visibility, position and font size; no diagram.
    CLegend(const CLegend& src);

    // With a diagram, hands itself to the diagram again, which lays out anew. A position
    // outside 0 to 3 stops the diagram's layout.
    BOOL SetPosition(int position);
    BOOL SetRect(int left, int top, int right, int bottom);
    BOOL SetDiagram(CDiagram* diagram) {
        m_pDiagram = diagram;
        return TRUE;
    }
    BOOL SetFrameColor(COLORREF color) {
        m_crFrame = color;
        return TRUE;
    }
    BOOL SetBackgroundColor(COLORREF color) {
        m_crBackground = color;
        return TRUE;
    }
    BOOL SetVisible(BOOL visible);
    // 0 means 8 points.
    BOOL SetFontSize(int size);
    // Extent of the text and metrics of the legend font in the diagram's device context.
    BOOL GetTextSize(CSize& size, TEXTMETRIC* metrics, CString text, CFont* font = NULL);
    // Width of a legend at the left or right (height -1); height of one above or below
    // (width -1); (-1, -1) without a diagram.
    BOOL GetRequiredSize(CSize& size, CFont* font = NULL);
    // The whole legend (only = NULL), or the row of one curve, whose legend text becomes the
    // given text when that is not empty. FALSE without a diagram or while invisible.
    BOOL Draw(CCurve* only = NULL, CString text = CString());

    int GetPosition() const { return m_nPosition; }
    BOOL IsVisible() const { return m_bVisible; }
    int GetFontSize() const { return m_nFontSize; }
    COLORREF GetFrameColor() const { return m_crFrame; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    CDiagram* GetDiagram() const { return m_pDiagram; }
    BOOL GetRect(RECT& rect) const {
        rect = m_rect;
        return TRUE;
    }

protected:
    void CreateLegendFont(CFont& font, CDC* dc) const;

    RECT m_rect;
    CCriticalSection m_lock;
    COLORREF m_crBackground;
    COLORREF m_crFrame;
    BOOL m_bVisible;
    CDiagram* m_pDiagram;
    int m_nPosition;
    int m_nFontSize;
};

// A short text drawn at a point and turned by an angle.
class CLabel : public CObject {
    DECLARE_DYNCREATE(CLabel)
public:
    CLabel();
    CLabel(const CLabel& src);

    // Extent of the text in the label's font (or the given one); (0, 0) without a diagram.
    virtual BOOL GetSize(CSize& size, CFont* font = NULL);

    // A size of 0 means 8 points.
    void SetText(const CString& text, int size = 0);
    void SetColor(COLORREF color) { m_crColor = color; }
    void SetShown(BOOL shown) { m_bShown = shown; }
    void SetDiagram(CDiagram* diagram) { m_pDiagram = diagram; }
    const CString& GetText() const { return m_strText; }
    int GetFontSize() const { return m_nFontSize; }
    BOOL IsShown() const { return m_bShown; }
    // Writes the text with its top left at (x, y), turned by escapement tenths of a degree.
    // FALSE when hidden, empty or without a diagram.
    BOOL Draw(int x, int y, int escapement);

protected:
    void CreateLabelFont(CFont& font, CDC* dc, int escapement) const;

    CString m_strText;
    COLORREF m_crColor;
    int m_nFontSize;
    CDiagram* m_pDiagram;
    BOOL m_bShown;
};
