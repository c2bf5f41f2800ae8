// CvaskAccess: the command interface to the analyzers on one bus connection (one serial
// converter port or one gateway line).
//
// Every request goes through Send: the caller blocks while the object's sender thread
// transmits the request through the network, waits for the matching answer (sender,
// command letter, function number), retries and maps the device's rejections to error
// codes. Typed members return non-zero on success; on failure the cause is in the error
// record (GetLastError), whose info word is the command letter * 256 + the function.
// Output arguments are written only on success.
//
// The members are grouped by subject; each group lives in a source file of its own:
//   accesscore.cpp      construction, Init, Done, line and version members
//   requestengine.cpp   Send, the sender thread, the receive path and the 50 ms timer
//   devicelist.cpp      the device list and its lookup cache
//   primitives.cpp      the request shapes, the all-device switches, the date helpers
//   statecommands.cpp   state commands and switches
//   diagvalues.cpp      diagnostic values
#pragma once

#include "commvask_api.h"
#include "devicedata.h"
#include "devicerecords.h"
#include "vaskcommands.h"
#include "downloadtype.h"
#include "vaskrecords.h"
#include "vaskvalues.h"
#include "utilvask.h"
#include "vaskmessage.h"
#include "vaskqueue.h"

class CCommunication;
struct SerialParam;

class COMMVASK_API CvaskAccess {
public:
    CvaskAccess(CWnd* owner = NULL, UINT message = 0);
    ~CvaskAccess();
    CvaskAccess(const CvaskAccess&) = delete;
    CvaskAccess& operator=(const CvaskAccess&) = delete;

    // ==== core: connection, lines, versions (accesscore.cpp) ============================
    // Opens the network of the type "VASK" or "TCPGATEWAY" on the line and starts the
    // sender thread; 0 with the error record set otherwise.
    int Init(const CString& networkType, const CString& line, const SerialParam& param);
    // Leaves remote mode, clears the device list and the answer queue, stops the sender
    // thread and closes the network. The object can be initialised again. Returns 1.
    int Done();

    int SetSelectedLine(const CString& line);
    int ConfigureLine(HWND parent);
    CString GetSelectedLine();
    CString GetLineName();
    int SetMyAddress(int address);
    // The record of the calling thread's last failed operation on this object.
    ErrorStruct_& GetLastError() { return Error(); }
    CString GetNetworkType() const;
    void GetNetworkAddressRange(int& first, int& last) const;
    // 2 while a network is open, else 1.
    int GetNetworkStatus() const;
    static DWORD GetDllVersion();
    static DWORD GetVaskVersion();

    void AbortScan() { m_scanRunning = 0; }
    void AbortDownload() { m_downloadRunning = 0; }
    void AbortReadParamSet() { m_paramSetRunning = 0; }
    void AbortWriteParamSet() { m_paramSetRunning = 0; }

    // ==== request engine (requestengine.cpp) ============================================
    // One request to (address, channel): 1 when the matching answer arrived (handed out in
    // `answer`, which the caller deletes) or no answer is expected; 0 on failure. A
    // rejection answer is handed out too and belongs to the caller as well.
    int Send(int address, int channel, CPCvaskMessage* request, CPCvaskMessage*& answer,
             DWORD timeout);
    void ThreadInit();
    void ThreadDone();
    BOOL NeedTimer();
    int Run() const { return m_run; }
    // Drains the network's received telegrams into the answer queue.
    void Receive();
    // Keeps the device in remote control switched on and every other one off; one
    // device per call, in turn (called on every timer tick).
    void CheckRemote();
    // 1 when a second answer to the last answered request arrives within the profile's
    // "DuplicateTimeout" (ms, default 400).
    int ReceiveDuplicate();
    // Waits ms milliseconds while dispatching the calling thread's window messages; with a
    // caller wait installed (below) the thread waits through it instead, as for a request.
    void Sleep(DWORD ms);

