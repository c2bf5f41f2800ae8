// The parameter adapters of CvaskAccess: one Fetch member that reads and one Transfer
// member that writes each device parameter of the program's parameter table. All share
// one signature,
//
//     int (CvaskAccess::*)(int address, int channel, int index, VaskFloat& value)
//
// (index: the element number counted from 1 where the parameter is an array), so that a
// parameter entry can store any of them. They return 1 when done and 0 with the cause in
// the access object's error record.
//
// Every adapter follows one of a handful of patterns over one setting of the device (a
// "group": a structured record, a set of out-arguments, a float group or array, a text, a
// date, a switch). The tables below name, per adapter, its pattern, its group and the
// position within the group that it reads or replaces; adapters.cpp defines the patterns
// and the groups once and every member as one call of its pattern with its row. The
// members are declared in vaskaccess_adapters.h. Only macros live here, so that the
// tables can be expanded inside the class declaration as well.
//
// Read patterns:
//   Flag      a flag, as text "1"/"0" and value 1.0/0.0
//   Number    an integer or enumeration value, text "%d"
//   Plain     an enumeration value whose text the program makes: the caller's text stays
//             (less its leading blanks), only value and codes change
//   Text      a text; value 0.0
//   Copy      one VaskFloat of the group, all four fields, leading blanks of its text cut
//   Pass      one VaskFloat of the group exactly as the device sent it
//   Time      a date: value = seconds since 1970-01-01 UTC, text empty
//   RangeCopy, RangeFlag, StepNumber, CodeNumber, StepTime, SensorTime
//             one element of an array (measuring ranges, autocal steps, relay or input
//             codes, rinse times, sensor times); an element number outside the array, or
//             beyond what the device sent, is error 39 before anything is sent
//   StatusBit one bit of the status word the device list keeps (position = the bit)
//   and own behaviour: ChannelType, MeasRange, MeasRangeMax, MeasRangeLimits,
//   AutocalStep, SetPointOldFW, QuentaType.
// Where the adapter builds the value itself (every pattern but Copy and Pass, and the
// codes of the range texts) unit code and quantity code are 1.
//
// Write patterns:
//   DirectCopy, DirectInt, DirectByte, DirectText, DirectTime
//             write the converted value at once, nothing read first
//   CheckedCopy  read the single value first; write only when the read succeeded
//   GroupCopy, GroupInt, GroupByte
//             read the whole group, replace one item, write the group back
//   RangeCopy, RangeFlag, StepTime, S23StepTime, SensorTime, StepInt, CodeInt
//             the same for one element of an array, with the bounds of the read side; a
//             list of rinse or sensor times the device sent short is not written back
//             (error 37)
//   NoWrite   sends nothing, returns 1
// Conversions: Copy takes the whole VaskFloat, Int its value truncated toward zero, Byte
// the same for a setting that travels as one byte (the unit, the heating temperature, the
// starting state, function codes), Text its text, Time its value as whole seconds since
// 1970-01-01 UTC. A value that the int, the byte, the device's date (two-digit year,
// 1970 to 2069) or its "%.3f" number text (no NaN, no infinity, below 1e35 in magnitude)
// cannot hold is error 30, nothing sent.
#pragma once

