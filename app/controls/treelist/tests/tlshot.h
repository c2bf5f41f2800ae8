// Screenshots of test windows for the documentation: taken only when the environment
// variable VASK_SCREENSHOT_DIR names a folder, written there as PNG files.
#pragma once

#include <windows.h>

#include <string>

// The client area of hWnd as it was painted, saved as `name` in the folder that
// VASK_SCREENSHOT_DIR names. True when nothing was asked or the picture was saved; false
// with the reason in *error otherwise.
bool SaveScreenshotIfAsked(HWND hWnd, const char* name, std::string* error);
