// The request engine of CvaskAccess: the caller's Send, the sender thread that transmits
// each request and matches its answer, the drain of received telegrams into the answer
// queue, the shared 50 ms timer and the message-pumping waits.
#include "accessinternal.h"

#include <atomic>

// ---- process-wide state ---------------------------------------------------------------------

CCriticalSection& AccessRegistry::ListLock() {
    static CCriticalSection lock;
    return lock;
}

CPtrList& AccessRegistry::List() {
    static CPtrList list(10);
    return list;
}

CCriticalSection& AccessRegistry::ReceiveLock() {
    static CCriticalSection lock;
    return lock;
}

void AccessRegistry::Add(CvaskAccess* access) {
    CSingleLock lock(&ListLock(), TRUE);
    List().AddTail(access);
}

void AccessRegistry::Remove(CvaskAccess* access) {
    CSingleLock lock(&ListLock(), TRUE);
    POSITION pos = List().Find(access);
    if (pos != NULL) List().RemoveAt(pos);
}

int AccessRegistry::Count() {
    CSingleLock lock(&ListLock(), TRUE);
    return List().GetCount();
}

// ---- the timer ------------------------------------------------------------------------------

void CALLBACK CvaskAccessInternal::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    CSingleLock lock(&AccessRegistry::ListLock(), TRUE);
    CPtrList& list = AccessRegistry::List();
    if (list.IsEmpty()) {
        // The objects are gone; a timer left behind by one that ended on another thread
        // stops here, on its own thread.
        KillTimer(NULL, id);
        return;
    }
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        CvaskAccess* access = static_cast<CvaskAccess*>(list.GetNext(pos));
        if (access == NULL) break;
        access->TimerTick();
    }
}

void CvaskAccess::TimerTick() {
    CCriticalSection& lock = AccessRegistry::ReceiveLock();
    if (lock.Lock(0)) {
        if (m_communication != NULL && m_communication->NeedTimer()) DrainLocked();
        lock.Unlock();
    }
    CheckRemote();
}

// ---- forwarding -----------------------------------------------------------------------------

void CvaskAccess::ThreadInit() {
    if (m_communication != NULL) m_communication->ThreadInit();
}

void CvaskAccess::ThreadDone() {
    if (m_communication != NULL) m_communication->ThreadDone();
}

BOOL CvaskAccess::NeedTimer() {
    if (m_communication == NULL) return 0;
    return m_communication->NeedTimer();
}

// ---- receiving ------------------------------------------------------------------------------

void CvaskAccess::Receive() {
    TRACE_INFO(5, "CvaskAccess::Receive\n");
    CCriticalSection& lock = AccessRegistry::ReceiveLock();
    // Another thread is draining: it takes what is there, or a later call does.
    if (!lock.Lock(0)) return;
    DrainLocked();
    lock.Unlock();
}

void CvaskAccess::DrainLocked(int limit) {
    if (m_communication == NULL) return;
    // A failed drain is not the failure of the request in flight, and the timer's thread
    // must not write the record that the sender thread writes.
    ErrorStruct_ error;
    for (int taken = 0; limit == 0 || taken < limit; ++taken) {
        CString sender;
        CPCvaskMessage* message = NULL;
        int ok = m_communication->Receive(sender, message, &error);
        if (!ok || message == NULL) {
            delete message;
            break;
        }
        CAddressedMessage* entry = new (std::nothrow) CAddressedMessage(sender, message);
        if (entry == NULL) {
            TRACE_INFO(5, "  CvaskAccess::Receive: Out of memory, message destroyed\n");
            delete message;
            continue;
        }
        m_answerQueue.Enqueue(entry);
    }
}

CAddressedMessage* CvaskAccess::TakeQueued() {
    CSingleLock lock(&AccessRegistry::ReceiveLock(), TRUE);
    return static_cast<CAddressedMessage*>(m_answerQueue.Dequeue());
}

