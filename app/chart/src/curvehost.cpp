// The curve sheet's host and its built-in stand-in.
#include "curvehost.h"

#include "installedinterface.h"

namespace {

class CBuiltInCurveHost : public CCurveHost {
public:
    int StartReportJob(int, CWnd*) override { return -1; }
    void DefineReportHeaderVariables(int) override {}
    void EndReportPreview(int, CWnd*) override {}
    BOOL IsDocumentBusy() override { return FALSE; }
    void AddNodeUser(CCurveNodeUser*) override {}
    void RemoveNodeUser(CCurveNodeUser*) override {}
};

CBuiltInCurveHost g_builtIn;
CInstalledInterface<CCurveHost> g_host(g_builtIn);

}  // namespace

CCurveHost* SetCurveHost(CCurveHost* pHost) { return g_host.Set(pHost); }

CCurveHost& GetCurveHost() { return g_host.Get(); }
