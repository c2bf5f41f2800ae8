// CSindor6 (type code 1): the infrared analyzer of the 6 series, with at most two
// components. It keeps the base parameter table and changes what the model lacks or has in
// addition: relay and input equipment, the functions it offers (tables/models.def), its
// frequency entry (the chopper's), two further gas-correction entries per component bound
// without a group, the groups it does not have, its diagnostic values and their grid. It
// stores the base document record unchanged.
#pragma once

#include "vaskinstrument.h"

class CSindor6 : public CVaskInstrument {
    DECLARE_SERIAL(CSindor6)
public:
    // Dynamic creation (a document being loaded): two components by default, 4 ranges;
    // Initialize runs from the document record. An unattached grid.
    CSindor6();
    // The analyzer of a device at `address` behind `access` (null: offline), with an
    // unattached grid, initialised (a component count of 0 or above 2 becomes 2);
    // `heating` is the offline answer of HasHeating.
    CSindor6(const CString& name, CvaskAccess* access, int address, int componentCount,
             int extensionCard, int heating);

    int GetRelayCount() override;
    int GetBinaryInputCount() override;
    // 8 each with an extension card, else 0.
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;

    // The frequency entry named after the chopper.
    void RegisterFrequencies() override;
    // The base group, then per present component the compensation channel and component of
    // the second correction, bound without a group (the pages read and write them).
    void RegisterInterference1() override;
    // Absent on this model: nothing registered.
    void RegisterShockCompensation() override;
    void RegisterInterference2() override;
    void RegisterInterference3() override;
    void RegisterInterference4() override;
    void RegisterUnits() override;
    void RegisterPump() override;
    void RegisterSyncInput() override;
    void RegisterH2SSensor() override;
    void RegisterO2Sensor() override;
    void RegisterWarmUpState() override;
    void RegisterBurnerPressures() override;

    // A new instrument grid in place of the present one, attached to the dialog control.
    BOOL CreateDiagValues(CWnd* parent, UINT controlId) override;

    // Diagnostic values (offline or failed: the no-value mark and 0; no report).
    int DiagChopperTemp(VaskFloat& value);
    int DiagRecvChamberTemp(VaskFloat& value);
    int DiagChopperOffset(VaskFloat& value);
    int DiagAnalogInput(int n, VaskFloat& value);
    int DiagSignalVector(int n, VaskFloat& value);
    int DiagFaultVector(int n, VaskFloat& value);
};
