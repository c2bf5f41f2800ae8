// The oxygen analyzers: CParvel6 (type code 2) and CParvel64 (type code 7). Each keeps the
// base parameter table and changes what its model lacks or has in addition: relay and input
// equipment, the functions it offers (tables/models.def), its heating and pump options, the
// groups it does not have, the entries it binds otherwise, its diagnostic values and the
// grid that shows them. Both store the base document record unchanged.
#pragma once

#include "vaskinstrument.h"

class CParvel6 : public CVaskInstrument {
    DECLARE_SERIAL(CParvel6)
public:
    // Dynamic creation (a document being loaded): one component by default, 4 ranges;
    // Initialize runs from the document record. An unattached grid.
    CParvel6();
    // The analyzer of a device at `address` behind `access` (null: offline), initialised,
    // with an unattached grid; `heating` is the offline answer of HasHeating.
    CParvel6(const CString& name, CvaskAccess* access, int address, int componentCount,
             int extensionCard, int heating);

    int GetRelayCount() override;
    int GetBinaryInputCount() override;
    // 8 each with an extension card, else 0.
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;

    // The magnetic field frequency, as the base registers it.
    void RegisterFrequencies() override;
    // The base group, then per present component the compensation channel and component of
    // the second correction, bound without a group (the pages read and write them).
    void RegisterInterference1() override;
    // Absent on this model: nothing registered.
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
    int DiagPhysTemp(VaskFloat& value);
    int DiagHeadTemp(VaskFloat& value);
    int DiagMagneticField(VaskFloat& value);
    int DiagAnalogInput(int n, VaskFloat& value);
    int DiagSignalVector(int n, VaskFloat& value);
    int DiagFaultVector(int n, VaskFloat& value);
};

class CParvel64 : public CVaskInstrument {
    DECLARE_SERIAL(CParvel64)
public:
    // As CParvel6's; no heating and no pump until the pump group finds one.
    CParvel64();
    // `heating` is ignored: the model has none.
    CParvel64(const CString& name, CvaskAccess* access, int address, int componentCount,
              int extensionCard, int heating);

    // Always 0.
    int HasHeating() override;
    int GetRelayCount() override;
    int GetBinaryInputCount() override;
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;

    // Without a report of its own.
    int DiagDisplayTemp(VaskFloat& value) override;
    // The channel is the component count; a failure is reported.
    int GetMaintenanceRequests(int* list, int& count) override;

    void RegisterFrequencies() override;
    void RegisterShockCompensation() override;
    // The base group on the parameter sheet's switch-measuring-point page (4).
    void RegisterSensorTimes() override;
    void RegisterPressureCorrection() override;
    // The base group on the parameter sheet's correction page (3).
    void RegisterInterference1() override;
    // The base group on the configuration sheet's page 3.
    void RegisterUnits() override;
    // From the order number: "4QX10" with "C" as its tenth character (either case) binds
    // the pump entry (configuration page 4) and sets the pump flag; another number of more
    // than 10 characters clears the flag; a shorter one changes nothing.
    void RegisterPump() override;
    void RegisterSyncInput() override;
    void RegisterH2SSensor() override;
    void RegisterO2Sensor() override;
    // The pump group first, then the base group on configuration page 4, 5 with the pump.
    void RegisterBusSettings() override;
    void RegisterWarmUpState() override;
    void RegisterHeating() override;
    void RegisterBurnerPressures() override;

    BOOL CreateDiagValues(CWnd* parent, UINT controlId) override;

    int DiagTCDTemp(VaskFloat& value);
    int DiagAdjustTCDRaw(VaskFloat& value);
    int DiagTCDRaw(VaskFloat& value);
    int DiagFlameTemp(VaskFloat& value);
    int DiagAnalogInput(VaskFloat& value);
    int DiagSignalVector(VaskFloat& value);
    int DiagFaultVector(VaskFloat& value);
    // Switches the pump (online; no report).
    int Pump(int on);
    int HasPump() const { return m_pumpPresent; }
    // The faults of the device, asked with the component count as the channel; a failure
    // is reported.
    int GetFaults(int* list, int& count);
};
