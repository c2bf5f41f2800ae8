// The drift values sheet of an analyzer: calibration variation and the sums of drift values.
// Until its pages exist it has none, and DoModal returns -1 without showing anything.
#pragma once

#include "helppropertypage.h"

class CVaskInstrument;

class CDriftValuesSheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CDriftValuesSheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CDriftValuesSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

protected:
    CVaskInstrument* m_pInstrument;
};
