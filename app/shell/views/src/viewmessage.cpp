// The message pane.
#include "viewmessage.h"

#include "windowwait.h"
#include "mainframe.h"
#include "panehelp.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "resource.h"
#include "vaskinstrument.h"

#include <algorithm>
#include <iterator>
#include <vector>

IMPLEMENT_DYNCREATE(CViewMessage, CFormView)

namespace {

const DWORD_PTR kMessageHelpContext = HID_BASE_RESOURCE + IDD_VIEW_MESSAGE;
// Analyzer states in which its messages are not read: not answering, not chosen for
// connection, two devices at its address.
const int kNotAnswering = 4;
const int kAddressConflict = 6;
// The entries of the device's state flags (error, function check, maintenance request,
// limit value).
const int kStateFaultNumber = 338;
const int kStateFunctionCheckNumber = 339;
const int kStateServiceNumber = 340;
const int kStateLimitNumber = 341;
// The extended status: faults, then maintenance requests, then function controls.
const int kExtStatusFlags = 18;
const int kFirstMaintenanceFlag = 7;
const int kFirstFunctionControlFlag = 14;

// The index of exactly that text in the list, -1 when absent (the list box's own search
// ignores case).
int FindExact(CListBox& list, const CString& text) {
    const int nCount = list.GetCount();
    for (int i = 0; i < nCount; ++i) {
        CString entry;
        list.GetText(i, entry);
        if (entry == text) return i;
    }
    return -1;
}

// The list scrolls sideways as far as its widest text reaches.
void FitExtent(CListBox& list) {
    CClientDC dc(&list);
    CFont* pOldFont = dc.SelectObject(list.GetFont());
    int nWidest = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString entry;
        list.GetText(i, entry);
        const int nWidth = dc.GetTextExtent(entry).cx;
        if (nWidth > nWidest) nWidest = nWidth;
    }
    dc.SelectObject(pOldFont);
    // The list draws its texts a few pixels in from its edges.
    list.SetHorizontalExtent(nWidest > 0 ? nWidest + 2 * 3 : 0);
}

void ShowText(CListBox& list, const CString& text, BOOL bOn) {
    const int nIndex = FindExact(list, text);
    if (bOn && nIndex < 0)
        list.AddString(text);
    else if (!bOn && nIndex >= 0)
        list.DeleteString((UINT)nIndex);
    else
        return;
    FitExtent(list);
}

// A state entry's value as read now, truncated; 0 when the analyzer has no such entry.
int ReadState(CVaskInstrument* pAnalyzer, int nNumber) {
    CVaskParameter* pEntry = pAnalyzer->FindParameterByNumber(nNumber);
    if (pEntry == NULL) return 0;
    VaskFloat value;
    pEntry->GetValue(value);
    return (int)value.value;
}

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CViewMessage, CFormView)
ON_WM_SIZE()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CViewMessage::CViewMessage()
    : CFormView(IDD), m_nRebuildRequest(0), m_nListWidth(0), m_nNextAnalyzer(0) {}

void CViewMessage::DoDataExchange(CDataExchange* pDX) {
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSTEM_STATES, m_listSystemStates);
    DDX_Control(pDX, IDC_CHANNEL_STATES, m_listChannelStates);
    DDX_Control(pDX, IDC_LIGHT_GREEN, m_lightGreen);
    DDX_Control(pDX, IDC_LIGHT_RED, m_lightRed);
    DDX_Control(pDX, IDC_LIGHT_YELLOW, m_lightYellow);
    DDX_Text(pDX, IDC_MESSAGE_STATUS_TEXT, m_strStatusText);
}

