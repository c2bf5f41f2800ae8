// CSwitchMPointGrid: the sample points that relays of the analyzer switch (relay functions
// "Sample point 1" to "Sample point 6", codes 18 to 23), one row each in ascending order,
// with the switching relay (read-only) and the sample point's time. Relays count as on the
// analyzer: the standard relays 1 to s, then the option card's s + 1 to s + e. A relay read
// that fails switches no sample point; when the times cannot be read the grid stays empty.
#pragma once

#include "pagegrids.h"

class CSwitchMPointGrid : public CParamGrid {
public:
    enum { kSamplePoints = 6, kRelays = 8 };

    CSwitchMPointGrid();

    void Initialize(CObject* pAnalyzer) override;
    // The time cell of every row into the time of its sample point.
    void ReadBack();
    void OnCellChanged(int nCol, int nRow) override;

    // The six times into the offline entries "Sample point 1:" to "Sample point 6:".
    void WriteOffline();
    // Whether sample point k (0 to 5) is switched by a relay (its row is shown and edited).
    BOOL IsSamplePointUsed(int k) const {
        return k >= 0 && k < kSamplePoints && m_switchingRelay[k] != 0;
    }

    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
    // Whether the sample-point times were read (the page writes nothing otherwise).
    BOOL AreTimesRead() const { return m_bTimesRead; }

    VaskFloat m_sampleTimes[kSamplePoints];
    int m_relayFunctions[kRelays];
    int m_extRelayFunctions[kRelays];
    int m_usedSamplePoints;
    int m_switchingRelay[kSamplePoints];
    int m_timeIndex[kSamplePoints];

protected:
    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    BOOL m_bTimesRead;
};
