// CGridHintWnd: the grid's small pop-up that shows one line of text next to a point (the
// scroll bars show it while a thumb is dragged). It is created hidden with the grid's child
// windows and owned by the grid window; coordinates given to it are the grid's client
// coordinates.
#pragma once

#include "vaskfc.h"

// Alignment flags of the hint.
#define GRIDHINT_RIGHT   0x02  // right edge at x
#define GRIDHINT_HCENTER 0x04  // centred on x
#define GRIDHINT_BOTTOM  0x10  // bottom edge at y
#define GRIDHINT_VCENTER 0x20  // centred on y

class CGridHintWnd : public CWnd {
public:
    CGridHintWnd();
    ~CGridHintWnd() override;

    // Registers the window class "HintWnd" (background: the brush, or the tooltip colour)
    // and creates the hidden pop-up owned by pOwner. 1 on success, 0 on failure.
    int Create(CWnd* pOwner, CBrush* pBrush = NULL);

    void SetFont(CFont* pFont);
    void SetAlignment(int nFlags) { m_nAlignment = nFlags; }
    void SetTextColor(COLORREF cr) { m_crText = cr; }
    void SetBackColor(COLORREF cr) { m_crBack = cr; }
    void SetText(LPCSTR lpszText, BOOL bRedraw);
    void Hide() {
        if (m_hWnd != NULL) ShowWindow(SW_HIDE);
    }
    // Shows the window without activating it, unless it is visible already.
    void Show();
    // Sizes the window to the text (at least nMinWidth wide), places it at the point by the
    // alignment flags, keeps it inside the owner's client area and shows it painted.
    void ShowAt(int x, int y, int nMinWidth);

    const CString& GetText() const { return m_strText; }
    int GetAlignment() const { return m_nAlignment; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBackColor() const { return m_crBack; }
    int GetLineHeight() const { return m_nLineHeight; }

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void PaintText(CDC* pDC);

    CWnd* m_pOwnerWnd;
    CString m_strText;
    COLORREF m_crText;
    COLORREF m_crBack;
    int m_nAlignment;
    CFont* m_pFont;
    int m_nLineHeight;

    DECLARE_MESSAGE_MAP()
};
