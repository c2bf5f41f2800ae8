// utilvask.dll: the bus vocabulary shared by every layer of the communication stack.
#pragma once

#include "utilvask_api.h"
#include "vaskfloat.h"
#include "vaskaddress.h"
#include "vaskerror.h"
#include "vaskparam.h"
#include "vaskparamkinds.h"
#include "vaskenums.h"
#include "mtimer.h"
#include "msginfo.h"
#include "vaskmessage.h"
#include "vaskqueue.h"
