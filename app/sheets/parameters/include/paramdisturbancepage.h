// CPageParamDisturbance: the page "Time constants/Filters" of the parameter sheet: the
// time constants of every component (CDisturbanceGrid) and, on every model but the
// Sindor 23, the interference filter (CDisturbanceValueGrid). On Apply it checks every
// value it would write and writes the rows that were read: online the time constants in one
// call (the dead time as read), then the noise level and the duration; offline into the
// time-constant group of the parameter table.
#pragma once

#include "disturbancegrid.h"
#include "parampage.h"

class CPageParamDisturbance : public CParamPage {
public:
    explicit CPageParamDisturbance(CVaskInstrument* pAnalyzer);

    CDisturbanceGrid& GetTimeGrid() { return m_timeGrid; }
    CDisturbanceValueGrid& GetNoiseGrid() { return m_noiseGrid; }
    // Every model but the Sindor 23 has the interference filter.
    BOOL HasNoiseFilter() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

    BOOL CheckValues();
    BOOL WriteComponent(int nRow, int c);

    CDisturbanceGrid m_timeGrid;
    CDisturbanceValueGrid m_noiseGrid;
};
