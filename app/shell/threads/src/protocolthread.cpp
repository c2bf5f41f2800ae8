// The logging thread.
#include "protocolthread.h"

#include "appmessages.h"
#include "apputil.h"
#include "mainframe.h"
#include "nuraprotocol.h"
#include "pageprotocol.h"
#include "parvel.h"
#include "pcvaskdoc.h"
#include "quenta.h"
#include "resource.h"
#include "shell_seams.h"
#include "sindor23.h"
#include "sindor6.h"
#include "tracefile.h"
#include "vaskinstrument.h"

#include <atomic>

namespace {

// The analyzer type codes whose rows differ.
enum { kSindor6 = 1, kParvel6 = 2, kLorvix6 = 3, kSindor23 = 4, kQuenta6 = 5 };
// The channel state of an analyzer that is being downloaded to.
const int kDownloadState = 22;
// The channel states that have a text.
const int kLastState = 25;
// The Sindor 23's sensor channels, beyond its counted components.
const int kH2SChannel = 2;
const int kO2Channel = 3;

CTime SystemClock() { return CTime::GetCurrentTime(); }

std::atomic<LoggingClock> g_clock{&SystemClock};

CTime Now() { return g_clock.load()(); }

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

CString UnitText(int nUnit) {
    CString text;
    CVaskInstrument::GetUnitText(text, nUnit);
    return text;
}

}  // namespace

LoggingClock SetLoggingClock(LoggingClock clock) {
    return g_clock.exchange(clock != NULL ? clock : &SystemClock);
}

IMPLEMENT_DYNCREATE(CProtocolThread, CWinThread)

CProtocolThread::CProtocolThread()
    : m_pPage(NULL),
      m_bDownloadSuspended(FALSE),
      m_pWatched(NULL),
      m_nCycleTime(5000),
      m_pProtocol(NULL),
      m_pMainFrame(NULL),
      m_pDocument(NULL),
      m_hStop(NULL),
      m_bWriteFailed(FALSE),
      m_bMeasValid(FALSE) {}

CProtocolThread::~CProtocolThread() {
    if (m_hStop != NULL) ::CloseHandle(m_hStop);
}

void CProtocolThread::SetStopEvent(HANDLE hEvent) {
    if (m_hStop != NULL) ::CloseHandle(m_hStop);
    m_hStop = NULL;
    if (hEvent != NULL)
        ::DuplicateHandle(::GetCurrentProcess(), hEvent, ::GetCurrentProcess(), &m_hStop,
                          SYNCHRONIZE, FALSE, 0);
}

BOOL CProtocolThread::InitInstance() {
    if (m_pDocument == NULL) return TRUE;
    m_pProtocol = m_pDocument->GetProtocol();
    m_nCycleTime = m_pProtocol->GetCycleTime();
    m_pPage = m_pDocument->GetProtocolPage();
    m_pWatched = m_pDocument->GetCurrentInstrument();
    m_strDecimalSigns = LoadText(IDS_PROTOCOL_DECIMAL_SIGNS);
    return TRUE;
}

int CProtocolThread::Run() {
    WriteIntoProtocol();
    return 0;
}

BOOL CProtocolThread::StartStop(BOOL bStart) {
    if (!bStart) {
        m_pProtocol->Stop();
        return TRUE;
    }
    CObList selection;
    CString delimiter;
    m_pPage->GetLoggingChoice(selection, delimiter);
    if (selection.IsEmpty()) {
        // The frame's thread shows the message: this one has no window of its own.
        ::PostMessageA(m_pMainFrame->GetSafeHwnd(), WM_PROTOCOL_REPORT, IDS_PROTOCOL_NO_SELECTION,
                       0);
        m_pDocument->SetLogging(FALSE);
        return FALSE;
    }
    m_pProtocol->Start();
    m_lastWrite = Now();
    return TRUE;
}

// ---- the loop -----------------------------------------------------------------------------

