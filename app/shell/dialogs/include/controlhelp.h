// F1 on a control of a dialog: the application's help pop-up of the control, context
// 0x50000 + the control's id.
#pragma once

#include "vaskfc.h"

// TRUE: the request is answered.
BOOL ShowControlHelpPopup(const HELPINFO* pHelpInfo);
