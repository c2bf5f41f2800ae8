// How the curve sheet finds its analyzers in the document's node list: the networks are the
// converters and gateways of the list, an analyzer belongs to the nearest of its ancestors
// that is one, and a slot's stored network and analyzer names lead back to the analyzer.
#pragma once

#include "vaskfc.h"

class CCurveSettings;
class CInstrument;
class CVaskInstrument;

// A converter or a gateway.
BOOL IsCurveNetwork(const CObject* pNode);
// The network of the list whose display name is exactly `name`; NULL when none.
CInstrument* FindCurveNetwork(CObList* pNodeList, const CString& name);
// The first analyzer below the network whose name is exactly `name`; NULL when none (also for
// an empty name).
CVaskInstrument* FindCurveAnalyzer(CInstrument* pNetwork, const CString& name);
// The nearest ancestor of the analyzer that is a network of the list (a gateway for an
// analyzer behind one of its lines); NULL when none is.
CInstrument* NetworkOfAnalyzer(const CInstrument* pAnalyzer, CObList* pNodeList);
// The analyzers of the network that the option page lists (those whose listing flag is set),
// in the network's order.
void ListedAnalyzers(CInstrument* pNetwork, CPtrArray& analyzers);
// Every slot's analyzer from its stored names; a slot whose network or analyzer is not found,
// or whose stored component is outside 0 to 3, is off.
void ResolveCurveSlots(CCurveSettings& settings, CObList* pNodeList);
