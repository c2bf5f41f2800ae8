// The analyzer's device operations: the rows of vaskoperations.def that follow the shared
// pattern are generated here; the others are written out below, with the dispatchers by
// interference gas and the component status text.
#include "vaskinstrument.h"

#include "appwait.h"
#include "resource.h"
#include "texts.h"

#include <utility>

namespace {

// The outputs that a failed or offline read clears.
void ClearOutputs() {}
template <class... Rest>
void ClearOutputs(CTime& time, Rest&... rest);
template <class... Rest>
void ClearOutputs(VaskFloat& value, Rest&... rest) {
    SetNoValue(value);
    ClearOutputs(rest...);
}
template <class... Rest>
void ClearOutputs(CTime& time, Rest&... rest) {
    time = CTime(0);
    ClearOutputs(rest...);
}

// The most values a measured-value reply carries (the access object fills as many as the
// device sends).
const int kMeasValues = 30;
// The components whose values the analyzer hands out.
const int kComponents = 4;
// The interference gases of the dispatchers, 1 to kGases.
const int kGases = 4;
// How long the device runs its temperature cycle before the stage is set back.
const int kTempCycleSeconds = 2;
// The warm-up state that the analyzer gives while a transfer of its own runs.
const int kWarmingUp = 1;

// Calls the operation of gas n (1 to 4) of `operations` on the analyzer, through the virtual
// table; any other n gives 0 and calls nothing.
template <class Operation, class... Args>
int DispatchByGas(CVaskInstrument& analyzer, int n, const Operation (&operations)[kGases],
                  Args&&... args) {
    if (n < 1 || n > kGases) return 0;
    return (analyzer.*operations[n - 1])(std::forward<Args>(args)...);
}

}  // namespace

#define VASK_UNPAREN(...) __VA_ARGS__
// The shared pattern; `guard` is a statement that holds for the length of the request.
#define VASK_COMMON_BODY(name, parameters, member, arguments, messageId, messageArgument, reset, \
                         guard)                                                                  \
    int CVaskInstrument::name parameters {                                                       \
        int result = 0;                                                                          \
        if (IsOnline()) {                                                                        \
            guard;                                                                               \
            result = Reported(m_access->member(m_address, VASK_UNPAREN arguments), messageId,    \
                              messageArgument);                                                  \
        }                                                                                        \
        if (result == 0) ClearOutputs reset;                                                     \
        return result;                                                                           \
    }
#define VASK_BODY_Common(name, parameters, member, arguments, messageId, messageArgument, reset) \
    VASK_COMMON_BODY(name, parameters, member, arguments, messageId, messageArgument, reset, )
#define VASK_BODY_Waiting(name, parameters, member, arguments, messageId, messageArgument, reset) \
    VASK_COMMON_BODY(name, parameters, member, arguments, messageId, messageArgument, reset,      \
                     CWaitCursor wait)
#define VASK_BODY_Own(name, parameters, member, arguments, messageId, messageArgument, reset)
#define VASK_OPERATION(name, parameters, member, arguments, messageId, messageArgument, reset, \
                       body)                                                                   \
    VASK_BODY_##body(name, parameters, member, arguments, messageId, messageArgument, reset)
#include "vaskoperations.def"
#undef VASK_BODY_Common
#undef VASK_BODY_Waiting
#undef VASK_BODY_Own
#undef VASK_COMMON_BODY
#undef VASK_UNPAREN

// ---- commands ---------------------------------------------------------------------------

int CVaskInstrument::ReservedCommand() {
    // No model has a request behind this slot.
    return 0;
}

int CVaskInstrument::AdjustTempCoefficient() {
    if (!IsOnline()) return 0;
    const int started =
        Reported(m_access->AdjustTempCoefficient(m_address, 0), IDS_ERR_ADJUST_TEMP_COEFFICIENT);
    // A cycle that did not start is not ended: setting the stage could succeed and hide the
    // failure.
    if (!started) return 0;
    WaitWithMessages(kTempCycleSeconds);
    return SetCompStage(0);
}

// ---- switches ---------------------------------------------------------------------------