void CProtocolThread::WriteIntoProtocol() {
    if (m_pPage == NULL || m_pProtocol == NULL || m_pDocument == NULL || m_pMainFrame == NULL)
        return;
    if (!StartStop(TRUE)) return;
    m_bWriteFailed = FALSE;
    for (;;) {
        if (!m_pDocument->IsLogging()) {
            // A row that had begun was written whole; nothing begins after the stop.
            StartStop(FALSE);
            return;
        }
        const CTime now = Now();
        if (m_pProtocol->TimeWindowOver()) {
            StartStop(FALSE);
            m_pDocument->SetLogging(FALSE);
            return;
        }
        if (m_pProtocol->TimeWindowHasStarted() && IsRowDue(now)) {
            m_lastWrite = now;
            if (!WatchDownload()) WriteRow(now);
        }
        // Rows come at whole seconds: a pause below one second changes none of them.
        if (m_hStop != NULL)
            ::WaitForSingleObject(m_hStop, kPollMilliseconds);
        else
            ::Sleep(kPollMilliseconds);
    }
}

BOOL CProtocolThread::IsRowDue(const CTime& now) const {
    const LONGLONG elapsed = (now - m_lastWrite).GetTotalSeconds();
    // A clock set back would hold every row back until it caught up again.
    if (elapsed < 0) return TRUE;
    return elapsed >= (LONGLONG)(m_nCycleTime / 1000);
}

BOOL CProtocolThread::WatchDownload() {
    if (m_pWatched == NULL || !m_pWatched->IsKindOf(RUNTIME_CLASS(CVaskInstrument)))
        return m_bDownloadSuspended;
    CVaskInstrument* pWatched = (CVaskInstrument*)m_pWatched;
    const int nState = pWatched->GetChannelState();
    if (nState == kDownloadState && !m_bDownloadSuspended) {
        m_bDownloadSuspended = TRUE;
        WriteLine(LoadText(IDS_PROTOCOL_DOWNLOAD_BEGIN) + "\"" + pWatched->GetDisplayName() + "\"");
    } else if (nState != kDownloadState && m_bDownloadSuspended) {
        m_bDownloadSuspended = FALSE;
        WriteLine(LoadText(IDS_PROTOCOL_DOWNLOAD_END));
    }
    return m_bDownloadSuspended;
}

// ---- one row --------------------------------------------------------------------------------

void CProtocolThread::WriteRow(const CTime& now) {
    // The selection as it is now: the GUI thread may rebuild the page's list meanwhile.
    CObList selection;
    CString delimiter;
    m_pPage->GetLoggingChoice(selection, delimiter);
    Write(now.Format("%d.%m.%Y"));
    Write(now.Format("%H:%M:%S"));
    for (POSITION pos = selection.GetHeadPosition(); pos != NULL;) {
        CObject* pObject = selection.GetNext(pos);
        if (pObject->IsKindOf(RUNTIME_CLASS(CVaskInstrument)))
            WriteAnalyzer((CVaskInstrument*)pObject, delimiter);
    }
    WriteLine(CString());
}

void CProtocolThread::WriteAnalyzer(CVaskInstrument* pAnalyzer, const CString& delimiter) {
    // A failed read is no message of the log; its fields stay empty.
    pAnalyzer->EnableCommandReport(FALSE);
    m_bMeasValid = pAnalyzer->GetMeas(m_meas) != 0;
    pAnalyzer->EnableCommandReport(TRUE);

    Write(pAnalyzer->GetDisplayName());
    // A state that could not be read (negative) names no text of the state table.
    const int nState = pAnalyzer->GetChannelState();
    Write(nState >= 0 && nState <= kLastState ? LoadText(IDS_DEVICE_STATE_BASE + (UINT)nState)
                                              : CString());
    const int nKind = pAnalyzer->GetModelKind();
    const int nComponents = pAnalyzer->GetComponentCount();
    for (int c = 0; c < nComponents && c < 4; ++c) {
        WriteComponent(pAnalyzer, c, delimiter);
        if (m_pProtocol->LogTemperature()) {
            VaskFloat temperature;
            const BOOL bRead = ReadTemperature(pAnalyzer, temperature);
            WritePair("T: ", bRead ? Decimal(temperature.text, delimiter) : CString(),
                      bRead ? UnitText(temperature.unit) : CString());
        }
        if (m_pProtocol->LogPressure()) {
            VaskFloat pressure;
            const BOOL bRead = pAnalyzer->GetAirPressure(pressure) != 0;
            WritePair("P: ", bRead ? Decimal(pressure.text, delimiter) : CString(),
                      bRead ? UnitText(pressure.unit) : CString());
        }
        for (BOOL bEP90 : {FALSE, TRUE}) {
            if (!(bEP90 ? m_pProtocol->LogEP90() : m_pProtocol->LogEP())) continue;
            if (nKind != kSindor6 && nKind != kParvel6) {
                Write(CString());
                Write(CString());
                continue;
            }
            VaskFloat value;
            const BOOL bRead = ReadEP(pAnalyzer, c, bEP90, value);
            WritePair(bEP90 ? "Ep90: " : "Ep: ", bRead ? Decimal(value.text, delimiter) : CString(),
                      "---");
        }
    }
    if (nKind == kSindor23 && pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23))) {
        CSindor23* pSindor23 = (CSindor23*)pAnalyzer;
        if (pSindor23->HasH2SSensor()) WriteComponent(pAnalyzer, kH2SChannel, delimiter);
        if (pSindor23->HasO2Sensor()) WriteComponent(pAnalyzer, kO2Channel, delimiter);
    }
}

