// The Sindor 23 infrared analyzer with its O2 and H2S sensors.
#include "sindor23.h"

#include "resource.h"

#include <cstdlib>

IMPLEMENT_SERIAL(CSindor23, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

const int kSindor23 = 4;
// Three components by default, two ranges.
const int kDefaultComponents = 3;
const int kRanges = 2;
const int kRelays = 8;
// The components the device's channels carry besides the infrared ones, and a probe's
// component count.
const int kH2SComponent = 2;
const int kO2Component = 3;
const int kComponents = 4;
const int kH2SUnit = 50;

// The stored schema from which the record can be read, and the first record version with
// both sensor flags in front of the base record (before it, the O2 flag alone).
const int kFirstReadableSchema = 2;
const DWORD kFirstVersionWithSensorFlags = 6;

// The oldest firmware with the O2 sensor's set point in the device: 2.14.3.
const int kNewFirmwareMajor = 2;
const int kNewFirmwareMinor = 14;
const int kNewFirmwareBuild = 3;

// The rinse times of a read: six values; the stubbed ones and the ones the model drops are
// 0 with this text.
const int kRinseTimes = 6;
const char kZeroRinseTime[] = "0.0";
// A radiator this hot or hotter shows no number.
const double kRadiatorOverrange = 150.0;
const char kRadiatorOverrangeText[] = "---";

void ZeroRinseTime(VaskFloat& value) {
    value.value = 0.0;
    value.text = kZeroRinseTime;
}

// Whether a version text "major.minor.build" (missing parts 0) is 2.14.3 or newer.
int IsNewFirmware(const CString& version) {
    int parts[3] = {0, 0, 0};
    int at = 0;
    for (int& part : parts) {
        if (at > version.GetLength()) break;
        int dot = version.Find('.', at);
        if (dot < 0) dot = version.GetLength();
        part = atoi(version.Mid(at, dot - at));
        at = dot + 1;
    }
    const int major = parts[0], minor = parts[1], build = parts[2];
    if (major != kNewFirmwareMajor) return major > kNewFirmwareMajor;
    if (minor != kNewFirmwareMinor) return minor > kNewFirmwareMinor;
    return build >= kNewFirmwareBuild;
}

}  // namespace

CSindor23::CSindor23()
    : CVaskInstrument(CString(), kSindor23, NULL, 0, 0, kDefaultComponents, kRanges, 0) {}

CSindor23::CSindor23(const CString& name, CvaskAccess* access, int address, int componentCount,
                     int extensionCard, int o2Sensor, int h2sSensor, int o2DateFailed,
                     int h2sDateFailed, int reserved)
    : CVaskInstrument(name, kSindor23, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard),
      m_o2Sensor(o2Sensor),
      m_h2sSensor(h2sSensor),
      m_o2DateFailed(o2DateFailed),
      m_h2sDateFailed(h2sDateFailed),
      m_reserved(reserved) {
    if (IsOnline() && componentCount == kComponents) {
        // A device that shows four channels: the fourth is taken as its O2 sensor, and the
        // component test may find the H2S sensor.
        m_o2Sensor = 1;
        int count = 0;
        while (count < kComponents && HasMeasRange(count)) ++count;
        m_componentCount = count;
    }
    DropSensorsFromCount();
    Initialize();
}

void CSindor23::DropSensorsFromCount() {
    if (m_componentCount == kComponents && m_o2Sensor) --m_componentCount;
    if (m_componentCount == kComponents - 1 && m_h2sSensor) --m_componentCount;
}

// ---- the document record ----------------------------------------------------------------

void CSindor23::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        // The layout the base record writes, whatever version a loaded file had: the reader
        // tells the prefixes apart by it.
        ar << (DWORD)CurrentRecordVersion << (DWORD)m_o2Sensor << (DWORD)m_h2sSensor;
        CVaskInstrument::Serialize(ar);
        return;
    }
    // Signed: a schema already taken (-1) is no readable one.
    const int schema = (int)ar.GetObjectSchema();
    if (schema < kFirstReadableSchema) {
        AfxMessageBox(IDS_FILE_READ_ERROR);
        return;
    }
    // The base record checks the schema again.
    ar.SetObjectSchema((UINT)schema);
    DWORD first;
    ar >> first;
    if (first >= kFirstVersionWithSensorFlags) {
        DWORD o2, h2s;
        ar >> o2 >> h2s;
        m_o2Sensor = (int)o2;
        m_h2sSensor = (int)h2s;
    } else {
        m_o2Sensor = (int)first;
    }
    CVaskInstrument::Serialize(ar);
}

