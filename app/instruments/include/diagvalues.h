// CDiagnosticValues: what an analyzer keeps of its diagnostic-values display. The grids of
// the analyzer models derive from it; the analyzer owns the object and deletes it through
// the virtual destructor.
//
// The model classes create their display through a factory that the property sheets
// install (their grid classes sit above the instrument model); until one is installed the
// models have no display.
#pragma once

#include "vaskfc.h"

class CDiagnosticValues {
public:
    virtual ~CDiagnosticValues() {}
    // Takes the place of the dialog control `controlId` of `parent`; non-zero on success.
    virtual BOOL AttachToDlgItem(CWnd* parent, UINT controlId) = 0;
};

// The displays the models ask for: the instrument grid of every model but the Sindor 23,
// and the Sindor 23's own grid.
enum DiagValuesKind { InstrumentGridKind = 1, Sindor23GridKind = 2 };

// A new, unattached display of `kind`, owned by the caller; null when there is none of
// that kind.
typedef CDiagnosticValues* (*DiagValuesFactory)(int kind);

// Installs the process's factory (null: none) and returns the one installed before.
DiagValuesFactory SetDiagValuesFactory(DiagValuesFactory factory);

// A new display of `kind` from the installed factory; null without one.
CDiagnosticValues* CreateDiagValuesOfKind(int kind);
