// The instrument model's one way to the shell: a host installed once per process. The
// model asks it for the application's operation mode and compare-load flag (the document
// record), has it create the analyzer of every device that a bus scan found (the document's
// AddVaskInstrument), hands it the failures of device operations for the frame's broadcast,
// has it run an analyzer's property sheets and writes its trace through it. Until a host is
// installed, the model runs offline, creates no analyzers, reports and shows nothing, writes
// no trace and loads no document as a comparison.
#pragma once

#include "vaskfc.h"

#include "vaskerror.h"

class CVaskInstrument;
class CvaskAccess;

// One open scope of the trace: entries written while the traced operation runs; deleting
// the object closes the scope.
class CInstrumentTraceScope {
public:
    virtual ~CInstrumentTraceScope() {}
    // One entry of the scope.
    virtual void Write(LPCSTR text) = 0;
};

class CInstrumentHost {
public:
    virtual ~CInstrumentHost() {}

    // The application's operation mode: 1 online, 0 offline. Asked from any thread.
    virtual int GetOperationMode() = 0;

    // The application's compare-load flag: 1 while the instrument view loads a file to
    // compare with, when an analyzer's document record also takes the device's own identity,
    // channel name, frequency and board versions from the file. 0 unless the host says so.
    virtual int IsCompareMode() { return 0; }

    // The analyzer of one device found on a bus, added to the document's lists, or null
    // when there is no document or no analyzer class fits `modelType` (the model type code,
    // see ModelTypeFromChannelType).
    virtual CVaskInstrument* AddVaskInstrument(int modelType, LPCSTR name, int address,
                                               int components, CvaskAccess* access) = 0;

    // A failed device operation for the windows: the message text and the error record (the
    // main frame broadcasts both as "WM_VASK_ERROR" to itself and every descendant). Both
    // belong to the caller; a host that keeps them copies them. Called from any thread that
    // runs a device operation.
    virtual void ReportDeviceError(const CString& text, const ErrorStruct_& error) = 0;

    // Runs the analyzer's property sheet `sheet` (1 adjustment, 2 parameter, 3
    // configuration, 4 drift values, 5 diagnostics) modally on its 0-based page `page`;
    // the sheet's result.
    virtual int RunInstrumentSheet(int sheet, int page, CVaskInstrument* analyzer) = 0;

    // Opens a trace scope on `channel` named `name` (class "::" operation); null when the
    // host keeps no trace.
    virtual CInstrumentTraceScope* OpenTraceScope(int channel, LPCSTR name) = 0;
};

// Installs the process's host (null: none) and returns the one installed before. The host
// must outlive its use.
CInstrumentHost* SetInstrumentHost(CInstrumentHost* host);

// The installed host, else the built-in one (offline, no analyzers, no trace).
CInstrumentHost& GetInstrumentHost();
