// The sheets' host of the program.
#include "shellsheethost.h"

#include "accesslevel.h"
#include "instrumentgrid.h"
#include "mainframe.h"
#include "pcvaskapp.h"
#include "sheetreportjobs.h"
#include "shellcurvehost.h"
#include "viewmessage.h"

namespace {

CKemMainFrame* MainFrame() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL ? pApp->GetMainFrame() : NULL;
}

CProgramSheetHost g_host;

}  // namespace

int CProgramSheetHost::GetAccessLevel() { return GetProgramAccessLevel(); }

int CProgramSheetHost::GetOperationMode() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL ? pApp->GetOperationMode() : 0;
}

void CProgramSheetHost::SetTimerTarget(CWnd* pTarget) {
    CKemMainFrame* pFrame = MainFrame();
    if (pFrame != NULL) pFrame->SetTimerTarget(pTarget);
}

void CProgramSheetHost::RequestMessageReload() {
    CKemMainFrame* pFrame = MainFrame();
    if (pFrame != NULL && pFrame->GetMessageView() != NULL)
        pFrame->GetMessageView()->RequestRebuild();
}

void CProgramSheetHost::WinHelp(DWORD_PTR dwData, UINT nCmd) {
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) pApp->WinHelp(dwData, nCmd);
}

void CProgramSheetHost::UpdateActiveDocument(LPARAM lHint) {
    CKemMainFrame* pFrame = MainFrame();
    CDocument* pDoc = pFrame != NULL ? pFrame->GetActiveDocument() : NULL;
    if (pDoc != NULL) pDoc->UpdateAllViews(NULL, lHint, NULL);
}

void CProgramSheetHost::StartProgress(CWnd* pOwner, UINT nTextId) {
    m_progress.reset(new CDlgMessage(pOwner));
    m_progress->Start(nTextId);
}

void CProgramSheetHost::StopProgress() {
    if (m_progress == NULL) return;
    m_progress->Stop();
    m_progress.reset();
}

void InstallProgramSheets() {
    SetSheetHost(&g_host);
    InstallInstrumentGridFactory();
    InstallSheetReport();
    // The curve sheet's host as well.
    InstallProgramCurveHost();
}
