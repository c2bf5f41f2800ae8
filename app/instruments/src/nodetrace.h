// The trace scope of one node operation: opened through the instrument host on trace
// channel 0 when the operation starts, closed when it ends.
#pragma once

#include "instrumenthost.h"

class CNodeTrace {
public:
    // `name`: the class, "::" and the operation.
    explicit CNodeTrace(LPCSTR name);
    ~CNodeTrace();
    CNodeTrace(const CNodeTrace&) = delete;
    CNodeTrace& operator=(const CNodeTrace&) = delete;

    // One printf-style entry of the scope.
    void WriteFormat(LPCSTR format, ...) __attribute__((format(ms_printf, 2, 3)));

private:
    CInstrumentTraceScope* m_scope;
};
