// Helpers shared by the sources of NURAPROTOCOL; not exported.
#pragma once

#include "nuraprotocol.h"

#include <time.h>

// One page of the settings sheet: a caller's page, or a built-in one that the writer owns.
struct CnuraProtocol::PageEntry {
    CPropertyPage* pPage;
    CStandardPage* pBuiltIn;  // null for a caller's page
    BOOL bUsed;               // only used pages are shown
};

namespace nura {

// The library's own module, whose string table holds its texts.
HINSTANCE Module();

// String `id` of the library's own string table, so that no string of the program or of
// another library with the same id takes its place; empty when it has none.
CString OwnString(UINT id);

// The name of the log's file with that counter (CnuraProtocol::BuildFileName).
CString NumberedFileName(const CString& strName, unsigned long nCounter);

// The longest configured file name the writer opens (a longer one gives error 206).
const int kLongestFileName = 115;

// Whether the configured name can name the log's files: no longer than kLongestFileName
// (which keeps every name in it below the file systems' 255 characters) and the whole path of
// its first file (a relative name lies in the current folder) below MAX_PATH. FALSE, with
// the message that names the name and the limit it breaks, when it cannot.
BOOL CheckFileName(const CString& strName, CString& strMessage);

// Local calendar time to seconds since 1970, with daylight saving decided by the C
// runtime. The runtime's own conversions end with the year 3000; later times are carried
// over whole 400-year cycles of the calendar, so that they stay in order. -1 for times the
// runtime cannot take (before 1970).
time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second);
// The local calendar fields of a time, for every time MakeLocalTime gives; a time before
// 1970 gives 1970-01-01 00:00:00.
void BreakLocalTime(time_t t, struct tm& fields);

}  // namespace nura
