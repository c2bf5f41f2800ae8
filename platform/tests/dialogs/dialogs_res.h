// Ids of the dialog tests' templates and controls.
#pragma once

// The data exchange dialog.
#define IDD_EXCHANGE 300
#define IDC_NAME 3001
#define IDC_COUNT 3002
#define IDC_LINES 3003
#define IDC_CYCLE 3004
#define IDC_FACTOR 3005
#define IDC_CHECK 3006
#define IDC_RADIO1 3007
#define IDC_RADIO2 3008
#define IDC_RADIO3 3009
#define IDC_FRUIT 3010
#define IDC_COLOUR 3011
#define IDC_DELIMITER 3012
#define IDC_MEASURE 3013

// The sample dialog with a sorted check-list box.
#define IDD_INSTRUMENTS 301
#define IDC_INSTRUMENTS 3101

// The sample sheet's pages.
#define IDD_RANGE_PAGE 310
#define IDC_VALUE 3201
#define IDC_RANGE_LABEL 3202
#define IDD_OPTIONS_PAGE 311
#define IDC_OPTION 3301
#define IDC_NOTE 3302

// A page template that the test program and the peer library both have, with other controls.
#define IDD_SHARED_PAGE 500
#define IDC_PROGRAM_ONLY 5002

// The form view.
#define IDD_FORM 320
#define IDC_FORM_TEXT 3401
#define IDC_FORM_CHECK 3402

// Dialog init data that end in the middle of an entry.
#define IDD_DAMAGED_INIT 330
#define IDC_DAMAGED_LIST 3501

// Only in the peer library.
#define IDD_PEER_ONLY 501
