// CPageParamExtPressure: the page "measurement / external pressure" of a Quenta 6 of type 2:
// which of the internal gas valves is open (zero, span, sample gas, or all closed), and the
// measured burn-air pressure. While it is the shown page it follows the device on the main
// frame's forwarded timer, the valves until the user picks one, the pressure always. Apply
// writes the chosen valve online; offline nothing is stored.
#pragma once

#include "parampage.h"

class CPageParamExtPressure : public CParamPage {
public:
    explicit CPageParamExtPressure(CVaskInstrument* pAnalyzer);

    enum { kZeroOpen, kSpanOpen, kSampleOpen, kAllClosed };
    int GetValveChoice() const { return m_nValve; }
    BOOL IsFollowingDevice() const { return m_bFollowDevice; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnValveClicked();
    void OnTimer(UINT_PTR nIDEvent);
    // The valve choice from the device's three flags; the pressure text from the device.
    void ReadValves();
    void ReadPressure();

    int m_nValve;
    CString m_strPressure;
    BOOL m_bFollowDevice;

    DECLARE_MESSAGE_MAP()
};
