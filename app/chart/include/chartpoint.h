// What curves are made of: the points with their pixel positions, the marker symbol drawn
// along a curve and in the legend, and the two levels of an on/off curve.
#pragma once

#include "vaskfc.h"

class CAxis;
class CDiagram;

// One value of a curve and where it lies: pixel x from the plot's left edge, pixel y from
// its bottom edge.
class CCurvePoint : public CObject {
public:
    CCurvePoint(double x = 0.0, double y = 0.0, BOOL marked = FALSE);
    CCurvePoint(const CCurvePoint& src);

    virtual CCurvePoint* Clone() const = 0;

    // Store the value and, with an axis, its pixel offset on that axis.
    void SetX(double x, CAxis* axis = NULL);
    void SetY(double y, CAxis* axis = NULL);

    double m_dX;
    double m_dY;
    int m_nPixelX;
    int m_nPixelY;
    BOOL m_bMarked;
};

// The point every curve stores.
class CCurvePlainPoint : public CCurvePoint {
    DECLARE_DYNCREATE(CCurvePlainPoint)
public:
    CCurvePlainPoint(double x = 0.0, double y = 0.0, BOOL marked = FALSE);
    CCurvePlainPoint(const CCurvePlainPoint& src);
    CCurvePoint* Clone() const override;
};

// A point with a mark of its own; kept for documents of this kind, not drawn.
class CCurveMarkPoint : public CCurvePoint {
    DECLARE_DYNCREATE(CCurveMarkPoint)
public:
    CCurveMarkPoint();
    CCurveMarkPoint(double x, double y);
    CCurveMarkPoint(const CCurveMarkPoint& src);
    CCurvePoint* Clone() const override;

    int m_nMarkKind;
    int m_nMarkStyle;
    int m_nMarkSize;
    COLORREF m_crMark;
    int m_nMarkFlags;
    int m_nMarkExtra[3];
};

// A marker glyph: the decimal text of its number written in the symbol font "Zavirur",
// optionally on a short line (the legend's form).
class CSymbol : public CObject {
    DECLARE_DYNCREATE(CSymbol)
public:
    CSymbol();
    CSymbol(const CSymbol& src);

    // Width: the widest character (three times that with the line); height: the text height.
    // (0, 0) without a diagram.
    virtual BOOL GetSize(CSize& size, BOOL withLine, CFont* font = NULL);

    void SetDiagram(CDiagram* diagram) { m_pDiagram = diagram; }
    void SetColorAndNumber(COLORREF color, int number);
    void SetColor(COLORREF color) { m_crColor = color; }
    void SetShown(BOOL shown) { m_bShown = shown; }
    // A size of 0 means 8 points.
    void SetNumberAndSize(int number, int size);
    void SetPenStyle(int style) { m_nPenStyle = style; }
    int GetPenStyle() const { return m_nPenStyle; }
    int GetNumber() const { return m_nNumber; }
    int GetFontSize() const { return m_nFontSize; }
    COLORREF GetColor() const { return m_crColor; }
    BOOL IsShown() const { return m_bShown; }
    // Draws the glyph centred on (x, y); with the line, the line starts at x and the glyph
    // stands in its middle. FALSE without a diagram.
    BOOL Draw(int x, int y, BOOL withLine);

protected:
    void CreateSymbolFont(CFont& font, CDC* dc) const;

    int m_nPenStyle;
    int m_nNumber;
    COLORREF m_crColor;
    int m_nFontSize;
    CDiagram* m_pDiagram;
    BOOL m_bShown;
};

// The high (on) and low (off) levels of a digital curve, in percent of the y axis, with the
// texts that label them.
class CHiLoStr : public CObject {
    DECLARE_DYNCREATE(CHiLoStr)
public:
    CHiLoStr();
    CHiLoStr(const CHiLoStr& src);
    CHiLoStr& operator=(const CHiLoStr& src);

    void SetHighValue(double value) { m_dHigh = value; }
    void SetLowValue(double value) { m_dLow = value; }
    void SetHighText(const CString& text) { m_strHigh = text; }
    void SetLowText(const CString& text) { m_strLow = text; }
    double GetHighValue() const { return m_dHigh; }
    double GetLowValue() const { return m_dLow; }
    const CString& GetHighText() const { return m_strHigh; }
    const CString& GetLowText() const { return m_strLow; }

protected:
    double m_dHigh;
    double m_dLow;
    CString m_strHigh;
    CString m_strLow;
};