int CvaskAccess::ReceiveDuplicate() {
    const int DefaultDuplicateWait = 400, LongestDuplicateWait = 10000;
    // A value from the registry that is negative or far beyond any answer time would hold
    // the scan at every device for days.
    const int configured = (int)AfxGetApp()->GetProfileInt("Program options", "DuplicateTimeout",
                                                           DefaultDuplicateWait);
    const DWORD limit = (DWORD)(configured < 0                      ? DefaultDuplicateWait
                                : configured > LongestDuplicateWait ? LongestDuplicateWait
                                                                    : configured);
    // A timer of its own: the answer timer belongs to the sender thread.
    CMTimer timer;
    timer.SetTimeout(limit != 0 ? limit : 1);
    // A gateway's receive hands out what has come in and returns at once: between polls
    // wait for its next completion instead of spinning through the whole wait. The serial
    // network sets the event on every receive and paces the polls with its port reads.
    HANDLE ready = m_communication != NULL ? m_communication->GetRecvEvent() : NULL;
    int found = 0;
    while (!found && !timer.Timeout()) {
        Receive();
        CAddressedMessage* entry = TakeQueued();
        if (entry == NULL) {
            if (ready != NULL) WaitForSingleObject(ready, WaitStep);
            continue;
        }
        CPCvaskMessage* message = entry->message;
        if (message != NULL && message->GetCommand() == m_lastCommand &&
            message->GetFunction() == m_lastFunction && entry->address == m_lastSender)
            found = 1;
        delete message;
        delete entry;
    }
    return found;
}

// ---- message-pumping waits ------------------------------------------------------------------

