// The pages of the diagnostics sheet (diagnosticspropertysheet.h): the device state with the
// logbook, the components' values, the model's diagnostic values (read by a worker thread,
// CDiagValuesThread) and the factory data. The three list pages print their list
// (PrintPage); the sheet's timer reaches the components and values pages (TimerTick).
#pragma once

#include "helppropertypage.h"
#include "listctrlex.h"
#include "vaskaccess.h"

#include <atomic>

class CVaskInstrument;

// The logbook: up to 32 entries, each row with its time, message, class and whether it was
// acknowledged; a user with the rights acknowledges one entry or empties the logbook.
class CPageDiagnosticsState : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageDiagnosticsState)
public:
    explicit CPageDiagnosticsState(CVaskInstrument* pInstrument = NULL);

    // Reads the logbook into the list (bUpdate is passed to every cell write).
    void FillLogbook(int bUpdate);
    void EnableButtons();
    // Not refreshed by the timer.
    void TimerTick(int) {}

    int PrintPage(int hJob, int nLastPage);
    int PrintRow(int hJob, int nRow);

    // The message text of message number `nMessage` of the analyzer's model ("Error messages
    // from this device are not yet programmed..." for a number outside the model's block or a
    // model without one) and its class ("Unknown" without a class key).
    static void GetMessageTexts(int nModelKind, int nMessage, CString& message, CString& cls);

    CListCtrlEx m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnConfirm();
    void OnUpdateLogbook();
    void OnEmptyLogbook();

    CVaskInstrument* m_pInstrument;
    int m_nTicks;

    DECLARE_MESSAGE_MAP()
};

// One row per component (and the sensors of a Sindor 23): measured value, current measuring
// range and analog output. Values on every tick, ranges on every 30th.
class CPageDiagnosticsComponents : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageDiagnosticsComponents)
public:
    explicit CPageDiagnosticsComponents(CVaskInstrument* pInstrument = NULL);

    void TimerTick(int bUpdate);
    void Refresh(int bUpdate, BOOL bSkipRanges);

    int PrintPage(int hJob, int nLastPage);
    int PrintRow(int hJob, int nRow);

    CListCtrlEx m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void FillRow(int nComponent, int& nRow, int bUpdate, BOOL bSkipRanges);

    CVaskInstrument* m_pInstrument;
    int m_nTicks;
    VaskFloat m_values[4];
};

// The model's diagnostic values, read by a CDiagValuesThread at the page's creation and then
// on every 20th tick while no thread is busy. The page never outlives its thread: closing
// asks the thread to stop and waits for it (at most the one device request it is in).
class CPageDiagnosticsValues : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageDiagnosticsValues)
public:
    explicit CPageDiagnosticsValues(CVaskInstrument* pInstrument = NULL);
    ~CPageDiagnosticsValues() override;

    void TimerTick(int bUpdate);
    // While a thread reads: the wait window, the sheet disabled and the messages flowing
    // (the thread's row writes need them) until it is done.
    void WaitForValuesThread();

    int PrintPage(int hJob, int nLastPage);
    int PrintRow(int hJob, int nRow);

    BOOL IsBusy() const { return m_busy.load() != 0; }
    // The thread's side: the flag cleared when it ends, the stop request it checks before
    // each read, and a row's cell written on the GUI thread (FALSE when the page or its list
    // has no window any more).
    void ClearBusy() { m_busy.store(0); }
    BOOL IsStopRequested() const { return m_stop.load(); }
    BOOL WriteRowText(int nRow, int nColumn, LPCSTR lpszText, int bUpdate);
    // The names of the rows (0) and the end of a reading (1), on the GUI thread as well.
    BOOL InsertRowNames(UINT nNamesId);
    BOOL ClearListForUnknownModel();
    // How many threads the page has started.
    int GetThreadStarts() const { return m_nThreadStarts; }

    CListCtrlEx m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDestroy();
    LRESULT OnThreadRequest(WPARAM wParam, LPARAM lParam);
    // Starts a reading thread with the busy flag set.
    void StartThread(int bUpdate);
    // Asks a running thread to stop and waits for its end, handling its sent requests.
    void StopValuesThread();

    CVaskInstrument* m_pInstrument;
    std::atomic<int> m_busy;
    std::atomic<bool> m_stop;
    int m_nTicks;
    int m_nThreadStarts;
    // A handle of the running thread of our own (the thread object deletes itself).
    HANDLE m_hThread;

    DECLARE_MESSAGE_MAP()
};

// The analyzer's identity and, on a Quenta 6, its instrument type; filled once.
class CPageDiagnosticsFirmData : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageDiagnosticsFirmData)
public:
    explicit CPageDiagnosticsFirmData(CVaskInstrument* pInstrument = NULL);

    void Refresh(int bUpdate);
    void TimerTick(int) {}
    // Its data travel as the header of every printed page: nothing of its own.
    int PrintPage(int, int) { return 1; }

    CString m_strHardwareId, m_strSerialNumber, m_strOrderNumber, m_strFirmwareNumber;
    CString m_strAdapterFw, m_strAdapterBoot, m_strMotherFw, m_strMotherBoot;
    CString m_strOptionFw, m_strOptionBoot, m_strInstrumentType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CVaskInstrument* m_pInstrument;
};

// The worker thread of the values page: COM and a gateway client of its own, the model's
// values read once into the page's list, then it ends and deletes itself.
class CDiagValuesThread : public CWinThread {
    DECLARE_DYNCREATE(CDiagValuesThread)
public:
    CDiagValuesThread();

    void SetPage(CPageDiagnosticsValues* pPage) { m_pPage = pPage; }
    void SetParameters(CVaskInstrument* pInstrument, int, int bUpdate) {
        m_pInstrument = pInstrument;
        m_bUpdate = bUpdate;
    }

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;

    // One cell of the page's list; FALSE when the page or its list is gone.
    BOOL SetRowText(int nRow, int nColumn, LPCSTR lpszText);

protected:
    // The model's table read into the list; FALSE when the reading had to stop.
    BOOL ReadValues(int nModelKind);

    CPageDiagnosticsValues* m_pPage;
    CVaskInstrument* m_pInstrument;
    int m_bUpdate;
    BOOL m_bComStarted;
    BOOL m_bExited;
};

// The test kit's seam: called by each values thread as it starts (InitVGComm's result) and as
// it ends (the gateway client released). NULL: nothing.
typedef void (*DiagThreadObserver)(BOOL bStarting, BOOL bResult);
DiagThreadObserver SetDiagThreadObserver(DiagThreadObserver pObserver);