// ---- model constants and the component test --------------------------------------------

int CSindor23::GetRelayCount() { return kRelays; }

int CSindor23::GetBinaryInputCount() { return 0; }

int CSindor23::GetExtRelayCount() { return CountOnExtensionCard(); }

int CSindor23::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CSindor23::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CSindor23), RelayFunctions, count);
}

const int* CSindor23::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CSindor23), BinaryInputFunctions, count);
}

int CSindor23::HasMeasRange(int component) {
    if (IsOnline() && component >= 0 && component < kComponents) {
        // A query of the model, as the heating and the option card are: a failed read is
        // no message for the windows.
        VaskFloat values[kComponents];
        const int report = IsCommandReportEnabled();
        EnableCommandReport(0);
        const int read = GetMeas(values);
        EnableCommandReport(report);
        if (read) {
            if (component == kH2SComponent && values[kH2SComponent].unit == kH2SUnit)
                m_h2sSensor = 1;
            const VaskFloat& value = values[component];
            if (value.value == 0.0 && value.unit == 1 && value.quantity == 1) return 0;
        }
    }
    if (component >= 0 && component < GetComponentCount()) return 1;
    return (component == kH2SComponent && m_h2sSensor) || (component == kO2Component && m_o2Sensor);
}

// ---- device operations ------------------------------------------------------------------

int CSindor23::SetBinaryInputs(int*) { return 1; }

int CSindor23::GetAutocalMode(int& autocal, int& startOnInput, int& startOnCycle,
                              int& autocalCheck) {
    autocal = startOnInput = startOnCycle = autocalCheck = 0;
    return 1;
}

int CSindor23::SetAutocalMode(int, int, int, int) { return 1; }

int CSindor23::SetAutocalSteps(ControlType*) { return 1; }

int CSindor23::SetMeasurementLower(int, VaskFloat*) { return 1; }

int CSindor23::SetNullGas(int, const VaskFloat&) { return 1; }

int CSindor23::GetAutocalRinseTime2(VaskFloat* values) {
    for (int i = 0; i < kRinseTimes; ++i) ZeroRinseTime(values[i]);
    return 1;
}

int CSindor23::SetAutocalRinseTime2(VaskFloat*) { return 1; }

int CSindor23::GetAutocalRinseTime1(VaskFloat* values) {
    const int result = CVaskInstrument::GetAutocalRinseTime1(values);
    if (result == 0) return result;
    // The device keeps one rinse time for the first two steps and none for the others.
    values[1] = values[0];
    for (int i = 2; i < kRinseTimes; ++i) ZeroRinseTime(values[i]);
    return result;
}

int CSindor23::ReadDate(DateRead read, CTime& time, int& failed) {
    time = CTime(0);
    if (!IsOnline()) return 0;
    const int result = (m_access->*read)(m_address, 0, time);
    if (result == 0) {
        failed = 1;
        time = CTime(0);
    }
    return result;
}

int CSindor23::GetDateOxy(CTime& time) {
    return ReadDate(&CvaskAccess::GetDateOxy, time, m_o2DateFailed);
}

int CSindor23::GetDateH2S(CTime& time) {
    return ReadDate(&CvaskAccess::GetDateH2S, time, m_h2sDateFailed);
}

int CSindor23::SetDateOxy(const CTime& time) {
    if (!IsOnline()) return 0;
    return Reported(m_access->SetDateOxy(m_address, 0, time), IDS_ERR_WRITE_DATE_O2);
}

int CSindor23::SetDateH2S(const CTime& time) {
    if (!IsOnline()) return 0;
    return Reported(m_access->SetDateH2S(m_address, 0, time), IDS_ERR_WRITE_DATE_H2S);
}

// ---- group operations -------------------------------------------------------------------

void CSindor23::RegisterMeasRanges() {
    CVaskInstrument::RegisterMeasRanges();
    ChangeModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterMeasRanges);
}

void CSindor23::RegisterAdjustGases() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterAdjustGases);
    ExcludeO2ChannelAdjustment();
}

void CSindor23::RegisterTimeConstants() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterTimeConstants);
}

void CSindor23::RegisterLimit1() {
    CVaskInstrument::RegisterLimit1();
    ChangeModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterLimit1);
}

void CSindor23::RegisterLimit2() {
    CVaskInstrument::RegisterLimit2();
    ChangeModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterLimit2);
}

void CSindor23::RegisterAutocal() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterAutocal);
}

