// The sheets' host and its built-in stand-in.
#include "sheethost.h"

#include "installedinterface.h"

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
CInstalledInterface<CSheetHost> g_host(g_builtIn);

}  // namespace

CSheetHost* SetSheetHost(CSheetHost* pHost) { return g_host.Set(pHost); }

CSheetHost& GetSheetHost() { return g_host.Get(); }
