// The analyzers of the devices that a bus scan found, created through the instrument host.
#pragma once

#include "vaskinstrument.h"

class CvaskAccess;

// For each device of the access object's list, in list order: the host's analyzer for its
// model type, name, address and component count on that access object. Each analyzer made
// is appended to `list` and gets `parent` as its parent; devices without one are skipped.
// The first analyzer, or null (also for a missing or empty device list).
CVaskInstrument* CreateAnalyzers(CvaskAccess& access, CObList& list, CInstrument* parent);
