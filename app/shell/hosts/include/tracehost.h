// The trace part of the instrument host: the instrument model's trace scopes become trace
// file objects, so the converters' and gateways' operations are traced as the shell's own.
// The application's host derives from CTraceInstrumentHost and is installed with
// SetInstrumentHost; it adds the operation mode and the analyzer factory.
#pragma once

#include "instrumenthost.h"
#include "tracefile.h"

// One open scope: a trace file object of the scope's channel and name.
class CTraceFileScope : public CInstrumentTraceScope {
public:
    CTraceFileScope(int nChannel, LPCSTR lpszName) : m_trace(nChannel, lpszName) {}
    void Write(LPCSTR text) override { m_trace.Write(text); }

private:
    CTraceFile m_trace;
};

class CTraceInstrumentHost : public CInstrumentHost {
public:
    // Always a scope: an inactive trace still keeps the nesting.
    CInstrumentTraceScope* OpenTraceScope(int channel, LPCSTR name) override {
        return new CTraceFileScope(channel, name);
    }
};
