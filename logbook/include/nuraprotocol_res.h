/* Dialog templates and control ids of the settings sheet of NURAPROTOCOL.dll. The templates
   live in the library's own resources. Plain #defines only: the .rc includes this file. */
#pragma once

#define IDD_NURA_PROPERTY_PAGE 229 /* the page of a CStandardPage made without a template */
#define IDD_NURA_GENERAL       230
#define IDD_NURA_FORMAT        231

/* General page */
#define IDC_NURA_START        2000
#define IDC_NURA_END          2001
#define IDC_NURA_FILE_NAME    2002
#define IDC_NURA_BROWSE       2003
#define IDC_NURA_START_YEAR   2004
#define IDC_NURA_END_YEAR     2005
#define IDC_NURA_CYCLE_TIME   2006
#define IDC_NURA_START_MONTH  2009
#define IDC_NURA_END_MONTH    2011
#define IDC_NURA_START_DAY    2013
#define IDC_NURA_END_DAY      2015
#define IDC_NURA_START_HOUR   2017
#define IDC_NURA_END_HOUR     2019
#define IDC_NURA_START_MINUTE 2021
#define IDC_NURA_END_MINUTE   2022
#define IDC_NURA_START_SECOND 2023
#define IDC_NURA_END_SECOND   2024

/* Both built-in pages: the optional check box of the user flag */
#define IDC_NURA_USER_FLAG 2007

/* Format page */
#define IDC_NURA_COLUMNS                 2008
#define IDC_NURA_RING_BUFFER             2010
#define IDC_NURA_FILE_SPLITTING          2012
#define IDC_NURA_RING_BUFFER_LINES       2014
#define IDC_NURA_SPLIT_LINES             2016
#define IDC_NURA_SEPARATOR               2025
#define IDC_NURA_DEFAULT_SEPARATOR       2026
#define IDC_NURA_MODE_GROUP              2027
#define IDC_NURA_SPLIT_LINES_LABEL       2028
#define IDC_NURA_RING_BUFFER_LINES_LABEL 2029
#define IDC_NURA_COLUMNS_LABEL           2030
#define IDC_NURA_EP_TEXT                 1337
#define IDC_NURA_EP90_TEXT               1338
#define IDC_NURA_LOG_TEMPERATURE         1339
#define IDC_NURA_LOG_PRESSURE            1340
#define IDC_NURA_PHI                     1341
#define IDC_NURA_PHI90                   1342
#define IDC_NURA_LOG_EP                  1343
#define IDC_NURA_LOG_EP90                1344
