// The configuration sheet of an analyzer: outputs, relays, inputs, units, pump, bus,
// heating, warm-up and pressure settings. Which pages it holds depends on the analyzer's
// model and options (AddPages); a parameter's Edit selects one of them by its index, so
// their order never changes.
#pragma once

#include "configpages.h"
#include "helppropertypage.h"

class CVaskInstrument;

class CConfigPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CConfigPropertySheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit and the menu
    // command.
    explicit CConfigPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

    BOOL OnInitDialog() override;

protected:
    // The pages of the analyzer's model and options, in their fixed order.
    void AddPages();
    // OK and Apply: the pages write, then the active document's views reread the analyzer,
    // also when a page refused.
    void OnApplyNow();
    void OnOKButton();
    void ApplyAndUpdate(UINT nId);

public:
    // The nine pages, whether added or not.
    CPageConfigAnalogous m_analogPage;
    CPageConfigRelais m_relaysPage;
    CPageConfigBinary m_binaryPage;
    CPageConfigUnits m_unitsPage;
    CPageConfigSync m_syncPage;
    CPageConfigVask m_vaskPage;
    CPageConfigHeating m_heatingPage;
    CPageConfigWarmUp m_warmUpPage;
    CPageConfigPressureSettings m_pressurePage;

protected:
    CVaskInstrument* m_pInstrument;

    DECLARE_MESSAGE_MAP()
};
