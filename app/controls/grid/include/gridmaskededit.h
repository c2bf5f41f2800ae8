// CGridMaskedEdit: a second cell editor for the grid. It checks each typed character against
// the edited cell's edit mask, types the mask's literals by itself, and ends edits with the
// in-place editor's protocol (Tab, Shift+Tab, Enter, Escape, a refused finish, and focus
// loss under the grid's cancel-on-focus-loss option). Up and Down always leave the cell. The grid does not make one: a grid that wants it owns
// one, creates it as a child window of the grid and hands it out from OnEditStart.
//
// Mask characters, one per position (the C character classes): 0 a digit; 9 a digit or a
// space; # a digit, a space, + or -; L a letter; ? a letter or a space; A a letter or a
// digit; a a letter, a digit or a space; & and C any printable character. A backslash makes
// the next character a literal and takes no position itself; any other character is a
// literal. Characters that are not printable (control characters, and in the default locale
// every character above 127) pass unchecked. Without a mask the control is a plain editor.
#pragma once

#include "vaskfc.h"

class CGridWnd;

class CGridMaskedEdit : public CEdit {
public:
    CGridMaskedEdit();
    ~CGridMaskedEdit() override;

    // An empty or null mask switches masking off; a mask limits the text to the mask's
    // length and re-formats the text against it. 0.
    int SetMask(LPCSTR lpszMask);
    // 1 accept, 0 reject; deletes the selection and may type a literal first.
    int CheckChar(UINT* pChar);
    // Rewrites the text to fit the mask; 1 when masking is off (the text unchanged), else 0.
    int ApplyMask(CString& rText);
    // Re-formats the window text against the mask, keeping the selection.
    void ReformatText();

    BOOL IsMaskActive() const { return m_bMaskActive; }
    // The grid the control reports to: its parent when it was created, or this one.
    CGridWnd* GetGrid() const { return m_pGrid; }
    void SetGrid(CGridWnd* pGrid) { m_pGrid = pGrid; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // Whether the character passes the mask character's class (a literal marker passes all).
    static BOOL Admits(char cMask, UINT nChar);

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    UINT OnGetDlgCode();

    void Leave(int nCol, int nRow);

    int m_bInternal;
    int m_bMaskActive;
    static const char s_szMaskChars[];
    CString m_strMask;
    CString m_strPattern;
    CString m_strTemplate;
    int m_bCancel;
    int m_bMoveOn;
    int m_nTargetCol;
    int m_nTargetRow;
    CGridWnd* m_pGrid;

    DECLARE_MESSAGE_MAP()
};
