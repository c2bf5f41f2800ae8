// Printing through the report engine.
#include "reportjob.h"

#include "printforms.h"
#include "resource.h"
#include "windowwork.h"

namespace {

// The percentage of the progress box: 1 to 100, then 1 again, across records and jobs.
int g_nProgress = 1;

// What a failed step leaves: the print ended, the job closed.
void AbandonJob(int hJob) {
    LlPrintEnd(hJob, 0);
    LlJobClose(hJob);
}

// A print that cannot start or whose output was lost, with the stop icon.
void TellPrintError(int result) {
    CString text;
    if (result == LL_ERR_NO_PRINTER) {
        text.LoadString(IDS_PRINTER_NOT_RESPONDING);
    } else {
        CString format;
        format.LoadString(IDS_PRINT_ERROR_CODE);
        text.Format(format, result);
    }
    AfxMessageBox(text, MB_ICONSTOP);
}

enum NameKind { kVariable, kField };
enum NameUse { kDeclare, kDefineWhenUsed };

// The one way a name reaches the engine: `pnType` NULL for the plain calls.
int PassName(int hJob, UINT nNameId, LPCSTR pszValue, const int* pnType, NameKind kind,
             NameUse use) {
    CString name;
    if (!name.LoadString(nNameId)) return LL_ERR_PARAMETER;
    if (use == kDefineWhenUsed) {
        const int used = kind == kVariable ? LlPrintIsVariableUsedA(hJob, name)
                                           : LlPrintIsFieldUsedA(hJob, name);
        if (used < 0) return used;
        if (used == 0) return LL_OK;
    }
    // Declaring without a value shows the name itself, so that the designer has a sample.
    const CString value = pszValue ? CString(pszValue) : use == kDeclare ? name : CString();
    if (kind == kVariable)
        return pnType ? LlDefineVariableExtA(hJob, name, value, *pnType, NULL)
                      : LlDefineVariableA(hJob, name, value);
    return pnType ? LlDefineFieldExtA(hJob, name, value, *pnType, NULL)
                  : LlDefineFieldA(hJob, name, value);
}

}  // namespace

int OpenReportJob() {
    const int hJob = LlJobOpen(LL_LANGUAGE_PROGRAM);
    if (hJob < 0) {
        AfxMessageBox(IDS_PRINT_INIT_FAILED);
        LlJobClose(hJob);
        return -1;
    }
    return hJob;
}

int StartReportJob(int nPrintType, CReportJobInfo* pInfo, CWnd* pParent) {
    CString path;
    if (!GetPrintFormFile(nPrintType, path)) {
        AfxMessageBox(IDS_FORM_FILE_MISSING);
        return -1;
    }
    const int hJob = OpenReportJob();
    if (hJob < 0) return -1;
    LlSetDlgboxMode(LL_DLGBOXMODE_PROGRAM);
    LlSetOptionStringA(hJob, LL_OPTIONSTR_EXTENSIONS, "cmll10ex.llx");
    LlSetOption(hJob, LL_OPTION_PROGRAM, 1);
    DeclareReportData(hJob, nPrintType);
    LlSetPrinterToDefaultA(hJob, LL_PROJECT_LIST, path);

    const HWND hParent = pParent ? pParent->GetSafeHwnd() : NULL;
    int started;
    {
        CModalLoop loop;  // the engine's box holds the window while it shows
        started = LlPrintWithBoxStartA(hJob, LL_PROJECT_LIST, path, LL_PRINT_PROGRAM,
                                       LL_BOX_CANCEL, hParent, "");
    }
    if (started < 0) {
        TellPrintError(started);
        AbandonJob(hJob);
        return -1;
    }
    LlPrintSetOption(hJob, LL_PRNOPT_COPIES, LL_COPIES_HIDE);

    CString prompt;
    prompt.LoadString(IDS_PRINT_OPTIONS_TEXT);
    int chosen;
    {
        CModalLoop loop;
        chosen = LlPrintOptionsDialogA(hJob, hParent, prompt);
    }
    if (chosen < 0) {
        AbandonJob(hJob);
        return -1;
    }
    if (pInfo) {
        pInfo->nDestination = (int)LlPrintGetOption(hJob, LL_PRNOPT_DESTINATION);
        pInfo->strLayoutPath = path;
        pInfo->nLastPage = (int)LlPrintGetOption(hJob, LL_PRNOPT_LASTPAGE);
        pInfo->strOutputName.LoadString((UINT)nPrintType);
    }
    return hJob;
}

