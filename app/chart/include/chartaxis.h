// The axes of a diagram: the abstract CAxis and its four kinds (linear, logarithmic, time,
// digital). An axis maps values to pixel offsets along its own rectangle, which the diagram's
// layout gives it, and draws its line, ticks, labels, grid lines and title into the diagram's
// device context.
//
// Pixel offsets count from the start of the axis: the left edge of a horizontal axis, the
// bottom edge of a vertical one. ValueToPixel and PixelToValue use the same offsets.
#pragma once

#include "vaskfc.h"

class CDiagram;
class CCurve;

// Positions of an axis relative to the plot.
enum {
    AXIS_LEFT = 0,
    AXIS_RIGHT = 1,
    AXIS_BOTTOM = 2,
    AXIS_TOP = 3,
};

// Title alignments along the axis.
enum {
    AXIS_TITLE_START = 0,
    AXIS_TITLE_END = 1,
    AXIS_TITLE_CENTER = 5,
};

class CAxis : public CObject {
    DECLARE_DYNAMIC(CAxis)
public:
    CAxis();
    // Copies every setting; the copy belongs to no diagram.
    CAxis(const CAxis& src);
    ~CAxis() override;

    // Moves the range by delta (in axis units; the logarithmic axis by decades).
    virtual BOOL Shift(double delta) = 0;
    // Draws the axis; the base draws the axis line and the title, the kinds draw their ticks
    // first. FALSE without a diagram or while the axis is invisible.
    virtual BOOL Draw();
    virtual int ValueToPixel(double value) = 0;
    virtual double PixelToValue(int pixel) = 0;
    // Accepts (possibly corrected) or refuses a new range.
    virtual BOOL CheckRange(double& minimum, double& maximum) = 0;
    // The label text of a value; the base formats it with the label format made from the
    // precision. Only the digital axis reads the curve.
    virtual CString FormatLabel(double value, CCurve* curve = NULL);
    // Stores the rectangle and applies the range again for the new length.
    virtual BOOL SetRect(int left, int top, int right, int bottom);
    virtual BOOL GetRect(RECT& rect) const;
    virtual CAxis* Clone() const = 0;
    // The width (vertical axis) or height (horizontal axis) the axis needs, the other
    // dimension -1. FALSE (and -1, -1) without a device context to measure in.
    virtual BOOL GetRequiredSize(CSize& size) = 0;

    BOOL SetPosition(int position);
    BOOL SetVisible(BOOL visible);
    // Refused on a logarithmic axis and for an interval below 1.
    BOOL SetGridInterval(int interval);
    // The label format from the program's string table; the old one stays when it is missing.
    BOOL LoadLabelFormat(UINT id);
    // Axis colour and text colour together.
    BOOL SetColor(COLORREF color);
    BOOL SetPenWidth(int width);
    // Asks CheckRange; stores the range (as CheckRange left it) when accepted.
    BOOL SetRange(double minimum, double maximum);
    BOOL SetPrecision(int precision) {
        m_nPrecision = precision;
        return TRUE;
    }
    BOOL SetGrid(BOOL grid) {
        m_bGrid = grid;
        return TRUE;
    }
    BOOL SetFaceColor(COLORREF color) {
        m_crFace = color;
        return TRUE;
    }
    BOOL SetEndTextSide(int side) {
        m_nEndTextSide = side;
        return TRUE;
    }
    BOOL SetTitleAlignment(int alignment) {
        m_nTitleAlignment = alignment;
        return TRUE;
    }
    BOOL SetTitle(const CString& title) {
        m_strTitle = title;
        return TRUE;
    }
    BOOL SetUnit(const CString& unit) {
        m_strUnit = unit;
        return TRUE;
    }
    BOOL SetEndText(const CString& text) {
        m_strEndText = text;
        return TRUE;
    }
    BOOL SetLabelFormat(const CString& format) {
        m_strLabelFormat = format;
        return TRUE;
    }
    // 1 writes the labels of a horizontal axis turned upward, 0 upright; others are refused.
    BOOL SetLabelOrientation(int vertical);

