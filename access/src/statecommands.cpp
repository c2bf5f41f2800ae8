// State commands ("Z") and switches ("F") of an analyzer channel, with the logic of
// Reset (waiting until the device answers again), AdjustSlope (range check) and Remote
// (one device at most in remote control).
#include "accessinternal.h"

namespace {

enum : DWORD {
    ResetWaitTime = 80000,  // ms a device may stay silent after a reset
    PollTimeout = 1000      // ms of each poll while waiting
};

}  // namespace

int CvaskAccess::Reset(int address, int channel, int wait) {
    int result = SetState(StateReset, address, channel);
    if (!result || !wait) return result;
    return WaitAfterReset(address);
}

int CvaskAccess::WaitAfterReset(int address) {
    // The component-status read: any answer shows that the device runs again.
    CParamArray parameters;
    CPCvaskMessage request('k', 4, DT_REQUEST, &parameters);
    CMTimer timer;
    timer.SetTimeout(ResetWaitTime);
    for (;;) {
        // A restarting device is silent by nature: its missed polls must not make it
        // unavailable, or the rest of the wait would spin on refusals instead of polling.
        CDeviceData* device = LookupDevice(address);
        if (device != NULL && device->GetFaultCounter() >= CDeviceData::UnavailableFaults)
            device->SetFaultCounter(CDeviceData::UnavailableFaults - 1);
        CPCvaskMessage* answer = NULL;
        int result = Send(address, 0, &request, answer, PollTimeout);
        delete answer;
        if (result || timer.Timeout()) return result;
    }
}

int CvaskAccess::AdjustSlope(int address, int channel, int range) {
    if (range < 1 || range > GetMeasRangeCount(address)) {
        SetError(&Error(), ErrorInvalidRange, 0);
        return 0;
    }
    return SetInt('Z', StateAdjustSlope, address, channel, range);
}

int CvaskAccess::Remote(int address, int channel, int on) {
    if (on && m_remoteAddress != address) {
        if (m_remoteAddress != -1) Remote(m_remoteAddress, 1, 0);
        m_remoteAddress = address;
        m_remoteMode = 1;
    }
    if (!on && m_remoteAddress == address) {
        m_remoteAddress = -1;
        m_remoteMode = 0;
    }
    return SetSwitch(SwitchRemote, address, channel, on);
}

// ---- plain state commands -----------------------------------------------------------------
int CvaskAccess::Pause(int address, int channel) { return SetState(StatePause, address, channel); }
int CvaskAccess::Standby(int address, int channel) {
    return SetState(StateStandby, address, channel);
}
int CvaskAccess::Measure(int address, int channel) {
    return SetState(StateMeasure, address, channel);
}
int CvaskAccess::AdjustZeroPoint(int address, int channel) {
    return SetState(StateAdjustZeroPoint, address, channel);
}
int CvaskAccess::AdustSlope(int address, int channel) {
    return SetState(StateAdjustSlopeAll, address, channel);
}
int CvaskAccess::AdjustLinearSag(int address, int channel) {
    return SetState(StateAdjustLinearSag, address, channel);
}
int CvaskAccess::AdjustLinearSens(int address, int channel) {
    return SetState(StateAdjustLinearSens, address, channel);
}
int CvaskAccess::AdjustTempCoefficient(int address, int channel) {
    return SetState(StateAdjustTempCoefficient, address, channel);
}
int CvaskAccess::AdjustPressureComp(int address, int channel) {
    return SetState(StateAdjustPressureComp, address, channel);
}
int CvaskAccess::AdjustZeroPointLinear(int address, int channel) {
    return SetState(StateAdjustZeroPointLinear, address, channel);
}
int CvaskAccess::AdjustFlowSensor(int address, int channel) {
    return SetState(StateAdjustFlowSensor, address, channel);
}
int CvaskAccess::Autocal(int address, int channel) {
    return SetState(StateAutocal, address, channel);
}
int CvaskAccess::AdjustPhase(int address, int channel) {
    return SetState(StateAdjustPhase, address, channel);
}
int CvaskAccess::AdjustZeroPointOxy(int address, int channel) {
    return SetState(StateAdjustZeroPointOxy, address, channel);
}
int CvaskAccess::AdjustAnalogOutput(int address, int channel) {
    return SetState(StateAdjustAnalogOutput, address, channel);
}
int CvaskAccess::AdjustAnalogInput(int address, int channel) {
    return SetState(StateAdjustAnalogInput, address, channel);
}
int CvaskAccess::AutocalCheck(int address, int channel) {
    return SetState(StateAutocalCheck, address, channel);
}
int CvaskAccess::AdjustRiseO2(int address, int channel) {
    return SetState(StateAdjustRiseO2, address, channel);
}
int CvaskAccess::AdjustZeroPointH2S(int address, int channel) {
    return SetState(StateAdjustZeroPointH2S, address, channel);
}
int CvaskAccess::AdjustRiseH2S(int address, int channel) {
    return SetState(StateAdjustRiseH2S, address, channel);
}

