// The application object.
#include "pcvaskapp.h"

CPCVaskApp::CPCVaskApp() : CWinApp(NULL) {}

BOOL CPCVaskApp::InitInstance() { return FALSE; }
