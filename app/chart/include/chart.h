// The chart classes of the live curve diagram: axes, points and symbols, curves, legend and
// labels, the diagram itself and the curve settings.
#pragma once

#include "chartaxis.h"
#include "chartcurve.h"
#include "chartlegend.h"
#include "chartpoint.h"
#include "curvesettings.h"
#include "diagram.h"
