// CCommunication: the owner of one bus network, chosen by its type text. It forwards the
// request engine's and the flat interface's operations to the network, and answers
// uniformly while there is none.
//
//   ""  or "VASK"   the serial bus on a COM port (CvaskNetwork)
//   "TCPGATEWAY"    a line of a TCP/IP gateway
//   anything else   error 25 (the comparison is exact and case-sensitive)
#pragma once

#include <windows.h>

#include "commvask_api.h"
#include "serialparam.h"
#include "vaskerror.h"
#include "vaskfc.h"
#include "vaskmessage.h"
#include "vasknetwork.h"

class COMMVASK_API CCommunication {
public:
    CCommunication();
    // Error 26 without a network.
    virtual int SetSelectedLine(const CString& line, ErrorStruct_* err);
    virtual int SetMyAddress(int address, ErrorStruct_* err);
    // Calls Done.
    virtual ~CCommunication();
    CCommunication(const CCommunication&) = delete;
    CCommunication& operator=(const CCommunication&) = delete;

    // Creates and initialises the network of that type; on failure no network is left.
    // Error 34 while a network exists.
    int Init(const CString& type, const CString& line, const SerialParam& param, ErrorStruct_* err);
    // Closes and deletes the network; always 1.
    int Done(ErrorStruct_* err);
    int IsInitialized() const { return m_network != NULL; }

    // These require a network; callers ask only after a successful Init.
    void ThreadInit();
    void ThreadDone();
    BOOL NeedTimer();
    DWORD GetTimeout();
    int GetMaxRetry();
    HANDLE GetSendEvent();
    HANDLE GetRecvEvent();

    // 33 without a network (returned, not recorded).
    int GetSendResult();
    // Nothing without a network.
    void ResetStatistics();
    void GetStatistics(NetStat* stat);
    // Error 26 without a network.
    int ConfigureLine(HWND parent, ErrorStruct_* err);
    CString GetLineName(ErrorStruct_* err);
    // The empty text without a network, and no error.
    CString GetSelectedLine();
    // Error 26 without a network. The message stays the caller's.
    int Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err);
    int SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err);
    // 1 with a new message (the caller deletes it) or with none; error 26 without a network.
    int Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err);

private:
    CPCvaskNetwork* m_network;
};
