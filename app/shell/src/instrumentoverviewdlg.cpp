// The instrument overview.
#include "instrumentoverviewdlg.h"

IMPLEMENT_DYNAMIC(CInstrumentOverviewDlg, CDialog)

// The overview's template, 195.
CInstrumentOverviewDlg::CInstrumentOverviewDlg(CObList* pNodeList, CWnd* pParentWnd)
    : CDialog(195, pParentWnd), m_pNodeList(pNodeList) {}
