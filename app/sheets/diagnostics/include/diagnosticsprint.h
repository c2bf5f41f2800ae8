// What the diagnostics and drift values sheets print: the page header of identity texts and
// the loop that prints one page's list row by row through the report engine.
#pragma once

#include "vaskfc.h"

#include <functional>

class CVaskInstrument;

// The analyzer's ten identity texts, in the order of the print header and the factory data
// page: hardware ID, serial number, order number, firmware number, adapter board firmware
// and boot, option board firmware and boot, motherboard firmware and boot. Each is the text
// of its parameter entry's value (read from the device online), empty without the entry.
enum { kIdentityTextCount = 10 };
void GetIdentityTexts(CVaskInstrument* pAnalyzer, CString (&texts)[kIdentityTextCount]);

// The variables of a diagnostics page: variable start, company, "VPage", "VInstrument" and the
// identity texts; then the page is printed (LlPrint).
void DefineDiagnosticsHeader(int hJob, CVaskInstrument* pAnalyzer, int nPage);
// The drift values page: the same with the form's four drift objects shown and
// "VHasCalibReserve".
void DefineDriftHeader(int hJob, CVaskInstrument* pAnalyzer, int nPage, BOOL bCalibReserve);

// One record of a list's row: the fields named by `fields` from its columns 0, 1, ...;
// PrintListRecord then prints the record and gives the print's result.
int DefineListFields(int hJob, CListCtrl& list, int nRow, const UINT* fields, int nFields);
int PrintListRecord(int hJob, CListCtrl& list, int nRow, const UINT* fields, int nFields);

// A diagnostics page's list (page number `nPage`) printed through PrintListRows, each row one
// record of `fields`.
int PrintDiagnosticsList(int hJob, int nLastPage, CVaskInstrument* pAnalyzer, int nPage,
                         CListCtrl& list, const UINT* fields, int nFields);

// The result of a page print that ended the print and closed the job: the sheet's print then
// stops and has no job left to end.
enum { kPrintJobClosed = 1 };

// Prints rows 0 .. nRows - 1 with `printRow` after `defineHeader`, as long as the engine's
// page is not beyond `nLastPage`. A full page (-998) within the range gives the next page its
// header and the same row once more. A row that fails otherwise, or a page beyond the range,
// ends the print and closes the job (a Cancel has closed it already): kPrintJobClosed.
// Else the last row's result, 0 without rows.
int PrintListRows(int hJob, int nLastPage, int nRows, const std::function<void()>& defineHeader,
                  const std::function<int(int)>& printRow);