// clang-format off
#define VASK_FETCH_ADAPTERS(X) \
    /* status word of the device list */ \
    X(FetchStateFault,               StatusBit,  None, 1) \
    X(FetchStateServiceReq,          StatusBit,  None, 2) \
    X(FetchStateNotReady,            StatusBit,  None, 4) \
    X(FetchStateFunctionCheck,       StatusBit,  None, 16) \
    X(FetchStateLimit,               StatusBit,  None, 64) \
    /* measuring range and autocal */ \
    X(FetchMeasRange,                MeasRange,  MeasRange, 0) \
    X(FetchAutorange,                Flag,       MeasRange, 1) \
    X(FetchAutocal,                  Flag,       AutocalMode, 0) \
    X(FetchAutocalStartOnInput,      Flag,       AutocalMode, 1) \
    X(FetchAutocalStartOnCycle,      Flag,       AutocalMode, 2) \
    X(FetchAutocalCheck,             Flag,       AutocalMode, 3) \
    X(FetchAutocalStepNumber,        StepNumber, AutocalSteps, 0) \
    /* limits: the switches of LimitStruct */ \
    X(FetchLimitRange1,              RangeFlag,  LimitSwitches1, 0) \
    X(FetchLimitRange2,              RangeFlag,  LimitSwitches2, 0) \
    X(FetchLimitRange3,              RangeFlag,  LimitSwitches3, 0) \
    X(FetchLimitRange4,              RangeFlag,  LimitSwitches4, 0) \
    X(FetchLimitAlarm1,              Flag,       LimitSwitches1, 4) \
    X(FetchLimitAlarm2,              Flag,       LimitSwitches2, 4) \
    X(FetchLimitAlarm3,              Flag,       LimitSwitches3, 4) \
    X(FetchLimitAlarm4,              Flag,       LimitSwitches4, 4) \
    X(FetchLimitControl1,            Flag,       LimitSwitches1, 5) \
    X(FetchLimitControl2,            Flag,       LimitSwitches2, 5) \
    X(FetchLimitControl3,            Flag,       LimitSwitches3, 5) \
    X(FetchLimitControl4,            Flag,       LimitSwitches4, 5) \
    /* analog output, relays, binary inputs */ \
    X(FetchAnalogInverted,           Flag,       AnalogRange, 0) \
    X(FetchAnalogRange,              Plain,      AnalogRange, 2) \
    X(FetchAnalogCtrl,               Number,     MeasStore, 0) \
    X(FetchAnalogFault,              Number,     MeasStore, 1) \
    X(FetchRelais,                   CodeNumber, Relays, 0) \
    X(FetchRelaisExt,                CodeNumber, ExtRelays, 0) \
    X(FetchBinary,                   CodeNumber, BinaryInputs, 0) \
    X(FetchBinaryExt,                CodeNumber, ExtBinaryInputs, 0) \
    /* pressure and interference compensation */ \
    X(FetchPressureRangeCurrent,     Plain,      PressureCorr, 0) \
    X(FetchPressureCorrType,         Plain,      PressureCorr, 1) \
    X(FetchPressureCorrChannel,      Number,     PressureCorrExt, 0) \
    X(FetchGasRangeCurrent,          Plain,      LateralGasCorr1, 0) \
    X(FetchGasRange,                 RangeFlag,  LateralGasCorr1, 1) \
    X(FetchGasCorrType,              Plain,      LateralGasCorr1, 5) \
    X(FetchGasRangeCurrent2,         Plain,      LateralGasCorr2, 0) \
    X(FetchGasRange2,                RangeFlag,  LateralGasCorr2, 1) \
    X(FetchGasCorrType2,             Plain,      LateralGasCorr2, 5) \
    X(FetchGasRangeCurrent3,         Plain,      LateralGasCorr3, 0) \
    X(FetchGasRange3,                RangeFlag,  LateralGasCorr3, 1) \
    X(FetchGasCorrType3,             Plain,      LateralGasCorr3, 5) \
    X(FetchGasRangeCurrent4,         Plain,      LateralGasCorr4, 0) \
    X(FetchGasRange4,                RangeFlag,  LateralGasCorr4, 1) \
    X(FetchGasCorrType4,             Plain,      LateralGasCorr4, 5) \
    X(FetchGasCompensationChannel1,  Number,     Compensation12, 0) \
    X(FetchGasCompensationComponent1, Number,    Compensation12, 1) \
    X(FetchGasCompensationChannel2,  Number,     Compensation12, 2) \
    X(FetchGasCompensationComponent2, Number,    Compensation12, 3) \
    X(FetchGasCompensationChannel3,  Number,     Compensation34, 0) \
    X(FetchGasCompensationComponent3, Number,    Compensation34, 1) \
    X(FetchGasCompensationChannel4,  Number,     Compensation34, 2) \
    X(FetchGasCompensationComponent4, Number,    Compensation34, 3) \
    /* unit, heating, pump, valves */ \
    X(FetchUnit,                     Number,     Unit, 0) \
    X(FetchHeatingTemp,              Number,     Heating, 1) \
    X(FetchSyncInput,                Flag,       Pump, 0) \
    X(FetchPumpOnMeas,               Flag,       Pump, 1) \
    X(FetchPumpOnSetpoint,           Flag,       Pump, 2) \
    X(FetchPressureZeroGas,          Flag,       InternalValves, 0) \
    X(FetchPressureSpanGas,          Flag,       InternalValves, 1) \
    X(FetchPressureSampleGas,        Flag,       InternalValves, 2) \
    /* switch records */ \
    X(FetchBroadcast,                Flag,       Switches, 2) \
    X(FetchPump,                     Flag,       Switches, 8) \
    X(FetchHeating,                  Flag,       Switches, 17) \
    X(FetchCommonZeroCalibration,    Flag,       Switches, 19) \
    X(FetchAdjustAll,                Flag,       CompSwitches, 2) \
    X(FetchIntegrationNegative,      Flag,       CompSwitches, 3) \
    /* states, types, names and versions */ \
    X(FetchWarmUpState,              Number,     WarmUpState, 0) \
    X(FetchStartingState,            Number,     StartingState, 0) \
    X(FetchQUENTAType,               QuentaType, InstrumentType, 0) \
    X(FetchChannelName,              Text,       ChannelName, 0) \
    X(FetchChannelType,              ChannelType, Version, 0) \
    X(FetchSerialNumber,             Text,       Version, 0) \
    X(FetchSoftwareVersion,          Text,       Version, 1) \
    X(FetchHardwareVersion,          Text,       Version, 2) \
    X(FetchOrderNumber,              Text,       Version, 3) \
    X(FetchFirmwareNumber,           Text,       Version, 4) \
    X(FetchAdapterboardBootVersion,  Text,       FirmwareVersions, 0) \
    X(FetchAdapterboardVersion,      Text,       FirmwareVersions, 1) \
    X(FetchOptionboardBootVersion,   Text,       FirmwareVersions, 2) \
    X(FetchOptionboardVersion,       Text,       FirmwareVersions, 3) \
    X(FetchMotherboardBootVersion,   Text,       FirmwareVersions, 4) \
    X(FetchMotherboardVersion,       Text,       FirmwareVersions, 5) \
    /* single float values */ \
    X(FetchAirPressure,              Pass,       AirPressure, 0) \
    X(FetchNullGas,                  Copy,       NullGas, 0) \
    X(FetchUnitMax,                  Copy,       CharactEndValue, 0) \
    X(FetchMeasRangeMax,             MeasRangeMax, CharactEndValue, 0) \
    X(FetchFrequency,                Copy,       Frequency, 0) \
    X(FetchShockCompensation,        Copy,       ShockCompensation, 0) \
    X(FetchFaultSignalDuration,      Copy,       FaultSignalDuration, 0) \
    X(FetchFaultSignalThreshold,     Copy,       FaultSignalThreshold, 0) \
    X(FetchSetPointAir,              Copy,       SlopeGasO2OnChannel3, 0) \
    X(FetchSetPointH2S,              Copy,       SlopeGasH2SOnChannel2, 0) \
    X(FetchSetPointAirOldFW,         SetPointOldFW, None, 0) \
    /* float groups */ \
    X(FetchAutocalCycleTime,         Copy,       AutocalCycle, 0) \
    X(FetchNextAutocal,              Copy,       AutocalCycle, 1) \
    X(FetchAutocalCycleAdjust,       Copy,       AutocalCycle, 2) \
    X(FetchIntegrationLimit,         Copy,       IntegrationTime, 0) \
    X(FetchIntegrationT90in,         Copy,       IntegrationTime, 1) \
    X(FetchIntegrationT90out,        Copy,       IntegrationTime, 2) \
    X(FetchIntegrationDeadTime,      Copy,       IntegrationTime, 3) \
    X(FetchLimit1,                   Copy,       LimitValues1, 0) \
    X(FetchLimit2,                   Copy,       LimitValues2, 0) \
    X(FetchLimit3,                   Copy,       LimitValues3, 0) \
    X(FetchLimit4,                   Copy,       LimitValues4, 0) \
    X(FetchAutorangeDown,            Copy,       AutorangeLimits, 0) \
    X(FetchAutorangeUp,              Copy,       AutorangeLimits, 1) \
    X(FetchPressureRangeStart,       Copy,       ExtPressureRange, 0) \
    X(FetchPressureRangeEnd,         Copy,       ExtPressureRange, 1) \
    X(FetchGasCorrEqui,              Copy,       LateralGasParams1, 0) \
    X(FetchGasRangeStart,            Copy,       LateralGasParams1, 1) \
    X(FetchGasRangeEnd,              Copy,       LateralGasParams1, 2) \
    X(FetchGasCorrEqui2,             Copy,       LateralGasParams2, 0) \
    X(FetchGasRangeStart2,           Copy,       LateralGasParams2, 1) \
    X(FetchGasRangeEnd2,             Copy,       LateralGasParams2, 2) \
    X(FetchGasCorrEqui3,             Copy,       LateralGasParams3, 0) \
    X(FetchGasRangeStart3,           Copy,       LateralGasParams3, 1) \
    X(FetchGasRangeEnd3,             Copy,       LateralGasParams3, 2) \
    X(FetchGasCorrEqui4,             Copy,       LateralGasParams4, 0) \
    X(FetchGasRangeStart4,           Copy,       LateralGasParams4, 1) \
    X(FetchGasRangeEnd4,             Copy,       LateralGasParams4, 2) \
    X(FetchLateralGasConcentration1, Pass,       LateralGasConcentration1, 0) \
    X(FetchLateralGasConcentration2, Pass,       LateralGasConcentration2, 0) \
    X(FetchLateralGasConcentration3, Pass,       LateralGasConcentration3, 0) \
    X(FetchLateralGasConcentration4, Pass,       LateralGasConcentration4, 0) \
    X(FetchLateralGas1Coeff1,        Pass,       LateralGasCoeff1, 0) \
    X(FetchLateralGas1Coeff2,        Pass,       LateralGasCoeff1, 1) \
    X(FetchLateralGas1Coeff3,        Pass,       LateralGasCoeff1, 2) \
    X(FetchLateralGas2Coeff1,        Pass,       LateralGasCoeff2, 0) \
    X(FetchLateralGas2Coeff2,        Pass,       LateralGasCoeff2, 1) \
    X(FetchLateralGas2Coeff3,        Pass,       LateralGasCoeff2, 2) \
    X(FetchLateralGas3Coeff1,        Pass,       LateralGasCoeff3, 0) \
    X(FetchLateralGas3Coeff2,        Pass,       LateralGasCoeff3, 1) \
    X(FetchLateralGas3Coeff3,        Pass,       LateralGasCoeff3, 2) \
    X(FetchLateralGas4Coeff1,        Pass,       LateralGasCoeff4, 0) \
    X(FetchLateralGas4Coeff2,        Pass,       LateralGasCoeff4, 1) \
    X(FetchLateralGas4Coeff3,        Pass,       LateralGasCoeff4, 2) \
    X(FetchAutocalCheckZeropoint,    Pass,       AutocalCheckTolerances, 0) \
    X(FetchAutocalCheckSensitivity,  Pass,       AutocalCheckTolerances, 1) \
    X(FetchSetPointBurnGas,          Pass,       SetPointsPressure, 0) \
    X(FetchSetPointBurnAir,          Pass,       SetPointsPressure, 1) \
    X(FetchPressureDeviation,        Pass,       PressureTolerances, 0) \
    X(FetchBurnGasTolerance,         Pass,       PressureTolerances, 1) \
    X(FetchBurnAirTolerance,         Pass,       PressureTolerances, 2) \
    X(FetchDriftValueZeroPoint,      Pass,       DriftValues, 0) \
    X(FetchDriftValueMeasRange1,     Pass,       DriftValues, 1) \
    X(FetchDriftValueMeasRange2,     Pass,       DriftValues, 2) \
    X(FetchDriftValueMeasRange3,     Pass,       DriftValues, 3) \
    X(FetchDriftValueMeasRange4,     Pass,       DriftValues, 4) \
    X(FetchDateOxy,                  Time,       DateOxy, 0) \
    X(FetchDateH2S,                  Time,       DateH2S, 0) \
    /* float arrays */ \
    X(FetchMeasRangeLower,           RangeCopy,  RangeStart, 0) \
    X(FetchMeasRangeUpper,           RangeCopy,  RangeEnd, 0) \
    X(FetchSlopeGas,                 RangeCopy,  SlopeGas, 0) \
    X(FetchMeasRangeLimits,          MeasRangeLimits, RangeStart, 0) \
    X(FetchAutocalStepTime,          StepTime,   RinseTime1, 0) \
    X(FetchAutocalStep,              AutocalStep, RinseTime1, 0) \
    X(FetchSensorTime,               SensorTime, SensorTimes, 0)

