// The document.
#include "pcvaskdoc.h"

#include "commconfigdlg.h"
#include "converter.h"
#include "instrument.h"
#include "mainframe.h"
#include "pcvaskapp.h"
#include "vaskinstrument.h"

IMPLEMENT_DYNCREATE(CPCVaskDoc, CDocument)

CPCVaskDoc::CPCVaskDoc()
    : m_pSelected(NULL),
      m_nBusy(0),
      m_bLogging(FALSE),
      m_nAnyError(0),
      m_nAnyMaintenance(0),
      m_nAnyFunctionCheck(0),
      m_nAnyLimit(0),
      m_pOfflineConverter(NULL),
      m_pOfflineInstrument(NULL) {}

CPCVaskDoc::~CPCVaskDoc() {
    SetOfflineInstrument(NULL);
    if (m_pOfflineConverter != NULL) {
        POSITION at = m_nodeList.Find(m_pOfflineConverter);
        if (at != NULL) m_nodeList.RemoveAt(at);
        delete m_pOfflineConverter;
    }
}

CConverter* CPCVaskDoc::GetOfflineConverter() {
    if (m_pOfflineConverter == NULL) {
        m_pOfflineConverter = new CConverter("Offline", 1);
        m_pOfflineConverter->ReadFromRegistry("Offline");
        m_nodeList.AddTail(m_pOfflineConverter);
    }
    return m_pOfflineConverter;
}

void CPCVaskDoc::SetOfflineInstrument(CVaskInstrument* pAnalyzer) {
    CVaskInstrument* pOld = m_pOfflineInstrument;
    if (pAnalyzer == pOld) return;
    if (pAnalyzer != NULL) m_nodeList.AddTail(pAnalyzer);
    if (pOld != NULL) {
        POSITION at = m_nodeList.Find(pOld);
        if (at != NULL) m_nodeList.RemoveAt(at);
        if (m_pOfflineConverter != NULL) m_pOfflineConverter->RemoveChild(pOld);
        delete pOld;
    }
    if (pAnalyzer != NULL) pAnalyzer->SetParent(GetOfflineConverter());
    m_pOfflineInstrument = pAnalyzer;
}

CPCVaskDoc* CPCVaskDoc::GetActive() {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return NULL;
    CDocument* pDoc = ((CFrameWnd*)pMain)->GetActiveDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

BOOL CPCVaskDoc::InitTheInstruments() {
    SetBusy(1);
    SetBusy(0);
    return TRUE;
}

// ---- the communication configuration ------------------------------------------------------

BOOL CPCVaskDoc::ConfigureTheCommunication(int nCancelAllowed) {
    CCommConfigDlg dialog(nCancelAllowed);
    if (dialog.DoModal() != IDOK) return FALSE;
    SetOnlineMode(dialog.m_nOperationMode);
    return TRUE;
}

void CPCVaskDoc::SetOnlineMode(int nMode) {
    m_strPathName.Empty();
    if (CPCVaskApp* pApp = CPCVaskApp::Get()) pApp->SetOperationMode(nMode);
    if (nMode == 0 && m_bLogging) SetLogging(FALSE);
}

void CPCVaskDoc::OnVaskInitProgress(WPARAM, LPARAM) {}

void CPCVaskDoc::SelectNode(CInstrument* pNode) {
    if (pNode == m_pSelected) return;
    m_strPathName.Empty();
    m_strInstrumentViewText.Empty();
    m_pSelected = pNode;
    const BOOL bAnalyzer = pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument));
    if (CPCVaskApp* pApp = CPCVaskApp::Get())
        if (CKemMainFrame* pFrame = pApp->GetMainFrame())
            pFrame->SwitchValuePane(bAnalyzer ? 1 : 0);
    UpdateAllViews(NULL, 1, pNode);
}
