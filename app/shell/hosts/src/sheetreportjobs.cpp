// The program's print services for the sheets.
#include "sheetreportjobs.h"

namespace {
CProgramSheetReport g_report;
}

int CProgramSheetReport::StartJob(int nPrintType, CWnd* pParent, int& nLastPage) {
    m_info = CReportJobInfo();
    const int hJob = StartReportJob(nPrintType, &m_info, pParent);
    // The user's choice of pages; no choice is no limit.
    nLastPage = m_info.nLastPage > 0 ? m_info.nLastPage : LL_LASTPAGE_ALL;
    return hJob;
}

void CProgramSheetReport::DefineHeaderVariables(int hJob) { DefineReportHeaderVariables(hJob); }

int CProgramSheetReport::DefineVariable(int hJob, UINT nNameId, LPCSTR pszValue) {
    return DefineReportVariable(hJob, nNameId, pszValue);
}

int CProgramSheetReport::DefineVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) {
    return DefineReportVariableExt(hJob, nNameId, pszValue, nType);
}

int CProgramSheetReport::DefineField(int hJob, UINT nNameId, LPCSTR pszValue) {
    return DefineReportField(hJob, nNameId, pszValue);
}

int CProgramSheetReport::PrintRecord(int hJob) { return PrintReportRecord(hJob); }

void CProgramSheetReport::EndPreview(int hJob, CWnd* pParent) {
    EndReportPreview(hJob, &m_info, pParent);
}

void InstallSheetReport() { SetSheetReport(&g_report); }
