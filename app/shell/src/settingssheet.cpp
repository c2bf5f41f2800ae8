// The program settings sheet.
#include "settingssheet.h"

IMPLEMENT_DYNAMIC(CSettingsSheet, CPropertySheet)

CSettingsSheet::CSettingsSheet(CWnd* pParentWnd)
    : CPropertySheet("Program configuration", pParentWnd) {}
