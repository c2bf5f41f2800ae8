// The Sindor 6 infrared analyzer.
#include "sindor6.h"

IMPLEMENT_SERIAL(CSindor6, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

const int kSindor6 = 1;
// Two components by default (and at most), four ranges.
const int kDefaultComponents = 2;
const int kRanges = 4;
const int kRelays = 6;
const int kBinaryInputs = 6;

}  // namespace

CSindor6::CSindor6()
    : CVaskInstrument(CString(), kSindor6, NULL, 0, 0, kDefaultComponents, kRanges, 0) {
    ReplaceDiagValues(InstrumentGridKind);
}

CSindor6::CSindor6(const CString& name, CvaskAccess* access, int address, int componentCount,
                   int extensionCard, int heating)
    : CVaskInstrument(name, kSindor6, access, address, componentCount, kDefaultComponents, kRanges,
                      extensionCard) {
    m_heatingFlag = heating;
    ReplaceDiagValues(InstrumentGridKind);
    Initialize();
}

int CSindor6::GetRelayCount() { return kRelays; }

int CSindor6::GetBinaryInputCount() { return kBinaryInputs; }

int CSindor6::GetExtRelayCount() { return CountOnExtensionCard(); }

int CSindor6::GetExtBinaryInputCount() { return CountOnExtensionCard(); }

const int* CSindor6::GetRelayFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CSindor6), RelayFunctions, count);
}

const int* CSindor6::GetBinaryInputFunctionTable(int& count) {
    return GetModelFunctionTable(RUNTIME_CLASS(CSindor6), BinaryInputFunctions, count);
}

void CSindor6::RegisterFrequencies() {
    RegisterModelRows(RUNTIME_CLASS(CSindor6), GroupOf::RegisterFrequencies);
}

void CSindor6::RegisterInterference1() {
    CVaskInstrument::RegisterInterference1();
    RegisterModelRows(RUNTIME_CLASS(CSindor6), GroupOf::RegisterInterference1);
}

void CSindor6::RegisterShockCompensation() {}

void CSindor6::RegisterInterference2() {}

void CSindor6::RegisterInterference3() {}

void CSindor6::RegisterInterference4() {}

void CSindor6::RegisterUnits() {}

void CSindor6::RegisterPump() {}

void CSindor6::RegisterSyncInput() {}

void CSindor6::RegisterH2SSensor() {}

void CSindor6::RegisterO2Sensor() {}

void CSindor6::RegisterWarmUpState() {}

void CSindor6::RegisterBurnerPressures() {}

BOOL CSindor6::CreateDiagValues(CWnd* parent, UINT controlId) {
    return AttachNewDiagValues(InstrumentGridKind, parent, controlId);
}

int CSindor6::DiagChopperTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagChopperTemp, 0, value);
}

int CSindor6::DiagRecvChamberTemp(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagRecvChamberTemp, 0, value);
}

int CSindor6::DiagChopperOffset(VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagChopperOffset, 0, value);
}

int CSindor6::DiagAnalogInput(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagAnalogInput, n, value);
}

int CSindor6::DiagSignalVector(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagSignalVector, n, value);
}

int CSindor6::DiagFaultVector(int n, VaskFloat& value) {
    return ReadDiagnostic(&CvaskAccess::DiagFaultVector, n, value);
}
