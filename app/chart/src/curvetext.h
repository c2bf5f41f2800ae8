// A text of the program's string table for the curve sheet's pages (empty when missing).
#pragma once

#include "vaskfc.h"

inline CString CurveText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}
