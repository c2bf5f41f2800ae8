// CPageParamLimits: the page "Limits" of the parameter sheet: limits 1 to 4 of every
// component, each in its own CLimitsGrid (a Sindor 23 has limits 1 and 2 only). On Apply
// it checks the typed values and writes every component whose limits were read, to the
// device online (the pair of values with the device's second value sent back unchanged,
// then the flags) or into the parameter table offline.
#pragma once

#include "limitsgrid.h"
#include "parampage.h"

class CPageParamLimits : public CParamPage {
public:
    explicit CPageParamLimits(CVaskInstrument* pAnalyzer);

    CLimitsGrid& GetLimitsGrid(int nLimit) { return m_grids[nLimit - 1]; }
    // The limits the model has: 4, or 2 on a Sindor 23.
    int GetLimitCount() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

    BOOL CheckValues();
    // Limit n (1 to 4) of component c: FALSE at the first failing call.
    BOOL WriteDeviceLimit(int nLimit, int c);

    CLimitsGrid m_grids[4];
};
