// The grid control: include this one header.
#pragma once

#include "gridcell.h"
#include "gridcellarea.h"
#include "gridcelltype.h"
#include "gridcorner.h"
#include "griddatasource.h"
#include "gridheading.h"
#include "gridhints.h"
#include "gridhintwnd.h"
#include "gridinplaceedit.h"
#include "gridobjtable.h"
#include "gridprint.h"
#include "gridscrollbar.h"
#include "gridselection.h"
#include "gridsettings.h"
#include "gridsheettabs.h"
#include "gridwnd.h"
