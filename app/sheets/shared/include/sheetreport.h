// The sheets' way to the program's print services: the shell installs its implementation over
// StartReportJob, DefineReport..., PrintReportRecord and EndReportPreview (reportjob.h), which
// lie above the sheets. Between those calls the sheets call the report engine
// (vaskreport.h) themselves: variable starts, pages, the current page, the end of a failed
// print and the objects of a form.
//
// Until an implementation is installed nothing can be printed: StartJob gives -1.
#pragma once

#include "vaskfc.h"

class CSheetReport {
public:
    virtual ~CSheetReport() {}

    // Opens a job for the print type's form (12501 to 12504) and lets the user choose the
    // printer and the pages, owned by `pParent`. The job and, in `nLastPage`, the last page
    // of the user's choice (LL_LASTPAGE_ALL for all pages); -1 when there is no job (the
    // user has been told, nothing else to do).
    virtual int StartJob(int nPrintType, CWnd* pParent, int& nLastPage) = 0;
    // "VCompany", "VDepartment" and "VProject" from the program's settings.
    virtual void DefineHeaderVariables(int hJob) = 0;
    // A variable or field named by the string `nNameId`, only when the form uses it.
    virtual int DefineVariable(int hJob, UINT nNameId, LPCSTR pszValue) = 0;
    virtual int DefineVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) = 0;
    virtual int DefineField(int hJob, UINT nNameId, LPCSTR pszValue) = 0;
    // Prints the record's fields: 0, -998 when the page was full, -99 after the user's
    // Cancel (the job is then ended and closed).
    virtual int PrintRecord(int hJob) = 0;
    // Ends the print of a job that is still open, shows the preview when it was chosen and
    // closes the job.
    virtual void EndPreview(int hJob, CWnd* pParent) = 0;
};

// Installs the print services (NULL: none) and returns the ones installed before.
CSheetReport* SetSheetReport(CSheetReport* pReport);
// The installed print services, else a stand-in that opens no job.
CSheetReport& GetSheetReport();
