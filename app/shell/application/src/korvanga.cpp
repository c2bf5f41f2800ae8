// The program's one application object.
#include "pcvaskapp.h"

CPCVaskApp theApp;