    // Metrics of the given font (else of the label font) in the given device context (else
    // the diagram's); FALSE when there is none.
    BOOL GetLabelMetrics(TEXTMETRIC* metrics, CFont* font = NULL, CDC* dc = NULL);
    // One grid line at the pixel offset, drawn by the diagram; FALSE without a diagram.
    BOOL DrawGridLine(int pixel);
    BOOL DrawLabelTick(int pixel, CString text);
    BOOL DrawTick(int pixel);
    // The axis line alone (the diagram draws it again over its grid lines).
    BOOL DrawAxisLine();

    double GetMinimum() const { return m_dMinimum; }
    double GetMaximum() const { return m_dMaximum; }
    BOOL IsVisible() const { return m_bVisible; }
    int GetPosition() const { return m_nPosition; }
    BOOL IsVertical() const { return m_nPosition == AXIS_LEFT || m_nPosition == AXIS_RIGHT; }
    CDiagram* GetDiagram() const { return m_pDiagram; }
    void SetDiagram(CDiagram* diagram) { m_pDiagram = diagram; }
    COLORREF GetColor() const { return m_crAxis; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetFaceColor() const { return m_crFace; }
    int GetGridInterval() const { return m_nGridInterval; }
    int GetPenWidth() const { return m_nPenWidth; }
    const CString& GetTitle() const { return m_strTitle; }
    const CString& GetUnit() const { return m_strUnit; }
    const CString& GetEndText() const { return m_strEndText; }
    const CString& GetLabelFormat() const { return m_strLabelFormat; }
    int GetFontSize() const { return m_nFontSize; }
    int GetLabelOrientation() const { return m_nVerticalLabels; }
    int GetPrecision() const { return m_nPrecision; }
    BOOL GetGrid() const { return m_bGrid; }
    int GetGridPenStyle() const { return m_nGridPenStyle; }
    int GetGridPenWidth() const { return m_nGridPenWidth; }
    // Length in pixels: bottom - top of a vertical axis, right - left of a horizontal one.
    int GetLength() const;
    // The diagram's lock while the axis belongs to one, else the axis's own.
    CSyncObject* GetLock();

    // Label sizes of the axis's font size in the device context, in device pixels (at least 1).
    int GetLongTick(CDC* dc) const;
    int GetShortTick(CDC* dc) const;
    int GetLabelGap(CDC* dc) const;

protected:
    // The formulas of the required size; digital is the kind without room when horizontal.
    enum SizeKind { SIZE_LINEAR, SIZE_LOG_TIME, SIZE_DIGITAL };
    BOOL RequiredSizeFor(CSize& size, SizeKind kind, int labelLength);
    // The longer (in characters) of the labels of minimum and maximum.
    int LongestRangeLabel();
    // The device context drawing goes to: the diagram's, NULL when there is none.
    CDC* GetDC() const;
    void MarkChanged();
    void CreateLabelFont(CFont& font, CDC* dc, BOOL turned) const;

    double m_dMaximum;
    double m_dMinimum;
    BOOL m_bVisible;
    CDiagram* m_pDiagram;
    COLORREF m_crAxis;
    COLORREF m_crText;
    COLORREF m_crFace;
    int m_nGridInterval;
    int m_nPenWidth;
    int m_nPosition;
    CString m_strTitle;
    CString m_strUnit;
    CString m_strLabelFormat;
    RECT m_rect;
    int m_nFontSize;
    double m_dScale;
    int m_nVerticalLabels;
    int m_nPrecision;
    BOOL m_bGrid;
    CString m_strEndText;
    int m_nEndTextSide;
    int m_nGridPenStyle;
    int m_nGridPenWidth;
    int m_nTitleAlignment;
    CCriticalSection m_lock;

private:
    BOOL DrawTickAt(int pixel, BOOL labelled, const CString& text);
    void DrawTitle(CDC* dc);
};

// The axes whose ticks lie at origin + k * step, every label-interval-th one labelled (the
// linear and the time axis): their tick settings, linear scale and range check.
class CAxisStepped : public CAxis {
    DECLARE_DYNAMIC(CAxisStepped)
public:
    int ValueToPixel(double value) override;
    double PixelToValue(int pixel) override;
    // Accepts only minimum < maximum.
    BOOL CheckRange(double& minimum, double& maximum) override;

