// The diagnostics sheet of an analyzer: logbook, components, diagnostic values and factory
// data.
// Until its pages exist it has none, and DoModal returns -1 without showing anything.
#pragma once

#include "helppropertypage.h"

class CVaskInstrument;

class CDiagnosticsPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CDiagnosticsPropertySheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CDiagnosticsPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

protected:
    CVaskInstrument* m_pInstrument;
};
