// Diagnostic values: one member per analyzer model and quantity, each bound to the
// model's diagnostic code ("h" request).
#include "accessinternal.h"

int CvaskAccess::DiagPhysTemp(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6PhysTemp, address, channel, value);
}
int CvaskAccess::DiagHeadTemp(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6HeadTemp, address, channel, value);
}
int CvaskAccess::DiagChamberRaw(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6ChamberRaw, address, channel, value);
}
int CvaskAccess::DiagMagneticField(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6MagneticField, address, channel, value);
}
int CvaskAccess::DiagDisplayTemp(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6DisplayTemp, address, channel, value);
}
int CvaskAccess::DiagControlReserve(int address, int channel, VaskFloat& value) {
    return GetPar6DiagValue(Par6ControlReserve, address, channel, value);
}
int CvaskAccess::DiagChopperTemp(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6ChopperTemp, address, channel, value);
}
int CvaskAccess::DiagRecvChamberTemp(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6RecvChamberTemp, address, channel, value);
}
int CvaskAccess::DiagChopperOffset(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6ChopperOffset, address, channel, value);
}
int CvaskAccess::DiagAnalogInput(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6AnalogInput, address, channel, value);
}
int CvaskAccess::DiagSignalVector(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6SignalVector, address, channel, value);
}
int CvaskAccess::DiagFaultVector(int address, int channel, VaskFloat& value) {
    return GetS6DiagValue(S6FaultVector, address, channel, value);
}
int CvaskAccess::DiagTCDTemp(int address, int channel, VaskFloat& value) {
    return GetL6DiagValue(L6TCDTemp, address, channel, value);
}
int CvaskAccess::DiagAdjustTCDRaw(int address, int channel, VaskFloat& value) {
    return GetL6DiagValue(L6AdjustTCDRaw, address, channel, value);
}
int CvaskAccess::DiagTCDRaw(int address, int channel, VaskFloat& value) {
    return GetL6DiagValue(L6TCDRaw, address, channel, value);
}
int CvaskAccess::DiagSensorTemp(int address, int channel, VaskFloat& value) {
    return GetL62DiagValue(L62SensorTemp, address, channel, value);
}
int CvaskAccess::DiagGaslaneTemp(int address, int channel, VaskFloat& value) {
    return GetL62DiagValue(L62GaslaneTemp, address, channel, value);
}
int CvaskAccess::DiagSensorVoltage(int address, int channel, VaskFloat& value) {
    return GetL62DiagValue(L62SensorVoltage, address, channel, value);
}
int CvaskAccess::DiagMeasureGasPressure(int address, int channel, VaskFloat& value) {
    return GetP64DiagValue(P64MeasureGasPressure, address, channel, value);
}
int CvaskAccess::DiagMeasureGasFlow(int address, int channel, VaskFloat& value) {
    return GetP64DiagValue(P64MeasureGasFlow, address, channel, value);
}
int CvaskAccess::DiagPhysicsTemp(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6PhysicsTemp, address, channel, value);
}
int CvaskAccess::DiagOvenTemp(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6OvenTemp, address, channel, value);
}
int CvaskAccess::DiagCatalysatorTemp(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6CatalysatorTemp, address, channel, value);
}
int CvaskAccess::DiagFlameTemp(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6FlameTemp, address, channel, value);
}
int CvaskAccess::DiagElectronicTemp(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6ElectronicTemp, address, channel, value);
}
int CvaskAccess::DiagPressureBurnGas(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6PressureBurnGas, address, channel, value);
}
int CvaskAccess::DiagPressureBurnAir(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6PressureBurnAir, address, channel, value);
}
int CvaskAccess::DiagAdapterReferenceVoltage(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6AdapterReferenceVoltage, address, channel, value);
}
int CvaskAccess::DiagAdapterNegativeSupply(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6AdapterNegativeSupply, address, channel, value);
}
int CvaskAccess::DiagAdapterPositiveSupply(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6AdapterPositiveSupply, address, channel, value);
}
int CvaskAccess::DiagAdapterTensileStress(int address, int channel, VaskFloat& value) {
    return GetQ6DiagValue(Q6AdapterTensileStress, address, channel, value);
}
int CvaskAccess::DiagChamberTemp(int address, int channel, VaskFloat& value) {
    return GetS23DiagValue(S23ChamberTemp, address, channel, value);
}
int CvaskAccess::DiagRadiatorTemp(int address, int channel, VaskFloat& value) {
    return GetS23DiagValue(S23RadiatorTemp, address, channel, value);
}
int CvaskAccess::DiagSourceRaw(int address, int channel, VaskFloat& value) {
    return GetS23DiagValue(S23SourceRaw, address, channel, value);
}
int CvaskAccess::DiagVoltageO2(int address, int channel, VaskFloat& value) {
    return GetS23DiagValue(S23VoltageO2, address, channel, value);
}
int CvaskAccess::DiagFlow(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikFlow, address, channel, value);
}
int CvaskAccess::DiagAnalogInput1(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikAnalogInput1, address, channel, value);
}
int CvaskAccess::DiagAnalogInput2(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikAnalogInput2, address, channel, value);
}
int CvaskAccess::DiagAirPressure(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikAirPressure, address, channel, value);
}
int CvaskAccess::DiagHCTemp(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikHCTemp, address, channel, value);
}
int CvaskAccess::DiagCOTemp(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikCOTemp, address, channel, value);
}
int CvaskAccess::DiagNOTemp(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikNOTemp, address, channel, value);
}
int CvaskAccess::DiagHCRadiatorTemp(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikHCRadiatorTemp, address, channel, value);
}
int CvaskAccess::DiagNORadiatorTemp(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikNORadiatorTemp, address, channel, value);
}
int CvaskAccess::DiagDenrikSourceRaw(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikSourceRaw, address, channel, value);
}
int CvaskAccess::DiagRadiatorVoltage1(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikRadiatorVoltage1, address, channel, value);
}
int CvaskAccess::DiagRadiatorVoltage2(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikRadiatorVoltage2, address, channel, value);
}
int CvaskAccess::DiagDenrikChamberRaw(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikChamberRaw, address, channel, value);
}
int CvaskAccess::DiagDenrikVoltageO2(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikVoltageO2, address, channel, value);
}
int CvaskAccess::DiagMeasVoltageNO(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikMeasVoltageNO, address, channel, value);
}
int CvaskAccess::DiagRefVoltageNO(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikRefVoltageNO, address, channel, value);
}
int CvaskAccess::DiagBridgeVoltage(int address, int channel, VaskFloat& value) {
    return GetDenrikDiagValue(DenrikBridgeVoltage, address, channel, value);
}
