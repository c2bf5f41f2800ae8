// The logging thread.
#include "protocolthread.h"

#include "pcvaskdoc.h"

IMPLEMENT_DYNCREATE(CProtocolThread, CWinThread)

CProtocolThread::CProtocolThread() : m_pMainFrame(NULL), m_pDocument(NULL) {}

BOOL CProtocolThread::InitInstance() { return TRUE; }

int CProtocolThread::Run() {
    if (m_pDocument == NULL || m_pMainFrame == NULL) return 0;
    while (m_pDocument->IsLogging()) Sleep(20);
    return 0;
}
