// The diagnostics sheet of an analyzer, "Diagnostic values": logbook, components, diagnostic
// values and factory data, without Apply. Its "Print" button (left of OK) prints the three
// list pages on form 12503; the main frame's forwarded timer reaches the components and
// values pages.
#pragma once

#include "diagnosticspages.h"
#include "helppropertypage.h"

class CVaskInstrument;

class CDiagnosticsPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CDiagnosticsPropertySheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CDiagnosticsPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

    BOOL OnInitDialog() override;

    CPageDiagnosticsState m_statePage;
    CPageDiagnosticsComponents m_componentsPage;
    CPageDiagnosticsValues m_valuesPage;
    CPageDiagnosticsFirmData m_firmDataPage;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    void OnPrint();

    CVaskInstrument* m_pInstrument;
    CButton m_printButton;

    DECLARE_MESSAGE_MAP()
};

// The sheets' print button: "Print" one button step left of OK, as high and wide as OK, in
// the sheet's font.
void CreateSheetPrintButton(CPropertySheet* pSheet, CButton& button);
