// The curve sheet's curve page "Curve" (template 151): the live diagram of up to six measured
// components. Each timer tick that the main frame forwards to it adds a sample to every
// active curve; the page prints the diagram through the report engine and exports it as an
// enhanced metafile. What it shows comes from the sheet's settings, which the option page
// edits.
#pragma once

#include "diagram.h"
#include "helppropertypage.h"

class CCurveSettings;
class CMetaFileDC;

class CCurvePage : public CHelpPropertyPage {
    DECLARE_DYNAMIC(CCurvePage)
public:
    enum { IDD = 151, CURVES = 6 };

    // The document's node list (passed on, not read) and the sheet's settings; neither is
    // owned.
    CCurvePage(CObList* pNodeList, CCurveSettings* pSettings);
    // Empties the diagram and deletes it.
    ~CCurvePage() override;

    // The diagram's appearance from the settings; with the restart flag set the curves are
    // emptied and the time axis starts now.
    void ApplyCurveSettings();
    // One sample of every slot with an analyzer (nothing while the restart flag is set).
    void Sample();
    // The diagram into an enhanced metafile file at `path`, drawn for paper (white, no frame,
    // no 3-D). FALSE, after showing the system's reason, when the file cannot be created.
    BOOL ExportTo(const CString& path);

    CDiagram* GetDiagram() const { return m_pDiagram; }
    CLegend* GetLegend() const { return m_pLegend; }
    CAxisTime* GetTimeAxis() const { return m_pTimeAxis; }
    CAxisLinear* GetYAxis(int slot) const { return m_pYAxis[slot]; }
    CCurveDiscrete* GetValueCurve(int slot) const { return m_pValueCurve[slot]; }
    CCurveDiscrete* GetReferenceCurve(int slot) const { return m_pRefCurve[slot]; }

protected:
    // What drawing for paper or for the report engine changes, and gives back after.
    struct Look {
        BOOL frame;
        BOOL threeD;
        COLORREF diagramBackground;
        COLORREF legendBackground;
        RECT rect;
    };
    Look SaveLook() const;
    void SetPaperLook();
    void RestoreLook(const Look& look);
    // The page's client rectangle in 0.01 mm of the reference device.
    CRect MetafileFrame(CDC* pReference);

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    void OnOK() override;
    void OnCancel() override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnPrint();
    void OnExport();
    LRESULT OnDrawRequest(WPARAM wParam, LPARAM lParam);

    CDiagram* m_pDiagram;
    CLegend* m_pLegend;
    CAxisTime* m_pTimeAxis;
    CAxisLinear* m_pYAxis[CURVES];
    CCurveDiscrete* m_pValueCurve[CURVES];
    CCurveDiscrete* m_pRefCurve[CURVES];
    CObList* m_pNodeList;
    CStringArray m_legendTexts;
    CStringArray m_refLegendTexts;
    CCurveSettings* m_pSettings;
    CButton m_printButton;
    CButton m_diagramControl;

    DECLARE_MESSAGE_MAP()
};
