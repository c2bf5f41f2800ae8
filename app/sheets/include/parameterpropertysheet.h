// The parameter sheet of an analyzer: ranges, limits, filters, frequencies, corrections and
// sample points.
// Until its pages exist it has none, and DoModal returns -1 without showing anything.
#pragma once

#include "helppropertypage.h"

class CVaskInstrument;

class CParameterPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CParameterPropertySheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CParameterPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

protected:
    CVaskInstrument* m_pInstrument;
};