void CProtocolThread::WriteComponent(CVaskInstrument* pAnalyzer, int c, const CString& delimiter) {
    Write(pAnalyzer->GetComponentLabel(c));
    if (!m_bMeasValid) {
        Write(CString());
        Write(CString());
        return;
    }
    Write(Decimal(m_meas[c].text, delimiter));
    Write(UnitText(m_meas[c].unit));
}

BOOL CProtocolThread::ReadTemperature(CVaskInstrument* pAnalyzer, VaskFloat& value) {
    switch (pAnalyzer->GetModelKind()) {
        case kSindor6:
            return pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor6)) &&
                   ((CSindor6*)pAnalyzer)->DiagRecvChamberTemp(value);
        case kParvel6:
            return pAnalyzer->IsKindOf(RUNTIME_CLASS(CParvel6)) &&
                   ((CParvel6*)pAnalyzer)->DiagHeadTemp(value);
        case kSindor23:
            return pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23)) &&
                   ((CSindor23*)pAnalyzer)->DiagRadiatorTemp(value);
        case kQuenta6:
            return pAnalyzer->IsKindOf(RUNTIME_CLASS(CQuenta6)) &&
                   ((CQuenta6*)pAnalyzer)->DiagOvenTemp(value);
        default:
            // The Lorvix 6 and the models from 6 on have no temperature of their own here.
            return FALSE;
    }
}

BOOL CProtocolThread::ReadEP(CVaskInstrument* pAnalyzer, int c, BOOL bEP90, VaskFloat& value) {
    if (pAnalyzer->GetModelKind() == kSindor6 && pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor6))) {
        CSindor6* pSindor6 = (CSindor6*)pAnalyzer;
        return bEP90 ? pSindor6->DiagSignalVector(c, value) : pSindor6->DiagFaultVector(c, value);
    }
    if (pAnalyzer->GetModelKind() == kParvel6 && pAnalyzer->IsKindOf(RUNTIME_CLASS(CParvel6))) {
        CParvel6* pParvel6 = (CParvel6*)pAnalyzer;
        return bEP90 ? pParvel6->DiagSignalVector(c, value) : pParvel6->DiagFaultVector(c, value);
    }
    return FALSE;
}

// ---- writing --------------------------------------------------------------------------------

CString CProtocolThread::Decimal(const CString& text, const CString& delimiter) const {
    return ReplaceAnyOf(text, m_strDecimalSigns, delimiter);
}

void CProtocolThread::WritePair(LPCSTR lpszLabel, const CString& text, const CString& second) {
    Write(CString(lpszLabel) + text);
    Write(second);
}

void CProtocolThread::Write(const CString& text) { Check(m_pProtocol->WriteData(text)); }

void CProtocolThread::WriteLine(const CString& text) { Check(m_pProtocol->WriteLine(text)); }

void CProtocolThread::Check(unsigned long nResult) {
    if (nResult == 0 || m_bWriteFailed) return;
    // Later cycles try again without a word: one message per run is enough.
    m_bWriteFailed = TRUE;
    CTraceFile trace(0, "");
    trace.WriteFormat("The measurement log could not be written: error %lu", nResult);
    ::PostMessageA(m_pMainFrame->GetSafeHwnd(), WM_PROTOCOL_REPORT, IDS_PROTOCOL_WRITE_FAILED,
                   (LPARAM)nResult);
}
