// The sheets' host and its built-in stand-in.
#include "sheethost.h"

#include "instrumenthost.h"

namespace {

// What the sheets see while no shell is installed.
class CBuiltInSheetHost : public CSheetHost {
public:
    int GetAccessLevel() override { return 0; }
    int GetOperationMode() override { return GetInstrumentHost().GetOperationMode(); }
    void SetTimerTarget(CWnd*) override {}
    void RequestMessageReload() override {}
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override {
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL) pApp->WinHelp(dwData, nCmd);
    }
    void UpdateActiveDocument(LPARAM) override {}
};

CBuiltInSheetHost g_builtIn;
CSheetHost* g_pHost = NULL;

}  // namespace

CSheetHost* SetSheetHost(CSheetHost* pHost) {
    CSheetHost* pPrevious = g_pHost;
    g_pHost = pHost;
    return pPrevious;
}

CSheetHost& GetSheetHost() { return g_pHost != NULL ? *g_pHost : g_builtIn; }