int PrintReportRecord(int hJob) {
    CString text;
    text.LoadString(IDS_PRINTING_BOX_TEXT);
    int result;
    {
        // The engine's box takes its Cancel here: what else comes waits for the print's end.
        CWindowWork work;
        CModalLoop loop;
        result = LlPrintSetBoxTextA(hJob, text, g_nProgress);
    }
    if (result != LL_ERR_CANCELLED) {
        g_nProgress = g_nProgress >= 100 ? 1 : g_nProgress + 1;
        // A Cancel pressed while the record prints is answered here as well; the caller relies
        // on the job being closed after -99 either way.
        result = LlPrintFields(hJob);
    }
    if (result == LL_ERR_CANCELLED) AbandonJob(hJob);
    return result;
}

void EndReportPreview(int hJob, CReportJobInfo* pInfo, CWnd* pParent) {
    const CString path = pInfo ? pInfo->strLayoutPath : CString();
    // The output is made here: when the printer refuses it, the user must not take the print
    // for done.
    const int ended = LlPrintEnd(hJob, 0);
    if (ended < 0) TellPrintError(ended);
    {
        CModalLoop loop;
        LlPreviewDisplayA(hJob, path, "", pParent ? pParent->GetSafeHwnd() : NULL);
    }
    LlPreviewDeleteFilesA(hJob, path, "");
    LlJobClose(hJob);
}

void DefineReportHeaderVariables(int hJob) {
    struct Entry {
        UINT nEntry;
        UINT nVariable;
    } const kHeader[] = {
        {IDS_COMPANY_ENTRY, IDS_VAR_COMPANY},
        {IDS_DEPARTMENT_ENTRY, IDS_VAR_DEPARTMENT},
        {IDS_PROJECT_ENTRY, IDS_VAR_PROJECT},
    };
    CString section;
    section.LoadString(IDS_COMPANY_SECTION);
    for (const Entry& e : kHeader) {
        CString entry;
        entry.LoadString(e.nEntry);
        const CString text = AfxGetApp()->GetProfileString(section, entry);
        DeclareReportVariable(hJob, e.nVariable, text);
    }
}

int DeclareReportVariable(int hJob, UINT nNameId, LPCSTR pszValue) {
    return PassName(hJob, nNameId, pszValue, NULL, kVariable, kDeclare);
}

int DeclareReportVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) {
    return PassName(hJob, nNameId, pszValue, &nType, kVariable, kDeclare);
}

int DeclareReportField(int hJob, UINT nNameId, LPCSTR pszValue) {
    return PassName(hJob, nNameId, pszValue, NULL, kField, kDeclare);
}

int DeclareReportFieldExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) {
    return PassName(hJob, nNameId, pszValue, &nType, kField, kDeclare);
}

int DefineReportVariable(int hJob, UINT nNameId, LPCSTR pszValue) {
    return PassName(hJob, nNameId, pszValue, NULL, kVariable, kDefineWhenUsed);
}

int DefineReportVariableExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) {
    return PassName(hJob, nNameId, pszValue, &nType, kVariable, kDefineWhenUsed);
}

int DefineReportField(int hJob, UINT nNameId, LPCSTR pszValue) {
    return PassName(hJob, nNameId, pszValue, NULL, kField, kDefineWhenUsed);
}

int DefineReportFieldExt(int hJob, UINT nNameId, LPCSTR pszValue, int nType) {
    return PassName(hJob, nNameId, pszValue, &nType, kField, kDefineWhenUsed);
}
