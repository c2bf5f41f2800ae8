// The update thread of the instrument view.
#include "updatethread.h"

#include "appmessages.h"
#include "apputil.h"
#include "instrumentview.h"
#include "mainframe.h"
#include "pcvaskapp.h"
#include "vaskinstrument.h"

IMPLEMENT_DYNCREATE(CUpdateThread, CWinThread)

namespace {

const COLORREF kLowerColour = RGB(255, 0, 0);
const COLORREF kHigherColour = RGB(0, 255, 0);
const COLORREF kNotInFileColour = RGB(150, 0, 255);

// "<text> <unit>" of a value.
CString ValueText(const VaskFloat& value) {
    CString unit;
    CVaskInstrument::GetUnitText(unit, value.unit);
    return value.text + " " + unit;
}

}  // namespace

CUpdateThread::CUpdateThread()
    : m_pView(NULL), m_pMainWindow(NULL), m_pInstrument(NULL), m_bRefreshOnly(0) {}

BOOL CUpdateThread::InitInstance() {
    // COM for this thread; the process's security is set by then, so no gateway client of
    // its own starts: every read goes through the analyzer's access object.
    InitVGComm();
    return TRUE;
}

void CUpdateThread::Broadcast(UINT message, WPARAM wParam) {
    if (m_pMainWindow == NULL || !::IsWindow(m_pMainWindow->GetSafeHwnd())) return;
    if (m_pMainWindow->IsKindOf(RUNTIME_CLASS(CKemMainFrame)))
        ((CKemMainFrame*)m_pMainWindow)->BroadcastMessage(message, wParam, 0);
    else
        ::SendMessageA(m_pMainWindow->GetSafeHwnd(), message, wParam, 0);
}

int CUpdateThread::Run() {
    m_pView->m_bBusy = 1;
    if (m_pMainWindow == NULL || !::IsWindow(m_pMainWindow->GetSafeHwnd())) {
        m_pView->m_bBusy = 0;
        m_pView->m_bStopRequested = 0;
        return 0;
    }
    Broadcast(WM_START_COMMUNICATION, 0);
    if (!ReadInstrumentData() && !m_bRefreshOnly) m_pView->m_bRefreshPending = 0;
    if (::IsWindow(m_pMainWindow->GetSafeHwnd())) {
        Broadcast(WM_END_COMMUNICATION, 0);
        CTLTreeCtrl& tree = m_pView->GetTreeCtrl();
        if (::IsWindow(tree.GetSafeHwnd())) ::InvalidateRect(tree.GetSafeHwnd(), NULL, TRUE);
    }
    m_pView->m_bStopRequested = 0;
    m_pView->m_bBusy = 0;
    return 0;
}

int CUpdateThread::ReadInstrumentData() {
    if (m_pInstrument == NULL) return 0;
    const int total = m_pInstrument->CountParameters();
    int done = 0;
    CTLTreeCtrl& tree = m_pView->GetTreeCtrl();
    if (!::IsWindow(tree.GetSafeHwnd())) return 1;
    const CObList& groups = m_pInstrument->GetGroupList();
    CVaskInstrument* pCompare = m_pInstrument->GetCompareInstrument();
    CPCVaskApp* pApp = CPCVaskApp::Get();
    const BOOL bCompareMode = pCompare != NULL && pApp != NULL && pApp->IsCompareMode();
    if (groups.IsEmpty()) return 1;
    if (bCompareMode) ++m_pView->m_nComparePass;

    POSITION comparePos = bCompareMode ? pCompare->GetGroupList().GetHeadPosition() : NULL;
    for (POSITION pos = groups.GetHeadPosition(); pos != NULL;) {
        CParameterGroup* pGroup = (CParameterGroup*)groups.GetNext(pos);
        CParameterGroup* pCompareGroup =
            comparePos != NULL ? (CParameterGroup*)pCompare->GetGroupList().GetNext(comparePos)
                               : NULL;
        HTREEITEM hGroupItem = pGroup->GetTreeItem();
        if (!pGroup->HasDeviceDataWindowParameter() &&
            !(pCompareGroup != NULL && pCompareGroup->HasDeviceDataWindowParameter()))
            continue;
        const CObList* pList = &pGroup->GetParameterList();
        BOOL bCompareList = FALSE;
        if (pList->IsEmpty() && pCompareGroup != NULL) {
            if (pCompareGroup->GetParameterList().IsEmpty()) continue;
            pList = &pCompareGroup->GetParameterList();
            bCompareList = TRUE;
        }
        if (!m_bRefreshOnly || hGroupItem == NULL) {
            if (m_pView->m_bStopRequested) return 0;
            hGroupItem = tree.InsertItem(pGroup->GetName(), TVI_ROOT, TVI_LAST);
            if (hGroupItem != NULL) {
                pGroup->SetTreeItem(hGroupItem);
                tree.SetItemUserValue(hGroupItem, (DWORD_PTR)pGroup);
            }
        }
        if (pCompareGroup != NULL) {
            const CObList& compareList = pCompareGroup->GetParameterList();
            for (POSITION p = compareList.GetHeadPosition(); p != NULL;)
                ((CVaskParameter*)compareList.GetNext(p))->SetCompareMark(0);
        }
        for (POSITION p = pList->GetHeadPosition(); p != NULL;) {
            CVaskParameter* pParameter = (CVaskParameter*)pList->GetNext(p);
            ++done;
            if (total > 0) Broadcast(WM_COMMUNICATING, (WPARAM)(done * 100 / total));
            if (m_pView->m_bStopRequested) return 0;
            if (!pParameter->IsInDeviceDataWindow()) continue;

            VaskFloat value;
            m_pInstrument->EnableCommandReport(0);
            pParameter->GetValue(value);
            m_pInstrument->EnableCommandReport(1);
            HTREEITEM hItem = pParameter->GetTreeItem();
            if (!m_bRefreshOnly || hItem == NULL) {
                hItem = hGroupItem != NULL
                            ? tree.InsertItem(pParameter->GetName(), hGroupItem, TVI_LAST)
                            : NULL;
                pParameter->SetTreeItem(hItem);
                if (hItem != NULL) tree.SetItemUserValue(hItem, (DWORD_PTR)pParameter);
            } else {
                tree.SetItemText(hItem, 0, pParameter->GetName());
            }

            COLORREF colour = ::GetSysColor(COLOR_WINDOWTEXT);
            CString compareText;
            CVaskParameter* pCompareParameter = m_pInstrument->FindCompareParameter(pParameter);
            VaskFloat compareValue;
            if (pCompareParameter != NULL) {
                pCompareParameter->GetValue(compareValue);
                int result = 0;
                pCompareParameter->GetCompareResult(result, compareText);
                if (result < 0) colour = kLowerColour;
                if (result > 0) colour = kHigherColour;
                if (!pCompareParameter->IsLoaded()) colour = kNotInFileColour;
            }
            if (hItem == NULL) continue;
            tree.SetItemMark(hItem, colour, FALSE);
            tree.SetItemText(hItem, 1, bCompareList ? CString() : ValueText(value));
            if (pCompareParameter != NULL) {
                CString text = ValueText(compareValue);
                if (!compareText.IsEmpty()) text += " -> " + compareText;
                tree.SetItemText(hItem, 2, text);
                pCompareParameter->SetCompareMark(1);
            }
        }
        if (!m_bRefreshOnly && hGroupItem != NULL) {
            const int expanded = pGroup->ReadProfileFlags();
            if (expanded) tree.ExpandItem(hGroupItem, expanded);
        }
    }
    return 1;
}