CPCVaskDoc* CViewMessage::GetDoc() const {
    CDocument* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

void CViewMessage::OnSize(UINT, int cx, int) {
    Default();
    LayOutLists(cx);
}

void CViewMessage::LayOutLists(int cx) {
    // Each list's label, a static without an id of its own, comes right before it.
    CWnd* pSystemLabel =
        m_listSystemStates.m_hWnd != NULL ? m_listSystemStates.GetWindow(GW_HWNDPREV) : NULL;
    CWnd* pChannelLabel =
        m_listChannelStates.m_hWnd != NULL ? m_listChannelStates.GetWindow(GW_HWNDPREV) : NULL;
    if (m_listSystemStates.m_hWnd == NULL || m_listChannelStates.m_hWnd == NULL ||
        pSystemLabel == NULL || pChannelLabel == NULL)
        return;
    CRect system, channel, systemLabel, channelLabel;
    m_listSystemStates.GetWindowRect(&system);
    m_listChannelStates.GetWindowRect(&channel);
    pSystemLabel->GetWindowRect(&systemLabel);
    pChannelLabel->GetWindowRect(&channelLabel);
    for (CRect* pRect : {&system, &channel, &systemLabel, &channelLabel})
        ScreenToClient(pRect);
    // The form's own gap between the lists and margin at its right edge.
    CRect form(0, 0, 4, 4);
    ::MapDialogRect(m_hWnd, &form);
    if (m_nListWidth == 0) m_nListWidth = system.Width();
    // Long analyzer names: both lists share the pane's width, never narrower than the form
    // made them.
    int nWidth = (cx - system.left - form.right - form.right) / 2;
    if (nWidth < m_nListWidth) nWidth = m_nListWidth;
    const int nChannelLeft = system.left + nWidth + form.right;
    m_listSystemStates.MoveWindow(system.left, system.top, nWidth, system.Height());
    m_listChannelStates.MoveWindow(nChannelLeft, channel.top, nWidth, channel.Height());
    pSystemLabel->MoveWindow(systemLabel.left, systemLabel.top, nWidth, systemLabel.Height());
    pChannelLabel->MoveWindow(nChannelLeft, channelLabel.top, nWidth, channelLabel.Height());
}

void CViewMessage::EmptyLists() {
    if (m_listSystemStates.m_hWnd != NULL) m_listSystemStates.ResetContent();
    if (m_listChannelStates.m_hWnd != NULL) m_listChannelStates.ResetContent();
    for (CListBox* pList : {&m_listSystemStates, &m_listChannelStates})
        if (pList->m_hWnd != NULL) pList->SetHorizontalExtent(0);
    // What the lists no longer show must come back while its state is still on.
    m_shown.clear();
}

void CViewMessage::OnUpdate(CView*, LPARAM lHint, CObject*) {
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL || m_listSystemStates.m_hWnd == NULL) return;
    // The nodes may be on their way out: nothing of them is touched, nor kept.
    if (pDoc->IsBusy()) {
        EmptyLists();
        m_known.clear();
        return;
    }
    if (m_nRebuildRequest) EmptyLists();

    int nAnyError = 0, nAnyFunctionCheck = 0, nAnyMaintenance = 0, nAnyLimit = 0;
    CPCVaskApp* pApp = CPCVaskApp::Get();
    CObList* pNodes = pDoc->GetPortList();
    // A selection reads nothing: the states of all analyzers do not change with it, and
    // the next refresh reads them (with slow analyzers a click would wait for all of them).
    const BOOL bRead = lHint != 1;
    if (!pNodes->IsEmpty() && pApp != NULL && pApp->IsOnlineMode()) {
        std::vector<CVaskInstrument*> analyzers;
        for (POSITION pos = pNodes->GetHeadPosition(); pos != NULL;) {
            CObject* pObject = pNodes->GetNext(pos);
            if (pObject->IsKindOf(RUNTIME_CLASS(CVaskInstrument)))
                analyzers.push_back((CVaskInstrument*)pObject);
        }
        // An analyzer that left the tree leaves the summary.
        for (auto it = m_known.begin(); it != m_known.end();)
            it = std::find(analyzers.begin(), analyzers.end(), it->first) == analyzers.end()
                     ? m_known.erase(it)
                     : std::next(it);
        // The analyzers from the one where the last refresh stopped, round to it. A refresh
        // reads at least one analyzer whole; then, while the user's input waits, it stops
        // before the next analyzer or between an analyzer's state and its messages, and the
        // next refresh begins with that analyzer.
        std::vector<bool> reached(analyzers.size(), false);
        const size_t first = bRead && !analyzers.empty() ? m_nNextAnalyzer % analyzers.size() : 0;
        // Unless this refresh stops part-way, the next begins at the top.
        if (bRead) m_nNextAnalyzer = 0;
        for (size_t n = 0; bRead && n < analyzers.size(); ++n) {
            const size_t i = (first + n) % analyzers.size();
            auto cut = [&] {
                if (n == 0 || !RefreshGivesWay()) return false;
                m_nNextAnalyzer = i;
                return true;
            };
            if (cut()) break;
            CVaskInstrument* pAnalyzer = analyzers[i];
            const int nState = pAnalyzer->GetState();
            if (cut()) break;
            reached[i] = true;
            Known& known = m_known[pAnalyzer];
            known.states = ChannelStates();
            known.flags = ChannelStates();
            if ((nState >= kNotAnswering && nState <= kAddressConflict) || !pAnalyzer->IsActive()) {
                int nFault = 0, nMaintenance = 0, nFunction = 0;
                ShowChannelStates(pAnalyzer, 0, 0, 0, 0);
                // A silent analyzer's status read could only time out.
                ShowSystemStates(pAnalyzer, nFault, nMaintenance, nFunction,
                                 nState != kNotAnswering);
                continue;
            }
            ChannelStates& states = known.states;
            states.error = ReadState(pAnalyzer, kStateFaultNumber);
            states.functionCheck = ReadState(pAnalyzer, kStateFunctionCheckNumber);
            states.maintenance = ReadState(pAnalyzer, kStateServiceNumber);
            states.limit = ReadState(pAnalyzer, kStateLimitNumber);
            known.flags = states;
            // The system states add to the analyzer's flags as well.
            ShowSystemStates(pAnalyzer, known.flags.error, known.flags.maintenance,
                             known.flags.functionCheck);
            ShowChannelStates(pAnalyzer, states.error, states.maintenance, states.functionCheck,
                              states.limit);
        }
        for (size_t i = 0; i < analyzers.size(); ++i) {
            auto known = m_known.find(analyzers[i]);
            if (known == m_known.end()) continue;
            // The emptied lists show again what is known of those not read now.
            if (m_nRebuildRequest && !reached[i]) {
                const ChannelStates& states = known->second.states;
                ShowChannelStates(analyzers[i], states.error, states.maintenance,
                                  states.functionCheck, states.limit);
                ShowSystemTexts(analyzers[i], known->second.system);
            }
            nAnyError |= known->second.flags.error;
            nAnyFunctionCheck |= known->second.flags.functionCheck;
            nAnyMaintenance |= known->second.flags.maintenance;
            nAnyLimit |= known->second.flags.limit;
        }
    }
    pDoc->SetAnyError(nAnyError);
    pDoc->SetAnyFunctionCheck(nAnyFunctionCheck);
    pDoc->SetAnyMaintenance(nAnyMaintenance);
    pDoc->SetAnyLimit(nAnyLimit);

    // A limit value lights neither red nor yellow.
    const BOOL bRed = pDoc->IsStatusError() || nAnyError;
    const BOOL bYellow = pDoc->IsStatusWarning() || nAnyMaintenance || nAnyFunctionCheck;
    const UINT nIcon = bRed ? IDI_STATUS_ERROR : bYellow ? IDI_STATUS_WARNING : IDI_STATUS_NORMAL;
    m_lightRed.ShowWindow(bRed ? SW_SHOW : SW_HIDE);
    m_lightYellow.ShowWindow(!bRed && bYellow ? SW_SHOW : SW_HIDE);
    m_lightGreen.ShowWindow(!bRed && !bYellow ? SW_SHOW : SW_HIDE);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CKemMainFrame)))
        ((CKemMainFrame*)pFrame)->UpdateTrayIcon(nIcon);

    m_strStatusText = pDoc->GetStatusText();
    m_nRebuildRequest = 0;
    UpdateData(FALSE);
}