int CVaskInstrument::Remote(int on) {
    if (!IsOnline()) return 1;
    return Reported(m_access->Remote(m_address, 0, on), IDS_ERROR);
}

// ---- dispatchers by interference gas ----------------------------------------------------

int CVaskInstrument::GetLateralGasCorrN(int n, int c, CorrectionStruct2& corr) {
    static const decltype(&CVaskInstrument::GetLateralGasCorr) operations[kGases] = {
        &CVaskInstrument::GetLateralGasCorr, &CVaskInstrument::GetLateralGasCorr2,
        &CVaskInstrument::GetLateralGasCorr3, &CVaskInstrument::GetLateralGasCorr4};
    return DispatchByGas(*this, n, operations, c, corr);
}

int CVaskInstrument::SetLateralGasCorrN(int n, int c, const CorrectionStruct2& corr) {
    static const decltype(&CVaskInstrument::SetLateralGasCorr) operations[kGases] = {
        &CVaskInstrument::SetLateralGasCorr, &CVaskInstrument::SetLateralGasCorr2,
        &CVaskInstrument::SetLateralGasCorr3, &CVaskInstrument::SetLateralGasCorr4};
    return DispatchByGas(*this, n, operations, c, corr);
}

int CVaskInstrument::GetLateralGasParamsN(int n, int c, VaskFloat& value1, VaskFloat& value2,
                                          VaskFloat& value3) {
    static const decltype(&CVaskInstrument::GetLateralGasParams) operations[kGases] = {
        &CVaskInstrument::GetLateralGasParams, &CVaskInstrument::GetLateralGasParams2,
        &CVaskInstrument::GetLateralGasParams3, &CVaskInstrument::GetLateralGasParams4};
    return DispatchByGas(*this, n, operations, c, value1, value2, value3);
}

int CVaskInstrument::SetLateralGasParamsN(int n, int c, const VaskFloat& value1,
                                          const VaskFloat& value2, const VaskFloat& value3) {
    static const decltype(&CVaskInstrument::SetLateralGasParams) operations[kGases] = {
        &CVaskInstrument::SetLateralGasParams, &CVaskInstrument::SetLateralGasParams2,
        &CVaskInstrument::SetLateralGasParams3, &CVaskInstrument::SetLateralGasParams4};
    return DispatchByGas(*this, n, operations, c, value1, value2, value3);
}

int CVaskInstrument::GetLateralGasConcentrationN(int n, int c, VaskFloat& value) {
    static const decltype(&CVaskInstrument::GetLateralGasConcentration1) operations[kGases] = {
        &CVaskInstrument::GetLateralGasConcentration1,
        &CVaskInstrument::GetLateralGasConcentration2,
        &CVaskInstrument::GetLateralGasConcentration3,
        &CVaskInstrument::GetLateralGasConcentration4};
    return DispatchByGas(*this, n, operations, c, value);
}

int CVaskInstrument::SetLateralGasConcentrationN(int n, int c, const VaskFloat& value) {
    static const decltype(&CVaskInstrument::SetLateralGasConcentration1) operations[kGases] = {
        &CVaskInstrument::SetLateralGasConcentration1,
        &CVaskInstrument::SetLateralGasConcentration2,
        &CVaskInstrument::SetLateralGasConcentration3,
        &CVaskInstrument::SetLateralGasConcentration4};
    return DispatchByGas(*this, n, operations, c, value);
}

// ---- sensor dates (the Sindor 23 reads and writes them) -------------------------------

// The callers show the date: a model without the sensor gives none rather than what the
// caller's variable held.
int CVaskInstrument::GetDateOxy(CTime& time) {
    time = CTime(0);
    return 1;
}

int CVaskInstrument::SetDateOxy(const CTime&) { return 1; }

int CVaskInstrument::GetDateH2S(CTime& time) {
    time = CTime(0);
    return 1;
}

int CVaskInstrument::SetDateH2S(const CTime&) { return 1; }

// ---- measured values and status ---------------------------------------------------------

