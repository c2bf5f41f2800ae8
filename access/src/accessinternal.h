// Shared inside the sources of CvaskAccess.
#pragma once

#include "vaskaccess.h"
#include "commvask_seams.h"
#include "communication.h"

#include <new>

enum : UINT_PTR { NoTimer = (UINT_PTR)-1 };
enum : DWORD {
    TimerPeriod = 50,           // ms between two drains of the received telegrams
    KeepAlivePeriod = 5000,     // ms between two attempts to restore remote control
    NewChancePeriod = 10000,    // ms after which unavailable devices get one more try
    SendCompletionTime = 1000,  // ms that a send may take to complete
    WaitStep = 10               // ms of one step of the message-pumping waits
};

// A fixed pause of the protocol (seconds to minutes the device needs), divided by the
// divisor the tests set (SetTransferWaitDivisor); at least 1 ms. Answer time-outs do not go
// through here.
DWORD TransferWait(DWORD ms);

// Process-wide state of all access objects: the list of every constructed object (walked
// by the timer) and the one lock under which received telegrams are drained and queued.
class AccessRegistry {
public:
    static void Add(CvaskAccess* access);
    static void Remove(CvaskAccess* access);
    static int Count();
    // Held while the timer walks the list; objects are added and removed under it.
    static CCriticalSection& ListLock();
    static CPtrList& List();
    static CCriticalSection& ReceiveLock();
};

// Value i (from 1) of an integer, enumerated, bit or on/off parameter as an int; 0 when
// the parameter is of another kind.
int ParamIntValue(const CParam* parameter, int i, int& value);
int SetParamIntValue(CParam* parameter, int i, int value);
