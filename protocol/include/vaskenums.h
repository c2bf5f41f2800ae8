// The enumerated parameter kinds: value v stands for string (text base + v) of utilvask.
// Each kind is named after its text base; ParamType 1 like CIntParam.
#pragma once

#include "vaskparam.h"

typedef CEnumParam<12100, 46> CEnum12100;   // relay functions
typedef CEnumParam<12200, 29> CEnum12200;   // binary-input functions
typedef CEnumParam<12600, 11> CEnum12600;   // autocal steps
typedef CEnumParam<12920, 7> CEnum12920;    // first value of the 's' 21 reply
typedef CEnumParam<12940, 10> CEnum12940;   // second value of the 's' 21 reply
typedef CEnumParam<12280, 6> CEnum12280;    // unit setting of the measured value
typedef CEnumParam<12400, 10> CEnum12400;   // channel types
typedef CEnumParam<12900, 11> CEnum12900;   // autocal state
typedef CEnumParam<12901, 10> CEnum12901;   // warm-up state
typedef CEnumParam<12902, 4> CEnum12902;    // starting state
typedef CEnumParam<0, 2> CEnum0;            // instrument type of the Quenta analyzer
typedef CEnumParam<12700, 6> CEnum12700;    // parameter-set operations
typedef CEnumParam<12800, 3> CEnum12800;    // the 'K' 20 request
typedef CEnumParam<12000, 54> CEnum12000;   // units
typedef CEnumParam<12300, 101> CEnum12300;  // gas components

typedef CEnum12000 CUnitEnum;
typedef CEnum12300 CQuantityEnum;
