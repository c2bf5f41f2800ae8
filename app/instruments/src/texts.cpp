// String-table texts and value conversions of the analyzer.
#include "texts.h"

#include "resource.h"

#include <climits>

CString LoadText(UINT id) {
    CString text;
    if (id != 0) text.LoadString(id);
    return text;
}

void SetNoValue(VaskFloat& value) {
    value.value = 0.0;
    value.text = LoadText(IDS_UNKNOWN);
    value.unit = 1;
    value.quantity = 1;
}

int TruncateToInt(double value) {
    if (value != value) return INT_MIN;
    if (value <= (double)INT_MIN) return INT_MIN;
    if (value >= (double)INT_MAX) return INT_MAX;
    return (int)value;
}
