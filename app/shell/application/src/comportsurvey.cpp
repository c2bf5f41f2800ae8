// The COM port survey.
#include "comportsurvey.h"

#include "pcvaskdoc.h"
#include "resource.h"

#include <winspool.h>

BOOL CComPortSurveyCalls::EnumeratePorts(std::vector<SurveyPort>& ports) {
    int nCount = 0;
    BYTE* pBuffer = CPCVaskDoc::GetPortInfoBuffer(nCount, 2);
    if (pBuffer == NULL) return FALSE;
    const PORT_INFO_2A* pPorts = (const PORT_INFO_2A*)pBuffer;
    for (int i = 0; i < nCount; ++i) {
        SurveyPort port;
        port.name = pPorts[i].pPortName != NULL ? pPorts[i].pPortName : "";
        port.description = pPorts[i].pDescription != NULL ? pPorts[i].pDescription : "";
        ports.push_back(port);
    }
    delete[] pBuffer;
    return TRUE;
}

DWORD CComPortSurveyCalls::OpenPort(LPCSTR lpszDevice) {
    HANDLE hPort =
        ::CreateFileA(lpszDevice, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (hPort == INVALID_HANDLE_VALUE) {
        const DWORD nError = ::GetLastError();
        return nError != 0 ? nError : ERROR_GEN_FAILURE;
    }
    ::CloseHandle(hPort);
    return 0;
}

void CComPortSurveyCalls::ReportBusy(LPCSTR lpszPort) {
    CString text;
    text.LoadString(IDS_COM_PORT_BUSY);
    ::MessageBoxA(NULL, text, lpszPort, MB_ICONINFORMATION);
}

CString ComPortDevice(LPCSTR lpszPortName) {
    CString name(lpszPortName);
    if (!name.IsEmpty() && name[name.GetLength() - 1] == ':')
        name = name.Left(name.GetLength() - 1);
    return "\\\\.\\" + name;
}

BOOL IsSurveyedPort(LPCSTR lpszPortName) {
    const CString name(lpszPortName);
    return name != "FILE:" && name.Find("COM") >= 0;
}

CString SurveyComPorts(CComPortSurveyCalls& calls) {
    CString free;
    std::vector<SurveyPort> ports;
    if (!calls.EnumeratePorts(ports)) return free;
    for (const SurveyPort& port : ports) {
        if (!IsSurveyedPort(port.name)) continue;
        const DWORD nError = calls.OpenPort(ComPortDevice(port.name));
        if (nError == 0)
            free += port.name + " " + port.description;
        else if (nError == ERROR_ACCESS_DENIED || nError == ERROR_SHARING_VIOLATION)
            calls.ReportBusy(port.name);
    }
    return free;
}
