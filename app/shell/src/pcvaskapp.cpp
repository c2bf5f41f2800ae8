// The application object.
#include "pcvaskapp.h"

#include "appmessages.h"
#include "mainframe.h"
#include "shellsheethost.h"

IMPLEMENT_DYNAMIC(CPCVaskApp, CWinApp)

CString m_strFreeComPorts;

CPCVaskApp::CPCVaskApp() : CWinApp(NULL), m_nOperationMode(0), m_nCompareMode(0) {}

CPCVaskApp::~CPCVaskApp() { m_strFreeComPorts.Empty(); }

BOOL CPCVaskApp::InitInstance() {
    // The analyzers' sheets reach the frame and the application through their host.
    InstallProgramSheets();
    return FALSE;
}

CPCVaskApp* CPCVaskApp::Get() {
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->IsKindOf(RUNTIME_CLASS(CPCVaskApp)) ? (CPCVaskApp*)pApp : NULL;
}

CKemMainFrame* CPCVaskApp::GetMainFrame() const {
    CWnd* pWnd = m_pMainWnd;
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CKemMainFrame)) ? (CKemMainFrame*)pWnd
                                                                        : NULL;
}

void CPCVaskApp::SetOperationMode(int nMode) {
    m_nOperationMode = nMode;
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL) return;
    pFrame->UpdateStatusBar();
    pFrame->SetOnline(nMode != 0);
    pFrame->OnUpdateFrameTitle(FALSE);
}

CView* CPCVaskApp::SwitchView(int nViewId) {
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL) return NULL;
    pFrame->SendMessage(WM_CHANGEMENU, (WPARAM)nViewId, 0);
    return pFrame->GetActiveView();
}

void CPCVaskApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0x5FFFF) return;
    CWinApp::WinHelp(dwData, nCmd);
}
