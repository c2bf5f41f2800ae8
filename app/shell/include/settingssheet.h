// The program settings sheet. Until its pages exist it has none, and DoModal returns -1
// without showing anything.
#pragma once

#include "vaskfc.h"

class CSettingsSheet : public CPropertySheet {
    DECLARE_DYNAMIC(CSettingsSheet)
public:
    explicit CSettingsSheet(CWnd* pParentWnd = NULL);
};
