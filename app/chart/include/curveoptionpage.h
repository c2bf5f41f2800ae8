// The curve sheet's option page "Settings" (template 141): the diagram's time span, legend,
// scroll area and value display, and per curve slot the network, analyzer and component it
// shows, the Y-axis limits, colour, symbol, grid and reference (zero) line. It edits the
// sheet's settings; leaving the page, Apply and another slot first store the shown slot
// (StoreCurve), and stay where they are when that refuses.
#pragma once

#include "colorbutton.h"
#include "helppropertypage.h"

class CCurveSettings;
class CInstrument;
class CVaskInstrument;

class CCurveOptionPage : public CHelpPropertyPage {
    DECLARE_DYNAMIC(CCurveOptionPage)
public:
    enum { IDD = 141 };

    // The document's node list and the sheet's settings; neither is owned.
    CCurveOptionPage(CObList* pNodeList, CCurveSettings* pSettings);
    ~CCurveOptionPage() override;

    // Takes the controls into the settings: the diagram's values and the shown slot's. FALSE
    // (after telling the user where a text is wrong) when the page must stay.
    BOOL StoreCurve();
    // The document is about to delete nodes: every node item of the lists goes.
    void ReleaseNodes();
    // The lists again from the node list and the settings' analyzers, the shown slot's
    // network, analyzer and component selected; the other controls keep what they show.
    void RefillNodeLists();

    // The slot shown, 0 to 5.
    int GetCurrentCurve() const { return m_nCurrentCurve; }

    CComboBox m_networkList;
    CComboBox m_symbolList;
    CComboBox m_legendList;
    CComboBox m_curveList;
    CComboBox m_analyzerList;
    CComboBox m_componentList;
    CColorButton m_colorButton;
    float m_fLowerLimit;
    float m_fUpperLimit;
    BOOL m_bGrid;
    int m_nScrollArea;
    BOOL m_bShowValues;
    CString m_strTimeSpan;
    CString m_strLowerUnit;
    CString m_strUpperUnit;
    BOOL m_bShowZeroLine;
    float m_fZeroPoint;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

    void OnNetworkChanged();
    void OnAnalyzerChanged();
    void OnComponentChanged();
    void OnCurveChanged();
    void OnColorButton();
    void OnLegendChanged();
    void OnZeroLine();
    void OnControlChanged();

    // Loads slot n into the controls (after storing the shown one when n is another).
    void LoadCurve(int n);
    // The network, analyzer and component of the shown slot selected in the lists.
    void SelectSlotNodes();
    void FillNetworkList();
    void FillAnalyzerList();
    void FillComponentList();
    // The unit of the selected component in both unit labels.
    void ShowComponentUnit();
    CInstrument* SelectedNetwork() const;
    CVaskInstrument* SelectedAnalyzer() const;
    // The page changed, unless a slot is being loaded.
    void MarkModified();

    CObList* m_pNodeList;
    CCurveSettings* m_pSettings;
    int m_nCurrentCurve;
    int m_nLegend;
    BOOL m_bLoading;
    CFont m_symbolFont;
    CObList m_analyzerNodes;

    DECLARE_MESSAGE_MAP()
};
