// The curve sheet's host of the program.
#include "shellcurvehost.h"

#include "pcvaskdoc.h"

// The user's entry in the document's step before nodes are deleted.
struct CProgramCurveHost::Registration : public CWorkerThreadStopper {
    Registration(CCurveNodeUser* pUser, CPCVaskDoc* pDoc) : pUser(pUser), pDoc(pDoc) {}
    void StopWorkerThread(CPCVaskDoc*) override { pUser->ReleaseNodes(); }
    void DocumentGone(CPCVaskDoc*) override { pDoc = NULL; }

    CCurveNodeUser* pUser;
    CPCVaskDoc* pDoc;
};

namespace {
CProgramCurveHost g_host;
}  // namespace

CProgramCurveHost::~CProgramCurveHost() {}

int CProgramCurveHost::StartReportJob(int nForm, CWnd* pParent) {
    CReportJobInfo info;
    const int hJob = ::StartReportJob(nForm, &info, pParent);
    if (hJob != -1) m_jobs[hJob] = info;
    return hJob;
}

void CProgramCurveHost::DefineReportHeaderVariables(int hJob) {
    ::DefineReportHeaderVariables(hJob);
}

void CProgramCurveHost::EndReportPreview(int hJob, CWnd* pParent) {
    auto it = m_jobs.find(hJob);
    CReportJobInfo info = it != m_jobs.end() ? it->second : CReportJobInfo();
    if (it != m_jobs.end()) m_jobs.erase(it);
    ::EndReportPreview(hJob, &info, pParent);
}

BOOL CProgramCurveHost::IsDocumentBusy() {
    CPCVaskDoc* pDoc = CPCVaskDoc::GetActive();
    return pDoc != NULL && pDoc->IsBusy();
}

void CProgramCurveHost::AddNodeUser(CCurveNodeUser* pUser) {
    CPCVaskDoc* pDoc = CPCVaskDoc::GetActive();
    if (pUser == NULL || pDoc == NULL || m_users.count(pUser) != 0) return;
    std::unique_ptr<Registration> registration(new Registration(pUser, pDoc));
    pDoc->AddWorkerThreadStopper(registration.get());
    m_users[pUser] = std::move(registration);
}

void CProgramCurveHost::RemoveNodeUser(CCurveNodeUser* pUser) {
    auto it = m_users.find(pUser);
    if (it == m_users.end()) return;
    // Out of the document it was entered with, unless that document has gone (whichever
    // document is active now: a sheet closed while the frame goes must not stay entered).
    if (it->second->pDoc != NULL) it->second->pDoc->RemoveWorkerThreadStopper(it->second.get());
    m_users.erase(it);
}

void InstallProgramCurveHost() { SetCurveHost(&g_host); }
