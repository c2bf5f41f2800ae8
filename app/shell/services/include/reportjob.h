// Printing through the report engine: starting a job on a print type's form, one record at a
// time, the end with its preview, and the definition of the variables and fields that a form
// may use, each named by the number of its name in the string table.
//
// A print: StartReportJob; when it gives a job, the print's variables
// (DefineReportHeaderVariables, DefineReportVariable...); per record its fields
// (DefineReportField...) and PrintReportRecord, which answers -998 when the page is full (the
// caller defines the page's variables again and prints the same record once more) and -99
// after a Cancel (the job is then already ended and closed); at the end EndReportPreview, or
// LlPrintEnd (0) and LlJobClose when a step failed.
#pragma once

#include "vaskfc.h"
#include "vaskreport.h"

// The caller's record of one job.
struct CReportJobInfo {
    // Printer or preview (LL_DESTINATION_...), as chosen in the options dialog.
    int nDestination = LL_DESTINATION_PRINTER;
    // The path of the form being printed.
    CString strLayoutPath;
    // The last page of the chosen range, from 1; LL_LASTPAGE_ALL when all pages were chosen.
    int nLastPage = LL_LASTPAGE_ALL;
    // The name of the job's output: the print type's name.
    CString strOutputName;
};

// Opens a job on the form of `nPrintType` (12501 to 12504), declares the type's names, starts
// the print with its progress box and lets the user choose printer or preview in the options
// dialog, owned by `pParent`. The job, with `pInfo` filled; or -1 after the user was told
// (nothing to tell when the user cancelled the options dialog), with no job left open.
int StartReportJob(int nPrintType, CReportJobInfo* pInfo, CWnd* pParent);

// Prints the fields defined for one record, showing the progress. The engine's result (0, or
// -998 for a full page), or -99 when the user cancelled: the job is then ended and closed.
int PrintReportRecord(int hJob);

// Ends the print, shows the preview when the user chose it, removes the preview's files and
// closes the job. Output that the printer refused is told to the user.
void EndReportPreview(int hJob, CReportJobInfo* pInfo, CWnd* pParent);

// Opens a job for printing or the designer; tells the user and gives -1 when none can be
// opened.
int OpenReportJob();

// Defines "VCompany", "VDepartment" and "VProject" with the texts of the profile section
// "Company". Always, not only when the form uses them: the job's set-up and the designer
// declare them through here as well.
void DefineReportHeaderVariables(int hJob);

// One variable or field, named by the string `nNameId`. The Declare functions make the name
// known to the set-up of a job or of the designer, with `pszValue` or, when NULL, the name
// itself; the Define functions give a running print the record's value, and only when the form
// uses the name. The Ext functions give the value's type (LL_TYPE_...). The engine's result,
// 0 for a name the form does not use, LL_ERR_PARAMETER for a string that does not exist.
int DeclareReportVariable(int hJob, UINT nNameId, LPCSTR pszValue = NULL);
int DeclareReportVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType);
int DeclareReportField(int hJob, UINT nNameId, LPCSTR pszValue = NULL);
int DeclareReportFieldExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType);
int DefineReportVariable(int hJob, UINT nNameId, LPCSTR pszValue);
int DefineReportVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType);
int DefineReportField(int hJob, UINT nNameId, LPCSTR pszValue);
int DefineReportFieldExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType);
