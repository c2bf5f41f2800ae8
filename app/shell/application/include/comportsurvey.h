// The COM port survey of the program's start: every port of the machine whose name holds
// "COM" (never "FILE:") is opened once, unshared, and closed again; each that opens is
// listed as its name, a blank and its description, one piece after the other. The
// document's port nodes are the ports found in that text (m_strFreeComPorts).
//
// A port is opened through its device name ("\\.\COM10" for "COM10:"), which reaches COM10
// and above as well. A port that another program holds (access denied, or a sharing
// violation as Wine reports it) gives one message with the port as caption; other failures
// pass in silence.
#pragma once

#include "vaskfc.h"

#include <vector>

struct SurveyPort {
    CString name;         // as the system lists it, "COM1:"
    CString description;  // "Local Port", for instance
};

// The system calls of the survey; tests put their own in place.
class CComPortSurveyCalls {
public:
    virtual ~CComPortSurveyCalls() {}
    // The machine's ports; FALSE when they cannot be listed.
    virtual BOOL EnumeratePorts(std::vector<SurveyPort>& ports);
    // Opens the device for reading and writing, unshared, and closes it at once: 0 when it
    // opened, else the system's error code.
    virtual DWORD OpenPort(LPCSTR lpszDevice);
    // A message box without owner: string 61449 with the port as caption.
    virtual void ReportBusy(LPCSTR lpszPort);
};

// The device name through which a port is opened: "\\.\" and the name without its colon.
CString ComPortDevice(LPCSTR lpszPortName);
// Whether the survey opens a port of that name.
BOOL IsSurveyedPort(LPCSTR lpszPortName);
// The text of the free ports; empty when none opened or the ports cannot be listed.
CString SurveyComPorts(CComPortSurveyCalls& calls);
