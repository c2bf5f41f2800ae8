// The logging settings page of the measurement log's settings sheet: which analyzers the
// log reads. This form holds the selection only, which the document sets from the selected
// node; the page's controls come with the logging settings.
#pragma once

#include "vaskfc.h"

class CVaskInstrument;

class CPageProtocol : public CPropertyPage {
    DECLARE_DYNAMIC(CPageProtocol)
public:
    // The document's node list, from which the analyzers to log are chosen.
    explicit CPageProtocol(CObList* pNodeList);

    // The analyzer becomes the only one selected for logging; NULL empties the selection.
    void SetCurrentInstrument(CVaskInstrument* pInstrument);
    // The analyzers selected for logging, in order.
    CObList* GetSelection() { return &m_selection; }

protected:
    CObList* m_pNodeList;
    CObList m_selection;
};
