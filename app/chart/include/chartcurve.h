// Curves of a diagram: the abstract CCurve, the discrete curve of sampled values and the
// digital (on/off) curve.
#pragma once

#include "chartlegend.h"
#include "chartpoint.h"

class CAxis;
class CDiagram;

class CCurve : public CObject {
    DECLARE_DYNAMIC(CCurve)
public:
    CCurve();
    // Copies every setting and clones every point; the copy belongs to no diagram.
    CCurve(const CCurve& src);
    // Deletes the points.
    ~CCurve() override;

    // Stores the plot rectangle (device pixels of the diagram's device context); with both
    // axes bound, the pixels and the symbol spacing follow.
    virtual BOOL SetRect(int left, int top, int right, int bottom);
    // Draws every point, marker lines and the name along the line. FALSE without a diagram,
    // points or while hidden.
    virtual BOOL Draw();
    // Draws the newest segment; after a scroll the whole diagram instead.
    virtual BOOL DrawLast();
    // Binds the x and y axes when CheckAxes accepts them.
    virtual BOOL SetAxes(CAxis* x, CAxis* y);
    // A horizontal x axis (position 2 or 3) and a vertical y axis (position 0 or 1).
    virtual BOOL CheckAxes(CAxis* x, CAxis* y);
    virtual BOOL DrawPoint(CCurvePoint* point, CCurvePoint* previous) = 0;
    virtual BOOL RecalcPixels() = 0;
    virtual BOOL AddPoint(double x, double y, BOOL marked) = 0;
    virtual CCurve* Clone() const = 0;

    // Also hands the diagram to the symbol and the label.
    BOOL SetDiagram(CDiagram* diagram);
    // Each text that is not NULL replaces the name, the y prefix or the x prefix.
    BOOL SetTexts(const char* name, const char* yPrefix = NULL, const char* xPrefix = NULL);
    // Curve and symbol colour.
    BOOL SetColor(COLORREF color);
    // Refuses a count below 1.
    BOOL SetSymbolCount(int count);
    // Refuses a count below 1 and a number outside 0 to 255; a size of 0 means 8 points.
    BOOL SetSymbol(int count, int number, int size);
    CSymbol* GetSymbol() { return &m_symbol; }
    CLabel* GetLabel() { return &m_label; }
    BOOL SetSymbolsShown(BOOL shown);
    BOOL SetLineWidth(int width) {
        m_nLineWidth = width;
        return TRUE;
    }
    BOOL SetBackgroundColor(COLORREF color) {
        m_crBackground = color;
        return TRUE;
    }
    BOOL SetShown(BOOL shown) {
        m_bShown = shown;
        return TRUE;
    }
    BOOL SetPenStyle(int style);
    int GetPenStyle() const { return m_nPenStyle; }
    // 0, 1 or 4.
    BOOL SetValueStyle(int style);
    // Whether the legend text carries the x value and the y value.
    BOOL SetLegendValues(BOOL showX, BOOL showY);
    BOOL DeleteAllPoints();
    // Deletes the points that scrolled out left of the x axis, keeping the one just before its
    // minimum. FALSE unless the diagram drops hidden points.
    BOOL RemoveHiddenPoints();
    // A marker line at device x across the plot.
    BOOL DrawMarker(int x);
    // Clips the segment to the plot rectangle; FALSE when nothing of it is visible.
    BOOL ClipLine(int& x1, int& y1, int& x2, int& y2);
    // "<name> [<x prefix><x><unit> | <y prefix><y><unit>]" and its shorter forms.
    CString GetLegendText(double x, double y);
    // Redraws this curve's legend row with GetLegendText (x, y); FALSE without a legend.
    BOOL UpdateLegend(double x, double y);
    BOOL IsInPlotX(const CCurvePoint* point) const;
    BOOL IsInPlotY(const CCurvePoint* point) const;

    // The text the legend shows in this curve's row; empty shows the name.
    void SetLegendText(const CString& text) { m_strLegendText = text; }
    const CString& GetStoredLegendText() const { return m_strLegendText; }
    CString GetLegendRowText() const;

    BOOL SetConnectPoints(BOOL connect) {
        m_bConnectPoints = connect;
        return TRUE;
    }
    BOOL GetConnectPoints() const { return m_bConnectPoints; }
    BOOL SetLabelPosition(int percent) {
        m_nLabelPosition = percent;
        return TRUE;
    }

