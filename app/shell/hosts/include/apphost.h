// The application's instrument host, installed by the program's start for the whole run:
// the operation mode and compare-load flag of the application, the failures of device
// operations broadcast as "WM_VASK_ERROR" by the main frame, an analyzer's property sheets
// run for a parameter's Edit, and the trace files. While the document lives, its own host
// stands in front of this one and makes the analyzers of a scan.
#pragma once

#include "tracehost.h"

class CApplicationHost : public CTraceInstrumentHost {
public:
    int GetOperationMode() override;
    int IsCompareMode() override;
    // The document makes the analyzers; without one there is none.
    CVaskInstrument* AddVaskInstrument(int modelType, LPCSTR name, int address, int components,
                                       CvaskAccess* access) override;
    void ReportDeviceError(const CString& text, const ErrorStruct_& error) override;
    int RunInstrumentSheet(int sheet, int page, CVaskInstrument* analyzer) override;
};

// The analyzer's sheet of a parameter's Edit (1 adjustment, 2 parameter, 3 configuration,
// 4 drift values, 5 diagnostics) run modally on its 0-based page, without a parent window;
// the sheet's result, -1 for any other kind.
int RunAnalyzerSheet(int nSheet, int nPage, CVaskInstrument* pAnalyzer);
