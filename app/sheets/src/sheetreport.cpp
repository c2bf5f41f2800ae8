// The sheets' print services and their stand-in.
#include "sheetreport.h"

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
CSheetReport* g_pReport = NULL;

}  // namespace

CSheetReport* SetSheetReport(CSheetReport* pReport) {
    CSheetReport* pPrevious = g_pReport;
    g_pReport = pReport;
    return pPrevious;
}

CSheetReport& GetSheetReport() { return g_pReport != NULL ? *g_pReport : g_none; }
