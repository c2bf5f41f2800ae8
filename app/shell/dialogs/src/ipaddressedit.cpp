// The IP address control.
#include <winsock2.h>

#include "ipaddressedit.h"

#include <commctrl.h>

CIPAddressEdit::CIPAddressEdit() { RegisterControlClass(); }

void CIPAddressEdit::RegisterControlClass() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    InitOnceExecuteOnce(
        &once,
        [](PINIT_ONCE, PVOID, PVOID*) -> BOOL {
            INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_INTERNET_CLASSES};
            InitCommonControlsEx(&icc);
            return TRUE;
        },
        NULL, NULL);
}

bool CIPAddressEdit::SetAddress(HWND hWnd, LPCSTR lpszAddress) {
    if (lpszAddress == NULL) return false;
    const unsigned long address = inet_addr(lpszAddress);
    if (address == INADDR_NONE) return false;
    ::SendMessageA(hWnd, IPM_SETADDRESS, 0, (LPARAM)ntohl(address));
    return true;
}

CString CIPAddressEdit::GetAddress(HWND hWnd) {
    DWORD address = 0;
    ::SendMessageA(hWnd, IPM_GETADDRESS, 0, (LPARAM)&address);
    in_addr in;
    in.s_addr = htonl(address);
    return CString(inet_ntoa(in));
}

bool CIPAddressEdit::SetAddress(LPCSTR lpszAddress) { return SetAddress(m_hWnd, lpszAddress); }

CString CIPAddressEdit::GetAddress() const { return GetAddress(m_hWnd); }

void AFXAPI DDX_IPAddress(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = CIPAddressEdit::GetAddress(hWndCtrl);
    else
        CIPAddressEdit::SetAddress(hWndCtrl, value);
}
