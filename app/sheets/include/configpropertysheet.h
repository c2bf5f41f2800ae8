// The configuration sheet of an analyzer: outputs, relays, inputs, units, pump, bus,
// heating, warm-up and pressure settings.
// Until its pages exist it has none, and DoModal returns -1 without showing anything.
#pragma once

#include "helppropertypage.h"

class CVaskInstrument;

class CConfigPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CConfigPropertySheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CConfigPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

protected:
    CVaskInstrument* m_pInstrument;
};
