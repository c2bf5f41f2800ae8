// Context help of dialog controls.
#include "controlhelp.h"

BOOL ShowControlHelpPopup(const HELPINFO* pHelpInfo) {
    // A static control's id -1 reads as 0xFFFF: its context is the application's ignored one.
    AfxGetApp()->WinHelp(HID_BASE_CONTROL + (DWORD_PTR)(WORD)pHelpInfo->iCtrlId, HELP_CONTEXTPOPUP);
    return TRUE;
}
