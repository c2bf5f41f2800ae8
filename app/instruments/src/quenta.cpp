// The Quenta 6 flame-ionisation analyzer.
#include "quenta.h"

IMPLEMENT_SERIAL(CQuenta6, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

const int kQuenta6 = 5;
// One component, four ranges.
const int kDefaultComponents = 1;
const int kRanges = 4;
const int kRelays = 6;
const int kBinaryInputs = 6;

}  // namespace

CQuenta6::CQuenta6()
    : CVaskInstrument(CString(), kQuenta6, NULL, 0, 0, kDefaultComponents, kRanges, 0) {}

CQuenta6::CQuenta6(const CString& name, CvaskAccess* access, int address, int componentCount,
                   int extensionCard, int heating)
    : CVaskInstrument(name, kQuenta6, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = heating;
    Initialize();
}

int CQuenta6::HasHeating() { return 0; }

int CQuenta6::GetRelayCount() { return kRelays; }

int CQuenta6::GetBinaryInputCount() { return kBinaryInputs; }

int CQuenta6::GetExtRelayCount() { return CountOnExtensionCard(); }

int CQuenta6::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CQuenta6::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CQuenta6), RelayFunctions, count);
}

const int* CQuenta6::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CQuenta6), BinaryInputFunctions, count);
}

int CQuenta6::DiagDisplayTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagDisplayTemp, 0, value);
}

void CQuenta6::RegisterIdentity() {
    CVaskInstrument::RegisterIdentity();
    RegisterModelRows(RUNTIME_CLASS(CQuenta6), GroupOf::RegisterIdentity);
}

void CQuenta6::RegisterSensorTimes() {
    CVaskInstrument::RegisterSensorTimes();
    PointBeforeFrequenciesPage(GroupOf::RegisterSensorTimes);
}

void CQuenta6::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    PointBeforeFrequenciesPage(GroupOf::RegisterInterference1);
}

void CQuenta6::RegisterFrequencies() {}

void CQuenta6::RegisterShockCompensation() {}

void CQuenta6::RegisterPressureCorrection() {}

void CQuenta6::RegisterUnits() {}

void CQuenta6::RegisterPump() {}

void CQuenta6::RegisterSyncInput() {}

void CQuenta6::RegisterH2SSensor() {}

void CQuenta6::RegisterO2Sensor() {}

BOOL CQuenta6::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CQuenta6::DiagPhysicsTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagPhysicsTemp, 0, value);
}

int CQuenta6::DiagOvenTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagOvenTemp, 0, value);
}

int CQuenta6::DiagAdjustTCDRaw(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdjustTCDRaw, 0, value);
}

int CQuenta6::DiagCatalysatorTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagCatalysatorTemp, 0, value);
}

int CQuenta6::DiagFlameTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFlameTemp, 0, value);
}

int CQuenta6::DiagAnalogInput(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, 0, value);
}

int CQuenta6::DiagElectronicTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagElectronicTemp, 0, value);
}

int CQuenta6::DiagPressureBurnGas(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagPressureBurnGas, 0, value);
}

int CQuenta6::DiagPressureBurnAir(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagPressureBurnAir, 0, value);
}

int CQuenta6::DiagAdapterReferenceVoltage(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdapterReferenceVoltage, 0, value);
}

int CQuenta6::DiagAdapterNegativeSupply(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdapterNegativeSupply, 0, value);
}

int CQuenta6::DiagAdapterPositiveSupply(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdapterPositiveSupply, 0, value);
}

int CQuenta6::DiagAdapterTensileStress(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAdapterTensileStress, 0, value);
}

int CQuenta6::Pump(int on) { return SetDeviceSwitch(&CvaskAccess::Pump, on); }

int CQuenta6::Ignition(int on) { return SetDeviceSwitch(&CvaskAccess::Ignition, on); }

int CQuenta6::Catalysator(int on) { return SetDeviceSwitch(&CvaskAccess::Catalysator, on); }

int CQuenta6::Fan(int on) { return SetDeviceSwitch(&CvaskAccess::Fan, on); }
