// The prototype array behind the message catalogue; not exported.
#pragma once

#include "msginfo.h"

namespace vask {

// The library-wide prototype array; null before it is built and after it is released.
const CParamArray* Prototypes();

// Deletes every prototype and then the array; nothing when there is none.
void ReleasePrototypes();

}  // namespace vask
