// The writer's settings sheet.
#include "nuraprotocol.h"

int CnuraProtocol::DoPropertyDialog(BOOL) { return IDCANCEL; }
