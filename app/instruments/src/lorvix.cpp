// The Lorvix 6 and Lorvix 62 thermal-conductivity analyzers.
#include "lorvix.h"

IMPLEMENT_SERIAL(CLorvix6, CVaskInstrument, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CLorvix62, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

const int kLorvix6 = 3;
const int kLorvix62 = 8;
// Both have one component by default and four ranges.
const int kDefaultComponents = 1;
const int kRanges = 4;
const int kRelays = 6;
const int kBinaryInputs = 6;

// The order number of a Lorvix 62 with heating: the type "4QX17" and "B" third from its
// end; only a number longer than 15 characters is judged.
const int kLongestUnjudgedOrder = 15;
const char kHeatingOrderType[] = "4QX17";
const int kHeatingLetterFromEnd = -3;
const char kHeatingLetter = 'B';

}  // namespace

// ---- CLorvix6 ---------------------------------------------------------------------------

CLorvix6::CLorvix6()
    : CVaskInstrument(CString(), kLorvix6, NULL, 0, 0, kDefaultComponents, kRanges, 0) {}

CLorvix6::CLorvix6(const CString& name, CvaskAccess* access, int address, int componentCount,
                   int extensionCard, int heating)
    : CVaskInstrument(name, kLorvix6, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = heating;
    Initialize();
}

int CLorvix6::HasHeating() { return 0; }

int CLorvix6::GetRelayCount() { return kRelays; }

int CLorvix6::GetBinaryInputCount() { return kBinaryInputs; }

int CLorvix6::GetExtRelayCount() { return CountOnExtensionCard(); }

int CLorvix6::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CLorvix6::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CLorvix6), RelayFunctions, count);
}

const int* CLorvix6::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CLorvix6), BinaryInputFunctions, count);
}

void CLorvix6::RegisterFrequencies() {}

void CLorvix6::RegisterShockCompensation() {}

void CLorvix6::RegisterSensorTimes() {
    CVaskInstrument::RegisterSensorTimes();
    PointBeforeFrequenciesPage(GroupOf::RegisterSensorTimes);
}

void CLorvix6::RegisterPressureCorrection() {
    CVaskInstrument::RegisterPressureCorrection();
    PointBeforeFrequenciesPage(GroupOf::RegisterPressureCorrection);
}

void CLorvix6::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    PointBeforeFrequenciesPage(GroupOf::RegisterInterference1);
}

void CLorvix6::RegisterUnits() {}

void CLorvix6::RegisterPump() {}

void CLorvix6::RegisterSyncInput() {}

void CLorvix6::RegisterH2SSensor() {}

void CLorvix6::RegisterO2Sensor() {}

void CLorvix6::RegisterWarmUpState() {}

void CLorvix6::RegisterBurnerPressures() {}

BOOL CLorvix6::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CLorvix6::DiagChopperTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagChopperTemp, 0, value);
}

int CLorvix6::DiagAdjustTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdjustTCDRaw, 0, value);
}

int CLorvix6::DiagTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagTCDRaw, 0, value);
}

int CLorvix6::DiagAnalogInput(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, n, value);
}

// ---- CLorvix62 --------------------------------------------------------------------------

CLorvix62::CLorvix62()
    : CVaskInstrument(CString(), kLorvix62, NULL, 0, 0, kDefaultComponents, kRanges, 0) {
    ReplaceDiagValues(InstrumentGridKind);
}

CLorvix62::CLorvix62(const CString& name, CvaskAccess* access, int address, int componentCount,
                     int extensionCard, int heating)
    : CVaskInstrument(name, kLorvix62, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = heating;
    m_orderNumberFlag = 0;
    Initialize();
    ReplaceDiagValues(InstrumentGridKind);
}

int CLorvix62::HasHeating() {
    const CString order = ReadOrderNumber();
    if (order.GetLength() > kLongestUnjudgedOrder) {
        const int heated =
            IsOrderWithOption(order, kHeatingOrderType, kHeatingLetterFromEnd, kHeatingLetter);
        m_heatingFlag = heated;
        m_orderNumberFlag = heated;
    }
    return m_heatingFlag && m_orderNumberFlag;
}

int CLorvix62::GetRelayCount() { return kRelays; }

int CLorvix62::GetBinaryInputCount() { return kBinaryInputs; }

int CLorvix62::GetExtRelayCount() { return CountOnExtensionCard(); }

int CLorvix62::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CLorvix62::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CLorvix62), RelayFunctions, count);
}

const int* CLorvix62::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CLorvix62), BinaryInputFunctions, count);
}

int CLorvix62::DiagDisplayTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagDisplayTemp, 0, value);
}

void CLorvix62::RegisterFrequencies() {}

void CLorvix62::RegisterShockCompensation() {}

void CLorvix62::RegisterSensorTimes() {
    CVaskInstrument::RegisterSensorTimes();
    PointBeforeFrequenciesPage(GroupOf::RegisterSensorTimes);
}

void CLorvix62::RegisterPressureCorrection() {
    CVaskInstrument::RegisterPressureCorrection();
    PointBeforeFrequenciesPage(GroupOf::RegisterPressureCorrection);
}

void CLorvix62::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    PointBeforeFrequenciesPage(GroupOf::RegisterInterference1);
}

void CLorvix62::RegisterUnits() {}

void CLorvix62::RegisterPump() {}

void CLorvix62::RegisterSyncInput() {}

void CLorvix62::RegisterH2SSensor() {}

void CLorvix62::RegisterO2Sensor() {}

void CLorvix62::RegisterWarmUpState() {}

void CLorvix62::RegisterBurnerPressures() {}

BOOL CLorvix62::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CLorvix62::DiagSensorTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagSensorTemp, 0, value);
}

int CLorvix62::DiagGaslaneTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagGaslaneTemp, 0, value);
}

int CLorvix62::DiagAdjustTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdjustTCDRaw, 0, value);
}

int CLorvix62::DiagSensorVoltage(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagSensorVoltage, 0, value);
}

int CLorvix62::DiagFlameTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFlameTemp, 0, value);
}

int CLorvix62::DiagAnalogInput(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, 0, value);
}

int CLorvix62::DiagElectronicTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagElectronicTemp, 0, value);
}