    // Refuses a step that is not positive and finite and a label interval below 1.
    BOOL SetTicks(double origin, double step, int labelInterval);
    double GetStep() const { return m_dStep; }
    double GetOrigin() const { return m_dOrigin; }
    int GetLabelInterval() const { return m_nLabelInterval; }

protected:
    // Step 1.0 from origin 0.0, every 10th tick labelled; range 0 to 100.
    CAxisStepped();
    CAxisStepped(const CAxisStepped& src);
    // Ticks, labels and grid lines, then the axis line and the title; times follow the time
    // axis's tolerances. FALSE without a diagram or while invisible.
    BOOL DrawSteps(BOOL times);

    double m_dStep;
    double m_dOrigin;
    int m_nLabelInterval;
};

class CAxisLinear : public CAxisStepped {
    DECLARE_DYNCREATE(CAxisLinear)
public:
    CAxisLinear();
    CAxisLinear(const CAxisLinear& src);

    BOOL Shift(double delta) override;
    BOOL Draw() override;
    CAxis* Clone() const override;
    BOOL GetRequiredSize(CSize& size) override;
};

// Ticks by decades: subdivisions tick intervals per decade.
class CAxisLog : public CAxis {
    DECLARE_DYNCREATE(CAxisLog)
public:
    CAxisLog();
    CAxisLog(const CAxisLog& src);

    BOOL Shift(double delta) override;
    BOOL Draw() override;
    int ValueToPixel(double value) override;
    double PixelToValue(int pixel) override;
    BOOL CheckRange(double& minimum, double& maximum) override;
    CAxis* Clone() const override;
    BOOL GetRequiredSize(CSize& size) override;

    // 1 to 9 subdivisions and a label interval of at least 1.
    BOOL SetSubdivisions(int subdivisions, int labelInterval);
    int GetSubdivisions() const { return m_nSubdivisions; }
    int GetLabelInterval() const { return m_nLabelInterval; }

protected:
    int m_nSubdivisions;
    int m_nLabelInterval;
};

// Values are seconds since 1970 (the CTime scale); labels are local clock times formatted with
// the label format as a CTime::Format template.
class CAxisTime : public CAxisStepped {
    DECLARE_DYNCREATE(CAxisTime)
public:
    CAxisTime();
    CAxisTime(const CAxisTime& src);

    // Refused (0) when the minimum would fall below 0: the minimum becomes 0.
    BOOL Shift(double seconds) override;
    BOOL Draw() override;
    CString FormatLabel(double value, CCurve* curve = NULL) override;
    CAxis* Clone() const override;
    BOOL GetRequiredSize(CSize& size) override;
};

// The axis of on/off curves: values are percentages of the axis length; its labels are the
// level texts of the digital curves registered with it (the list does not own them).
class CAxisDigital : public CAxis {
    DECLARE_DYNCREATE(CAxisDigital)
public:
    CAxisDigital();
    // Copies the axis settings; the copy starts with no curves.
    CAxisDigital(const CAxisDigital& src);

    BOOL Shift(double delta) override;
    BOOL Draw() override;
    int ValueToPixel(double value) override;
    double PixelToValue(int pixel) override;
    // Refuses every range.
    BOOL CheckRange(double& minimum, double& maximum) override;
    // The curve's high text for a value at or above its threshold, else its low text; empty
    // for a curve that is not registered.
    CString FormatLabel(double value, CCurve* curve = NULL) override;
    CAxis* Clone() const override;
    BOOL GetRequiredSize(CSize& size) override;

    BOOL AddCurve(CCurve* curve);
    BOOL RemoveCurve(CCurve* curve);
    BOOL HasCurve(CCurve* curve) const;
    int GetCurveCount() const { return m_curves.GetCount(); }

protected:
    CObList m_curves;
};