    // How a caller's thread waits for its request: the function returns once `object` (a
    // semaphore) is signalled, and has then taken it. The program installs one that keeps
    // its window alive meanwhile; without one (NULL) the caller blocks. A request that a
    // window message handled during such a wait makes of the same object goes out once the
    // request in flight has been answered, and that answer is kept for its own caller.
    // Returns the function installed before.
    typedef void (*CallerWait)(HANDLE object);
    static CallerWait SetCallerWait(CallerWait wait);
    // TRUE while the calling thread waits for one of its requests (any object): work that
    // would ask the bus again, such as a periodic refresh, is left for later.
    static BOOL IsCallerWaiting();

    // ==== device list (devicelist.cpp) ==================================================
    CObList* GetDeviceList() { return &m_deviceList; }
    CDeviceData* GetDevice(int address);
    // 1 when the address has an entry (which becomes the cached one); else error 36.
    int GetCacheDevice(int address);
    void ClearDeviceList();
    static int UpToDate(const CTime& stamp, DWORD limit);
    // Stores a measured-value answer ("k" 2) in the entry.
    void SetData(CPCvaskMessage* answer, CDeviceData* device);
    ChannelType GetChannelType(int address);
    int GetComponentCount(int address);
    int GetMeasRangeCount(int address);
    int HasAddressConflict(int address);

    // ==== all-device switches (primitives.cpp) ==========================================
    int SetSwitchAll(VaskSwitchCommand command, int on);
    int RemoteOn();
    int RemoteOff();
    int BroadcastOn();
    int BroadcastOff();

    // ==== state commands and switches (statecommands.cpp) ===============================
    int Reset(int address, int channel, int wait);
    int WaitAfterReset(int address);
    int Pause(int address, int channel);
    int Standby(int address, int channel);
    int Measure(int address, int channel);
    int AdjustZeroPoint(int address, int channel);
    int AdjustSlope(int address, int channel, int range);
    int AdustSlope(int address, int channel);
    int AdjustLinearSag(int address, int channel);
    int AdjustLinearSens(int address, int channel);
    int AdjustTempCoefficient(int address, int channel);
    int AdjustPressureComp(int address, int channel);
    int AdjustZeroPointLinear(int address, int channel);
    int AdjustFlowSensor(int address, int channel);
    int Autocal(int address, int channel);
    int AdjustPhase(int address, int channel);
    int AdjustZeroPointOxy(int address, int channel);
    int AdjustAnalogOutput(int address, int channel);
    int AdjustAnalogInput(int address, int channel);
    int AutocalCheck(int address, int channel);
    int AdjustRiseO2(int address, int channel);
    int AdjustZeroPointH2S(int address, int channel);
    int AdjustRiseH2S(int address, int channel);

    // Keeps at most one device in remote control: switching a second one on first
    // switches the previous one off.
    int Remote(int address, int channel, int on);
    int PressureSwitchMeas(int address, int channel, int on);
    int PressureSwitchComp(int address, int channel, int on);
    int AdjustAll(int address, int channel, int on);
    int Service(int address, int channel, int on);
    int NullGasValve(int address, int channel, int on);
    int Ignite(int address, int channel, int on);
    int MagneticField(int address, int channel, int on);
    int MagneticValve(int address, int channel, int on);
    int Broadcast(int address, int channel, int on);
    int Pump(int address, int channel, int on);
    int Radiator(int address, int channel, int on);
    int LogInhibit(int address, int channel, int on);
    int SensorSwitch(int address, int channel, int on);
    int SuppressNegativeAnalog(int address, int channel, int on);
    int RangeWarning(int address, int channel, int on);
    int Clean(int address, int channel, int on);
    int AdjustZeroBeforeSlope(int address, int channel, int on);
    int Heating(int address, int channel, int on);
    int CommonZero(int address, int channel, int on);
    int SuppressNegativeDisplay(int address, int channel, int on);
    int Ignition(int address, int channel, int on);
    int Catalysator(int address, int channel, int on);
    int Fan(int address, int channel, int on);

