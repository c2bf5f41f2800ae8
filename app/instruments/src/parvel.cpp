// The Parvel 6 and Parvel 64 oxygen analyzers.
#include "parvel.h"

#include "resource.h"

IMPLEMENT_SERIAL(CParvel6, CVaskInstrument, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CParvel64, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

const int kParvel6 = 2;
const int kParvel64 = 7;
// Both have one component by default and four ranges.
const int kDefaultComponents = 1;
const int kRanges = 4;
const int kRelays = 6;
const int kBinaryInputs = 6;

// The configuration sheet's pages of the Parvel 64 (analog outputs, relays, binary inputs,
// units, pump, bus).
const int kConfigurationSheet = 3;
const int kUnitsPage = 3;
const int kPumpPage = 4;
const int kBusPage = 4;
const int kBusPageAfterPump = 5;

// The order number of a Parvel 64 with a pump: the type "4QX10" and "C" as its tenth
// character; only a number longer than ten characters is judged.
const int kLongestUnjudgedOrder = 10;
const char kPumpOrderType[] = "4QX10";
const int kPumpLetterIndex = 9;
const char kPumpLetter = 'C';

}  // namespace

// ---- CParvel6 ---------------------------------------------------------------------------

CParvel6::CParvel6()
    : CVaskInstrument(CString(), kParvel6, NULL, 0, 0, kDefaultComponents, kRanges, 0) {
    ReplaceDiagValues(InstrumentGridKind);
}

CParvel6::CParvel6(const CString& name, CvaskAccess* access, int address, int componentCount,
                   int extensionCard, int heating)
    : CVaskInstrument(name, kParvel6, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = heating;
    Initialize();
    ReplaceDiagValues(InstrumentGridKind);
}

int CParvel6::GetRelayCount() { return kRelays; }

int CParvel6::GetBinaryInputCount() { return kBinaryInputs; }

int CParvel6::GetExtRelayCount() { return CountOnExtensionCard(); }

int CParvel6::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CParvel6::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CParvel6), RelayFunctions, count);
}

const int* CParvel6::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CParvel6), BinaryInputFunctions, count);
}

void CParvel6::RegisterFrequencies() { CVaskInstrument::RegisterFrequencies(); }

void CParvel6::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    RegisterModelRows(RUNTIME_CLASS(CParvel6), GroupOf::RegisterInterference1);
}

void CParvel6::RegisterInterference2() {}

void CParvel6::RegisterInterference3() {}

void CParvel6::RegisterInterference4() {}

void CParvel6::RegisterUnits() {}

void CParvel6::RegisterPump() {}

void CParvel6::RegisterSyncInput() {}

void CParvel6::RegisterH2SSensor() {}

void CParvel6::RegisterO2Sensor() {}

void CParvel6::RegisterWarmUpState() {}

void CParvel6::RegisterBurnerPressures() {}

BOOL CParvel6::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CParvel6::DiagPhysTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagPhysTemp, 0, value);
}

int CParvel6::DiagHeadTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagHeadTemp, 0, value);
}

int CParvel6::DiagMagneticField(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagMagneticField, 0, value);
}

int CParvel6::DiagAnalogInput(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, n, value);
}

int CParvel6::DiagSignalVector(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagSignalVector, n, value);
}

int CParvel6::DiagFaultVector(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFaultVector, n, value);
}

// ---- CParvel64 --------------------------------------------------------------------------

CParvel64::CParvel64()
    : CVaskInstrument(CString(), kParvel64, NULL, 0, 0, kDefaultComponents, kRanges, 0) {
    ReplaceDiagValues(InstrumentGridKind);
}

CParvel64::CParvel64(const CString& name, CvaskAccess* access, int address, int componentCount,
                     int extensionCard, int)
    : CVaskInstrument(name, kParvel64, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = 0;
    m_pumpPresent = 0;
    Initialize();
    ReplaceDiagValues(InstrumentGridKind);
}

int CParvel64::HasHeating() { return 0; }

int CParvel64::GetRelayCount() { return kRelays; }

int CParvel64::GetBinaryInputCount() { return kBinaryInputs; }

int CParvel64::GetExtRelayCount() { return CountOnExtensionCard(); }

int CParvel64::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CParvel64::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CParvel64), RelayFunctions, count);
}

const int* CParvel64::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CParvel64), BinaryInputFunctions, count);
}

int CParvel64::DiagDisplayTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagDisplayTemp, 0, value);
}

int CParvel64::GetMaintenanceRequests(int* list, int& count) {
    if (!IsOnline()) return 0;
    return Reported(m_access->GetMaintenanceRequests(m_address, GetComponentCount(), list, count),
                    IDS_ERROR);
}

int CParvel64::GetFaults(int* list, int& count) {
    if (!IsOnline()) return 0;
    return Reported(m_access->GetFaults(m_address, GetComponentCount(), list, count), IDS_ERROR);
}

void CParvel64::RegisterFrequencies() {}

void CParvel64::RegisterShockCompensation() {}

void CParvel64::RegisterSensorTimes() {
    CVaskInstrument::RegisterSensorTimes();
    PointBeforeFrequenciesPage(GroupOf::RegisterSensorTimes);
}

void CParvel64::RegisterPressureCorrection() {}

void CParvel64::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    PointBeforeFrequenciesPage(GroupOf::RegisterInterference1);
}

void CParvel64::RegisterUnits() {
    CVaskInstrument::RegisterUnits();
    SetGroupEditPage(GroupOf::RegisterUnits, kConfigurationSheet, kUnitsPage);
}

void CParvel64::RegisterPump() {
    const CString order = ReadOrderNumber();
    if (order.GetLength() <= kLongestUnjudgedOrder) return;
    if (!IsOrderWithOption(order, kPumpOrderType, kPumpLetterIndex, kPumpLetter)) {
        m_pumpPresent = 0;
        return;
    }
    // The pump alone: the pump-on switches of the base group do not exist on this model.
    RegisterGroupRows(GroupOf::RegisterPump, ComponentByComponent, {CatalogueRow::m_pump});
    m_pump.SetEditPage(kConfigurationSheet, kPumpPage);
    m_pumpPresent = 1;
}

void CParvel64::RegisterSyncInput() {}

void CParvel64::RegisterH2SSensor() {}

void CParvel64::RegisterO2Sensor() {}

void CParvel64::RegisterBusSettings() {
    RegisterPump();
    CVaskInstrument::RegisterBusSettings();
    SetGroupEditPage(GroupOf::RegisterBusSettings, kConfigurationSheet,
                     m_pumpPresent ? kBusPageAfterPump : kBusPage);
}

void CParvel64::RegisterWarmUpState() {}

void CParvel64::RegisterHeating() {}

void CParvel64::RegisterBurnerPressures() {}

BOOL CParvel64::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CParvel64::DiagTCDTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagTCDTemp, 0, value);
}

int CParvel64::DiagAdjustTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdjustTCDRaw, 0, value);
}

int CParvel64::DiagTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagTCDRaw, 0, value);
}

int CParvel64::DiagFlameTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFlameTemp, 0, value);
}

int CParvel64::DiagAnalogInput(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, 0, value);
}

int CParvel64::DiagSignalVector(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagSignalVector, 0, value);
}

int CParvel64::DiagFaultVector(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFaultVector, 0, value);
}

int CParvel64::Pump(int on) { return SetDeviceSwitch(&CvaskAccess::Pump, on); }
