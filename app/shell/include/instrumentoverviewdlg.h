// The overview of the instruments of the networks, where their names and components are
// edited. Until its template exists, DoModal returns -1 without showing anything.
#pragma once

#include "vaskfc.h"

class CInstrumentOverviewDlg : public CDialog {
    DECLARE_DYNAMIC(CInstrumentOverviewDlg)
public:
    // The document's list of nodes; the dialog does not own them.
    explicit CInstrumentOverviewDlg(CObList* pNodeList, CWnd* pParentWnd = NULL);

protected:
    CObList* m_pNodeList;
};
