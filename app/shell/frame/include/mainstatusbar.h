// The main frame's coloured status bar: the class library's status bar with one look
// record per pane (colours and texts for the enabled and the disabled state, a font, a kind
// - text, bitmap or progress bar - and drawing options, among them text and bitmaps that
// scroll through the pane). The bar paints every pane itself through one off-screen bitmap;
// a pane's look can be saved and restored, which the main frame uses to turn pane 0 into a
// progress bar while an analyzer is read.
#pragma once

#include "vaskfc.h"

#include <map>
#include <vector>

// Style bits of a pane record. The low 20 bits are a text pane's text-drawing format
// (DT_...) or a bitmap pane's alignment (PANE_BITMAP_...).
#define PANE_FORMAT_MASK     0x000FFFFFu
#define PANE_KIND_MASK       0x00F00000u
#define PANE_KIND_TEXT       0x00100000u
#define PANE_KIND_TEXT2      0x00200000u
#define PANE_KIND_BITMAP     0x00400000u
#define PANE_KIND_PROGRESS   0x00800000u
#define PANE_SCROLL_HORZ     0x01000000u
#define PANE_SCROLL_VERT     0x02000000u
#define PANE_ANIMATED_MASK   0x0F000000u
#define PANE_TILE            0x10000000u
#define PANE_BITMAP_STRETCH  0x20000000u
#define PANE_PROGRESS_SMOOTH 0x40000000u
#define PANE_BITMAP_HCENTER  0x1u
#define PANE_BITMAP_RIGHT    0x2u
#define PANE_BITMAP_VCENTER  0x4u
#define PANE_BITMAP_BOTTOM   0x8u

// The look of one pane. A copy takes everything but the progress control.
class CStatusPane : public CObject {
    DECLARE_DYNAMIC(CStatusPane)
public:
    // The system's menu colours, the stock variable-pitch font, an empty text pane.
    CStatusPane();
    CStatusPane(const CStatusPane& other);
    CStatusPane& operator=(const CStatusPane& other);
    ~CStatusPane() override;

    // (COLORREF)-1 gives the state's default: the menu-text colour when enabled, the menu
    // colour with each channel halved when disabled.
    void SetTextColors(COLORREF crEnabled, COLORREF crDisabled = (COLORREF)-1);
    // (COLORREF)-1 gives the system's menu colour.
    void SetBackColors(COLORREF crEnabled, COLORREF crDisabled = (COLORREF)-1);
    void SetTexts(LPCSTR lpszEnabled, LPCSTR lpszDisabled);
    void SetNumbers(int nEnabled, int nDisabled);
    void SetFont(CFont* pFont);
    // A face and a size in tenths of a point.
    void SetFont(LPCSTR lpszFaceName, int nPointSize);
    // With the progress kind the pane gets its progress control (a child of the program's
    // status bar) unless it has one; without it the control is destroyed.
    void SetStyle(DWORD dwStyle);

    COLORREF GetTextColor(BOOL bEnabled) const {
        return bEnabled ? m_crTextEnabled : m_crTextDisabled;
    }
    COLORREF GetBackColor(BOOL bEnabled) const {
        return bEnabled ? m_crBackEnabled : m_crBackDisabled;
    }
    const CString& GetText(BOOL bEnabled) const { return m_strText[bEnabled ? 1 : 0]; }
    const LOGFONT& GetLogFont() const { return m_logFont; }
    DWORD GetStyle() const { return m_dwStyle; }
    // The progress control of a progress pane, else NULL. It takes the range and position
    // messages of progress bars.
    CProgressCtrl* GetProgressCtrl() const { return m_pProgress; }
    // The scroll offsets in pixels.
    int GetHorzOffset() const { return m_nHorzOffset; }
    int GetVertOffset() const { return m_nVertOffset; }

private:
    void CopyLook(const CStatusPane& other);
    void DestroyProgress();

    COLORREF m_crTextDisabled;
    COLORREF m_crTextEnabled;
    COLORREF m_crBackDisabled;
    COLORREF m_crBackEnabled;
    CString m_strText[2];  // disabled, enabled
    CProgressCtrl* m_pProgress;
    LOGFONT m_logFont;
    DWORD m_dwStyle;
    int m_nHorzOffset;
    int m_nVertOffset;

    friend class CMainStatusBar;
};

class CMainStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CMainStatusBar)
public:
    // The bar becomes the program's status bar, the parent of the panes' progress controls.
    CMainStatusBar();
    ~CMainStatusBar() override;

    // A child bar at the bottom of the parent (id AFX_IDW_STATUS_BAR) with one pane per
    // indicator; pane 0's record gets dwPane0Style. On failure the user is told and the
    // result is FALSE.
    BOOL Create(CWnd* pParentWnd, const UINT* lpIDArray, int nIDCount, DWORD dwPane0Style);
    // The class library's panes, then one default record per pane.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // The look record of a pane; NULL outside the panes.
    CStatusPane* GetPane(int nIndex) const;
    // The class library's pane values; the setters keep the other values and return the old
    // one.
    UINT SetPaneStyle(int nIndex, UINT nStyle);
    int SetPaneWidth(int nIndex, int cxWidth);
    UINT GetPaneStyle(int nIndex) const { return CStatusBar::GetPaneStyle(nIndex); }
    int GetPaneWidth(int nIndex) const;
    UINT GetPaneID(int nIndex) const { return GetItemID(nIndex); }

    // Keeps a copy of the pane's look, unless one is kept already.
    void SavePane(int nIndex);
    // Gives the pane the kept look back (its progress control goes) and repaints; without a
    // kept look it only repaints.
    void RestorePane(int nIndex);
    // The pane under a point of the bar's client area (of the parent's, when the parent is
    // a dialog); -1 for none.
    int HitTest(CPoint point) const;

    // Paints the whole bar into the DC, through an off-screen bitmap.
    void DrawBar(CDC* pDC);

    // The animation timer's identifier.
    static const UINT_PTR kAnimationTimer = 20000;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void DeletePanes();
    // Draws one pane's content into its rectangle (frame already drawn, fill done, clipped).
    // TRUE when the pane is animated.
    BOOL DrawPane(CDC* pDC, int nIndex, const CRect& rect);
    void DrawTextPane(CDC* pDC, int nIndex, CStatusPane& pane, const CRect& rect);
    void DrawBitmapPane(CDC* pDC, CStatusPane& pane, const CRect& rect);
    void DrawSizeGrip(CDC* pDC, const CRect& client);

    std::vector<CStatusPane*> m_panes;
    std::map<int, CStatusPane*> m_saved;
    UINT_PTR m_nTimer;
    BOOL m_bEnabled;  // the state of the pane being painted
    CWnd* m_pParent;
};

// The program's status bar: the last one made that still exists, else NULL.
CMainStatusBar* GetMainStatusBar();
