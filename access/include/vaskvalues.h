// The float values of an analyzer channel: one row per value group, read with "w" and
// written with "W" and the group's value command number as the function number.
//
// The list is the one description of the groups: the value command numbers below, the
// members of CvaskAccess (Get<name> and, for RW rows, Set<name>) and their requests are
// all made from it.
#pragma once

// Every value group: member name, value command number, values per request, wire order,
// cache and access. The count is a number for a fixed group, RANGES for one list of
// range-count values, SIX for one list of six values, and DATE0, DATE12 or CLOCK for the
// date values (day, month, year at 0 or 12 o'clock; minute, hour, day, month, year). The
// wire order gives, for each value in the order it travels, the argument (1 = first value
// argument) it comes from or goes to; "" means the arguments follow the wire order.
#define VASK_FLOAT_GROUPS(X)                            \
    X(MeasurementLower, 1, RANGES, "", RangeLower, RW)  \
    X(MeasurementUpper, 2, RANGES, "", RangeUpper, RW)  \
    X(SlopeGas, 3, RANGES, "", NoCache, RW)             \
    X(LinearGas, 4, 2, "", NoCache, RW)                 \
    X(NullGas, 5, 1, "", NoCache, RW)                   \
    X(AutocalCycle, 6, 3, "213", AutocalCycle, RW)      \
    X(AutocalRinseTime1, 7, SIX, "", NoCache, RW)       \
    X(AutocalRinseTime2, 8, SIX, "", NoCache, RW)       \
    X(Limit1, 9, 2, "", Limit1, RW)                     \
    X(Limit2, 10, 2, "", Limit2, RW)                    \
    X(IntegrationTime, 11, 4, "", Integration, RW)      \
    X(AutorangeLimits, 12, 2, "21", NoCache, RW)        \
    X(PumpPower, 13, 1, "", NoCache, RW)                \
    X(DateOxy, 14, DATE12, "", NoCache, RW)             \
    X(DateNitroxy, 15, DATE0, "", NoCache, RW)          \
    X(Date, 16, CLOCK, "", NoCache, RW)                 \
    X(FlowSetting, 17, 1, "", NoCache, RW)              \
    X(AirPressure, 18, 1, "", AirPressure, RW)          \
    X(AnalogOutput, 19, 1, "", AnalogOutput, RW)        \
    X(Frequency, 21, 1, "", NoCache, RW)                \
    X(Reducer, 22, 1, "", NoCache, RW)                  \
    X(Phase, 23, 1, "", NoCache, RW)                    \
    X(FaultSignalDuration, 24, 1, "", NoCache, RW)      \
    X(AdjustTolerance, 25, 3, "", Tolerance, RW)        \
    X(ShockCompensation, 26, 1, "", NoCache, RW)        \
    X(ExtPressureRange, 27, 2, "", NoCache, RW)         \
    X(LateralGasParams, 28, 3, "", NoCache, RW)         \
    X(SensorTimes, 29, SIX, "", NoCache, RW)            \
    X(RelayDelay, 30, 3, "", NoCache, RW)               \
    X(RefTemp, 31, 1, "", NoCache, RW)                  \
    X(ControllerParam, 32, 2, "", NoCache, RW)          \
    X(ControllerValue, 33, 2, "", NoCache, RW)          \
    X(ControllerLimits, 34, 2, "", NoCache, RW)         \
    X(ControllerPoint1, 35, 3, "", NoCache, RW)         \
    X(ControllerPoint2, 36, 3, "", NoCache, RW)         \
    X(AlarmLimits, 37, 4, "", NoCache, RW)              \
    X(CleaningTimes, 38, 5, "", NoCache, RW)            \
    X(OutputMiddle, 39, 1, "", NoCache, RW)             \
    X(AutorangeLower, 40, 3, "", NoCache, RW)           \
    X(AutorangeUpper, 41, 3, "", NoCache, RW)           \
    X(CharactEndValue, 42, 1, "", NoCache, RW)          \
    X(Deviations, 43, 2, "", NoCache, R)                \
    X(LateralGasParams2, 44, 3, "", NoCache, RW)        \
    X(Limit3, 63, 2, "", Limit3, RW)                    \
    X(Limit4, 64, 2, "", Limit4, RW)                    \
    X(AutocalCheckTolerances, 65, 2, "", NoCache, RW)   \
    X(LateralGasParams3, 66, 3, "", NoCache, RW)        \
    X(LateralGasParams4, 67, 3, "", NoCache, RW)        \
    X(LateralGasConcentration1, 68, 1, "", NoCache, RW) \
    X(LateralGasConcentration2, 69, 1, "", NoCache, RW) \
    X(LateralGasConcentration3, 70, 1, "", NoCache, RW) \
    X(LateralGasConcentration4, 71, 1, "", NoCache, RW) \
    X(LateralGasCoeff1, 72, 3, "", NoCache, RW)         \
    X(LateralGasCoeff2, 73, 3, "", NoCache, RW)         \
    X(LateralGasCoeff3, 74, 3, "", NoCache, RW)         \
    X(LateralGasCoeff4, 75, 3, "", NoCache, RW)         \
    X(FaultSignalThreshold, 77, 1, "", NoCache, RW)     \
    X(SetPointsPressure, 81, 2, "", NoCache, R)         \
    X(PressureTolerances, 82, 3, "231", NoCache, RW)    \
    X(DriftValues, 83, 5, "", NoCache, RW)              \
    X(SlopeGasO2, 89, 1, "", NoCache, RW)               \
    X(DateH2S, 90, DATE12, "", NoCache, RW)             \
    X(SlopeGasH2S, 91, 1, "", NoCache, RW)

// Value command numbers: the function numbers of "w" and "W".
enum VaskValueCommand : int {
#define VASK_VALUE_COMMAND(name, number, count, order, cache, access) Value##name = number,
    VASK_FLOAT_GROUPS(VASK_VALUE_COMMAND)
#undef VASK_VALUE_COMMAND
};

// Function numbers of the "k" report lists.
enum VaskGetMiscCommand : int {
    MiscFaults = 5,
    MiscMaintenanceRequests = 12,
    MiscFaultsBeforeTransition = 13,
    MiscReportStatus = 18
};
