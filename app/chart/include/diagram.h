// The diagram: owns its axes, curves and legend, divides its rectangle into title, legend,
// axis and plot areas, and draws them, double-buffered onto its window or directly into a
// device context the caller gives (printing, metafile export).
//
// One re-entrant lock, the diagram's, guards drawing and the values that axes and curves
// change while a drawing may run; a thread may take it again while it holds it.
#pragma once

#include "chartaxis.h"
#include "chartcurve.h"
#include "chartlegend.h"

class CDiagram : public CObject {
    DECLARE_DYNAMIC(CDiagram)
public:
    // Draws on the window's client area (which is also its first rectangle).
    explicit CDiagram(CWnd* window);
    // Gives back the window's device context and deletes what the lists still hold.
    ~CDiagram() override;

    // Deletes every axis, every curve and the legend.
    void DeleteAll();

    BOOL SetWindow(CWnd* window);
    BOOL AddAxis(CAxis* axis);
    BOOL AddCurve(CCurve* curve);
    // Refused for an axis that is not in the list or that a curve is bound to; the axis is
    // unlinked, not deleted.
    BOOL RemoveAxis(CAxis* axis);
    BOOL RemoveCurve(CCurve* curve);
    // The diagram owns the legend (a legend it held before is deleted).
    BOOL SetLegend(CLegend* legend);
    BOOL SetLegendShown(BOOL shown);
    BOOL SetFrame(BOOL frame);
    // NULL empties the title.
    BOOL SetTitle(const char* title);
    BOOL SetTitleShown(BOOL shown);
    // 0 means 12 points.
    BOOL SetFontSize(int size);
    BOOL Set3D(BOOL on) {
        m_b3D = on;
        return TRUE;
    }
    BOOL SetGrid(BOOL on) {
        m_bGrid = on;
        return TRUE;
    }
    BOOL SetAutoSize(BOOL on) {
        m_bAutoSize = on;
        return TRUE;
    }
    BOOL SetDropHiddenPoints(BOOL on) {
        m_bDropHiddenPoints = on;
        return TRUE;
    }
    BOOL SetBackgroundColor(COLORREF color);
    // Percentages 0 to 100; refused beyond 100.
    BOOL SetScrollShares(double scroll, double view);
    // The outer rectangle.
    BOOL SetRect(int left, int top, int right, int bottom);
    // The client rectangle of the window that the device context draws on.
    BOOL SetRectFromDC(CDC* dc);
    BOOL SetLayout(double legendSize, double legendGap, double titleHeight, double horizontalAxes,
                   double verticalAxes);
    BOOL SetMargin(int margin);
    BOOL SetSpacing(int spacing);
    // Sizes legend, title and axes from their content (run by Draw while automatic sizes are
    // on and something changed).
    BOOL AutoSize();
    // FALSE when the legend's position is outside 0 to 3: the layout stops.
    BOOL Layout();
    // Draws the whole diagram into dc, or with NULL through an off-screen bitmap onto the
    // window.
    void Draw(CDC* dc);
    BOOL GetTitleSize(CSize& size);
    BOOL GetTitleMetrics(TEXTMETRIC* metrics, CFont* font = NULL, CDC* dc = NULL);
    COLORREF GetShadowColor() const;
    CString GetTitle() const { return m_strTitle; }

    // A grid line of the axis at the pixel offset, in the grid colour and the axis's grid pen;
    // nothing while the grid is off.
    BOOL DrawGridLine(CAxis* axis, int pixel);
    // The geometry needs a new automatic layout.
    void SetChanged() { m_bChanged = TRUE; }

    BOOL Get3D() const { return m_b3D; }
    BOOL GetFrame() const { return m_bFrame; }
    BOOL GetGrid() const { return m_bGrid; }
    BOOL GetAutoSize() const { return m_bAutoSize; }
    BOOL GetLegendShown() const { return m_bLegendShown; }
    BOOL GetTitleShown() const { return m_bTitleShown; }
    BOOL GetDropHiddenPoints() const { return m_bDropHiddenPoints; }
    BOOL IsChanged() const { return m_bChanged; }
    int GetFontSize() const { return m_nFontSize; }
    COLORREF GetBackgroundColor() const { return m_crBackground; }
    COLORREF GetGridColor() const { return m_crGrid; }
    COLORREF GetFrameColor() const { return m_crFrame; }
    COLORREF GetTitleColor() const { return m_crTitle; }
    double GetScrollShare() const { return m_dScrollShare; }
    double GetViewShare() const { return m_dViewShare; }
    double GetLegendSize() const { return m_dLegendSize; }
    double GetLegendGap() const { return m_dLegendGap; }
    double GetTitleHeight() const { return m_dTitleHeight; }
    double GetHorizontalAxesHeight() const { return m_dHorizontalAxes; }
    double GetVerticalAxesWidth() const { return m_dVerticalAxes; }
    int GetMargin() const { return m_nMargin; }
    int GetSpacing() const { return m_nSpacing; }
    CLegend* GetLegend() const { return m_pLegend; }
    CWnd* GetWindow() const { return m_pWnd; }
    // The device context drawing goes to: the window's, or the target of the current drawing.
    CDC* GetDC() const { return m_pDC; }
    CCriticalSection* GetLock() { return &m_lock; }
    const RECT& GetOuterRect() const { return m_rectOuter; }
    const RECT& GetInnerRect() const { return m_rectInner; }
    const RECT& GetPlotRect() const { return m_rectPlot; }
    const RECT& GetTitleRect() const { return m_rectTitle; }
    const RECT& GetLegendGapRect() const { return m_rectLegendGap; }
    const RECT& GetWindowRect() const { return m_rectWindow; }
    // Axes and curves in the order added (owned by the diagram).
    const CObList& GetAxes() const { return m_axes; }
    const CObList& GetCurves() const { return m_curves; }
    // Drawn and laid out: visible, and not a digital axis at the top or bottom.
    static BOOL IsDrawable(const CAxis* axis);

protected:
    void ComputeInnerRect();
    void ReleaseWindowDC();
    void CreateTitleFont(CFont& font, CDC* dc) const;
    void DrawTitle();

    int m_nFontSize;
    BOOL m_bFrame;
    BOOL m_bGrid;
    BOOL m_bLegendShown;
    BOOL m_b3D;
    BOOL m_bTitleShown;
    BOOL m_bDropHiddenPoints;
    CDC* m_pDC;
    CWnd* m_pWnd;
    CString m_strTitle;
    COLORREF m_crTitle;
    COLORREF m_crGrid;
    COLORREF m_crFrame;
    COLORREF m_crBackground;
    double m_dScrollShare;
    double m_dViewShare;
    double m_dLegendGap;
    double m_dTitleHeight;
    double m_dLegendSize;
    double m_dHorizontalAxes;
    double m_dVerticalAxes;
    RECT m_rectWindow;
    RECT m_rectTitle;
    RECT m_rectOuter;
    RECT m_rectPlot;
    RECT m_rectInner;
    RECT m_rectLegend;
    RECT m_rectLegendGap;
    int m_nMargin;
    int m_nSpacing;
    CLegend* m_pLegend;
    CObList m_axes;
    CObList m_curves;
    BOOL m_bAutoSize;
    BOOL m_bChanged;
    CCriticalSection m_lock;

private:
    // The window whose device context m_pDC holds (given back with ReleaseDC).
    CDC* m_pWindowDC;
    HWND m_hWndDC;
};
