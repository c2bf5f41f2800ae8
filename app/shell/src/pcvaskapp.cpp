// The application object.
#include "pcvaskapp.h"

#include "appmessages.h"
#include "instrumentview.h"
#include "resource.h"
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
    if (m_pInstrumentView != NULL && ::IsWindow(m_pInstrumentView->GetSafeHwnd()) &&
        m_pMainPane != NULL && ::IsWindow(m_pMainPane->GetSafeHwnd())) {
        CWnd* pNew = nViewId == IDR_INSTRUMENT_DATA ? (CWnd*)m_pInstrumentView : m_pMainPane;
        if (pNew != m_pCurrentPane) {
            if (m_pCurrentPane == m_pMainPane) m_pMainView = pFrame->GetActiveView();
            // The pane shown takes the control id, and with it the place in the layout.
            const LONG_PTR nOldId = ::GetWindowLongPtrA(m_pCurrentPane->m_hWnd, GWL_ID);
            const LONG_PTR nNewId = ::GetWindowLongPtrA(pNew->m_hWnd, GWL_ID);
            ::SetWindowLongPtrA(m_pCurrentPane->m_hWnd, GWL_ID, nNewId);
            ::SetWindowLongPtrA(pNew->m_hWnd, GWL_ID, nOldId);
            m_pCurrentPane->ShowWindow(SW_HIDE);
            pNew->ShowWindow(SW_SHOW);
            m_pCurrentPane = pNew;
            pFrame->SetActiveView(
                pNew == m_pInstrumentView ? (CView*)m_pInstrumentView : m_pMainView, TRUE);
            pFrame->RecalcLayout();
            pNew->Invalidate(TRUE);
        }
    }
    pFrame->SendMessage(WM_CHANGEMENU, (WPARAM)nViewId, 0);
    return pFrame->GetActiveView();
}

BOOL CPCVaskApp::CreateInstrumentView() {
    CKemMainFrame* pFrame = GetMainFrame();
    if (pFrame == NULL || m_pInstrumentView != NULL) return FALSE;
    CInstrumentView* pView = new CInstrumentView;
    CCreateContext context;
    context.m_pCurrentDoc = pFrame->GetActiveDocument();
    if (!pView->Create(NULL, "Instrument", WS_CHILD, CRect(0, 0, 0, 0), pFrame,
                       AFX_IDW_PANE_FIRST + 1, &context)) {
        // A view whose window failed deletes itself only once it had one.
        return FALSE;
    }
    m_pInstrumentView = pView;
    m_pMainPane = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
    m_pMainView = pFrame->GetActiveView();
    m_pCurrentPane = m_pMainPane;
    pView->OnInitialUpdate();
    return TRUE;
}

void CPCVaskApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    if (dwData == 0x5FFFF) return;
    CWinApp::WinHelp(dwData, nCmd);
}
