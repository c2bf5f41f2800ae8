// The analyzer objects of the model type codes.
#include "analyzermodels.h"

#include "parvel.h"
#include "vaskinstrument.h"

namespace {

// The plain analyzer's defaults: four components, four ranges.
const int kDefaultComponents = 4;
const int kRanges = 4;

}  // namespace

CVaskInstrument* CreateAnalyzerModel(int nType, const CString& name, CvaskAccess* pAccess,
                                     int nAddress, int nComponents, int nOptionBoard, int nHeating,
                                     int nO2Sensor, int nH2SSensor) {
    (void)nO2Sensor;
    (void)nH2SSensor;
    switch (nType) {
        case 2: return new CParvel6(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 7: return new CParvel64(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 1:
        case 3:
        case 4:
        case 5:
        case 8: {
            // The Sindor, Lorvix and Quenta models have no class of their own yet: the base
            // analyzer of their type code stands for them.
            CVaskInstrument* pInstrument =
                new CVaskInstrument(name, nType, pAccess, nAddress, nComponents, kDefaultComponents,
                                    kRanges, nOptionBoard);
            pInstrument->Initialize();
            return pInstrument;
        }
        default: return NULL;
    }
}
