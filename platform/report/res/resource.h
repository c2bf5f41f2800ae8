// Resource ids of vaskreport.dll.
#pragma once

// Progress box.
#define IDD_PROGRESS    100
#define IDC_BOX_TEXT    1001
#define IDC_BOX_PERCENT 1002
#define IDC_BOX_PAGE    1003

// Print options.
#define IDD_OPTIONS         101
#define IDC_OPT_PRINTER     1010
#define IDC_OPT_PREVIEW     1011
#define IDC_OPT_PRINTERNAME 1012
#define IDC_OPT_ALL         1013
#define IDC_OPT_UPTO        1014
#define IDC_OPT_LASTPAGE    1015

// Preview.
#define IDD_PREVIEW      102
#define IDC_PRV_PREVIOUS 1020
#define IDC_PRV_NEXT     1021
#define IDC_PRV_FIT      1022
#define IDC_PRV_PRINT    1023
#define IDC_PRV_PAGE     1024
#define IDC_PRV_VIEW     1025

// Designer.
#define IDD_DESIGNER       103
#define IDC_DSG_VARIABLES  1030
#define IDC_DSG_FIELDS     1031
#define IDC_DSG_TEXT       1032
#define IDC_DSG_PATH       1033
#define IDC_DSG_VARLABEL   1034
#define IDC_DSG_FIELDLABEL 1035

// Texts.
#define IDS_PRINTING         2000
#define IDS_BOX_PAGE         2001
#define IDS_OPT_BAD_PAGE     2010
#define IDS_PRV_PAGE         2020
#define IDS_PRV_NO_PAGES     2021
#define IDS_PRV_PRINT_FAILED 2022
#define IDS_DSG_LINE_ERROR   2030
#define IDS_DSG_WRITE_ERROR  2031
#define IDS_DSG_NEW_FORM     2032

// The window class of the preview's page.
#define VASKREPORT_PAGE_CLASS "VaskReportPage"
