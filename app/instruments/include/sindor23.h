// CSindor23 (type code 4): the infrared analyzer with up to two infrared components and two
// optional electrochemical sensors, the H2S sensor addressed as component 2 and the O2
// sensor as component 3. Its component count counts the infrared components; its component
// test keeps the sensors reachable as components 2 and 3 for every group that walks the
// components. It registers its own versions of most groups (tables/models.def: the
// catalogue's rows it keeps and what it changes in them), stubs the device operations it
// does not support, reads and writes the sensors' dates, adjustments and set points, and
// puts its sensor flags in front of the base document record.
#pragma once

#include "vaskinstrument.h"

class CSindor23 : public CVaskInstrument {
    DECLARE_SERIAL(CSindor23)
public:
    // Dynamic creation (a document being loaded): three components by default, 2 ranges, no
    // sensors; Initialize runs from the document record.
    CSindor23();
    // The analyzer of a device at `address` behind `access` (null: offline), initialised.
    // Online with `componentCount` 4 the device is probed: the O2 sensor is taken as present
    // and the components the device's measured values show are counted. Then (probed or not)
    // a count of 4 with the O2 sensor drops to 3, and a count of 3 with the H2S sensor to 2.
    // `o2DateFailed`, `h2sDateFailed` and `reserved` preset the date failure flags and the
    // reserved flag. No grid until CreateDiagValues.
    CSindor23(const CString& name, CvaskAccess* access, int address, int componentCount,
              int extensionCard, int o2Sensor, int h2sSensor, int o2DateFailed, int h2sDateFailed,
              int reserved);

    // The sensor flags before the base record: storing writes the record version, the O2
    // and the H2S flag. Loading takes a first DWORD of 6 or more as the version, followed by
    // both flags; a smaller one is the O2 flag of an older file (the H2S flag stays). A
    // stored schema below 2 is refused with a message, nothing read.
    void Serialize(CArchive& ar) override;

    int GetRelayCount() override;
    // No binary inputs on the main board.
    int GetBinaryInputCount() override;
    // 8 each with an extension card, else 0.
    int GetExtRelayCount() override;
    int GetExtBinaryInputCount() override;
    const int* GetRelayFunctionTable(int& count) override;
    const int* GetBinaryInputFunctionTable(int& count) override;
    // Component 0 to 3: online, a device whose measured value of the component is the
    // no-value mark lacks it (and one whose component 2 reads in unit code 50, H2S, has the
    // H2S sensor). Else the infrared components below the component count, component 2 with
    // the H2S sensor and component 3 with the O2 sensor.
    int HasMeasRange(int component) override;

    // ---- device operations the model replaces ------------------------------------------
    // Not supported by the device: 1 without a request, online or not. The reads fill their
    // outputs (ints 0; rinse times 0 with the text "0.0").
    int SetBinaryInputs(int* codes) override;
    int GetAutocalMode(int& autocal, int& startOnInput, int& startOnCycle,
                       int& autocalCheck) override;
    int SetAutocalMode(int autocal, int startOnInput, int startOnCycle, int autocalCheck) override;
    int SetAutocalSteps(ControlType* steps) override;
    int SetMeasurementLower(int c, VaskFloat* values) override;
    int SetNullGas(int c, const VaskFloat& value) override;
    int GetAutocalRinseTime2(VaskFloat* values) override;
    int SetAutocalRinseTime2(VaskFloat* values) override;
    // The rinse times of steps 1 to 6 as the device gives them, then value 1 a copy of
    // value 0 and values 2 to 5 0 with the text "0.0".
    int GetAutocalRinseTime1(VaskFloat* values) override;
    // The sensors' installation dates: online the device's (a failed read sets the sensor's
    // date failure flag and leaves time 0), offline 0 and time 0. The writes report a
    // failure; offline 0.
    int GetDateOxy(CTime& time) override;
    int SetDateOxy(const CTime& time) override;
    int GetDateH2S(CTime& time) override;
    int SetDateH2S(const CTime& time) override;
    using CVaskInstrument::GetSlopeGasH2S;
    using CVaskInstrument::GetSlopeGasO2;
    using CVaskInstrument::SetSlopeGasH2S;
    using CVaskInstrument::SetSlopeGasO2;