    const CString& GetName() const { return m_strName; }
    const CString& GetYPrefix() const { return m_strYPrefix; }
    const CString& GetXPrefix() const { return m_strXPrefix; }
    COLORREF GetColor() const { return m_crColor; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    BOOL IsShown() const { return m_bShown; }
    BOOL GetSymbolsShown() const { return m_bSymbolsShown; }
    int GetSymbolCount() const { return m_nSymbolCount; }
    double GetSymbolSpacing() const { return m_dSymbolSpacing; }
    double GetSymbolPhase() const { return m_dSymbolPhase; }
    double GetFirstSymbolDistance() const { return m_dFirstSymbolDistance; }
    int GetLineWidth() const { return m_nLineWidth; }
    int GetValueStyle() const { return m_nValueStyle; }
    BOOL GetShowX() const { return m_bShowX; }
    BOOL GetShowY() const { return m_bShowY; }
    BOOL GetRedrawAll() const { return m_bRedrawAll; }
    int GetScrollDistance() const { return m_nScrollDistance; }
    CAxis* GetXAxis() const { return m_pXAxis; }
    CAxis* GetYAxis() const { return m_pYAxis; }
    CDiagram* GetDiagram() const { return m_pDiagram; }
    const RECT& GetPlotRect() const { return m_rectPlot; }
    int GetPointCount() const { return m_points.GetCount(); }
    // The points, oldest first (owned by the curve).
    CObList& GetPoints() { return m_points; }
    // The diagram's lock while the curve belongs to one, else the curve's own.
    CSyncObject* GetLock();

    // The curves' own generator of symbol phases; a seed makes the phases of the curves made
    // afterwards repeatable. Unseeded, it starts from the clock.
    static void SeedSymbolPhase(unsigned int seed);

protected:
    void RecalcSymbolSpacing();
    // Pixel y of a value on the y axis (the axes are bound).
    virtual int PixelYOf(double y);
    // Both pixels of every point from the axes; FALSE without them.
    BOOL RecalcAllPixels();
    CDC* GetDC() const;
    void MarkChanged();
    // The segment from (x1, y1) to (x2, y2), clipped, drawn with the selected pen and with
    // symbols every spacing pixels from the running distance on. The clipped end lands in
    // *endX, *endY when given. FALSE when nothing of it was visible.
    BOOL DrawSegment(int x1, int y1, int x2, int y2, int* endX = NULL, int* endY = NULL);
    void DeletePoints();
    void ClonePointsFrom(const CCurve& src);

    int m_nPenStyle;
    CSymbol m_symbol;
    CLabel m_label;
    int m_nLabelPosition;
    BOOL m_bRedrawAll;
    CObList m_points;
    CAxis* m_pXAxis;
    CAxis* m_pYAxis;
    COLORREF m_crColor;
    COLORREF m_crBackground;
    COLORREF m_crMarker;
    CString m_strName;
    CString m_strYPrefix;
    CString m_strXPrefix;
    BOOL m_bSymbolsShown;
    BOOL m_bShown;
    int m_nSymbolCount;
    double m_dSymbolSpacing;
    double m_dSymbolPhase;
    double m_dFirstSymbolDistance;
    double m_dRunningDistance;
    RECT m_rectPlot;
    CDiagram* m_pDiagram;
    int m_nLineWidth;
    int m_nMarkerWidth;
    int m_nPrecision;
    BOOL m_bConnectPoints;
    int m_nScrollDistance;
    int m_nValueStyle;
    BOOL m_bShowX;
    BOOL m_bShowY;
    CString m_strLegendText;
    CCriticalSection m_lock;
};

// Sampled measured values joined by straight lines (or as dots or symbols), each sample marked
// by a small cross; scrolls its x axis forward as the samples run past the visible window.
class CCurveDiscrete : public CCurve {
    DECLARE_DYNCREATE(CCurveDiscrete)
public:
    CCurveDiscrete(int reserved1 = 0, int reserved2 = 0);
    CCurveDiscrete(const CCurveDiscrete& src);

    BOOL Draw() override;
    BOOL DrawPoint(CCurvePoint* point, CCurvePoint* previous) override;
    BOOL RecalcPixels() override;
    BOOL AddPoint(double x, double y, BOOL marked = FALSE) override;
    CCurve* Clone() const override;

    COLORREF GetCrossColor() const { return m_crCross; }

protected:
    COLORREF m_crCross;
    int m_nReserved1;
    int m_nReserved2;
};

// An on/off signal drawn as steps between the two levels of its CHiLoStr; bound to its axes
// with SetDigitalAxes, which registers it with digital axes.
class CCurveDigital : public CCurve {
    DECLARE_DYNCREATE(CCurveDigital)
public:
    CCurveDigital();
    CCurveDigital(const CCurveDigital& src);
    // Leaves the curve lists of the digital axes it is registered with.
    ~CCurveDigital() override;

    // Refused: a digital curve is bound with SetDigitalAxes.
    BOOL SetAxes(CAxis* x, CAxis* y) override;
    BOOL DrawPoint(CCurvePoint* point, CCurvePoint* previous) override;
    BOOL RecalcPixels() override;
    // Accepted only after the last point's x.
    BOOL AddPoint(double x, double y, BOOL marked = FALSE) override;
    CCurve* Clone() const override;

    BOOL SetDigitalAxes(CAxis* x, CAxis* y);
    BOOL SetLevels(double high, double low, const CString& highText, const CString& lowText);
    const CHiLoStr& GetLevels() const { return m_levels; }
    double GetThreshold() const { return m_dThreshold; }

protected:
    // Pixel y of a value: the level it takes on a digital y axis, else the value itself.
    int PixelYOf(double y) override;

    // Leaves the curve lists of the digital axes that SetDigitalAxes entered it in.
    void Unregister();

    CHiLoStr m_levels;
    double m_dThreshold;
    BOOL m_bRegistered;
};
