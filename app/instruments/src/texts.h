// Small helpers of the analyzer and its entries: string-table texts and value conversions.
#pragma once

#include "vaskfc.h"

#include "vaskfloat.h"

// The text of a string; empty when there is none.
CString LoadText(UINT id);

// The "no value" mark: 0.0, "Unknown", unit and quantity 1.
void SetNoValue(VaskFloat& value);

// The value truncated toward zero to an int; values beyond an int give its limits, NaN the
// lowest int (a code no table has).
int TruncateToInt(double value);