#define VASK_TRANSFER_ADAPTERS(X) \
    /* direct writes */ \
    X(TransferNullGas,               DirectCopy, NullGas, 0) \
    X(TransferMeasRangeMax,          DirectCopy, CharactEndValue, 0) \
    X(TransferUnitMax,               DirectCopy, CharactEndValue, 0) \
    X(TransferFrequency,             DirectCopy, Frequency, 0) \
    X(TransferShockCompensation,     DirectCopy, ShockCompensation, 0) \
    X(TransferFaultSignalDuration,   DirectCopy, FaultSignalDuration, 0) \
    X(TransferFaultSignalThreshold,  DirectCopy, FaultSignalThreshold, 0) \
    X(TransferSetPointAir,           DirectCopy, SlopeGasO2, 0) \
    X(TransferSetPointH2S,           DirectCopy, SlopeGasH2S, 0) \
    X(TransferChannelName,           DirectText, ChannelName, 0) \
    X(TransferDateOxy,               DirectTime, DateOxy, 0) \
    X(TransferDateH2S,               DirectTime, DateH2S, 0) \
    X(TransferUnit,                  DirectByte, Unit, 0) \
    X(TransferPressureCorrChannel,   DirectInt,  PressureCorrExt, 0) \
    X(TransferIntegrationNegative,   DirectInt,  SuppressNegativeAnalogSwitch, 0) \
    X(TransferBroadcast,             DirectInt,  BroadcastSwitch, 0) \
    X(TransferPump,                  DirectInt,  PumpSwitch, 0) \
    X(TransferHeating,               DirectInt,  HeatingSwitch, 0) \
    X(TransferAdjustAll,             DirectInt,  AdjustAllSwitch, 0) \
    /* checked direct writes */ \
    X(TransferLateralGasConcentration1, CheckedCopy, LateralGasConcentration1, 0) \
    X(TransferLateralGasConcentration2, CheckedCopy, LateralGasConcentration2, 0) \
    X(TransferLateralGasConcentration3, CheckedCopy, LateralGasConcentration3, 0) \
    X(TransferLateralGasConcentration4, CheckedCopy, LateralGasConcentration4, 0) \
    /* one value of a float group */ \
    X(TransferLimit1,                GroupCopy,  LimitValues1, 0) \
    X(TransferLimit2,                GroupCopy,  LimitValues2, 0) \
    X(TransferLimit3,                GroupCopy,  LimitValues3, 0) \
    X(TransferLimit4,                GroupCopy,  LimitValues4, 0) \
    X(TransferAutocalCycleTime,      GroupCopy,  AutocalCycle, 0) \
    X(TransferNextAutocal,           GroupCopy,  AutocalCycle, 1) \
    X(TransferAutocalCycleAdjust,    GroupCopy,  AutocalCycle, 2) \
    X(TransferIntegrationLimit,      GroupCopy,  IntegrationTime, 0) \
    X(TransferIntegrationT90in,      GroupCopy,  IntegrationTime, 1) \
    X(TransferIntegrationT90out,     GroupCopy,  IntegrationTime, 2) \
    X(TransferIntegrationDeadTime,   GroupCopy,  IntegrationTime, 3) \
    X(TransferAutorangeDown,         GroupCopy,  AutorangeLimits, 0) \
    X(TransferAutorangeUp,           GroupCopy,  AutorangeLimits, 1) \
    X(TransferPressureRangeStart,    GroupCopy,  ExtPressureRange, 0) \
    X(TransferPressureRangeEnd,      GroupCopy,  ExtPressureRange, 1) \
    X(TransferGasCorrEqui,           GroupCopy,  LateralGasParams1, 0) \
    X(TransferGasRangeStart,         GroupCopy,  LateralGasParams1, 1) \
    X(TransferGasRangeEnd,           GroupCopy,  LateralGasParams1, 2) \
    X(TransferGasCorrEqui2,          GroupCopy,  LateralGasParams2, 0) \
    X(TransferGasRangeStart2,        GroupCopy,  LateralGasParams2, 1) \
    X(TransferGasRangeEnd2,          GroupCopy,  LateralGasParams2, 2) \
    X(TransferGasCorrEqui3,          GroupCopy,  LateralGasParams3, 0) \
    X(TransferGasRangeStart3,        GroupCopy,  LateralGasParams3, 1) \
    X(TransferGasRangeEnd3,          GroupCopy,  LateralGasParams3, 2) \
    X(TransferGasCorrEqui4,          GroupCopy,  LateralGasParams4, 0) \
    X(TransferGasRangeStart4,        GroupCopy,  LateralGasParams4, 1) \
    X(TransferGasRangeEnd4,          GroupCopy,  LateralGasParams4, 2) \
    X(TransferPressureDeviation,     GroupCopy,  PressureTolerances, 0) \
    X(TransferBurnGasTolerance,      GroupCopy,  PressureTolerances, 1) \
    X(TransferBurnAirTolerance,      GroupCopy,  PressureTolerances, 2) \
    X(TransferAutocalCheckZeropoint, GroupCopy,  AutocalCheckTolerances, 0) \
    X(TransferAutocalCheckSensitivity, GroupCopy, AutocalCheckTolerances, 1) \
    /* one element of a float array */ \
    X(TransferMeasRangeLower,        RangeCopy,  RangeStart, 0) \
    X(TransferMeasRangeUpper,        RangeCopy,  RangeEnd, 0) \
    X(TransferSlopeGas,              RangeCopy,  SlopeGas, 0) \
    X(TransferAutocalStepTime,       StepTime,   RinseTime1, 0) \
    X(TransferS23AutocalStepTime,    S23StepTime, S23RinseTime1, 0) \
    X(TransferSensorTime,            SensorTime, SensorTimes, 0) \
    /* one item of an integer setting */ \
    X(TransferMeasRange,             GroupInt,   MeasRange, 0) \
    X(TransferAutorange,             GroupInt,   MeasRange, 1) \
    X(TransferAutocal,               GroupInt,   AutocalMode, 0) \
    X(TransferAutocalStartOnInput,   GroupInt,   AutocalMode, 1) \
    X(TransferAutocalStartOnCycle,   GroupInt,   AutocalMode, 2) \
    X(TransferAutocalCheck,          GroupInt,   AutocalMode, 3) \
    X(TransferAutocalStepNumber,     StepInt,    AutocalSteps, 0) \
    X(TransferLimitRange1,           RangeFlag,  LimitSwitches1, 0) \
    X(TransferLimitRange2,           RangeFlag,  LimitSwitches2, 0) \
    X(TransferLimitRange3,           RangeFlag,  LimitSwitches3, 0) \
    X(TransferLimitRange4,           RangeFlag,  LimitSwitches4, 0) \
    X(TransferLimitAlarm1,           GroupInt,   LimitSwitches1, 4) \
    X(TransferLimitAlarm2,           GroupInt,   LimitSwitches2, 4) \
    X(TransferLimitAlarm3,           GroupInt,   LimitSwitches3, 4) \
    X(TransferLimitAlarm4,           GroupInt,   LimitSwitches4, 4) \
    X(TransferLimitControl1,         GroupInt,   LimitSwitches1, 5) \
    X(TransferLimitControl2,         GroupInt,   LimitSwitches2, 5) \
    X(TransferLimitControl3,         GroupInt,   LimitSwitches3, 5) \
    X(TransferLimitControl4,         GroupInt,   LimitSwitches4, 5) \
    X(TransferPressureRangeCurrent,  GroupInt,   PressureCorr, 0) \
    X(TransferPressureCorrType,      GroupInt,   PressureCorr, 1) \
    X(TransferGasRangeCurrent,       GroupInt,   LateralGasCorr1, 0) \
    X(TransferGasRange,              RangeFlag,  LateralGasCorr1, 1) \
    X(TransferGasCorrType,           GroupInt,   LateralGasCorr1, 5) \
    X(TransferGasRangeCurrent2,      GroupInt,   LateralGasCorr2, 0) \
    X(TransferGasRange2,             RangeFlag,  LateralGasCorr2, 1) \
    X(TransferGasCorrType2,          GroupInt,   LateralGasCorr2, 5) \
    X(TransferGasRangeCurrent3,      GroupInt,   LateralGasCorr3, 0) \
    X(TransferGasRange3,             RangeFlag,  LateralGasCorr3, 1) \
    X(TransferGasCorrType3,          GroupInt,   LateralGasCorr3, 5) \
    X(TransferGasRangeCurrent4,      GroupInt,   LateralGasCorr4, 0) \
    X(TransferGasRange4,             RangeFlag,  LateralGasCorr4, 1) \
    X(TransferGasCorrType4,          GroupInt,   LateralGasCorr4, 5) \
    X(TransferGasCompensationChannel,    GroupInt, Compensation12, 0) \
    X(TransferGasCompensationComponent,  GroupInt, Compensation12, 1) \
    X(TransferGasCompensationChannel2,   GroupInt, Compensation12, 2) \
    X(TransferGasCompensationComponent2, GroupInt, Compensation12, 3) \
    X(TransferGasCompensationChannel3,   GroupInt, Compensation34, 0) \
    X(TransferGasCompensationComponent3, GroupInt, Compensation34, 1) \
    X(TransferGasCompensationChannel4,   GroupInt, Compensation34, 2) \
    X(TransferGasCompensationComponent4, GroupInt, Compensation34, 3) \
    X(TransferAnalogInverted,        GroupInt,   AnalogRange, 0) \
    X(TransferAnalogRange,           GroupInt,   AnalogRange, 2) \
    X(TransferAnalogCtrl,            GroupInt,   MeasStore, 0) \
    X(TransferAnalogFault,           GroupInt,   MeasStore, 1) \
    X(TransferRelais,                CodeInt,    Relays, 0) \
    X(TransferRelaisExt,             CodeInt,    ExtRelays, 0) \
    X(TransferBinary,                CodeInt,    BinaryInputs, 0) \
    X(TransferBinaryExt,             CodeInt,    ExtBinaryInputs, 0) \
    X(TransferSyncInput,             GroupInt,   Pump, 0) \
    X(TransferPumpOnMeas,            GroupInt,   Pump, 1) \
    X(TransferPumpOnSetpoint,        GroupInt,   Pump, 2) \
    X(TransferHeatingTemp,           GroupByte,  Heating, 1) \
    X(TransferStartingState,         GroupByte,  StartingState, 0) \
    X(TransferZeroGas,               GroupInt,   InternalValves, 0) \
    X(TransferSpanGas,               GroupInt,   InternalValves, 1) \
    X(TransferSampleGas,             GroupInt,   InternalValves, 2) \
    /* combined items that have no write */ \
    X(TransferMeasRangeLimits,       NoWrite,    None, 0) \
    X(TransferAutocalStep,           NoWrite,    None, 0)
// clang-format on
