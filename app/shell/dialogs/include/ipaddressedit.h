// CIPAddressEdit: the system's IP address control ("SysIPAddress32") read and set as dotted
// text, and its dialog data exchange.
#pragma once

#include "vaskfc.h"

class CIPAddressEdit : public CWnd {
public:
    // Registers the control's window class, so that a dialog template may hold it.
    CIPAddressEdit();

    // Shows the address of the dotted text; false, and the control unchanged, for a text
    // that names no address (255.255.255.255 included).
    bool SetAddress(LPCSTR lpszAddress);
    // The dotted text of the address shown; "0.0.0.0" for an empty control.
    CString GetAddress() const;

    // The same on any IP address control.
    static bool SetAddress(HWND hWnd, LPCSTR lpszAddress);
    static CString GetAddress(HWND hWnd);
    static void RegisterControlClass();
};

// Saving: the text becomes the address of control nIDC; loading: the control shows the text
// (a text that names no address leaves it as it was).
void AFXAPI DDX_IPAddress(CDataExchange* pDX, int nIDC, CString& value);
