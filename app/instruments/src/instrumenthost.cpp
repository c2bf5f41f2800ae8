// The installed instrument host, and the built-in one used until a host is installed.
#include "instrumenthost.h"

#include "installedinterface.h"
#include "nodetrace.h"

#include <cstdarg>

namespace {

class CNoHost : public CInstrumentHost {
public:
    int GetOperationMode() override { return 0; }
    CVaskInstrument* AddVaskInstrument(int, LPCSTR, int, int, CvaskAccess*) override {
        return NULL;
    }
    void ReportDeviceError(const CString&, const ErrorStruct_&) override {}
    int RunInstrumentSheet(int, int, CVaskInstrument*) override { return 0; }
    CInstrumentTraceScope* OpenTraceScope(int, LPCSTR) override { return NULL; }
};

CNoHost g_noHost;
// Read from every thread that asks for the operation mode.
CInstalledInterface<CInstrumentHost> g_host(g_noHost);

}  // namespace

CInstrumentHost* SetInstrumentHost(CInstrumentHost* host) { return g_host.Set(host); }

CInstrumentHost& GetInstrumentHost() { return g_host.Get(); }

CNodeTrace::CNodeTrace(LPCSTR name) : m_scope(GetInstrumentHost().OpenTraceScope(0, name)) {}

CNodeTrace::~CNodeTrace() { delete m_scope; }

void CNodeTrace::WriteFormat(LPCSTR format, ...) {
    if (m_scope == NULL) return;
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    // An entry holds at most 259 characters; longer ones are cut.
    if (text.GetLength() > 259) text = text.Left(259);
    m_scope->Write(text);
}
