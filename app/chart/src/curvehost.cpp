// The curve sheet's host and its built-in stand-in.
#include "curvehost.h"

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
CCurveHost* g_pHost = NULL;

}  // namespace

CCurveHost* SetCurveHost(CCurveHost* pHost) {
    CCurveHost* pPrevious = g_pHost;
    g_pHost = pHost;
    return pPrevious;
}

CCurveHost& GetCurveHost() { return g_pHost != NULL ? *g_pHost : g_builtIn; }
