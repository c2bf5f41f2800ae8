// The page header and row loop of the diagnostics and drift values prints.
#include "diagnosticsprint.h"

#include "resource.h"
#include "sheetreport.h"
#include "vaskinstrument.h"
#include "vaskreport.h"

namespace {

// The identity entries by their fixed numbers, in the header's order, with their variables.
struct Identity {
    int nEntry;
    UINT nVariable;
} const kIdentity[kIdentityTextCount] = {
    {3, IDS_VAR_HARDWARE_ID},      {1, IDS_VAR_SERIAL_NUMBER},    {2, IDS_VAR_ORDER_NUMBER},
    {4, IDS_VAR_FIRMWARE_NUMBER},  {576, IDS_VAR_FW_ADAPTER},     {577, IDS_VAR_FW_ADAPTER_BOOT},
    {578, IDS_VAR_FW_OPTION},      {579, IDS_VAR_FW_OPTION_BOOT}, {580, IDS_VAR_FW_MOTHER},
    {581, IDS_VAR_FW_MOTHER_BOOT},
};

const char* const kDriftObjects[] = {":Driftwerte", ":DriftwerteTitel", ":Kalibrierabweichungen",
                                     ":KalibrierabweichungenTitel"};

// Page, instrument and identity variables, common to both headers.
void DefineAnalyzerVariables(int hJob, CVaskInstrument* pAnalyzer, int nPage) {
    CSheetReport& report = GetSheetReport();
    CString page;
    page.Format("%d", nPage);
    report.DefineVariableExt(hJob, IDS_VAR_PAGE, page, LL_TYPE_NUMBER);
    report.DefineVariable(hJob, IDS_VAR_INSTRUMENT, pAnalyzer->GetName());
    CString texts[kIdentityTextCount];
    GetIdentityTexts(pAnalyzer, texts);
    for (int i = 0; i < kIdentityTextCount; ++i)
        report.DefineVariable(hJob, kIdentity[i].nVariable, texts[i]);
}

}  // namespace

void GetIdentityTexts(CVaskInstrument* pAnalyzer, CString (&texts)[kIdentityTextCount]) {
    VaskFloat value;
    for (int i = 0; i < kIdentityTextCount; ++i) {
        CVaskParameter* pEntry = pAnalyzer->FindParameterByNumber(kIdentity[i].nEntry);
        if (pEntry == NULL) {
            texts[i].Empty();
            continue;
        }
        pEntry->GetValue(value);
        texts[i] = value.text;
    }
}

void DefineDiagnosticsHeader(int hJob, CVaskInstrument* pAnalyzer, int nPage) {
    LlDefineVariableStart(hJob);
    GetSheetReport().DefineHeaderVariables(hJob);
    DefineAnalyzerVariables(hJob, pAnalyzer, nPage);
    LlPrint(hJob);
}

void DefineDriftHeader(int hJob, CVaskInstrument* pAnalyzer, int nPage, BOOL bCalibReserve) {
    LlDefineVariableStart(hJob);
    GetSheetReport().DefineHeaderVariables(hJob);
    for (const char* object : kDriftObjects) LlPrintEnableObjectA(hJob, object, TRUE);
    DefineAnalyzerVariables(hJob, pAnalyzer, nPage);
    GetSheetReport().DefineVariable(hJob, IDS_VAR_HAS_CALIB_RESERVE, bCalibReserve ? "1" : "0");
    LlPrint(hJob);
}

int PrintListRows(int hJob, int nLastPage, int nRows, const std::function<void()>& defineHeader,
                  const std::function<int(int)>& printRow) {
    defineHeader();
    int result = 0;
    if (LlPrintGetCurrentPage(hJob) > nLastPage) return result;
    for (int row = 0; row < nRows; ++row) {
        result = printRow(row);
        if (result == LL_WRN_PAGE_FULL && LlPrintGetCurrentPage(hJob) <= nLastPage) {
            defineHeader();
            result = printRow(row);
        }
        if (result == LL_OK) continue;
        // A Cancel has ended and closed the job already; closing it again would act on a
        // handle that is no longer ours.
        if (result != LL_ERR_CANCELLED) {
            LlPrintEnd(hJob, 0);
            LlJobClose(hJob);
        }
        return kPrintJobClosed;
    }
    return result;
}

int DefineListFields(int hJob, CListCtrl& list, int nRow, const UINT* fields, int nFields) {
    CSheetReport& report = GetSheetReport();
    for (int nColumn = 0; nColumn < nFields; ++nColumn)
        report.DefineField(hJob, fields[nColumn], list.GetItemText(nRow, nColumn));
    return nFields;
}

int PrintListRecord(int hJob, CListCtrl& list, int nRow, const UINT* fields, int nFields) {
    DefineListFields(hJob, list, nRow, fields, nFields);
    return GetSheetReport().PrintRecord(hJob);
}

int PrintDiagnosticsList(int hJob, int nLastPage, CVaskInstrument* pAnalyzer, int nPage,
                         CListCtrl& list, const UINT* fields, int nFields) {
    return PrintListRows(
        hJob, nLastPage, list.GetItemCount(),
        [&] { DefineDiagnosticsHeader(hJob, pAnalyzer, nPage); },
        [&](int nRow) { return PrintListRecord(hJob, list, nRow, fields, nFields); });
}
