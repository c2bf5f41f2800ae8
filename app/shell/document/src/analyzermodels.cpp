// The analyzer objects of the model type codes.
#include "analyzermodels.h"

#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "sindor23.h"
#include "sindor6.h"
#include "vaskinstrument.h"

CVaskInstrument* CreateAnalyzerModel(int nType, const CString& name, CvaskAccess* pAccess,
                                     int nAddress, int nComponents, int nOptionBoard, int nHeating,
                                     int nO2Sensor, int nH2SSensor) {
    switch (nType) {
        case 1: return new CSindor6(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 2: return new CParvel6(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 3: return new CLorvix6(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 4:
            return new CSindor23(name, pAccess, nAddress, nComponents, nOptionBoard, nO2Sensor,
                                 nH2SSensor, 0, 0, 0);
        case 5: return new CQuenta6(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 7: return new CParvel64(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        case 8: return new CLorvix62(name, pAccess, nAddress, nComponents, nOptionBoard, nHeating);
        default: return NULL;
    }
}
