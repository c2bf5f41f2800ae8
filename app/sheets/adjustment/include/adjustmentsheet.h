// CAdjustmentSheet: the modal sheet "Adjustment" of one analyzer: zero and span calibration of
// its measuring ranges and sensors, the pressure sensor and AUTOCAL. Besides hosting its three
// pages it keeps a calibration from being left silently (closing while the analyzer's channel
// is in a calibration or adjustment state asks first, and OK returns it to measuring), has
// the document's views reread the analyzer after OK or Apply, and shows the failures that the
// program broadcasts as "WM_VASK_ERROR" while it runs.
#pragma once

#include "adjustpages.h"
#include "helppropertypage.h"

class CVaskInstrument;

class CAdjustmentSheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CAdjustmentSheet)
public:
    // The analyzer is not owned and must live while the sheet runs; `pParentWnd` NULL for a
    // parameter's Edit.
    explicit CAdjustmentSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);
    ~CAdjustmentSheet() override;

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Whether closing in channel state n asks first (a calibration or adjustment runs).
    static BOOL AsksBeforeClosing(int nChannelState);

    CPageAdjustRange m_rangePage;
    CPageAdjustSensor m_sensorPage;
    CPageAdjustAutocal m_autocalPage;

protected:
    // OK and Apply: the pages write, then the active document's views reread the analyzer.
    void OnOKButton();
    void OnApplyNow();
    // Cancel and the close box.
    void OnCancelButton();
    // FALSE when the user keeps the sheet open in a calibration state; after OK the analyzer
    // was sent back to measuring.
    BOOL MayClose();
    // wParam the failed operation's text, lParam its error record (ErrorStruct_).
    LRESULT OnVaskError(WPARAM wParam, LPARAM lParam);

    CVaskInstrument* m_pInstrument;

    DECLARE_MESSAGE_MAP()
};

// A parameter's Edit: the sheet of the analyzer opened on page `nPage`. The result of DoModal.
int RunAdjustmentSheet(CVaskInstrument* pInstrument, int nPage);
