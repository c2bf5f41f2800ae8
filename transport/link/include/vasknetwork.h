// The bus networks: the abstract CPCvaskNetwork that the access layer drives, and the
// serial network CvaskNetwork on a COM port.
//
// Threads: Send, SendDL and ThreadInit run on the access layer's sender thread; Receive on
// that thread and, for a network whose NeedTimer is 1, on its timer's thread; the other
// operations on the thread that calls the access layer.
#pragma once

#include <windows.h>

#include "serialparam.h"
#include "vask_api.h"
#include "vaskerror.h"
#include "vaskfc.h"
#include "vasklayer.h"
#include "vaskmessage.h"

class VASK_API CPCvaskNetwork {
public:
    CPCvaskNetwork();
    // Closes the events when Done did not.
    virtual ~CPCvaskNetwork();
    CPCvaskNetwork(const CPCvaskNetwork&) = delete;
    CPCvaskNetwork& operator=(const CPCvaskNetwork&) = delete;

    // Clears the connected flag and creates the send and the receive event (auto-reset,
    // unsignalled); 1 only when both exist.
    virtual int Init(const CString& line, const SerialParam* param, ErrorStruct_* err);
    // Closes the events; 1.
    virtual int Done(ErrorStruct_* err);
    virtual void ThreadInit() = 0;
    virtual void ThreadDone() = 0;
    // How long to wait for an answer after a send, ms; 0: the access layer's own time-out.
    virtual DWORD GetTimeout() = 0;
    virtual int GetMaxRetry() = 0;
    // 1: Receive must be polled from the access layer's timer.
    virtual int NeedTimer() = 0;
    virtual int SetSelectedLine(const CString& line, ErrorStruct_* err) = 0;
    virtual CString GetSelectedLine() = 0;
    virtual CString GetLineName(ErrorStruct_* err) = 0;
    virtual int ConfigureLine(HWND parent, ErrorStruct_* err) = 0;
    virtual int SetMyAddress(int address, ErrorStruct_* err) = 0;
    // After the send event: 0 when the telegram went out, else an error code.
    virtual int GetSendResult() = 0;
    // The message stays the caller's.
    virtual int Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) = 0;
    virtual int SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) = 0;
    // 1 with a new message (the caller deletes it) and its sender's address text, or 1
    // with a null message when nothing is ready; 0 on a failure.
    virtual int Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) = 0;
    virtual void ResetStatistics() = 0;
    virtual void GetStatistics(NetStat* stat) = 0;

    int IsConnected(const CString& unused) const { return m_connected; }
    HANDLE GetSendEvent() const { return m_sendEvent; }
    HANDLE GetRecvEvent() const { return m_recvEvent; }

protected:
    int m_connected;
    HANDLE m_sendEvent;
    HANDLE m_recvEvent;
};

// The bus on a local COM port. One lock keeps the sender thread's telegram with its
// acknowledgement wait and the timer's receive from reading the port at the same time:
// otherwise either could take the other's bytes, and a lost acknowledgement would make
// the device execute a command twice.
class VASK_API CvaskNetwork : public CPCvaskNetwork {
public:
    CvaskNetwork();
    // Closes the port when Done did not.
    ~CvaskNetwork() override;

    int Init(const CString& line, const SerialParam* param, ErrorStruct_* err) override;
    int Done(ErrorStruct_* err) override;
    void ThreadInit() override {}
    void ThreadDone() override {}
    DWORD GetTimeout() override { return 0; }
    int GetMaxRetry() override { return 3; }
    int NeedTimer() override { return 1; }
    int SetSelectedLine(const CString&, ErrorStruct_*) override { return 1; }
    CString GetSelectedLine() override { return CString(); }
    CString GetLineName(ErrorStruct_* err) override;
    int ConfigureLine(HWND, ErrorStruct_*) override { return 1; }
    // The own address is the process-wide one of CvaskAddress, taken at Init.
    int SetMyAddress(int, ErrorStruct_*) override { return 1; }
    int GetSendResult() override { return 0; }
    // Refuses a body over 68 bytes with error 8 before anything reaches the port.
    int Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) override;
    int SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) override;
    // A call that finds the port in use by a send returns 1 with nothing ready.
    int Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) override;
    void ResetStatistics() override;
    void GetStatistics(NetStat* stat) override;

private:
    int Transmit(const CString& address, CPCvaskMessage* message, ErrorStruct_* err, int download);

    CvaskLayer m_layer;
    CRITICAL_SECTION m_portLock;
};
