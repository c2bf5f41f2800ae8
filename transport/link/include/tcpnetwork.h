// CtcpNetwork: the bus network behind a TCP/IP gateway, reached through the gateway
// client VaskGate.  One gateway server is connected at Init, one of its lines opened by
// SetSelectedLine; every message body goes out as one transmit, and up to 20 receive
// requests stay pending, whose completions fill receive slots and set the receive event.
//
// Threads: Send, SendDL, Receive, ThreadInit and both callbacks run on the access layer's
// sender thread (the callbacks arrive through that thread's gateway client while it
// waits with a message-dispatching wait, also between requests); Receive also on the
// thread of a bus scan's duplicate test, so the slots are shared under a lock. Init, Done
// and the line operations run on the thread that calls the access layer, which needs a
// gateway client of its own.
#pragma once

#include <windows.h>

#include "VaskGate.h"
#include "vaskaddress.h"
#include "vasknetwork.h"

class VASK_API CtcpNetwork : public CPCvaskNetwork {
public:
    enum {
        ReceiveSlots = 20,
        SlotBufferSize = 88,  // the longest telegram body a slot takes
        ReplyTimeout = 2000,  // ms
    };

    // One pending or completed receive request.
    struct ReceiveSlot {
        HVGRECEIVE request;  // NoReceive when none is pending
        VG_ERROR result;     // of its last completion; reported once by Receive
        unsigned char data[SlotBufferSize];
        int length;  // 0: nothing to hand out
        CvaskAddress source;
        unsigned long order;  // completion count when it completed: the oldest goes first
    };

    CtcpNetwork();
    // Deletes the slots; Done must have come first.
    ~CtcpNetwork() override;

    int Init(const CString& server, const SerialParam* param, ErrorStruct_* err) override;
    int Done(ErrorStruct_* err) override;
    void ThreadInit() override;
    void ThreadDone() override;
    DWORD GetTimeout() override { return ReplyTimeout; }
    int GetMaxRetry() override { return 3; }
    int NeedTimer() override { return 0; }
    int SetSelectedLine(const CString& line, ErrorStruct_* err) override;
    CString GetSelectedLine() override { return m_selectedLine; }
    CString GetLineName(ErrorStruct_* err) override;
    int ConfigureLine(HWND parent, ErrorStruct_* err) override;
    int SetMyAddress(int address, ErrorStruct_* err) override;
    int GetSendResult() override;
    // Refuses a body over 68 bytes with error 8 before anything reaches the line.
    int Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) override;
    int SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) override;
    // Hands out the oldest completed slot: its telegram, or its failure once.
    int Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) override;
    void ResetStatistics() override;
    void GetStatistics(NetStat* stat) override;

    // Sets the handles to "none", the send result to 0 and allocates the empty slots.
    virtual void InitData();

    void SendCallback(VG_ERROR result);
    void ReceiveCallback(HVGRECEIVE request, VG_ERROR result, const CvaskAddress& source);

    // The access layer's error code of a gateway client result.
    static int MapError(int vgResult);

    static const HVGSERVER NoServer;
    static const HVGLINE NoLine;
    static const HVGRECEIVE NoReceive;

private:
    static void VGAPI OnTransmitted(HVGTRANSMIT request, VG_ERROR result, void* context);
    static void VGAPI OnReceived(HVGRECEIVE request, unsigned char source, unsigned char second,
                                 VG_ERROR result, void* context);
    // Queues a receive request for every slot that is neither pending nor holding
    // something not yet handed out.  0 with the mapped error when the client refuses.
    int ArmFreeSlots(ErrorStruct_* err);
    // The line's requests are gone with it: the slots start empty.
    void ForgetSlots();
    void CloseProbeLine();

    HVGSERVER m_server;
    HVGLINE m_probeLine;
    HVGLINE m_line;
    CString m_selectedLine;
    VG_ERROR m_sendResult;
    ReceiveSlot* m_slots[ReceiveSlots];
    NetStat m_stat;
    // The transmit whose completion the send event stands for; completions of earlier
    // ones that the access layer gave up on are not taken for it.
    HVGTRANSMIT m_transmit;
    unsigned long m_completions;
    // The thread that arms the slots (the sender thread): a receive request's completion
    // comes to the thread that queued it, so only that thread queues them.
    DWORD m_armThread;
    // Guards the slots' state between the callbacks and a receive on another thread.
    CRITICAL_SECTION m_slotLock;
};
