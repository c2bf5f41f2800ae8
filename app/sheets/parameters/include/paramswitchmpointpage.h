// CPageParamSwitchMPoint: the page "Sample point selection" of the parameter sheet: whether
// the analyzer switches between its sample points, and the six sample-point times
// (CSwitchMPointGrid). Apply checks the times of the sample points in use and writes the six
// times as one block, then the switch, online; offline the times only. What could not be
// read is not written.
#pragma once

#include "parampage.h"
#include "switchmpointgrid.h"

class CPageParamSwitchMPoint : public CParamPage {
public:
    explicit CPageParamSwitchMPoint(CVaskInstrument* pAnalyzer);

    CSwitchMPointGrid& GetGrid() { return m_grid; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnActiveClicked();

    BOOL m_bActive;
    // The switch was read from the device (online).
    BOOL m_bActiveRead;
    CSwitchMPointGrid m_grid;

    DECLARE_MESSAGE_MAP()
};