BOOL CvaskAccess::DispatchOne(BOOL& quit) {
    quit = FALSE;
    MSG msg;
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) return FALSE;
    if (msg.message == WM_QUIT) {
        // Not ours to take: put it back for the thread's own loop.
        PostQuitMessage((int)msg.wParam);
        quit = TRUE;
        return TRUE;
    }
    CWinThread* thread = AfxGetThread();
    if (thread == NULL || !thread->PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CvaskAccess::PumpWaiting(const CMTimer* until) {
    BOOL quit = FALSE;
    while (DispatchOne(quit)) {
        if (quit) return TRUE;
        // A flood of messages must not hold the wait beyond its time.
        if (until != NULL && until->Timeout()) break;
    }
    return FALSE;
}

void CvaskAccess::Sleep(DWORD ms) {
    if (ms == 0) return;
    // A thread with the program's caller wait waits through it, on a timer of the time:
    // the window thread's messages then follow the program's rule for its waits.
    if (SleepAsCaller(ms)) return;
    CMTimer timer;
    timer.SetTimeout(ms);
    DWORD wake = QS_ALLINPUT;
    for (;;) {
        // After a WM_QUIT the rest is waited without taking messages.
        if (wake != 0 && PumpWaiting(&timer)) wake = 0;
        if (timer.Timeout()) return;
        DWORD remaining = timer.Remaining();
        if (remaining == 0) return;
        // In steps, as every wait of the engine: the time is read from the timer.
        MsgWaitForMultipleObjectsEx(0, NULL, remaining < WaitStep ? remaining : WaitStep, wake,
                                    MWMO_INPUTAVAILABLE);
    }
}

// ---- the caller's side ----------------------------------------------------------------------

namespace {

std::atomic<CvaskAccess::CallerWait> g_callerWait{nullptr};
// How many waits for a request the thread is in now (a window message handled in one may
// make another request).
thread_local int t_callerWaits = 0;

}  // namespace

CvaskAccess::CallerWait CvaskAccess::SetCallerWait(CallerWait wait) {
    return g_callerWait.exchange(wait);
}

BOOL CvaskAccess::IsCallerWaiting() { return t_callerWaits > 0; }

BOOL CvaskAccess::SleepAsCaller(DWORD ms) {
    CallerWait wait = g_callerWait.load();
    if (wait == nullptr) return FALSE;
    HANDLE timer = CreateWaitableTimerA(NULL, TRUE, NULL);
    if (timer == NULL) return FALSE;
    LARGE_INTEGER due;
    due.QuadPart = -(LONGLONG)ms * 10000;  // relative, in units of 100 ns
    const BOOL set = SetWaitableTimer(timer, &due, 0, NULL, NULL, FALSE);
    if (set) {
        ++t_callerWaits;
        wait(timer);
        --t_callerWaits;
    }
    CloseHandle(timer);
    return set;
}

void CvaskAccess::WaitAsCaller(CSemaphore& semaphore) {
    ++t_callerWaits;
    if (CallerWait wait = g_callerWait.load())
        wait(semaphore.m_hObject);
    else
        semaphore.Lock();
    --t_callerWaits;
}

int CvaskAccess::Send(int address, int channel, CPCvaskMessage* request, CPCvaskMessage*& answer,
                      DWORD timeout) {
    answer = NULL;
    const DWORD self = GetCurrentThreadId();
    if (m_callerThread == self)
        return SendAfterOwnRequest(address, channel, request, answer, timeout);
    // One request per object at a time. The network is looked at only while holding the
    // semaphore: Done may close it meanwhile on another thread.
    WaitAsCaller(m_senderWait);
    if (m_communication == NULL || request == NULL) {
        SetError(
            &Error(), ErrorNotYetInitialized,
            request != NULL ? MakeCommandInfo(request->GetCommand(), request->GetFunction()) : 0);
        m_senderWait.Unlock();
        return 0;
    }
    m_requestLock.Lock();
    m_callerThread = self;
    m_slot.address = address;
    m_slot.channel = channel;
    m_slot.request = request;
    m_slot.answer = NULL;
    m_slot.result = 0;
    m_slot.timeout = timeout;
    m_threadWait.Unlock();
    WaitAsCaller(m_recvWait);
    answer = m_slot.answer;
    int result = m_slot.result;
    // The record tells the failure of the request whose caller returns last: what this
    // thread did while it waited does not stand for it.
    if (!result) Error() = m_slot.error;
    m_slot.answer = NULL;
    m_slot.request = NULL;
    m_callerThread = 0;
    m_requestLock.Unlock();
    return result;
}

int CvaskAccess::SendAfterOwnRequest(int address, int channel, CPCvaskMessage* request,
                                     CPCvaskMessage*& answer, DWORD timeout) {
    // This thread holds the request lock for the request in flight, so no other caller
    // fills the slot meanwhile. That request ends when the sender thread releases
    // m_recvWait for it; its outcome is kept aside and put back for its caller, whose wait
    // then finds m_recvWait released as the sender thread left it.
    WaitAsCaller(m_recvWait);
    const RequestSlot inFlight = m_slot;
    // m_senderWait is free again unless a caller of another thread took it meanwhile; that
    // caller waits for the request lock and keeps its claim.
    const BOOL claimed = m_senderWait.Lock(0);
    int result = 0;
    if (m_communication == NULL || request == NULL) {
        SetError(
            &Error(), ErrorNotYetInitialized,
            request != NULL ? MakeCommandInfo(request->GetCommand(), request->GetFunction()) : 0);
        if (claimed) m_senderWait.Unlock();
    } else {
        m_slot = RequestSlot();
        m_slot.address = address;
        m_slot.channel = channel;
        m_slot.request = request;
        m_slot.timeout = timeout;
        m_threadWait.Unlock();
        WaitAsCaller(m_recvWait);
        answer = m_slot.answer;
        result = m_slot.result;
        if (!result) Error() = m_slot.error;
        // The sender thread released m_senderWait at the end: the other caller's claim.
        if (!claimed) m_senderWait.Lock(0);
    }
    m_slot = inFlight;
    m_recvWait.Unlock();
    return result;
}

void CvaskAccess::WaitForSender(CSemaphore& semaphore) {
    HANDLE handles[2] = {semaphore.m_hObject, NULL};
    DWORD count = 1;
    if (m_senderThread != NULL && m_senderThread->m_hThread != NULL)
        handles[count++] = m_senderThread->m_hThread;
    // A sender thread that is gone (killed at process exit) releases nothing any more.
    WaitForMultipleObjects(count, handles, FALSE, INFINITE);
}

// ---- the sender thread ----------------------------------------------------------------------

void CvaskAccess::WaitForRequest() {
    // The request comes first: the semaphore is looked at before the network and every
    // message.
    HANDLE handles[2] = {m_threadWait.m_hObject, NULL};
    DWORD count = 1;
    // A network that the timer does not drain (the gateway's) hands its telegrams to this
    // thread while no request is in flight as well: left in the network, they would hold
    // its receives until none were left for the next answer.
    if (m_communication != NULL && !m_communication->NeedTimer()) {
        handles[1] = m_communication->GetRecvEvent();
        if (handles[1] != NULL) count = 2;
    }
    DWORD wake = QS_POSTMESSAGE | QS_SENDMESSAGE;
    for (;;) {
        DWORD woken =
            MsgWaitForMultipleObjectsEx(count, handles, INFINITE, wake, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return;
        if (count == 2 && woken == WAIT_OBJECT_0 + 1) {
            // Queued for the next request's answer loop, in the order they came.
            CSingleLock lock(&AccessRegistry::ReceiveLock(), TRUE);
            DrainLocked();
            continue;
        }
        if (woken != WAIT_OBJECT_0 + count) {
            // A wait that fails would fail again: wait without the messages.
            m_threadWait.Lock();
            return;
        }
        MSG msg;
        if (wake == QS_SENDMESSAGE) {
            // A WM_QUIT waits in the queue for the thread's end: only sent messages now.
            PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            continue;
        }
        // One posted message at a time, so that a flood of them cannot hold a request back.
        BOOL quit = FALSE;
        if (DispatchOne(quit) && quit) wake = QS_SENDMESSAGE;
    }
}

namespace {

CWinThread* StartSenderThread(CvaskAccess* access) {
    CWinThread* thread = AfxBeginThread(CvaskAccessInternal::SenderThread, access,
                                        THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == NULL) return NULL;
    // Done waits for the thread's end and then deletes the object itself.
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    return thread;
}

CWinThread* (*g_startThread)(CvaskAccess* access) = StartSenderThread;

}  // namespace

CWinThread* CvaskAccessInternal::StartThread(CvaskAccess* access) { return g_startThread(access); }

void CvaskAccessInternal::SetThreadStarter(CWinThread* (*starter)(CvaskAccess* access)) {
    g_startThread = starter != NULL ? starter : StartSenderThread;
}

UINT CvaskAccessInternal::SenderThread(LPVOID param) {
    CvaskAccess* access = static_cast<CvaskAccess*>(param);
    TRACE_INFO(5, "Thread started\n");
    access->ThreadInit();
    TRACE_INFO(5, "ThreadInit finished\n");
    for (;;) {
        access->WaitForRequest();
        TRACE_INFO(5, "m_threadWait.Lock finished\n");
        if (!access->Run()) break;
        TRACE_INFO(5, "Run finished\n");
        access->SendThreaded();
        TRACE_INFO(5, "SendThreaded finished\n");
        access->m_senderWait.Unlock();
        TRACE_INFO(5, "m_senderWait.Unlock finished\n");
        access->m_recvWait.Unlock();
        TRACE_INFO(5, "m_recvWait.Unlock finished\n");
    }
    access->m_senderWait.Unlock();
    TRACE_INFO(5, "Thread ended\n");
    return 0;
}

unsigned long CvaskAccess::MakeCommandInfo(char command, int function) {
    return ((unsigned long)(unsigned char)command << 8) + (unsigned long)function;
}

int CvaskAccess::IsRejectAnswer(const CPCvaskMessage* answer) {
    return RejectToErrorCode(answer) != 0;
}

int CvaskAccess::RejectToErrorCode(const CPCvaskMessage* answer) {
    switch (answer->GetCommand()) {
        case '?': return ErrorRejectedUnknownCommand;
        case 'O': return ErrorRejectedNotRemote;
        case 'B': return ErrorRejectedBusy;
        case 'C': return ErrorRejectedComponent;
        case 'D': return ErrorRejectedDataValues;
        case 'S': return answer->GetFunction() == 69 ? ErrorRejectedDataCount : ErrorNone;
        default: return ErrorNone;
    }
}

int CvaskAccess::IsMeasValueAnswer(const CPCvaskMessage* answer) {
    return answer->GetCommand() == 'k' && answer->GetFunction() == 2;
}

void CvaskAccess::CountFault(int address, BOOL recordMissing, unsigned long info) {
    CDeviceData* device = LookupDevice(address);
    if (device != NULL)
        device->SetFaultCounter(device->GetFaultCounter() + 1);
    else if (recordMissing)
        SetError(&m_slot.error, ErrorNoDeviceAtAddress, info);
}

void CvaskAccess::SendThreaded() {
    TRACE_INFO(5, "CvaskAccess::SendThreaded\n");
    CPCvaskMessage* request = m_slot.request;
    const char cmd = request->GetCommand();
    const int fn = request->GetFunction();
    const unsigned long info = MakeCommandInfo(cmd, fn);
    const int address = m_slot.address;
    m_slot.answer = NULL;
    m_slot.result = 0;
    if (m_communication == NULL || m_address == NULL) {
        SetError(&m_slot.error, ErrorNotYetInitialized, info);
        return;
    }
    const CString text = m_address->GetAddressString(address, m_slot.channel);
    BOOL downloadRecord = FALSE;

    // While a download runs only its own traffic goes out.
    if (m_downloadRunning) {
        BOOL pass = cmd == 'K' || cmd == 'Z' || (cmd == 'k' && (fn == 20 || fn == 24));
        if (!pass) {
            SetError(&m_slot.error, ErrorDeviceNotAvailable, info);
            return;
        }
        if (cmd == 'K' && fn == 21) downloadRecord = TRUE;
    }

    if (m_newChanceTimer.Timeout()) {
        TRACE_INFO(5, "CvaskAccess::SendThreaded: Timeout, give a new chance\n");
        m_newChanceTimer.SetTimeout(NewChancePeriod);
        for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;) {
            CDeviceData* device = static_cast<CDeviceData*>(m_deviceList.GetNext(pos));
            if (device->GetFaultCounter() >= CDeviceData::UnavailableFaults)
                device->SetFaultCounter(CDeviceData::UnavailableFaults - 1);
        }
    }

    if (!m_address->IsBroadcast(address) && !m_downloadRunning) {
        CDeviceData* device = LookupDevice(address);
        if (device != NULL && device->GetFaultCounter() >= CDeviceData::UnavailableFaults) {
            SetError(&m_slot.error, ErrorDeviceNotAvailable, info);
            return;
        }
    }

    int tries = m_communication->GetMaxRetry();
    for (;;) {
        if (OneTry(cmd, fn, text, downloadRecord, info)) return;
        if (--tries <= 0) break;
    }

    TRACE_SERIALOUT(0, "Timeout!\n");
    SetError(&m_slot.error, ErrorNoResponse, info);
    m_lastSender.Empty();
    CountFault(address, TRUE, info);
    m_slot.result = 0;
}

int CvaskAccess::OneTry(char cmd, int fn, const CString& text, BOOL downloadRecord,
                        unsigned long info) {
    const int address = m_slot.address;
    CPCvaskMessage* request = m_slot.request;

    int sent;
    if (downloadRecord) {
        TRACE_INFO(5, "CvaskAccess::SendThreaded: SendDL\n");
        sent = m_communication->SendDL(text, request, &m_slot.error);
    } else {
        TRACE_INFO(5, "CvaskAccess::SendThreaded: Send\n");
        sent = m_communication->Send(text, request, &m_slot.error);
    }
    if (sent != 1) {
        // Each failed send is one fault of the device, as a failed completion is.
        CountFault(address, FALSE, info);
        return 0;
    }

    switch (WaitForSendCompletion(info)) {
        case SendCompleted: break;
        case SendFailed: return 0;
        case SendTimedOut: return 1;
    }

    // Broadcasts and download records get no answer.
    if (m_address->IsBroadcast(address) ||
        (cmd == 'K' && (fn == 20 || fn == 21 || fn == 24 || fn == 25))) {
        m_slot.result = 1;
        return 1;
    }

    m_lastCommand = cmd;
    m_lastFunction = fn;
    m_lastSender = text;
    TRACE_INFO(5, "CvaskAccess::SendThreaded: Waiting for response\n");
    DWORD limit = m_communication->GetTimeout();
    if (limit == 0) limit = m_slot.timeout;
    // A time-out of 0 would switch the timer off and the wait would never end.
    m_answerTimer.SetTimeout(limit != 0 ? limit : 1);
    return WaitForAnswer(cmd, fn, text, info);
}

CvaskAccess::SendCompletion CvaskAccess::WaitForSendCompletion(unsigned long info) {
    const int address = m_slot.address;
    HANDLE sendEvent = m_communication->GetSendEvent();
    CMTimer sendTimer;
    sendTimer.SetTimeout(SendCompletionTime);
    TRACE_INFO(5, "CvaskAccess::SendThreaded: Waiting for Send result\n");
    DWORD wake = QS_POSTMESSAGE | QS_SENDMESSAGE;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &sendEvent, FALSE, WaitStep, wake);
        if (woken == WAIT_OBJECT_0) {
            ResetEvent(sendEvent);
            int code = m_communication->GetSendResult();
            if (code == ErrorNone) return SendCompleted;
            CountFault(address, FALSE, info);
            SetError(&m_slot.error, code, info);
            m_slot.result = 0;
            return SendFailed;
        }
        if (wake != 0 && PumpWaiting(&sendTimer)) wake = 0;
        if (sendTimer.Timeout()) {
            CountFault(address, FALSE, info);
            SetError(&m_slot.error, ErrorDeviceDoesNotRespond, info);
            m_slot.result = 0;
            ResetEvent(sendEvent);
            return SendTimedOut;
        }
    }
}