    // ==== diagnostic values (diagvalues.cpp) ============================================
    int DiagPhysTemp(int address, int channel, VaskFloat& value);
    int DiagHeadTemp(int address, int channel, VaskFloat& value);
    int DiagChamberRaw(int address, int channel, VaskFloat& value);
    int DiagMagneticField(int address, int channel, VaskFloat& value);
    int DiagDisplayTemp(int address, int channel, VaskFloat& value);
    int DiagControlReserve(int address, int channel, VaskFloat& value);
    int DiagChopperTemp(int address, int channel, VaskFloat& value);
    int DiagRecvChamberTemp(int address, int channel, VaskFloat& value);
    int DiagChopperOffset(int address, int channel, VaskFloat& value);
    int DiagAnalogInput(int address, int channel, VaskFloat& value);
    int DiagSignalVector(int address, int channel, VaskFloat& value);
    int DiagFaultVector(int address, int channel, VaskFloat& value);
    int DiagTCDTemp(int address, int channel, VaskFloat& value);
    int DiagAdjustTCDRaw(int address, int channel, VaskFloat& value);
    int DiagTCDRaw(int address, int channel, VaskFloat& value);
    int DiagSensorTemp(int address, int channel, VaskFloat& value);
    int DiagGaslaneTemp(int address, int channel, VaskFloat& value);
    int DiagSensorVoltage(int address, int channel, VaskFloat& value);
    int DiagMeasureGasPressure(int address, int channel, VaskFloat& value);
    int DiagMeasureGasFlow(int address, int channel, VaskFloat& value);
    int DiagPhysicsTemp(int address, int channel, VaskFloat& value);
    int DiagOvenTemp(int address, int channel, VaskFloat& value);
    int DiagCatalysatorTemp(int address, int channel, VaskFloat& value);
    int DiagFlameTemp(int address, int channel, VaskFloat& value);
    int DiagElectronicTemp(int address, int channel, VaskFloat& value);
    int DiagPressureBurnGas(int address, int channel, VaskFloat& value);
    int DiagPressureBurnAir(int address, int channel, VaskFloat& value);
    int DiagAdapterReferenceVoltage(int address, int channel, VaskFloat& value);
    int DiagAdapterNegativeSupply(int address, int channel, VaskFloat& value);
    int DiagAdapterPositiveSupply(int address, int channel, VaskFloat& value);
    int DiagAdapterTensileStress(int address, int channel, VaskFloat& value);
    int DiagChamberTemp(int address, int channel, VaskFloat& value);
    int DiagRadiatorTemp(int address, int channel, VaskFloat& value);
    int DiagSourceRaw(int address, int channel, VaskFloat& value);
    int DiagVoltageO2(int address, int channel, VaskFloat& value);
    int DiagFlow(int address, int channel, VaskFloat& value);
    int DiagAnalogInput1(int address, int channel, VaskFloat& value);
    int DiagAnalogInput2(int address, int channel, VaskFloat& value);
    int DiagAirPressure(int address, int channel, VaskFloat& value);
    int DiagHCTemp(int address, int channel, VaskFloat& value);
    int DiagCOTemp(int address, int channel, VaskFloat& value);
    int DiagNOTemp(int address, int channel, VaskFloat& value);
    int DiagHCRadiatorTemp(int address, int channel, VaskFloat& value);
    int DiagNORadiatorTemp(int address, int channel, VaskFloat& value);
    int DiagDenrikSourceRaw(int address, int channel, VaskFloat& value);
    int DiagRadiatorVoltage1(int address, int channel, VaskFloat& value);
    int DiagRadiatorVoltage2(int address, int channel, VaskFloat& value);
    int DiagDenrikChamberRaw(int address, int channel, VaskFloat& value);
    int DiagDenrikVoltageO2(int address, int channel, VaskFloat& value);
    int DiagMeasVoltageNO(int address, int channel, VaskFloat& value);
    int DiagRefVoltageNO(int address, int channel, VaskFloat& value);
    int DiagBridgeVoltage(int address, int channel, VaskFloat& value);

