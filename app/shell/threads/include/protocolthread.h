// CProtocolThread: the worker that writes the measurement log while the document's logging
// flag is set. The main frame creates it suspended, gives it the frame, the document and the
// stop event, and resumes it; the thread object deletes itself when it ends, and the frame
// keeps its own handle of the thread to wait for that end.
//
// Each logging cycle (the log library's cycle time, counted in whole seconds of the clock)
// the thread reads the measured values of every analyzer selected on the logging page and
// writes one row: date, time, then per analyzer its name, its state and per component
// label, value and unit, with the extra values that the log's settings ask for. A row once
// begun is written whole, also when logging is switched off meanwhile. Between polls it
// waits on the stop event, so a stop is seen at once and the poll costs no processor time.
//
// What the thread reads of other objects: the document's flag, its log writer, its logging
// page (selection and delimiter, copied under the page's lock per row) and the analyzers.
// None of them may go while it runs: the frame's StopLogging ends it first.
#pragma once

#include "vaskfc.h"
#include "vaskfloat.h"

class CInstrument;
class CKemMainFrame;
class CPCVaskDoc;
class CPageProtocol;
class CVaskInstrument;
class CnuraProtocol;

class CProtocolThread : public CWinThread {
    DECLARE_DYNCREATE(CProtocolThread)
public:
    CProtocolThread();
    ~CProtocolThread() override;

    // Given before the thread is resumed.
    void SetMainFrame(CKemMainFrame* pFrame) { m_pMainFrame = pFrame; }
    void SetDocument(CPCVaskDoc* pDoc) { m_pDocument = pDoc; }
    // The event that ends the wait between polls (the thread keeps a handle of its own);
    // NULL: the thread waits the poll period out.
    void SetStopEvent(HANDLE hEvent);

    // Takes the log writer, its cycle, the logging page and the watched analyzer from the
    // document.
    BOOL InitInstance() override;
    // The logging loop; 0.
    int Run() override;

    // Starting: FALSE (after a message, with the logging flag cleared) when no analyzer is
    // selected, else the log is started and the cycle begins now. Stopping: the log ends.
    BOOL StartStop(BOOL bStart);

    // The time between two polls.
    enum { kPollMilliseconds = 200 };

protected:
    void WriteIntoProtocol();
    // Whether a row is due at `now` (whole seconds since the last row; a clock set back
    // makes it due at once).
    BOOL IsRowDue(const CTime& now) const;
    // The download lines of the watched analyzer; TRUE while it downloads (no rows then).
    BOOL WatchDownload();
    // One whole row at `now` for the page's selection as it is now.
    void WriteRow(const CTime& now);
    void WriteAnalyzer(CVaskInstrument* pAnalyzer, const CString& delimiter);
    // Label, value and unit of component c of the values just read.
    void WriteComponent(CVaskInstrument* pAnalyzer, int c, const CString& delimiter);
    // The analyzer's temperature of its model (FALSE for a model without one or a failed
    // read).
    static BOOL ReadTemperature(CVaskInstrument* pAnalyzer, VaskFloat& value);
    static BOOL ReadEP(CVaskInstrument* pAnalyzer, int c, BOOL bEP90, VaskFloat& value);
    // A labelled value as two fields: label and text, then the unit or `second`.
    // The value text with each decimal sign replaced by the delimiter.
    CString Decimal(const CString& text, const CString& delimiter) const;
    void WritePair(LPCSTR lpszLabel, const CString& text, const CString& second);
    void Write(const CString& text);
    void WriteLine(const CString& text);
    // The first failing write of a run goes to the frame (which shows it) and the trace.
    void Check(unsigned long nResult);

    CPageProtocol* m_pPage;
    CTime m_lastWrite;
    BOOL m_bDownloadSuspended;
    CInstrument* m_pWatched;
    unsigned long m_nCycleTime;
    CnuraProtocol* m_pProtocol;
    CKemMainFrame* m_pMainFrame;
    CPCVaskDoc* m_pDocument;
    HANDLE m_hStop;
    BOOL m_bWriteFailed;
    CString m_strDecimalSigns;
    // The values of the analyzer being written: whether its read succeeded, and the values.
    BOOL m_bMeasValid;
    VaskFloat m_meas[4];
};
