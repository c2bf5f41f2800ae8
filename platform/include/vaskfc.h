// The class library of the system (vaskfc.dll): strings, runtime classes, collections,
// times, files and archives, exceptions, modules and resources, synchronisation, threads,
// the application and its profile, windows and message maps, menus, controls, frames, bars,
// splitters, documents and views, dialogs and data exchange, property sheets, the standard
// controls and the common dialogs. Include this one header.
#pragma once

#include "vaskfc_base.h"
#include "vaskfc_string.h"
#include "vaskfc_object.h"
#include "vaskfc_exceptions.h"
#include "vaskfc_coll.h"
#include "vaskfc_time.h"
#include "vaskfc_file.h"
#include "vaskfc_archive.h"
#include "vaskfc_cmdtarget.h"
#include "vaskfc_msgmap.h"
#include "vaskfc_module.h"
#include "vaskfc_sync.h"
#include "vaskfc_ids.h"
#include "vaskfc_geom.h"
#include "vaskfc_gdi.h"
#include "vaskfc_oledate.h"
#include "vaskfc_wnd.h"
#include "vaskfc_menu.h"
#include "vaskfc_ctrl.h"
#include "vaskfc_frame.h"
#include "vaskfc_doc.h"
#include "vaskfc_stdctrl.h"
#include "vaskfc_dlg.h"
#include "vaskfc_sheet.h"
#include "vaskfc_commdlg.h"
#include "vaskfc_app.h"
