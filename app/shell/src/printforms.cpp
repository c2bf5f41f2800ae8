// The print forms and their designer.
#include "printforms.h"

#include "printformdlg.h"
#include "resource.h"
#include "vaskreport.h"

BOOL GetPrintFormFile(int nPrintType, CString& path) {
    CString typeName, section, location;
    if (!typeName.LoadString((UINT)nPrintType) || !section.LoadString(IDS_PRINT_FORMS_SECTION) ||
        !location.LoadString(IDS_PRINT_FORMS_LOCATION))
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    const CString folder = pApp->GetProfileString(section, location);
    const CString file = pApp->GetProfileString(section, typeName);
    if (folder.IsEmpty() || file.IsEmpty()) return FALSE;
    path = folder + "\\" + file;
    return TRUE;
}

BOOL DeclareReportData(int hJob, int nPrintType) {
    if (nPrintType < IDS_PRINT_TYPE_FIRST || nPrintType > IDS_PRINT_TYPE_LAST) return FALSE;
    LlDefineVariableStart(hJob);
    return TRUE;
}

void RunPrintFormDesigner(CWnd* pParent) {
    CPrintFormDlg dialog;
    if (dialog.DoModal() != IDOK || dialog.GetPrintType() < 0) return;
    const int nPrintType = dialog.GetPrintType();
    CString path;
    if (!GetPrintFormFile(nPrintType, path)) {
        AfxMessageBox(IDS_FORM_FILE_MISSING);
        return;
    }
    const INT hJob = LlJobOpen(LL_LANGUAGE_PROGRAM);
    if (hJob == LL_ERR_FAILED) {
        AfxMessageBox(IDS_PRINT_INIT_FAILED);
        LlJobClose(hJob);
        return;
    }
    LlSetOption(hJob, LL_OPTION_PROGRAM, 1);
    DeclareReportData(hJob, nPrintType);
    CString title;
    title.LoadString(IDS_DESIGNER_TITLE);
    if (LlDefineLayoutA(hJob, pParent->GetSafeHwnd(), title, LL_PROJECT_LIST, path) < 0)
        AfxMessageBox(IDS_PRINT_MODULE_FAILED);
    LlJobClose(hJob);
}
