// The program's print services for the sheets (sheetreport.h): StartReportJob and its
// companions of reportjob.h, with the job's record kept from the start to the preview.
#pragma once

#include "reportjob.h"
#include "sheetreport.h"

class CProgramSheetReport : public CSheetReport {
public:
    int StartJob(int nPrintType, CWnd* pParent, int& nLastPage) override;
    void DefineHeaderVariables(int hJob) override;
    int DefineVariable(int hJob, UINT nNameId, LPCSTR pszValue) override;
    int DefineVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) override;
    int DefineField(int hJob, UINT nNameId, LPCSTR pszValue) override;
    int PrintRecord(int hJob) override;
    void EndPreview(int hJob, CWnd* pParent) override;

    // The record of the job started last.
    const CReportJobInfo& GetJobInfo() const { return m_info; }

private:
    // One print at a time: the sheets are modal.
    CReportJobInfo m_info;
};

// Installs the program's print services for the sheets.
void InstallSheetReport();
