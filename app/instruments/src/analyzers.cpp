// The analyzers of a scanned bus.
#include "analyzers.h"

#include "instrumenthost.h"
#include "modeltype.h"
#include "vaskaccess.h"

CVaskInstrument* CreateAnalyzers(CvaskAccess& access, CObList& list, CInstrument* parent) {
    CObList* devices = access.GetDeviceList();
    if (devices == NULL || devices->IsEmpty()) return NULL;
    CInstrumentHost& host = GetInstrumentHost();
    CVaskInstrument* first = NULL;
    for (POSITION pos = devices->GetHeadPosition(); pos != NULL;) {
        CDeviceInfo* device = (CDeviceInfo*)devices->GetNext(pos);
        CVaskInstrument* analyzer =
            host.AddVaskInstrument(ModelTypeFromChannelType(device->GetType()), device->GetName(),
                                   device->GetAddress(), device->GetComponentCount(), &access);
        if (analyzer == NULL) continue;
        list.AddTail(analyzer);
        analyzer->SetParent(parent);
        if (first == NULL) first = analyzer;
    }
    return first;
}
