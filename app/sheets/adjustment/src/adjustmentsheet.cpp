// The adjustment sheet.
#include "adjustmentsheet.h"

#include "resource.h"
#include "sheethost.h"
#include "vaskinstrument.h"
#include "windowwork.h"

namespace {
// The program's broadcast of a failed device operation (registered by name, so the id is the
// one the shell registers).
const UINT WM_VASK_ERROR_MSG = ::RegisterWindowMessageA("WM_VASK_ERROR");
const int kNotAnswering = 4;
}  // namespace

IMPLEMENT_DYNAMIC(CAdjustmentSheet, CHelpPropertySheet)

BEGIN_MESSAGE_MAP(CAdjustmentSheet, CHelpPropertySheet)
ON_COMMAND(IDOK, OnOKButton)
ON_COMMAND(ID_APPLY_NOW, OnApplyNow)
ON_COMMAND(IDCANCEL, OnCancelButton)
ON_REGISTERED_MESSAGE(WM_VASK_ERROR_MSG, OnVaskError)
END_MESSAGE_MAP()

CAdjustmentSheet::CAdjustmentSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd)
    : CHelpPropertySheet(IDS_ADJUSTMENT_SHEET_CAPTION, pParentWnd, 0),
      m_rangePage(pInstrument),
      m_sensorPage(pInstrument),
      m_autocalPage(pInstrument),
      m_pInstrument(pInstrument) {
    // Every page is always there; each decides from the model what it shows.
    AddPage(&m_rangePage);
    AddPage(&m_sensorPage);
    AddPage(&m_autocalPage);
}

CAdjustmentSheet::~CAdjustmentSheet() {}

BOOL CAdjustmentSheet::OnInitDialog() {
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return CHelpPropertySheet::OnInitDialog();
}

LRESULT CAdjustmentSheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The close box ends the system's sheet without a Cancel command: it asks the same.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE && !MayClose()) return 0;
    return CHelpPropertySheet::WindowProc(message, wParam, lParam);
}

void CAdjustmentSheet::OnOKButton() {
    // The pages refuse by themselves and keep the sheet open; the views reread what the
    // others wrote all the same.
    Default();
    GetSheetHost().UpdateActiveDocument(kSheetUpdateHint);
}

void CAdjustmentSheet::OnApplyNow() { OnOKButton(); }

BOOL CAdjustmentSheet::AsksBeforeClosing(int n) {
    return (n >= 5 && n <= 10) || (n >= 12 && n <= 21);
}

void CAdjustmentSheet::OnCancelButton() {
    // The system's sheet ends (the pages unregister themselves).
    if (MayClose()) Default();
}

BOOL CAdjustmentSheet::MayClose() {
    if (m_pInstrument != NULL && m_pInstrument->GetState() != kNotAnswering) {
        const int state = m_pInstrument->GetChannelState();
        if (AsksBeforeClosing(state) && IsClosePending()) {
            // The program closes: the channel goes back to measuring without a question.
            m_pInstrument->Measure();
            return TRUE;
        }
        if (AsksBeforeClosing(state)) {
            CString name, format, text;
            name.LoadString(IDS_DEVICE_STATE_BASE + state);
            format.LoadString(IDS_CHANNEL_STATE_CANCELLED);
            text.Format(format, (LPCSTR)name);
            if (AfxMessageBox(text, MB_OKCANCEL) != IDOK) return FALSE;
            // A failure is reported by the analyzer; the sheet closes regardless.
            m_pInstrument->Measure();
        }
    }
    return TRUE;
}

LRESULT CAdjustmentSheet::OnVaskError(WPARAM wParam, LPARAM lParam) {
    ErrorStruct_* pError = (ErrorStruct_*)lParam;
    if (wParam == 0 || pError == NULL || pError->code == 0) return 1;
    if (m_pInstrument == NULL || m_pInstrument->GetState() != kNotAnswering) {
        CString text = (LPCSTR)wParam;
        text += "\n";
        text += pError->text;
        AfxMessageBox(text, MB_OK);
    }
    // The windows that get the same broadcast after this one show nothing.
    pError->code = 0;
    return 1;
}

int RunAdjustmentSheet(CVaskInstrument* pInstrument, int nPage) {
    CAdjustmentSheet sheet(pInstrument);
    if (nPage > 0 && nPage < sheet.GetPageCount()) sheet.SetActivePage(nPage);
    return sheet.DoModal();
}
