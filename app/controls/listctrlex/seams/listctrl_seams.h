// What tests watch of the report list (CListCtrlEx): the cell texts it draws. Declared only
// here, outside the include path of the list's users; tests reach it through the target
// korvanga_listctrl_seams (or the shell's seams, which include it).
#pragma once

#include "vaskfc.h"

// One text that a CListCtrlEx drew for a cell of a row: the text as drawn (shortened), its
// rectangle and DrawText format, and the device context's text and background colours.
struct ListCellDrawing {
    HWND hWndList;
    int nItem;
    int nColumn;
    CString text;
    RECT rect;
    UINT nFormat;
    COLORREF clrText;
    COLORREF clrBk;
};
typedef void (*ListCellRecorder)(const ListCellDrawing& drawing, void* pContext);
// While a recorder is set, every cell text that a list draws is handed to it as well; NULL
// removes it.
void SetListCellRecorder(ListCellRecorder recorder, void* pContext);
