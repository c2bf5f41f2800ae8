// The registered window messages of the program, registered once when the program starts
// and read by every window that sends or handles them, from any thread.
#pragma once

#include <windows.h>

extern UINT WM_VASK_ERROR;           // wParam the failed operation's text, lParam its error record
extern UINT WM_DOWNLOAD_PROGRESS;    // wParam percent, lParam phase 1 to 6
extern UINT WM_PARAMETER_PROGRESS;   // wParam percent, lParam 1 at the end
extern UINT WM_BUSSCAN_PROGRESS;     // wParam the address about to be scanned, lParam the node
extern UINT WM_ADDRESSCONFLICT;      // wParam the bus address
extern UINT WM_COMBIT;               // a report engine's drawing request
extern UINT WM_TREECHANGED;          // the tree-list's expanded items changed
extern UINT WM_START_COMMUNICATION;  // an analyzer's read begins
extern UINT WM_COMMUNICATING;        // wParam percent of the read
extern UINT WM_END_COMMUNICATION;    // the read has ended
extern UINT WM_OFFLINE_TRANSFER;     // wParam percent of an offline transfer
extern UINT WM_CHANGEMENU;           // wParam the view id, 2 or 119

// The device failures the main frame keeps until its thread is free to show them.
extern UINT WM_QUEUED_VASK_ERRORS;

// The logging thread's messages to the user, posted to the main frame: wParam the string
// id of the text, lParam the error code that it shows.
extern UINT WM_PROTOCOL_REPORT;
