// The modeless curve sheet of the main frame: the curve settings, shared by its two pages,
// the curve page (first tab), whose window takes the frame's forwarded timer ticks, and the
// option page. "&Close" destroys the window; Apply saves the settings to the profile.
//
// While the window exists the sheet is registered with the document's step before nodes are
// deleted: it then drops every analyzer of the settings and every node of the option page's
// lists, keeping the slots' names, and the next forwarded tick or page activation (never while
// the document is busy) finds the analyzers by name again.
#pragma once

#include "curvehost.h"
#include "curveoptionpage.h"
#include "curvepage.h"
#include "curvesettings.h"
#include "helppropertypage.h"

class CCurvePropSheet : public CHelpPropertySheet, public CCurveNodeUser {
    DECLARE_DYNAMIC(CCurvePropSheet)
public:
    // The document's node list (not owned); the caption; the page to open on.
    CCurvePropSheet(CObList* pNodeList, UINT nIDCaption, CWnd* pParentWnd = NULL,
                    UINT iSelectPage = 0);
    CCurvePropSheet(CObList* pNodeList, const char* pszCaption, CWnd* pParentWnd = NULL,
                    UINT iSelectPage = 0);
    ~CCurvePropSheet() override;

    // The sheet of a page, or NULL when the page is not in a curve sheet.
    static CCurvePropSheet* Of(CPropertyPage* pPage);

    CCurvePage* GetCurvePage() { return &m_curvePage; }
    CCurveOptionPage* GetOptionPage() { return &m_optionPage; }
    CCurveSettings* GetSettings() { return &m_settings; }

    // CCurveNodeUser: the document is about to delete nodes.
    void ReleaseNodes() override;
    // After ReleaseNodes, and unless the document is busy: the slots' analyzers by name and
    // the option page's lists again. TRUE when it did.
    BOOL ResolveReleasedNodes();
    BOOL AreNodesReleased() const { return m_bNodesReleased; }

    BOOL OnInitDialog() override;

protected:
    void OnApplyNow();
    void OnClose();
    LRESULT OnPageChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnPageUnchanged(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void EnableApply(BOOL bEnable);
    // The pages in tab order (curve page first) and the slots' analyzers from their names.
    void AddCurvePages();

    CCurveOptionPage m_optionPage;
    CCurvePage m_curvePage;
    CCurveSettings m_settings;
    CObList* m_pNodeList;
    BOOL m_bNodesReleased = FALSE;
    BOOL m_bRegistered = FALSE;

    DECLARE_MESSAGE_MAP()
};
