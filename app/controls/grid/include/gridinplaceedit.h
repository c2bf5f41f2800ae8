// CGridInPlaceEdit: the text editor that the grid lays over a cell while the user types
// into it, a multi-line edit control. Every grid owns one; it is created hidden as a child
// of the grid with the control id 123 and is the sheets' default editor.
//
// The editor holds what the grid and an edit set; the edit cycle (keys, focus, growing) is
// not handled by it.
#pragma once

#include "vaskfc.h"

class CGridWnd;

#define GRID_EDITOR_ID 123

class CGridInPlaceEdit : public CEdit {
public:
    CGridInPlaceEdit();
    ~CGridInPlaceEdit() override;

    CGridWnd* m_pGrid;

    int GetLastKey() const { return m_nLastKey; }
    // Any non-zero value stores 1; the previous value is returned.
    int SetAutoGrow(int bAutoGrow);

protected:
    int m_bCancel;
    int m_bMoveOn;
    int m_nTargetCol;
    int m_nTargetRow;
    int m_nLastKey;
    int m_bAutoGrow;
    int m_nInitialHeight;
    int m_nCurrentHeight;
};
