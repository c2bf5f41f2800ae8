// CDiagnosticValues: what an analyzer keeps of its diagnostic-values display. The grids of
// the analyzer models derive from it; the analyzer owns the object and deletes it through
// the virtual destructor.
#pragma once

#include "vaskfc.h"

class CDiagnosticValues {
public:
    virtual ~CDiagnosticValues() {}
    // Takes the place of the dialog control `controlId` of `parent`; non-zero on success.
    virtual BOOL AttachToDlgItem(CWnd* parent, UINT controlId) = 0;
};
