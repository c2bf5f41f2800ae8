// The sheets' print services and their stand-in.
#include "sheetreport.h"

#include "installedinterface.h"

namespace {

// Without the program's print services no job can be opened.
class CNoSheetReport : public CSheetReport {
public:
    int StartJob(int, CWnd*, int&) override { return -1; }
    void DefineHeaderVariables(int) override {}
    int DefineVariable(int, UINT, LPCSTR) override { return 0; }
    int DefineVariableExt(int, UINT, LPCSTR, int) override { return 0; }
    int DefineField(int, UINT, LPCSTR) override { return 0; }
    int PrintRecord(int) override { return 0; }
    void EndPreview(int, CWnd*) override {}
};

CNoSheetReport g_none;
CInstalledInterface<CSheetReport> g_report(g_none);

}  // namespace

CSheetReport* SetSheetReport(CSheetReport* pReport) { return g_report.Set(pReport); }

CSheetReport& GetSheetReport() { return g_report.Get(); }
