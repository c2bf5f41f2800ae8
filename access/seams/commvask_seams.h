// The seams of commvask: what reaches beyond the public interface of the library's classes,
// that is the sender thread and the timer of CvaskAccess, and the tests. Exported, but
// declared only here, in a folder that the deliverables' include path does not hold; tests
// reach it through the target commvask_seams.
#pragma once

#include "commvask_api.h"
#include "vaskaccess.h"
#include "vasknetwork.h"

// While set, CCommunication::Init first asks it for the network of a type; a null answer
// leaves the choice to Init. Null removes it.
typedef CPCvaskNetwork* (*NetworkFactory)(const CString& type);
COMMVASK_API void SetNetworkFactory(NetworkFactory factory);

// Replaces the wall clock of the device list's time stamps (CDeviceData::Now); null sets
// the system's again.
COMMVASK_API void SetDeviceClock(CTime (*now)());

// Divides the fixed waits of the transfers and of the configuration commands (protocol
// pauses of seconds to minutes, not the answer time-outs); 1, the default, keeps the real
// ones.
COMMVASK_API void SetTransferWaitDivisor(int divisor);

// The private part of CvaskAccess as its sender thread, its timer and the tests reach it.
class COMMVASK_API CvaskAccessInternal {
public:
    // The sender thread of one object.
    static UINT SenderThread(LPVOID access);
    // The 50 ms timer: drains and checks every object.
    static void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
    // Starts an object's sender thread (null when it could not be started).
    static CWinThread* StartThread(CvaskAccess* access);
    // Replaces the start of the sender threads, to play a failed start; null restores it.
    static void SetThreadStarter(CWinThread* (*starter)(CvaskAccess* access));

    // The request shapes.
    static int SimpleCommand(CvaskAccess& a, char command, int function, int address, int channel);
    static int SetSwitch(CvaskAccess& a, VaskSwitchCommand s, int address, int channel, int on);
    static int GetInt(CvaskAccess& a, char command, int function, int address, int channel,
                      int& value);
    static int SetInt(CvaskAccess& a, char command, int function, int address, int channel,
                      int value);
    static int Transfer(CvaskAccess& a, int address, int channel, TransferType type);
    static int GetFloats(CvaskAccess& a, int group, int address, int channel, VaskFloat** values,
                         int count);
    static int SetFloats(CvaskAccess& a, int group, int address, int channel,
                         const VaskFloat** values, int count);
    static int GetReports(CvaskAccess& a, int function, int address, int channel, int* list,
                          int& count);
    static int GetDiagValue(CvaskAccess& a, int code, int address, int channel, VaskFloat& value);
    static int IsLeapYear(int year);
    static int DayIsCorrect(int day, int month, int year);
    static CTime MakeTime(int y, int mo, int d, int h, int mi, int s);

    // The object's state.
    static int RemoteMode(CvaskAccess& a);
    static int RemoteAddress(CvaskAccess& a);
    static void SetDownloadRunning(CvaskAccess& a, int on);
    static void SetScanRunning(CvaskAccess& a, int on);
    static void SetConflictAddress(CvaskAccess& a, int address);
    static bool HasTimer(CvaskAccess& a);
    static int QueueCount(CvaskAccess& a);
    // The process-wide lock under which every object drains its network, for a test that
    // plays another object's drain.
    static CCriticalSection& ReceiveLock();
    static void TimerTick(CvaskAccess& a);
};
