// CViewMessage: the message pane below the tree and value panes (form 101). At every update
// of the document it collects the messages of the analyzers that answer: per analyzer its
// four channel states (error, function check, limit value, warning / maintenance request)
// and its eighteen extended states (faults, maintenance requests and function controls of
// the sample-gas path), as texts in two lists; it shows the traffic light (red for an error,
// yellow for a maintenance request or function check, green otherwise) with the document's
// status text, stores the four summaries in the document and sets the main window's tray
// icon (191 normal, 192 error, 193 warning).
//
// A text appears once however many analyzers of that display name report it, and goes when
// one of them no longer does. The lists share the pane's width and scroll sideways as far
// as their widest text reaches. A busy document empties both lists; a rebuild request
// (RequestRebuild, from other windows) empties them at the next update and shows every
// state anew. Offline the lists stay as they are and only the document's status lights up.
//
// The pane keeps what it last read of each analyzer in the tree. A refresh that gives way to
// the user's input (windowwait.h) reads at least one analyzer, and the next refresh begins with
// the one where it stopped; a selection reads none. The lists, the light, the tray icon and
// the document's four flags (the status bar's) show the last known state of every analyzer,
// read in this update or not, also after a rebuild request; an analyzer that left the tree
// leaves them.
#pragma once

#include "vaskfc.h"

#include "resource.h"

#include <map>

class CPCVaskDoc;
class CVaskInstrument;

class CViewMessage : public CFormView {
    DECLARE_DYNCREATE(CViewMessage)
public:
    enum { IDD = IDD_VIEW_MESSAGE };

    CViewMessage();

    // The whole refresh; every hint triggers it.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

    // The four channel texts of the analyzer: each added when its state is on, removed when
    // off, where the state changed since the last update (or a rebuild was requested).
    void ShowChannelStates(CVaskInstrument* pAnalyzer, int nError, int nMaintenance,
                           int nFunctionCheck, int nLimit);
    // The analyzer's extended status into the eighteen system texts, its faults,
    // maintenance requests and function controls ORed into the totals. Without bRead (an
    // analyzer that does not answer) the status is not asked for: every flag counts clear.
    void ShowSystemStates(CVaskInstrument* pAnalyzer, int& nFault, int& nMaintenance,
                          int& nFunctionControl, BOOL bRead = TRUE);
    // Adds the text to the system states when on and absent, removes it when off and present
    // (exact, case-sensitive match).
    void ShowInList(const CString& text, BOOL bOn);
    // The analyzer's eighteen system texts, each on or off.
    void ShowSystemTexts(CVaskInstrument* pAnalyzer, const BOOL* pbOn);

    // The next update empties both lists and shows every state anew.
    void RequestRebuild() { m_nRebuildRequest = 1; }
    int IsRebuildRequested() const { return m_nRebuildRequest; }

    CListBox m_listSystemStates;
    CListBox m_listChannelStates;
    CStatic m_lightGreen;
    CStatic m_lightRed;
    CStatic m_lightYellow;
    CString m_strStatusText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    CPCVaskDoc* GetDoc() const;
    // Both lists empty; the channel states shown are forgotten with them.
    void EmptyLists();
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    // The two lists and their labels across the pane's width `cx`.
    void LayOutLists(int cx);

    int m_nRebuildRequest;
    int m_nListWidth;  // a list's width in the form, in pixels; 0 until the first layout

    // The four channel states each analyzer showed at the last update.
    struct ChannelStates {
        int error = 0;
        int functionCheck = 0;
        int limit = 0;
        int maintenance = 0;
    };
    std::map<CVaskInstrument*, ChannelStates> m_shown;
    // What each analyzer gave when it was last read: its four channel states, its system
    // states and what it adds to the document's four flags. A refresh that the user's input
    // cuts short keeps them for those it did not reach; a rebuild request shows them again.
    struct Known {
        ChannelStates states;
        BOOL system[18] = {};
        ChannelStates flags;
    };
    std::map<CVaskInstrument*, Known> m_known;
    // The analyzer at which the next refresh begins, after one cut short.
    size_t m_nNextAnalyzer;

    DECLARE_MESSAGE_MAP()
};
