// The program's side of the curve sheet's host (curvehost.h): the print services of the
// report engine, the active document's busy flag, and the document's step before nodes are
// deleted, into which each curve sheet is entered while its window exists.
#pragma once

#include "curvehost.h"
#include "reportjob.h"

#include <map>
#include <memory>

class CPCVaskDoc;

class CProgramCurveHost : public CCurveHost {
public:
    ~CProgramCurveHost() override;

    int StartReportJob(int nForm, CWnd* pParent) override;
    void DefineReportHeaderVariables(int hJob) override;
    void EndReportPreview(int hJob, CWnd* pParent) override;
    // The active document's flag; FALSE without a document.
    BOOL IsDocumentBusy() override;
    // Entered with the active document's worker-thread stoppers (nothing without a
    // document).
    void AddNodeUser(CCurveNodeUser* pUser) override;
    void RemoveNodeUser(CCurveNodeUser* pUser) override;

private:
    struct Registration;
    std::map<int, CReportJobInfo> m_jobs;
    std::map<CCurveNodeUser*, std::unique_ptr<Registration>> m_users;
};

// Installs the program's curve host.
void InstallProgramCurveHost();