int CVaskInstrument::GetMeas(VaskFloat* values) {
    if (!IsOnline()) return 0;
    MeasValues kept;
    const int result = AskOnce(m_measMemo, kept, [this](MeasValues& out) {
        // A device may send more values than the caller's four: the access object fills a
        // buffer of the most a reply holds. Components the reply lacks carry the no-value
        // mark.
        VaskFloat read[kMeasValues];
        for (int c = 0; c < kComponents; ++c) SetNoValue(read[c]);
        const int ok = m_access->GetMeas(m_address, 0, read, 0);
        if (ok)
            for (int c = 0; c < kComponents; ++c) out.values[c] = read[c];
        return ok;
    });
    if (result)
        for (int c = 0; c < kComponents; ++c) values[c] = kept.values[c];
    return Reported(result, IDS_ERROR);
}

int CVaskInstrument::GetCompSwitches(int c, CompSwitchStruct& record) {
    if (!IsOnline()) return 0;
    auto read = [&](CompSwitchStruct& out) { return m_access->GetCompSwitches(m_address, c, out); };
    const int result = c >= 0 && c < kComponents ? AskOnce(m_compSwitchMemo[c], record, read)
                                                 : AskDevice([&] { return read(record); });
    return Reported(result, IDS_ERROR);
}

int CVaskInstrument::GetExtStatus(ExtStatusStruct& record) {
    if (!IsOnline()) return 0;
    return Reported(AskOnce(m_extStatusMemo, record,
                            [this](ExtStatusStruct& out) {
                                return m_access->GetExtStatus(m_address, 0, out);
                            }),
                    IDS_ERROR);
}

int CVaskInstrument::GetCompSwitchText(int c, CString& text) {
    CompSwitchStruct switches;
    if (!GetCompSwitches(c, switches)) {
        text = LoadText(IDS_UNKNOWN);
        return 0;
    }
    // The first five switches in record order, each with its mark.
    const struct {
        BOOL on;
        const char* mark;
    } shown[] = {{switches.autorange, "AR"},
                 {switches.autocalCycles, "GW"},
                 {switches.adjustAll, "GJ"},
                 {switches.negativeIntegration, "NU"},
                 {switches.limitMonitoring, "JM"}};
    text = "[";
    for (const auto& s : shown) {
        text += " ";
        text += s.on ? s.mark : "__";
    }
    text += " ] ";
    return 1;
}

// ---- channel name -----------------------------------------------------------------------

int CVaskInstrument::GetChannelName(CString& name) {
    if (!IsOnline()) {
        VaskFloat value = m_channelName.GetCachedValue();
        m_channelName.GetValue(value);
        name = value.text;
        return 1;
    }
    return Reported(m_access->GetChannelName(m_address, 0, name), IDS_ERROR);
}

int CVaskInstrument::SetChannelName(const CString& name) {
    if (!IsOnline()) {
        VaskFloat value;
        value.value = 0.0;
        value.unit = 1;
        value.quantity = 1;
        m_channelName.SetValue(value);
        m_channelName.SetValueText(name);
    } else {
        if (!Reported(m_access->SetChannelName(m_address, 0, name), IDS_ERROR)) return 0;
    }
    SetName(name);
    // The tree view redraws the node under its new name.
    SetChanged(1);
    return 1;
}

// ---- start-up state and model variant ---------------------------------------------------

int CVaskInstrument::GetWarmUpState(WarmUpStatusType& state) {
    // A device taking a firmware or parameter set is warming up; asking it would only
    // disturb the transfer.
    if (m_transferRunning) {
        state = WarmUpStatusType(kWarmingUp);
        return 0;
    }
    if (!IsOnline()) return 0;
    return Reported(AskOnce(m_warmUpMemo, state,
                            [this](WarmUpStatusType& out) {
                                return m_access->GetWarmUpState(m_address, 0, out);
                            }),
                    IDS_ERROR);
}

int CVaskInstrument::GetInstrumentType(QuentaType& type) {
    if (!IsOnline()) {
        type = QuentaType(m_quentaVariant);
        return 1;
    }
    QuentaType read = QuentaType(1);
    const int answered = AskOnce(m_instrumentTypeMemo, read, [this](QuentaType& out) {
        return m_access->GetInstrumentType(m_address, 0, out);
    });
    type = answered ? read : QuentaType(1);
    return 1;
}