// ---- plain switches -----------------------------------------------------------------------
int CvaskAccess::PressureSwitchMeas(int address, int channel, int on) {
    return SetSwitch(SwitchPressureMeas, address, channel, on);
}
int CvaskAccess::PressureSwitchComp(int address, int channel, int on) {
    return SetSwitch(SwitchPressureComp, address, channel, on);
}
int CvaskAccess::AdjustAll(int address, int channel, int on) {
    return SetSwitch(SwitchAdjustAll, address, channel, on);
}
int CvaskAccess::Service(int address, int channel, int on) {
    return SetSwitch(SwitchService, address, channel, on);
}
int CvaskAccess::NullGasValve(int address, int channel, int on) {
    return SetSwitch(SwitchNullGasValve, address, channel, on);
}
int CvaskAccess::Ignite(int address, int channel, int on) {
    return SetSwitch(SwitchIgnite, address, channel, on);
}
int CvaskAccess::MagneticField(int address, int channel, int on) {
    return SetSwitch(SwitchMagneticField, address, channel, on);
}
int CvaskAccess::MagneticValve(int address, int channel, int on) {
    return SetSwitch(SwitchMagneticValve, address, channel, on);
}
int CvaskAccess::Broadcast(int address, int channel, int on) {
    return SetSwitch(SwitchBroadcast, address, channel, on);
}
int CvaskAccess::Pump(int address, int channel, int on) {
    return SetSwitch(SwitchPump, address, channel, on);
}
int CvaskAccess::Radiator(int address, int channel, int on) {
    return SetSwitch(SwitchRadiator, address, channel, on);
}
int CvaskAccess::LogInhibit(int address, int channel, int on) {
    return SetSwitch(SwitchLogInhibit, address, channel, on);
}
int CvaskAccess::SensorSwitch(int address, int channel, int on) {
    return SetSwitch(SwitchSensorSwitch, address, channel, on);
}
int CvaskAccess::SuppressNegativeAnalog(int address, int channel, int on) {
    return SetSwitch(SwitchSuppressNegativeAnalog, address, channel, on);
}
int CvaskAccess::RangeWarning(int address, int channel, int on) {
    return SetSwitch(SwitchRangeWarning, address, channel, on);
}
int CvaskAccess::Clean(int address, int channel, int on) {
    return SetSwitch(SwitchClean, address, channel, on);
}
int CvaskAccess::AdjustZeroBeforeSlope(int address, int channel, int on) {
    return SetSwitch(SwitchAdjustZeroBeforeSlope, address, channel, on);
}
int CvaskAccess::Heating(int address, int channel, int on) {
    return SetSwitch(SwitchHeating, address, channel, on);
}
int CvaskAccess::CommonZero(int address, int channel, int on) {
    return SetSwitch(SwitchCommonZero, address, channel, on);
}
int CvaskAccess::SuppressNegativeDisplay(int address, int channel, int on) {
    return SetSwitch(SwitchSuppressNegativeDisplay, address, channel, on);
}
int CvaskAccess::Ignition(int address, int channel, int on) {
    return SetSwitch(SwitchIgnition, address, channel, on);
}
int CvaskAccess::Catalysator(int address, int channel, int on) {
    return SetSwitch(SwitchCatalysator, address, channel, on);
}
int CvaskAccess::Fan(int address, int channel, int on) {
    return SetSwitch(SwitchFan, address, channel, on);
}
