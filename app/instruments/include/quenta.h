// CQuenta6 (type code 5): the flame-ionisation analyzer, with one component. It keeps the
// base parameter table and changes what the model lacks or has in addition: relay and input
// equipment, the functions it offers (tables/models.def, with the burner valves and the
// operation request), the model variant in its identity group, the groups it does not have,
// the correction groups and sensor times one page earlier (its parameter sheet has no
// frequencies page), its burner switches, its fourteen diagnostic values and their grid.
// Its document record carries the model variant (the base record does that by type code).
#pragma once

#include "vaskinstrument.h"

class CQuenta6 : public CVaskInstrument {
    DECLARE_SERIAL(CQuenta6)
public:
    // Dynamic creation (a document being loaded): one component, 4 ranges; Initialize runs
    // from the document record. No grid until CreateDiagValues.
    CQuenta6();
    // The analyzer of a device at `address` behind `access` (null: offline), initialised
    // (any component count becomes 1); `heating` is stored, but the model has none.
    CQuenta6(const CString& name, CvaskAccess* access, int address, int componentCount,
             int extensionCard, int heating);

    // Always 0.
    int HasHeating() override;
    int GetRelayCount() override;
    int GetBinaryInputCount() override;
    // 8 each with an extension card, else 0.
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;

    // Without a report of its own.
    int DiagDisplayTemp(VaskFloat& value) override;

    // The base group and the model variant (entry 602).
    void RegisterIdentity() override;
    // The base group on the parameter sheet's switch-measuring-point page (4).
    void RegisterSensorTimes() override;
    // The base group on the parameter sheet's correction page (3).
    void RegisterInterference1() override;
    // Absent on this model: nothing registered.
    void RegisterFrequencies() override;
    void RegisterShockCompensation() override;
    void RegisterPressureCorrection() override;
    void RegisterUnits() override;
    void RegisterPump() override;
    void RegisterSyncInput() override;
    void RegisterH2SSensor() override;
    void RegisterO2Sensor() override;

    // A new instrument grid in place of the present one, attached to the dialog control.
    BOOL CreateDiagValues(CWnd* parent, UINT controlId) override;

    // Diagnostic values (offline or failed: the no-value mark and 0; no report).
    int DiagPhysicsTemp(VaskFloat& value);
    int DiagOvenTemp(VaskFloat& value);
    int DiagAdjustTCDRaw(VaskFloat& value);
    int DiagCatalysatorTemp(VaskFloat& value);
    int DiagFlameTemp(VaskFloat& value);
    int DiagAnalogInput(VaskFloat& value);
    int DiagElectronicTemp(VaskFloat& value);
    int DiagPressureBurnGas(VaskFloat& value);
    int DiagPressureBurnAir(VaskFloat& value);
    int DiagAdapterReferenceVoltage(VaskFloat& value);
    int DiagAdapterNegativeSupply(VaskFloat& value);
    int DiagAdapterPositiveSupply(VaskFloat& value);
    int DiagAdapterTensileStress(VaskFloat& value);

    // The burner's switches (device switches 11, 30, 31 and 32), on when `on` is non-zero:
    // the device's answer online, 0 offline without a request; no report.
    int Pump(int on);
    int Ignition(int on);
    int Catalysator(int on);
    int Fan(int on);
};
