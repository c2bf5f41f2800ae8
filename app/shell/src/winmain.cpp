// The program's entry while the class library has none: the start-up values into the
// application object, its InitInstance, then its message loop, which ends with its
// ExitInstance.
#include "vaskfc.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* app = AfxGetApp();
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