    // ==== further member groups ==========================================================
    // Each is declared in a header of its own, included here inside the class; each
    // starts and ends in the public part.
#include "vaskaccess_typed.h"     // status reads, float values, structured settings
#include "vaskaccess_adapters.h"  // bus scan, device queries, parameter adapters
#include "vaskaccess_transfer.h"  // firmware download, parameter-set transfer

private:
    // The library's own code outside the members: the sender thread, the timer, the seams.
    friend class CvaskAccessInternal;

    // ==== request engine (requestengine.cpp) ============================================
    void SendThreaded();
    // One transmission of the request in the slot and the wait for its answer: 1 when the
    // request has ended (the slot's result is set), 0 when this try failed.
    int OneTry(char cmd, int fn, const CString& text, BOOL downloadRecord, unsigned long info);
    // How the wait for the network's send completion ended.
    enum SendCompletion {
        SendCompleted,  // sent: wait for the answer
        SendFailed,     // the network reported an error: this try has failed
        SendTimedOut    // no completion within a second: the request ends with error 2
    };
    // Waits for the send of the request in the slot to complete, keeping this thread's
    // window messages moving.
    SendCompletion WaitForSendCompletion(unsigned long info);
    // Waits for the request's answer until the answer timer runs out, handling every
    // telegram received meanwhile; 1 when the request has ended (the slot's result is set),
    // 0 when the time ran out.
    int WaitForAnswer(char cmd, int fn, const CString& text, unsigned long info);
    // Handles one received entry while waiting for the answer; 1 when it ended the request.
    int HandleEntry(CAddressedMessage* entry, char cmd, int fn, const CString& text,
                    unsigned long info);
    // The timer's work for this object: drain (when the network asks for it), remote check.
    void TimerTick();
    // Drains the network into the answer queue; the receive lock is held.
    // At most `limit` telegrams when it is not 0.
    void DrainLocked(int limit = 0);
    // Head of the answer queue, taken under the receive lock; null when it is empty.
    CAddressedMessage* TakeQueued();
    // Looks the address up through the cache without touching the error record.
    CDeviceData* LookupDevice(int address);
    void ForgetCache();
    // One more fault on the address's entry; `recordMissing` records error 36 when the
    // address has none.
    void CountFault(int address, BOOL recordMissing, unsigned long info);
    // Dispatches the calling thread's waiting window messages until none is left or the
    // timer has run out. TRUE when a WM_QUIT was met (it is posted again).
    static BOOL PumpWaiting(const CMTimer* until);
    // Dispatches one waiting posted message; FALSE when none was waiting. A WM_QUIT is
    // posted again and reported in `quit`.
    static BOOL DispatchOne(BOOL& quit);
    static int IsRejectAnswer(const CPCvaskMessage* answer);
    static int RejectToErrorCode(const CPCvaskMessage* answer);
    static int IsMeasValueAnswer(const CPCvaskMessage* answer);
    static unsigned long MakeCommandInfo(char command, int function);
    // Waits for the semaphore, or for the end of the sender thread that would release it.
    void WaitForSender(CSemaphore& semaphore);
    // The caller's wait for a semaphore of the request hand-over, through the installed
    // caller wait.
    static void WaitAsCaller(CSemaphore& semaphore);
    // Sleep through the installed caller wait; FALSE when none is installed (or no timer).
    static BOOL SleepAsCaller(DWORD ms);
    // Send for a request that the thread makes while it waits for its own request in flight
    // on this object (a window message handled in that wait).
    int SendAfterOwnRequest(int address, int channel, CPCvaskMessage* request,
                            CPCvaskMessage*& answer, DWORD timeout);
    // The sender thread's wait for the next request. It keeps the thread's window messages
    // moving: a gateway delivers the telegrams for the receives this thread armed by
    // sending them to it, also while no request is in flight. A network that the timer
    // does not drain is drained into the answer queue as its telegrams come.
    void WaitForRequest();

