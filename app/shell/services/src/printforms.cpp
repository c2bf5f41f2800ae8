// The print forms: where they lie, the names each print type declares, and the designer.
#include "printforms.h"

#include "printformdlg.h"
#include "reportjob.h"
#include "resource.h"

namespace {

// The variables that name an analyzer, in the order the forms receive them.
const UINT kAnalyzerVariables[] = {
    IDS_VAR_INSTRUMENT,      IDS_VAR_SERIAL_NUMBER,    IDS_VAR_HARDWARE_ID, IDS_VAR_ORDER_NUMBER,
    IDS_VAR_FIRMWARE_NUMBER, IDS_VAR_SOFTWARE_VERSION, IDS_VAR_FW_MOTHER,   IDS_VAR_FW_MOTHER_BOOT,
    IDS_VAR_FW_OPTION,       IDS_VAR_FW_OPTION_BOOT,   IDS_VAR_FW_ADAPTER,  IDS_VAR_FW_ADAPTER_BOOT,
};

const UINT kParameterFields[] = {
    IDS_FIELD_PARAMETER_GROUP,
    IDS_FIELD_PARAMETER,
    IDS_FIELD_VALUE,
};

const UINT kDiagnosticFields[] = {
    IDS_FIELD_TIMESTAMP,     IDS_FIELD_MESSAGE,   IDS_FIELD_CLASS,
    IDS_FIELD_ACKNOWLEDGED,  IDS_FIELD_COMPONENT, IDS_FIELD_ZERO_DEV,
    IDS_FIELD_ZERO_DEV_MAX,  IDS_FIELD_SPAN_DEV,  IDS_FIELD_SPAN_DEV_MAX,
    IDS_FIELD_CALIB_RESERVE, IDS_FIELD_CUR_VALUE, IDS_FIELD_CUR_RANGE,
    IDS_FIELD_ANALOG_OUTPUT, IDS_FIELD_MEAS_SIZE, IDS_FIELD_VALUE,
};

const UINT kDriftFields[] = {
    IDS_FIELD_COMPONENT,    IDS_FIELD_ZERO_DEV,      IDS_FIELD_ZERO_DEV_MAX, IDS_FIELD_SPAN_DEV,
    IDS_FIELD_SPAN_DEV_MAX, IDS_FIELD_CALIB_RESERVE, IDS_FIELD_COMPONENT2,   IDS_FIELD_TIMESTAMP,
    IDS_FIELD_ZERO_DEV2,    IDS_FIELD_SPAN_MR1,      IDS_FIELD_SPAN_MR2,     IDS_FIELD_SPAN_MR3,
    IDS_FIELD_SPAN_MR4,
};

template <size_t N>
void DeclareVariables(int hJob, const UINT (&ids)[N]) {
    for (UINT id : ids) DeclareReportVariable(hJob, id);
}

// Opens the field block and declares the fields, each valued with its own name.
template <size_t N>
void DeclareFields(int hJob, const UINT (&ids)[N]) {
    LlDefineFieldStart(hJob);
    for (UINT id : ids) DeclareReportField(hJob, id);
}

// The analyzer's identity, "VHasCalibReserve" for the drift values, and the page number that
// picks the table of the diagnostics sheet.
template <size_t N>
void DeclareAnalyzerPage(int hJob, bool bCalibReserve, const UINT (&fields)[N]) {
    DeclareVariables(hJob, kAnalyzerVariables);
    if (bCalibReserve) DeclareReportVariable(hJob, IDS_VAR_HAS_CALIB_RESERVE);
    DeclareReportVariableExt(hJob, IDS_VAR_PAGE, "1", LL_TYPE_NUMBER);
    DeclareFields(hJob, fields);
}

}  // namespace

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
    CString typeName;
    if (nPrintType < IDS_PRINT_TYPE_FIRST || nPrintType > IDS_PRINT_TYPE_LAST ||
        !typeName.LoadString((UINT)nPrintType))
        return FALSE;
    LlDefineVariableStart(hJob);
    DefineReportHeaderVariables(hJob);
    switch (nPrintType) {
        case IDS_PRINT_TYPE_FIRST + 0:  // "List of parameters"
            DeclareReportVariable(hJob, IDS_VAR_INSTRUMENT);
            LlDefineFieldStart(hJob);
            // One blank: the designer shows an empty sample line.
            for (UINT id : kParameterFields) DeclareReportFieldExt(hJob, id, " ", LL_TYPE_TEXT);
            break;
        case IDS_PRINT_TYPE_FIRST + 1: {  // "Diagram": a drawing, none until a print gives it
            CString name;
            name.LoadString(IDS_VAR_DIAGRAM);
            LlDefineVariableExtHandleA(hJob, name, NULL, LL_TYPE_DRAWING_EMF, NULL);
            break;
        }
        case IDS_PRINT_TYPE_FIRST + 2:  // "Diagnostic values"
            DeclareAnalyzerPage(hJob, false, kDiagnosticFields);
            break;
        case IDS_PRINT_TYPE_FIRST + 3:  // "Drift values"
            DeclareAnalyzerPage(hJob, true, kDriftFields);
            break;
    }
    return TRUE;
}

void RunPrintFormDesigner(CWnd* pParent) {
    CPrintFormDlg dialog(pParent);
    if (dialog.DoModal() != IDOK || dialog.GetPrintType() < 0) return;
    const int nPrintType = dialog.GetPrintType();
    CString path;
    if (!GetPrintFormFile(nPrintType, path)) {
        AfxMessageBox(IDS_FORM_FILE_MISSING);
        return;
    }
    const int hJob = OpenReportJob();
    if (hJob < 0) return;
    LlSetOption(hJob, LL_OPTION_PROGRAM, 1);
    DeclareReportData(hJob, nPrintType);
    CString title;
    title.LoadString(IDS_DESIGNER_TITLE);
    int defined;
    {
        CModalLoop loop;
        defined = LlDefineLayoutA(hJob, pParent ? pParent->GetSafeHwnd() : NULL, title,
                                  LL_PROJECT_LIST, path);
    }
    if (defined < 0) AfxMessageBox(IDS_PRINT_MODULE_FAILED);
    LlJobClose(hJob);
}
