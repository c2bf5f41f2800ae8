// The framework's command, window and help ids. #defines only: resource scripts include
// this header, and windres takes nothing else from a header.
#pragma once

// Commands the framework handles itself.
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_CLEAR_ALL 0xE121
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_APP_ABOUT 0xE140       /* 57664 */
#define ID_APP_EXIT 0xE141        /* 57665 */
#define ID_HELP_INDEX 0xE142      /* 57666 */
#define ID_HELP_FINDER 0xE143     /* 57667 */
#define ID_HELP_USING 0xE144      /* 57668 */
#define ID_CONTEXT_HELP 0xE145    /* 57669: Shift+F1 */
#define ID_HELP 0xE146            /* 57670: F1, and the Help buttons */
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Status-bar indicators, the idle text of pane 0 and the help-mode text.
#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705
#define AFX_IDS_IDLEMESSAGE 0xE001
#define AFX_IDS_HELPMODEMESSAGE 0xE002

// Texts and prompts of the framework (its own string table has them; a program's string
// table may replace them).
#define AFX_IDS_UNTITLED 0xF000
#define AFX_IDS_SAVEFILE 0xF001
#define AFX_IDS_SAVEFILECOPY 0xF002
#define AFX_IDP_ASK_TO_SAVE 0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF102
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF103
#define AFX_IDP_FAILED_TO_PRINT 0xF104
#define AFX_IDP_NO_PRINTER 0xF105
#define AFX_IDS_OPENFILE 0xF003

// Prompts of the dialog data exchange.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_UINT 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_NO_CONTROL 0xF115

// Property sheets: the tab control and the Apply button (the Help button is IDHELP, 9).
#define AFX_IDC_TAB_CONTROL 0x3020 /* 12320 */
#define ID_APPLY_NOW 0x3021        /* 12321 */

/* Dialog init data: the entries of a dialog's combo and list boxes, a resource of type
   RT_DLGINIT with the dialog's id, in the module of the dialog template. windres knows no
   DLGINIT statement; the data are written as a raw resource: per entry the control id, the
   message (DLGINIT_COMBO or DLGINIT_LIST), the length of the text with its terminating
   zero as a 32-bit number, and the text with "\0" at its end; a 0 ends the list:
       IDD_PROTOCOL RT_DLGINIT
       BEGIN
           IDC_DELIMITER, DLGINIT_COMBO, 2L, ".\0",
           IDC_DELIMITER, DLGINIT_COMBO, 2L, ",\0",
           0
       END */
#define RT_DLGINIT 240
#define DLGINIT_LIST 0x0401
#define DLGINIT_COMBO 0x0403

// Child-window ids of a frame.
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF

// Help context bases: a command, a resource (dialog, frame) and a control.
#define HID_BASE_COMMAND 0x10000
#define HID_BASE_RESOURCE 0x20000
#define HID_BASE_CONTROL 0x50000
