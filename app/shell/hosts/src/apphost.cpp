// The application's instrument host.
#include "apphost.h"

#include "adjustmentsheet.h"
#include "appmessages.h"
#include "configpropertysheet.h"
#include "diagnosticspropertysheet.h"
#include "driftvaluessheet.h"
#include "mainframe.h"
#include "parameterpropertysheet.h"
#include "pcvaskapp.h"

namespace {

enum EditSheet {
    kAdjustmentSheet = 1,
    kParameterSheet = 2,
    kConfigurationSheet = 3,
    kDriftValuesSheet = 4,
    kDiagnosticsSheet = 5
};

// A sheet constructed with the analyzer and no parent, on the page, modally.
template <class Sheet>
int RunSheetOnPage(CVaskInstrument* pAnalyzer, int nPage) {
    Sheet sheet(pAnalyzer);
    sheet.SetActivePage(nPage);  // a page the sheet does not hold leaves the first
    return (int)sheet.DoModal();
}

}  // namespace

int RunAnalyzerSheet(int nSheet, int nPage, CVaskInstrument* pAnalyzer) {
    if (pAnalyzer == NULL) return -1;
    switch (nSheet) {
        case kAdjustmentSheet: return RunAdjustmentSheet(pAnalyzer, nPage);
        case kParameterSheet: return RunParameterSheet(pAnalyzer, nPage);
        case kConfigurationSheet: return RunSheetOnPage<CConfigPropertySheet>(pAnalyzer, nPage);
        case kDriftValuesSheet: return RunSheetOnPage<CDriftValuesSheet>(pAnalyzer, nPage);
        case kDiagnosticsSheet: return RunSheetOnPage<CDiagnosticsPropertySheet>(pAnalyzer, nPage);
        default: return -1;
    }
}

int CApplicationHost::GetOperationMode() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL && pApp->IsOnlineMode() ? 1 : 0;
}

int CApplicationHost::IsCompareMode() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp != NULL ? pApp->IsCompareMode() : 0;
}

CVaskInstrument* CApplicationHost::AddVaskInstrument(int, LPCSTR, int, int, CvaskAccess*) {
    return NULL;
}

void CApplicationHost::ReportDeviceError(const CString& text, const ErrorStruct_& error) {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    CKemMainFrame* pFrame = pApp != NULL ? pApp->GetMainFrame() : NULL;
    if (pFrame != NULL) pFrame->ReportDeviceError(text, error);
}

int CApplicationHost::RunInstrumentSheet(int sheet, int page, CVaskInstrument* analyzer) {
    return RunAnalyzerSheet(sheet, page, analyzer);
}