void CSindor23::RegisterAutocalCycle() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterAutocalCycle);
}

void CSindor23::RegisterAutocalSequence() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterAutocalSequence);
}

void CSindor23::RegisterAnalogOutputs() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterAnalogOutputs);
}

void CSindor23::RegisterInterference1() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterInterference1);
}

void CSindor23::RegisterInterference2() {
    RegisterModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterInterference2);
}

void CSindor23::RegisterBusSettings() {
    CVaskInstrument::RegisterBusSettings();
    ChangeModelGroup(RUNTIME_CLASS(CSindor23), GroupOf::RegisterBusSettings);
}

void CSindor23::RegisterLimit3() {}

void CSindor23::RegisterLimit4() {}

void CSindor23::RegisterFrequencies() {}

void CSindor23::RegisterShockCompensation() {}

void CSindor23::RegisterSensorTimes() {}

void CSindor23::RegisterPressureCorrection() {}

void CSindor23::RegisterInterference3() {}

void CSindor23::RegisterInterference4() {}

void CSindor23::RegisterWarmUpState() {}

void CSindor23::RegisterHeating() {}

void CSindor23::RegisterBurnerPressures() {}

void CSindor23::RegisterTestGases() {}

void CSindor23::RegisterBinaryInputs() {
    if (HasExtensionCard()) CVaskInstrument::RegisterBinaryInputs();
}

void CSindor23::RegisterH2SSensor() {
    if (m_h2sSensor) CVaskInstrument::RegisterH2SSensor();
}

void CSindor23::RegisterO2Sensor() {
    if (!m_o2Sensor) return;
    // Older firmware has no set point of its own: the model's rows read a constant.
    if (FetchFirmwareVersions())
        CVaskInstrument::RegisterO2Sensor();
    else
        RegisterModelRows(RUNTIME_CLASS(CSindor23), GroupOf::RegisterO2Sensor);
}

BOOL CSindor23::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(Sindor23GridKind, parent, controlId);
}

// ---- the model's own operations ---------------------------------------------------------

int CSindor23::DiagChamberTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagChamberTemp, 0, value);
}

int CSindor23::DiagRadiatorTemp(VaskFloat& value) {
    const int result = ReadDiagnostic(&CvaskAccess::DiagRadiatorTemp, 0, value);
    if (result != 0 && value.value >= kRadiatorOverrange) value.text = kRadiatorOverrangeText;
    return result;
}

int CSindor23::Pump(int on) { return SetDeviceSwitch(&CvaskAccess::Pump, on); }

int CSindor23::SensorCommand(ChannelCommand command, int channel, UINT messageId) {
    if (!IsOnline()) return 0;
    return Reported((m_access->*command)(m_address, channel), messageId);
}

int CSindor23::AdjustZeroPointOxy() {
    return SensorCommand(&CvaskAccess::AdjustZeroPointOxy, kO2Component, IDS_ERR_ZERO_O2_SENSOR);
}

int CSindor23::AdjustZeroPointH2S() {
    return SensorCommand(&CvaskAccess::AdjustZeroPointH2S, kH2SComponent, IDS_ERR_ZERO_H2S_SENSOR);
}

int CSindor23::AdjustRiseO2() {
    return SensorCommand(&CvaskAccess::AdjustRiseO2, kO2Component, IDS_ERR_RISE_O2_SENSOR);
}

int CSindor23::AdjustRiseH2S() {
    return SensorCommand(&CvaskAccess::AdjustRiseH2S, kH2SComponent, IDS_ERR_RISE_H2S_SENSOR);
}

// The base operations with the sensor's channel.
int CSindor23::GetSlopeGasO2(VaskFloat& value) {
    return CVaskInstrument::GetSlopeGasO2(kO2Component, value);
}

int CSindor23::SetSlopeGasO2(const VaskFloat& value) {
    return CVaskInstrument::SetSlopeGasO2(kO2Component, value);
}

int CSindor23::GetSlopeGasH2S(VaskFloat& value) {
    return CVaskInstrument::GetSlopeGasH2S(kH2SComponent, value);
}

int CSindor23::SetSlopeGasH2S(const VaskFloat& value) {
    return CVaskInstrument::SetSlopeGasH2S(kH2SComponent, value);
}

int CSindor23::FetchFirmwareVersions() {
    if (!IsOnline()) return 0;
    FirmwareVersionsStruct versions;
    if (!m_access->GetFirmwareVersions(m_address, 0, versions)) return 0;
    // The reply's first value.
    return IsNewFirmware(versions.adapterBoot);
}
