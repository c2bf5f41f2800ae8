// Function numbers of the requests of CvaskAccess: the states of "Z", the switches of "F",
// the diagnostic codes of "h" per analyzer model, and the kinds of "K" 14. Each value is
// the number that travels as the request's function number (or value).
#pragma once

// States of a channel ("Z").
enum VaskStateCommand : int {
    StateReset = 1,
    StatePause = 2,
    StateStandby = 3,
    StateMeasure = 4,
    StateAdjustZeroPoint = 5,
    StateAdjustSlope = 6,     // one measuring range
    StateAdjustSlopeAll = 7,  // all components at once
    StateAdjustLinearSag = 8,
    StateAdjustLinearSens = 9,
    StateAdjustTempCoefficient = 10,
    StateAdjustPressureComp = 11,
    StateAdjustZeroPointLinear = 12,
    StateAdjustFlowSensor = 13,
    StateAutocal = 14,
    StateAdjustPhase = 15,
    StateAdjustZeroPointOxy = 16,
    StateAdjustAnalogOutput = 19,
    StateAdjustAnalogInput = 20,
    StateAutocalCheck = 21,
    StateAdjustRiseO2 = 24,
    StateAdjustZeroPointH2S = 25,
    StateAdjustRiseH2S = 26
};

// On/off functions of a channel ("F").
enum VaskSwitchCommand : int {
    SwitchRemote = 1,
    SwitchPressureMeas = 2,
    SwitchPressureComp = 3,
    SwitchAdjustAll = 4,
    SwitchService = 5,
    SwitchNullGasValve = 6,
    SwitchIgnite = 7,
    SwitchMagneticField = 8,
    SwitchMagneticValve = 9,
    SwitchBroadcast = 10,
    SwitchPump = 11,
    SwitchRadiator = 12,
    SwitchLogInhibit = 13,
    SwitchSensorSwitch = 14,
    SwitchSuppressNegativeAnalog = 15,
    SwitchRangeWarning = 16,
    SwitchClean = 17,
    SwitchAdjustZeroBeforeSlope = 18,
    SwitchHeating = 23,
    SwitchCommonZero = 28,
    SwitchSuppressNegativeDisplay = 29,
    SwitchIgnition = 30,
    SwitchCatalysator = 31,
    SwitchFan = 32
};

// What "K" 14 makes the device do with its configuration.
enum TransferType : int {
    TransferLoadUser = 1,
    TransferSaveUser = 2,
    TransferLoadDefault = 3,
    TransferSaveDefault = 4,
    TransferLoadBase = 5
};

// Group numbers of the float values ("w" and "W") and function numbers of the "k" report
// lists; their values are listed with the members that read them.
enum VaskValueCommand : int;
enum VaskGetMiscCommand : int;

// ---- diagnostic codes ("h") per analyzer model ----

enum Par6DiagCommand : int {
    Par6PhysTemp = 1,
    Par6HeadTemp = 2,
    Par6ChamberRaw = 3,
    Par6MagneticField = 4,
    Par6DisplayTemp = 5,
    Par6ControlReserve = 6
};

enum S6DiagCommand : int {
    S6ChopperTemp = 1,
    S6RecvChamberTemp = 2,
    S6ChopperOffset = 4,
    S6AnalogInput = 7,
    S6SignalVector = 8,
    S6FaultVector = 9
};

enum L6DiagCommand : int { L6TCDTemp = 1, L6AdjustTCDRaw = 3, L6TCDRaw = 4 };

enum L62DiagCommand : int { L62SensorTemp = 1, L62GaslaneTemp = 2, L62SensorVoltage = 4 };

enum P64DiagCommand : int { P64MeasureGasPressure = 8, P64MeasureGasFlow = 9 };

enum Q6DiagCommand : int {
    Q6PhysicsTemp = 1,
    Q6OvenTemp = 2,
    Q6CatalysatorTemp = 4,
    Q6FlameTemp = 6,
    Q6ElectronicTemp = 8,
    Q6PressureBurnGas = 9,
    Q6PressureBurnAir = 10,
    Q6AdapterReferenceVoltage = 11,
    Q6AdapterNegativeSupply = 12,
    Q6AdapterPositiveSupply = 13,
    Q6AdapterTensileStress = 14
};

enum S23DiagCommand : int {
    S23ChamberTemp = 1,
    S23RadiatorTemp = 2,
    S23SourceRaw = 4,
    S23VoltageO2 = 7
};

enum DenrikDiagCommand : int {
    DenrikFlow = 1,
    DenrikAnalogInput1 = 2,
    DenrikAnalogInput2 = 3,
    DenrikAirPressure = 4,
    DenrikHCTemp = 5,
    DenrikCOTemp = 6,
    DenrikNOTemp = 7,
    DenrikHCRadiatorTemp = 8,
    DenrikNORadiatorTemp = 9,
    DenrikSourceRaw = 10,
    DenrikRadiatorVoltage1 = 11,
    DenrikRadiatorVoltage2 = 12,
    DenrikChamberRaw = 13,
    DenrikVoltageO2 = 14,
    DenrikMeasVoltageNO = 15,
    DenrikRefVoltageNO = 16,
    DenrikBridgeVoltage = 17
};
