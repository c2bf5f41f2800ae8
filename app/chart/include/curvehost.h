// The curve sheet's way to the shell, which lies above the chart: the print services of the
// report engine, the document's busy flag and the document's step that runs before any node
// of the tree is deleted. The program's shell installs one (SetCurveHost); until then the
// built-in one answers: no print job, a document that is never busy, no registration.
#pragma once

#include "vaskfc.h"

// Something that keeps pointers to the document's nodes and must drop them before the
// document deletes any node (a rebuild of the tree, a scan, going online or offline, a new
// document or file).
class CCurveNodeUser {
public:
    virtual ~CCurveNodeUser() {}
    virtual void ReleaseNodes() = 0;
};

class CCurveHost {
public:
    virtual ~CCurveHost() {}

    // Opens a print job on the form of print type nForm with its options dialog, owned by
    // pParent: the job, or -1 (the user was told, or cancelled) with no job left open.
    virtual int StartReportJob(int nForm, CWnd* pParent) = 0;
    // Defines the form's header variables (company, department, project).
    virtual void DefineReportHeaderVariables(int hJob) = 0;
    // Ends the job with its preview when the user chose one, and closes it.
    virtual void EndReportPreview(int hJob, CWnd* pParent) = 0;
    // Whether the document is rebuilding its tree, scanning or loading: nodes may not be
    // looked up meanwhile.
    virtual BOOL IsDocumentBusy() = 0;
    // Registers (or removes) a user of nodes with the document's step before nodes are
    // deleted.
    virtual void AddNodeUser(CCurveNodeUser* pUser) = 0;
    virtual void RemoveNodeUser(CCurveNodeUser* pUser) = 0;
};

// Installs the process's host (NULL: the built-in one); returns the one installed before.
CCurveHost* SetCurveHost(CCurveHost* pHost);
CCurveHost& GetCurveHost();
