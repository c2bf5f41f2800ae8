// The analyzer objects of the model type codes, for the document's bus scans and its offline
// analyzer.
#pragma once

#include "vaskfc.h"

class CVaskInstrument;
class CvaskAccess;

// A new, initialised analyzer of model type code nType (1 Sindor 6, 2 Parvel 6, 3 Lorvix 6,
// 4 Sindor 23, 5 Quenta 6, 7 Parvel 64, 8 Lorvix 62) at the address behind the access object
// (NULL: offline), with its options (the O2 and H2S sensors count for the Sindor 23 only,
// heating for the others); NULL for a code of no analyzer class.
CVaskInstrument* CreateAnalyzerModel(int nType, const CString& name, CvaskAccess* pAccess,
                                     int nAddress, int nComponents, int nOptionBoard, int nHeating,
                                     int nO2Sensor, int nH2SSensor);
