// The sheets' test kit.
#include "sheetkit.h"

#include <algorithm>

namespace {
CSheetTestApp theApp;
// The program's help ignores this context: the popup of a static text.
const DWORD_PTR kStaticTextContext = 0x5FFFF;
}  // namespace

CSheetTestApp::CSheetTestApp() : CWinApp("KorvanGA sheets test") {}

void CSheetTestApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    helpCalls.push_back({dwData, nCmd});
    if (dwData == kStaticTextContext) return;
    CWinApp::WinHelp(dwData, nCmd);
}

bool CSheetTestApp::Asked(DWORD_PTR dwData, UINT nCmd) const {
    return std::any_of(helpCalls.begin(), helpCalls.end(),
                       [&](const HelpCall& h) { return h.dwData == dwData && h.nCmd == nCmd; });
}

CSheetTestApp& TestApp() { return theApp; }

SheetKit::SheetKit() {
    TestApp().operationMode = 0;
    TestApp().helpCalls.clear();
    previousSheetHost_ = SetSheetHost(this);
    previousInstrumentHost_ = SetInstrumentHost(this);
    previousFactory_ = InstallInstrumentGridFactory();
    if (TestApp().m_pMainWnd == NULL &&
        mainWindow_.CreateEx(0, AfxRegisterWndClass(0), "KorvanGA", WS_POPUP, 0, 0, 10, 10, NULL,
                             NULL))
        TestApp().m_pMainWnd = &mainWindow_;
    waits_.reset(new CProgramWaits);
}

SheetKit::~SheetKit() {
    waits_.reset();
    if (TestApp().m_pMainWnd == &mainWindow_) TestApp().m_pMainWnd = NULL;
    if (mainWindow_.m_hWnd != NULL) mainWindow_.DestroyWindow();
    SetDiagValuesFactory(previousFactory_);
    SetInstrumentHost(previousInstrumentHost_);
    SetSheetHost(previousSheetHost_);
    TestApp().operationMode = 0;
}

std::unique_ptr<CVaskInstrument> MakeOffline(const std::string& model, int components, int o2,
                                             int h2s) {
    const CString name = model.c_str();
    if (model == "Sindor 6") return std::make_unique<CSindor6>(name, nullptr, 1, components, 0, 0);
    if (model == "Parvel 6") return std::make_unique<CParvel6>(name, nullptr, 1, components, 0, 0);
    if (model == "Lorvix 6") return std::make_unique<CLorvix6>(name, nullptr, 1, components, 0, 0);
    if (model == "Sindor 23")
        return std::make_unique<CSindor23>(name, nullptr, 1, components, 0, o2, h2s, 0, 0, 0);
    if (model == "Quenta 6") return std::make_unique<CQuenta6>(name, nullptr, 1, components, 0, 0);
    if (model == "Parvel 64")
        return std::make_unique<CParvel64>(name, nullptr, 1, components, 0, 0);
    if (model == "Lorvix 62")
        return std::make_unique<CLorvix62>(name, nullptr, 1, components, 0, 0);
    return nullptr;
}
