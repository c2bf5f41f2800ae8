// The thermal-conductivity analyzers: CLorvix6 (type code 3) and CLorvix62 (type code 8).
// Both keep the base parameter table without the frequency, shock compensation, units,
// pump, sync input, sensor, warm-up and burner-pressure groups; their parameter sheet has no
// frequencies page, so the correction groups and the sensor times point one page earlier.
// The Lorvix 6 has no heating; the Lorvix 62 takes its heating from its order number. Both
// store the base document record unchanged.
#pragma once

#include "vaskinstrument.h"

class CLorvix6 : public CVaskInstrument {
    DECLARE_SERIAL(CLorvix6)
public:
    // Dynamic creation (a document being loaded): one component by default, 4 ranges;
    // Initialize runs from the document record. No grid until CreateDiagValues.
    CLorvix6();
    // The analyzer of a device at `address` behind `access` (null: offline), initialised;
    // `heating` is stored, but the model has none.
    CLorvix6(const CString& name, CvaskAccess* access, int address, int componentCount,
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

    // Absent on this model: nothing registered.
    void RegisterFrequencies() override;
    void RegisterShockCompensation() override;
    // The base group on the parameter sheet's switch-measuring-point page (4).
    void RegisterSensorTimes() override;
    // The base groups on the parameter sheet's correction page (3).
    void RegisterPressureCorrection() override;
    void RegisterInterference1() override;
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
    int DiagAdjustTCDRaw(VaskFloat& value);
    int DiagTCDRaw(VaskFloat& value);
    int DiagAnalogInput(int n, VaskFloat& value);
};

class CLorvix62 : public CVaskInstrument {
    DECLARE_SERIAL(CLorvix62)
public:
    // As CLorvix6's, with an unattached grid.
    CLorvix62();
    // As CLorvix6's, with an unattached grid; `heating` is the stored heating flag, which
    // counts only together with the order number's.
    CLorvix62(const CString& name, CvaskAccess* access, int address, int componentCount,
              int extensionCard, int heating);

    // From the order number (the device's, else the order-number entry's): one of more than
    // 15 characters decides both the stored flag and the order number's, 1 when it begins
    // with "4QX17" and has "B" third from its end (either case), else 0; a shorter one
    // leaves them. Heating when both are set, so none while no order number was judged.
    int HasHeating() override;
    int GetRelayCount() override;
    int GetBinaryInputCount() override;
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;

    // Without a report of its own.
    int DiagDisplayTemp(VaskFloat& value) override;

    void RegisterFrequencies() override;
    void RegisterShockCompensation() override;
    void RegisterSensorTimes() override;
    void RegisterPressureCorrection() override;
    void RegisterInterference1() override;
    void RegisterUnits() override;
    void RegisterPump() override;
    void RegisterSyncInput() override;
    void RegisterH2SSensor() override;
    void RegisterO2Sensor() override;
    void RegisterWarmUpState() override;
    void RegisterBurnerPressures() override;

    BOOL CreateDiagValues(CWnd* parent, UINT controlId) override;

    int DiagSensorTemp(VaskFloat& value);
    int DiagGaslaneTemp(VaskFloat& value);
    int DiagAdjustTCDRaw(VaskFloat& value);
    int DiagSensorVoltage(VaskFloat& value);
    int DiagFlameTemp(VaskFloat& value);
    int DiagAnalogInput(VaskFloat& value);
    int DiagElectronicTemp(VaskFloat& value);
};
