// VaskFloat: one measured or set value as it travels over the bus.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

class UTILVASK_API VaskFloat {
public:
    VaskFloat();
    VaskFloat(const VaskFloat& other);
    VaskFloat& operator=(const VaskFloat& other);
    ~VaskFloat();

    double value;  // the number
    CString text;  // the number's text as received or entered, before any reformatting
    int unit;      // unit code: unit text is string 12000 + code (1 = "-", no unit)
    int quantity;  // gas component code: text is string 12300 + code (1 = "keine")
};