    // ==== request shapes (primitives.cpp) ===============================================
    int SimpleCommand(char command, int function, int address, int channel);
    int SetState(VaskStateCommand state, int address, int channel);
    int SetSwitch(VaskSwitchCommand command, int address, int channel, int on);
    int GetInt(char command, int function, int address, int channel, int& value);
    int SetInt(char command, int function, int address, int channel, int value);
    int Transfer(int address, int channel, TransferType type);
    int GetFloats(VaskValueCommand group, int address, int channel, VaskFloat** values, int count);
    int SetFloats(VaskValueCommand group, int address, int channel, const VaskFloat** values,
                  int count);
    int GetReports(VaskGetMiscCommand function, int address, int channel, int* list, int& count);
    int GetDiagValue(int code, int address, int channel, VaskFloat& value);
    int GetPar6DiagValue(Par6DiagCommand code, int address, int channel, VaskFloat& value);
    int GetS6DiagValue(S6DiagCommand code, int address, int channel, VaskFloat& value);
    int GetL6DiagValue(L6DiagCommand code, int address, int channel, VaskFloat& value);
    int GetL62DiagValue(L62DiagCommand code, int address, int channel, VaskFloat& value);
    int GetP64DiagValue(P64DiagCommand code, int address, int channel, VaskFloat& value);
    int GetQ6DiagValue(Q6DiagCommand code, int address, int channel, VaskFloat& value);
    int GetS23DiagValue(S23DiagCommand code, int address, int channel, VaskFloat& value);
    int GetDenrikDiagValue(DenrikDiagCommand code, int address, int channel, VaskFloat& value);
    // Records error 37 and gives 0 unless the answer's parameter `index` (from 0) exists
    // and carries at least one value.
    int CheckAnswerValue(const CPCvaskMessage* answer, int index, unsigned long info);

    static int IsLeapYear(int year);
    static int DayIsCorrect(int day, int month, int year);
    static CTime MakeTime(int year, int month, int day, int hour, int minute, int second);

    // ==== members ========================================================================
    CSemaphore m_threadWait;  // the sender thread waits here for the next request
    CSemaphore m_senderWait;  // held from the start of a request until it is finished
    CSemaphore m_recvWait;    // the caller waits here for the finished request
    CCommunication* m_communication;
    CvaskAddress* m_address;
    CObList m_deviceList;  // of CDeviceData*, owned
    CCriticalSection m_requestLock;

    // The one request in flight.
    struct RequestSlot {
        int address = 0;
        int channel = 0;
        CPCvaskMessage* request = nullptr;  // lent by the caller
        CPCvaskMessage* answer = nullptr;   // given to the caller
        int result = 0;
        DWORD timeout = 0;
        ErrorStruct_ error;  // written by the sender thread, taken by the caller on failure
    } m_slot;
    volatile DWORD m_callerThread;  // the thread whose request holds the slot, 0 when none

    volatile LONG m_run;
    CMTimer m_answerTimer;
    // The error record of the calling thread: each thread that uses the object keeps its
    // own, so that a failure of another thread's request meanwhile does not stand for this
    // thread's. Empty for a thread that has had no failure.
    ErrorStruct_& Error();
    unsigned long m_errorKey;  // this object's records among the threads' ones
    CObQueue m_answerQueue;  // of CAddressedMessage*, filled under the receive lock
    UINT_PTR m_timerId;      // (UINT_PTR)-1 when this object owns no timer
    CMTimer m_keepAliveTimer;
    CMTimer m_newChanceTimer;
    char m_lastCommand;
    int m_lastFunction;
    CString m_lastSender;
    int m_conflictAddress;
    volatile int m_downloadRunning;
    volatile int m_paramSetRunning;
    volatile int m_scanRunning;
    volatile int m_remoteMode;
    volatile int m_remoteAddress;
    CWnd* m_owner;
    UINT m_ownerMessage;
    int m_cacheAddress;
    CDeviceData* m_cacheDevice;
    CCriticalSection m_cacheLock;  // keeps the cache's address and entry together

    CWinThread* m_senderThread;
    int m_checkIndex;  // entry that the next remote check examines
};
