// CvaskAccess: construction, Init and Done, and the members that forward to the network.
#include "accessinternal.h"

#include <atomic>
#include <map>

namespace {

// Each object's key among the threads' records: never one of an object that was before.
std::atomic<unsigned long> g_lastErrorKey{0};
// The error records of the calling thread, one per object it had a failure with.
thread_local std::map<unsigned long, ErrorStruct_> t_errors;

}  // namespace

ErrorStruct_& CvaskAccess::Error() { return t_errors[m_errorKey]; }

CvaskAccess::CvaskAccess(CWnd* owner, UINT message)
    : m_threadWait(1, 1),
      m_senderWait(1, 1),
      m_recvWait(1, 1),
      m_communication(NULL),
      m_address(NULL),
      m_deviceList(10),
      m_callerThread(0),
      m_run(0),
      m_errorKey(++g_lastErrorKey),
      m_timerId(NoTimer),
      m_lastCommand(0),
      m_lastFunction(0),
      m_conflictAddress(0),
      m_downloadRunning(0),
      m_paramSetRunning(0),
      m_scanRunning(0),
      m_remoteMode(0),
      m_remoteAddress(-1),
      m_owner(owner),
      m_ownerMessage(message),
      m_cacheAddress(-1),
      m_cacheDevice(NULL),
      m_senderThread(NULL),
      m_checkIndex(0) {
    m_keepAliveTimer.SetTimeout(KeepAlivePeriod);
    m_newChanceTimer.SetTimeout(NewChancePeriod);
    AccessRegistry::Add(this);
}

CvaskAccess::~CvaskAccess() {
    Done();
    AccessRegistry::Remove(this);
    // The records of the threads that end go with them; the destroying thread's goes now.
    t_errors.erase(m_errorKey);
}

int CvaskAccess::Init(const CString& networkType, const CString& line, const SerialParam& param) {
    // Held for the whole set-up, so that a request from another thread waits for it.
    CSingleLock busy(&m_senderWait, TRUE);
    if (m_communication != NULL) {
        SetError(&Error(), ErrorAlreadyInitialized, 0);
        return 0;
    }
    CCommunication* communication = new (std::nothrow) CCommunication;
    if (communication == NULL) {
        SetError(&Error(), ErrorOutOfMemory, 0);
        return 0;
    }
    if (!communication->Init(networkType, line, param, &Error())) {
        delete communication;
        return 0;
    }
    // The communication object also takes the empty type (as the serial bus); the access
    // layer does not.
    if (networkType != "VASK" && networkType != "TCPGATEWAY") {
        delete communication;
        SetError(&Error(), ErrorInvalidNetworkType, 0);
        return 0;
    }
    m_address = new CvaskAddress(0);

    BOOL timerCreated = FALSE;
    if (m_timerId == NoTimer) {
        UINT_PTR id = SetTimer(NULL, 0, TimerPeriod, CvaskAccessInternal::TimerProc);
        if (id != 0) {
            m_timerId = id;
            timerCreated = TRUE;
        }
    }

    TRACE_INFO(5, "CvaskAccess::Init: Start thread\n");
    m_communication = communication;
    m_run = 1;
    m_threadWait.Lock();
    m_recvWait.Lock();
    m_senderThread = CvaskAccessInternal::StartThread(this);
    if (m_senderThread == NULL) {
        // Without the thread every request and Done would wait for ever: undo it all.
        m_run = 0;
        m_threadWait.Unlock();
        m_recvWait.Unlock();
        if (timerCreated) {
            KillTimer(NULL, m_timerId);
            m_timerId = NoTimer;
        }
        m_communication = NULL;
        communication->Done(NULL);
        delete communication;
        delete m_address;
        m_address = NULL;
        SetError(&Error(), ErrorOutOfMemory, 0);
        return 0;
    }
    return 1;
}

// Gives the semaphore exactly one free count, whatever it stood at.
static void RestoreFree(CSemaphore& semaphore) {
    semaphore.Lock(0);
    semaphore.Unlock();
}

int CvaskAccess::Done() {
    if (m_communication == NULL) return 1;

    if (m_remoteMode) RemoteOff();
    // A thread timer can be killed only on its own thread; from another one it stays with
    // this object and goes on serving.
    if (AccessRegistry::Count() == 1 && m_timerId != NoTimer && KillTimer(NULL, m_timerId))
        m_timerId = NoTimer;

    // Stop the sender thread first: a request in flight ends before the device list and
    // the network it uses go away.
    WaitForSender(m_senderWait);
    m_run = 0;
    m_threadWait.Unlock();
    WaitForSender(m_senderWait);  // released by the ending thread
    if (m_senderThread != NULL) {
        WaitForSingleObject(m_senderThread->m_hThread, INFINITE);
        delete m_senderThread;
        m_senderThread = NULL;
    }

    ClearDeviceList();
    {
        CSingleLock lock(&AccessRegistry::ReceiveLock(), TRUE);
        while (CObject* object = m_answerQueue.Dequeue()) {
            CAddressedMessage* entry = static_cast<CAddressedMessage*>(object);
            delete entry->message;
            delete entry;
        }
        // Under the receive lock, so that a drain on the timer's thread never sees a
        // network that is being closed.
        CCommunication* communication = m_communication;
        m_communication = NULL;
        communication->Done(&Error());
        delete communication;
    }
    delete m_address;
    m_address = NULL;

    // As after construction, so that Init can follow.
    m_remoteMode = 0;
    m_remoteAddress = -1;
    m_downloadRunning = 0;
    m_paramSetRunning = 0;
    m_scanRunning = 0;
    m_conflictAddress = 0;
    m_lastSender.Empty();
    m_checkIndex = 0;
    RestoreFree(m_threadWait);
    RestoreFree(m_recvWait);
    RestoreFree(m_senderWait);
    return 1;
}

// ---- lines and addresses ------------------------------------------------------------------

int CvaskAccess::SetSelectedLine(const CString& line) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    return m_communication->SetSelectedLine(line, &Error());
}

int CvaskAccess::ConfigureLine(HWND parent) {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    return m_communication->ConfigureLine(parent, &Error());
}

CString CvaskAccess::GetSelectedLine() {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return CString();
    }
    return m_communication->GetSelectedLine();
}

CString CvaskAccess::GetLineName() {
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return CString();
    }
    return m_communication->GetLineName(&Error());
}

int CvaskAccess::SetMyAddress(int address) {
    if (!CvaskAddress::SetMyAddress(address)) return 0;
    if (m_communication == NULL) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    return m_communication->SetMyAddress(address, &Error());
}

CString CvaskAccess::GetNetworkType() const {
    if (m_address == NULL) return CString();
    return m_address->GetNetwork();
}

void CvaskAccess::GetNetworkAddressRange(int& first, int& last) const {
    first = last = -1;
    if (m_address != NULL) m_address->GetRange(first, last);
}

int CvaskAccess::GetNetworkStatus() const { return m_communication != NULL ? 2 : 1; }

DWORD CvaskAccess::GetDllVersion() { return 1u << 16 | 8u << 8 | 1u; }

DWORD CvaskAccess::GetVaskVersion() { return 1u << 16 | 5u << 8 | 0u; }
