// The seams of vask: the port and the clock of the link layer, which tests replace by a
// bus in memory. The function is exported, but declared only here, in a folder that the
// deliverables' include path does not hold; tests reach it through the target vask_seams.
#pragma once

#include "vask_api.h"

class CvaskPort;

// Where a layer gets its port and its clock. Null members fall back to the serial port of
// vask32 and the millisecond timer.
struct CvaskLayerSeams {
    CvaskPort* (*createPort)();
    unsigned long (*now)();
    // The wait for the gap in the broadcast cycle: the time passes at once and the port is
    // not read meanwhile. Null: the layer's own wait, which reads the port (through
    // createPort's port, on now's clock) until the time has passed.
    void (*delay)(unsigned long ms);
};

// Replaces the port and the clock of layers initialised afterwards (null: the real ones).
VASK_API void SetLayerSeams(const CvaskLayerSeams* seams);
