// The instrument model's one way to the shell: a host installed once per process. The
// model asks it for the application's operation mode, has it create the analyzer of every
// device that a bus scan found (the document's AddVaskInstrument) and writes its trace
// through it. Until a host is installed, the model runs offline, creates no analyzers and
// writes no trace.
#pragma once

#include "vaskfc.h"

class CInstrument;
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

    // The analyzer of one device found on a bus, added to the document's lists, or null
    // when there is no document or no analyzer class fits `modelType` (the model type code,
    // see ModelTypeFromChannelType).
    virtual CInstrument* AddVaskInstrument(int modelType, LPCSTR name, int address, int components,
                                           CvaskAccess* access) = 0;

    // Opens a trace scope on `channel` named `name` (class "::" operation); null when the
    // host keeps no trace.
    virtual CInstrumentTraceScope* OpenTraceScope(int channel, LPCSTR name) = 0;
};

// Installs the process's host (null: none) and returns the one installed before. The host
// must outlive its use.
CInstrumentHost* SetInstrumentHost(CInstrumentHost* host);

// The installed host, else the built-in one (offline, no analyzers, no trace).
CInstrumentHost& GetInstrumentHost();
