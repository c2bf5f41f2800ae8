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
    : m_pView(NULL),
      m_pMainWindow(NULL),
      m_pInstrument(NULL),
      m_bRefreshOnly(0),
      m_bComStarted(FALSE) {}

BOOL CUpdateThread::InitInstance() {
    // COM for this thread; the process's security is set by then, so no gateway client of
    // its own starts: every read goes through the analyzer's access object. Every success
    // of InitVGComm has initialised COM, which the thread leaves again at its end.
    m_bComStarted = InitVGComm();
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
        m_pView->m_bStopRequested = 0;
        m_pView->m_bBusy = 0;
    } else {
        Broadcast(WM_START_COMMUNICATION, 0);
        if (!ReadInstrumentData() && !m_bRefreshOnly) m_pView->m_bRefreshPending = 0;
        if (::IsWindow(m_pMainWindow->GetSafeHwnd())) {
            Broadcast(WM_END_COMMUNICATION, 0);
            CTLTreeCtrl& tree = m_pView->GetTreeCtrl();
            if (::IsWindow(tree.GetSafeHwnd())) ::InvalidateRect(tree.GetSafeHwnd(), NULL, TRUE);
        }
        // The busy flag goes last: the view may start the next read once it is clear.
        m_pView->m_bStopRequested = 0;
        m_pView->m_bBusy = 0;
    }
    // Nothing of the view is touched from here on; the view waits on the thread's handle.
    if (m_bComStarted) ::CoUninitialize();
    return 0;
}

void CUpdateThread::AppendCompareLeftovers(CTLTreeCtrl& tree, CParameterGroup* pCompareGroup,
                                           HTREEITEM hGroupItem) {
    if (pCompareGroup == NULL || hGroupItem == NULL) return;
    const CObList& compareList = pCompareGroup->GetParameterList();
    for (POSITION pos = compareList.GetHeadPosition(); pos != NULL;) {
        CVaskParameter* pCompareParameter = (CVaskParameter*)compareList.GetNext(pos);
        if (pCompareParameter->GetCompareMark() || !pCompareParameter->IsInDeviceDataWindow())
            continue;
        // The row is not linked to the entry: the analyzer has no counterpart for it.
        const HTREEITEM hItem = tree.InsertItem(pCompareParameter->GetName(), hGroupItem, TVI_LAST);
        VaskFloat value;
        pCompareParameter->GetValue(value);
        if (hItem != NULL) tree.SetItemText(hItem, 2, ValueText(value));
        pCompareParameter->SetCompareMark(1);
    }
}

int CUpdateThread::ReadInstrumentData() {
    if (m_pInstrument == NULL) return 0;
    const int total = m_pInstrument->CountParameters();
    int done = 0;
    int pass = m_pView->m_nComparePass;
    CTLTreeCtrl& tree = m_pView->GetTreeCtrl();
    if (!::IsWindow(tree.GetSafeHwnd())) return 1;
    const CObList& groups = m_pInstrument->GetGroupList();
    CVaskInstrument* pCompare = m_pInstrument->GetCompareInstrument();
    CPCVaskApp* pApp = CPCVaskApp::Get();
    const BOOL bCompareMode = pCompare != NULL && pApp != NULL && pApp->IsCompareMode();
    if (groups.IsEmpty()) return 1;
    if (bCompareMode) m_pView->m_nComparePass = ++pass;
    // The compare set's entries without a counterpart are appended on the first compare
    // pass only: later passes find their rows there.
    const BOOL bAppendLeftovers = bCompareMode && pass == 1;
    static const char kLimitValues[] = "Limit values";

    POSITION comparePos = bCompareMode ? pCompare->GetGroupList().GetHeadPosition() : NULL;
    int lastPercent = -1;
    for (POSITION pos = groups.GetHeadPosition(); pos != NULL;) {
        CParameterGroup* pGroup = (CParameterGroup*)groups.GetNext(pos);
        CParameterGroup* pCompareGroup =
            comparePos != NULL ? (CParameterGroup*)pCompare->GetGroupList().GetNext(comparePos)
                               : NULL;
        int index = 0;
        HTREEITEM hGroupItem = pGroup->GetTreeItem();
        if (!pGroup->HasDeviceDataWindowParameter() &&
            !(pCompareGroup != NULL && pCompareGroup->HasDeviceDataWindowParameter()))
            continue;
        const CObList& ownList = pGroup->GetParameterList();
        const CObList* pList = &ownList;
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
        // Of the groups whose last entry is not shown, only the limit values get the compare
        // set's leftovers.
        const BOOL bLimitValues = pGroup->GetTitle().Left(12) == kLimitValues;
        for (POSITION p = pList->GetHeadPosition(); p != NULL;) {
            CVaskParameter* pParameter = (CVaskParameter*)pList->GetNext(p);
            const BOOL bLast = p == NULL;
            ++done;
            // An analyzer without entries of its own, walked through its compare groups,
            // reports 0 %; beyond that the count may pass 100 the same way.
            const int percent = total > 0 ? done * 100 / total : 0;
            // Every window of the frame gets each new percentage once: with hundreds of
            // entries the same figure told again only costs the GUI thread its time.
            if (percent != lastPercent) Broadcast(WM_COMMUNICATING, (WPARAM)percent);
            lastPercent = percent;
            if (m_pView->m_bStopRequested) return 0;
            ++index;
            if (!pParameter->IsInDeviceDataWindow()) {
                if (bAppendLeftovers && bLimitValues && index == ownList.GetCount())
                    AppendCompareLeftovers(tree, pCompareGroup, hGroupItem);
                continue;
            }

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
            if (bLast && bAppendLeftovers) AppendCompareLeftovers(tree, pCompareGroup, hGroupItem);
        }
        if (!m_bRefreshOnly && hGroupItem != NULL) {
            const int expanded = pGroup->ReadProfileFlags();
            if (expanded) tree.ExpandItem(hGroupItem, expanded);
        }
    }
    return 1;
}
