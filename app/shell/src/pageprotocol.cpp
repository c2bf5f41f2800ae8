// The logging settings page.
#include "pageprotocol.h"

#include "vaskinstrument.h"

IMPLEMENT_DYNAMIC(CPageProtocol, CPropertyPage)

CPageProtocol::CPageProtocol(CObList* pNodeList) : m_pNodeList(pNodeList) {}

void CPageProtocol::SetCurrentInstrument(CVaskInstrument* pInstrument) {
    m_selection.RemoveAll();
    if (pInstrument != NULL) m_selection.AddTail(pInstrument);
}
