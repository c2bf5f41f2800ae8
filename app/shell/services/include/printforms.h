// The print forms: where the form of a print type lies, the names a form may use, and the
// designer that edits a form.
#pragma once

#include "vaskfc.h"

// The path of the form of print type `nPrintType` (the string number of its name): the
// folder "Location" and the file named by the type's name, both from the profile section
// "Print forms". FALSE when the type has no name or either value is missing.
BOOL GetPrintFormFile(int nPrintType, CString& path);

// Makes the names that the forms of `nPrintType` may use known to the report job (a job's
// set-up or the designer): the header variables and the type's own variables and fields, each
// with a sample value. FALSE for a type that is none of the four.
BOOL DeclareReportData(int hJob, int nPrintType);

// "Print &Forms...": the user chooses a print type, and the report engine's designer edits
// its form, owned by `pParent`. Failures are told to the user; the job is closed in every
// case.
void RunPrintFormDesigner(CWnd* pParent);
