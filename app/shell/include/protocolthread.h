// The thread that writes the measurement log while the document's logging flag is set.
// Until it writes rows it only waits for the flag to clear and then ends; the thread object
// deletes itself when it ends.
#pragma once

#include "vaskfc.h"

class CKemMainFrame;
class CPCVaskDoc;

class CProtocolThread : public CWinThread {
    DECLARE_DYNCREATE(CProtocolThread)
public:
    CProtocolThread();

    // Given before the thread is resumed.
    void SetMainFrame(CKemMainFrame* pFrame) { m_pMainFrame = pFrame; }
    void SetDocument(CPCVaskDoc* pDoc) { m_pDocument = pDoc; }

    BOOL InitInstance() override;
    // Polls the logging flag until it is clear; 0.
    int Run() override;

protected:
    CKemMainFrame* m_pMainFrame;
    CPCVaskDoc* m_pDocument;
};
