// The adjustment sheet of an analyzer: zero and span of its ranges, its sensors and AUTOCAL.
// Until its pages exist it has none, and DoModal returns -1 without showing anything.
#pragma once

#include "helppropertypage.h"

class CVaskInstrument;

class CAdjustmentSheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CAdjustmentSheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CAdjustmentSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

protected:
    CVaskInstrument* m_pInstrument;
};
