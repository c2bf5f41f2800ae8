// The sample program's application object; the class library's WinMain runs it.
#include "sample.h"

CSampleApp theApp;