int CvaskAccess::WaitForAnswer(char cmd, int fn, const CString& text, unsigned long info) {
    HANDLE recvEvent = m_communication->GetRecvEvent();
    DWORD wake = QS_SENDMESSAGE;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &recvEvent, FALSE, WaitStep, wake);
        if (woken == WAIT_OBJECT_0) {
            ResetEvent(recvEvent);
            // One telegram at a time: draining on until the line has been quiet for a read
            // time-out of the port would hold the answer back by that time-out. What is
            // not taken now is taken by the next round, in the order it came. The lock is
            // waited for: a gateway signals a telegram once, and a drain skipped while
            // another object drains would leave the answer in the network until the time
            // ran out.
            {
                CSingleLock lock(&AccessRegistry::ReceiveLock(), TRUE);
                DrainLocked(1);
            }
            while (CAddressedMessage* entry = TakeQueued()) {
                if (HandleEntry(entry, cmd, fn, text, info)) return 1;
            }
        } else if (woken == WAIT_OBJECT_0 + 1) {
            if (PumpWaiting(&m_answerTimer)) wake = 0;
        }
        if (m_answerTimer.Timeout()) return 0;
    }
}

int CvaskAccess::HandleEntry(CAddressedMessage* entry, char cmd, int fn, const CString& text,
                             unsigned long info) {
    // The message stays in a local until it is known to be the answer: only the matching
    // answer or the rejection is handed to the caller, everything else is deleted here.
    CPCvaskMessage* message = entry->message;
    if (message == NULL) {
        delete entry;
        return 0;
    }
    if (entry->address == text) {
        CDeviceData* device = LookupDevice(m_slot.address);
        if (device != NULL) {
            device->SetStatus(message->GetFlags(), message->GetState());
            device->SetFaultCounter(0);
        } else {
            ForgetCache();
        }
        if (message->GetCommand() == cmd && message->GetFunction() == fn) {
            delete entry;
            m_slot.answer = message;
            m_slot.result = 1;
            return 1;
        }
        if (IsRejectAnswer(message)) {
            delete entry;
            int code = RejectToErrorCode(message);
            SetError(&m_slot.error, code, info);
            if (code == ErrorRejectedComponent && m_owner != NULL && m_owner->GetSafeHwnd() != NULL)
                ::PostMessageA(m_owner->GetSafeHwnd(), m_ownerMessage, (WPARAM)m_slot.address, 0);
            m_slot.answer = message;
            m_slot.result = 0;
            return 1;
        }
        if (IsMeasValueAnswer(message))
            SetData(message, device);
        else
            TRACE_SERIALIN(3, "  Answer ignored: %c,%d\n", message->GetCommand(),
                           message->GetFunction());
    } else {
        if (IsMeasValueAnswer(message)) {
            CvaskAddress sender(entry->address);
            SetData(message, GetDevice(sender.GetAddress()));
        } else {
            TRACE_SERIALIN(3, "  Wrong sender: %c,%d\n", message->GetCommand(),
                           message->GetFunction());
        }
    }
    delete message;
    delete entry;
    return 0;
}

// ---- periodic remote check --------------------------------------------------------------------

void CvaskAccess::CheckRemote() {
    if (m_communication == NULL || m_scanRunning || m_deviceList.IsEmpty()) return;
    // A tick handled while this thread waits for a request comes again.
    if (IsCallerWaiting()) return;
    int count = m_deviceList.GetCount();
    if (m_checkIndex >= count) m_checkIndex = 0;
    POSITION pos = m_deviceList.FindIndex(m_checkIndex++);
    if (pos == NULL) return;
    CDeviceData* device = static_cast<CDeviceData*>(m_deviceList.GetAt(pos));
    int address = device->GetAddress();
    if (address == m_remoteAddress) {
        if (m_remoteMode && m_keepAliveTimer.Timeout() && !device->IsRemote()) {
            m_keepAliveTimer.SetTimeout(KeepAlivePeriod);
            device->SetRemote(Remote(address, 0, 1) ? 1 : 0);
        }
    } else if (device->IsRemote()) {
        if (Remote(address, 0, 0)) device->SetRemote(0);
    }
}