    // ---- group operations ----------------------------------------------------------------
    // The catalogue's group, then its lower limits and largest ranges read-only.
    void RegisterMeasRanges() override;
    // Their own versions of the catalogue's groups (tables/models.def).
    void RegisterAdjustGases() override;
    void RegisterTimeConstants() override;
    void RegisterLimit1() override;
    void RegisterLimit2() override;
    void RegisterAutocal() override;
    void RegisterAutocalCycle() override;
    void RegisterAutocalSequence() override;
    void RegisterAnalogOutputs() override;
    void RegisterInterference1() override;
    void RegisterInterference2() override;
    void RegisterBusSettings() override;
    // Absent on this model: nothing registered.
    void RegisterLimit3() override;
    void RegisterLimit4() override;
    void RegisterFrequencies() override;
    void RegisterShockCompensation() override;
    void RegisterSensorTimes() override;
    void RegisterPressureCorrection() override;
    void RegisterInterference3() override;
    void RegisterInterference4() override;
    void RegisterWarmUpState() override;
    void RegisterHeating() override;
    void RegisterBurnerPressures() override;
    void RegisterTestGases() override;
    // The catalogue's group, only with an extension card.
    void RegisterBinaryInputs() override;
    // The catalogue's group, only with the H2S sensor.
    void RegisterH2SSensor() override;
    // Only with the O2 sensor: the catalogue's group with new firmware
    // (FetchFirmwareVersions), else the model's own rows.
    void RegisterO2Sensor() override;

    // Its own grid (the factory's Sindor 23 kind) in place of the present one, attached to
    // the dialog control.
    BOOL CreateDiagValues(CWnd* parent, UINT controlId) override;

    // ---- the model's own operations --------------------------------------------------
    // Diagnostic values (offline or failed: the no-value mark and 0; no report). A radiator
    // at 150.0 or more keeps its number and shows "---".
    int DiagChamberTemp(VaskFloat& value);
    int DiagRadiatorTemp(VaskFloat& value);
    // The pump switch: the device's answer online, 0 offline; no report.
    int Pump(int on);
    // The sensors' adjustments (O2 on channel 3, H2S on channel 2) and set points: online
    // the device's answer, a failure reported; offline 0 without a report.
    virtual int AdjustZeroPointOxy();
    virtual int AdjustZeroPointH2S();
    virtual int AdjustRiseO2();
    virtual int AdjustRiseH2S();
    int GetSlopeGasO2(VaskFloat& value);
    int SetSlopeGasO2(const VaskFloat& value);
    int GetSlopeGasH2S(VaskFloat& value);
    int SetSlopeGasH2S(const VaskFloat& value);
    // 1 when the device's firmware (the first version of its board versions) is 2.14.3 or
    // newer; 0 for older firmware, offline or when the versions cannot be read.
    virtual int FetchFirmwareVersions();

    int HasO2Sensor() const { return m_o2Sensor; }
    int HasH2SSensor() const { return m_h2sSensor; }
    int O2DateReadFailed() const { return m_o2DateFailed; }
    int H2SDateReadFailed() const { return m_h2sDateFailed; }

private:
    // The component count after the probe: one less for each sensor counted as a component.
    void DropSensorsFromCount();
    // A date read of the device into `time` (time 0 when it fails); a failure sets `failed`.
    typedef int (CvaskAccess::*DateRead)(int address, int channel, CTime& time);
    int ReadDate(DateRead read, CTime& time, int& failed);
    // A request that one of the sensor operations makes on `channel`, its failure reported
    // with `messageId`.
    typedef int (CvaskAccess::*ChannelCommand)(int address, int channel);
    int SensorCommand(ChannelCommand command, int channel, UINT messageId);

    int m_o2Sensor = 0;
    int m_h2sSensor = 0;
    int m_o2DateFailed = 0;
    int m_h2sDateFailed = 0;
    int m_reserved = 0;
};