void CViewMessage::ShowChannelStates(CVaskInstrument* pAnalyzer, int nError, int nMaintenance,
                                     int nFunctionCheck, int nLimit) {
    ChannelStates& shown = m_shown[pAnalyzer];
    const struct {
        int nNow;
        int& nShown;
        UINT nTextId;
    } states[] = {{nError, shown.error, IDS_STATE_CLASS_BASE + 0},
                  {nFunctionCheck, shown.functionCheck, IDS_STATE_CLASS_BASE + 4},
                  {nLimit, shown.limit, IDS_STATE_CLASS_BASE + 5},
                  {nMaintenance, shown.maintenance, IDS_STATE_CLASS_BASE + 1}};
    const CString name = pAnalyzer->GetDisplayName();
    for (const auto& s : states) {
        if (m_nRebuildRequest || s.nNow != s.nShown)
            ShowText(m_listChannelStates, name + ": " + LoadText(s.nTextId), s.nNow != 0);
        s.nShown = s.nNow;
    }
}

void CViewMessage::ShowSystemStates(CVaskInstrument* pAnalyzer, int& nFault, int& nMaintenance,
                                    int& nFunctionControl, BOOL bRead) {
    if (pAnalyzer == NULL || !pAnalyzer->IsKindOf(RUNTIME_CLASS(CVaskInstrument))) return;
    ExtStatusStruct status;
    memset(&status, 0, sizeof status);
    pAnalyzer->EnableCommandReport(0);
    if (!bRead || !pAnalyzer->GetExtStatus(status)) {
        memset(&status, 0, sizeof status);
    } else {
        for (int i = 0; i < kExtStatusFlags; ++i) {
            const int nOn = status.bits[i] ? 1 : 0;
            if (i < kFirstMaintenanceFlag)
                nFault |= nOn;
            else if (i < kFirstFunctionControlFlag)
                nMaintenance |= nOn;
            else
                nFunctionControl |= nOn;
        }
    }
    // Kept for a rebuild of the lists that does not read the analyzer again.
    BOOL* pKnown = m_known[pAnalyzer].system;
    for (int i = 0; i < kExtStatusFlags; ++i) pKnown[i] = status.bits[i] ? TRUE : FALSE;
    ShowSystemTexts(pAnalyzer, status.bits);
    pAnalyzer->EnableCommandReport(1);
}

void CViewMessage::ShowSystemTexts(CVaskInstrument* pAnalyzer, const BOOL* pbOn) {
    CString name = pAnalyzer->GetDisplayName();
    name.TrimRight();
    for (int i = 0; i < kExtStatusFlags; ++i) {
        CString text;
        text.Format(LoadText(IDS_SYSTEM_STATE_BASE + (UINT)i), (LPCSTR)name);
        ShowInList(text, pbOn[i]);
    }
}

void CViewMessage::ShowInList(const CString& text, BOOL bOn) {
    ShowText(m_listSystemStates, text, bOn);
}

LRESULT CViewMessage::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kMessageHelpContext);
}

LRESULT CViewMessage::OnCommandHelp(WPARAM, LPARAM) { return 0; }
