// What the parameter sheet's tests share: a scripted analyzer that also answers the range,
// autorange and type operations of the parameter pages (and records their writes), and the
// offline entries by key.
#pragma once

#include "pagegrids.h"
#include "sheetkit.h"

#include <initializer_list>
#include <set>
#include <string>

// Calls of a Script that fail for one component only ("GetMeasRange(1)").
struct ParamScript : Script {
    std::set<std::string> failing;
    int instrumentType = 1;
    int range = 2;
    int autorange = 0;
    int samplePointSwitch = 1;
    int measReads = 0;
    VaskFloat frequency = Value(0, 3);
    std::vector<int> channelStates;
    int valves[3] = {0, 0, 0};  // sample, span, zero
    // The arguments of the writes, in order ("SetMeasRange(0,3,1)").
    std::vector<std::string> writes;
};

template <class Model>
class ParamScripted : public Scripted<Model> {
public:
    template <class... Args>
    explicit ParamScripted(ParamScript* script, Args&&... args)
        : Scripted<Model>(script, std::forward<Args>(args)...), p_(script) {}

    int GetMeasRange(int c, int& range, int& autorange) override {
        if (!Call("GetMeasRange", c)) return 0;
        range = p_->range, autorange = p_->autorange;
        return 1;
    }
    int GetMeasurementUpper(int c, VaskFloat* values) override {
        for (int i = 0; i < kAccessRangeValues; ++i) values[i] = p_->Value(c, i);
        return Call("GetMeasurementUpper", c);
    }
    int SetMeasRange(int c, int range, int autorange) override {
        Write("SetMeasRange", c, std::to_string(range) + "," + std::to_string(autorange));
        return Call("SetMeasRange", c);
    }
    int SetMeasurementLower(int c, VaskFloat* values) override {
        Write("SetMeasurementLower", c, Texts(values));
        return Call("SetMeasurementLower", c);
    }
    int SetMeasurementUpper(int c, VaskFloat* values) override {
        Write("SetMeasurementUpper", c, Texts(values));
        return Call("SetMeasurementUpper", c);
    }
    int GetAutorangeLimits(int c, VaskFloat& down, VaskFloat& up) override {
        down = p_->Value(c, 5), up = p_->Value(c, 6);
        return Call("GetAutorangeLimits", c);
    }
    int SetAutorangeLimits(int c, const VaskFloat& down, const VaskFloat& up) override {
        Write("SetAutorangeLimits", c, std::string(down.text) + "," + (LPCSTR)up.text);
        return Call("SetAutorangeLimits", c);
    }
    int GetCharactEndValue(int c, VaskFloat& value) override {
        value = p_->Value(c, 9);
        return Call("GetCharactEndValue", c);
    }
    int GetInstrumentType(QuentaType& type) override {
        p_->calls.push_back("GetInstrumentType");
        type = QuentaType(p_->instrumentType);
        return 1;
    }

    int SetIntegrationTime(int c, const VaskFloat& delta, const VaskFloat& in, const VaskFloat& out,
                           const VaskFloat& dead) override {
        Write("SetIntegrationTime", c,
              std::string(delta.text) + "," + (LPCSTR)in.text + "," + (LPCSTR)out.text + "," +
                  (LPCSTR)dead.text);
        return Call("SetIntegrationTime", c);
    }
    int SetFaultSignalThreshold(int c, const VaskFloat& value) override {
        Write("SetFaultSignalThreshold", c, (LPCSTR)value.text);
        return Call("SetFaultSignalThreshold", c);
    }
    int SetFaultSignalDuration(int c, const VaskFloat& value) override {
        Write("SetFaultSignalDuration", c, (LPCSTR)value.text);
        return Call("SetFaultSignalDuration", c);
    }

    int SetPressureCorr(int c, const CorrectionStruct1& corr) override {
        Write("SetPressureCorr", c,
              std::to_string(corr.currentRange) + "," + std::to_string(corr.correctionType));
        return Call("SetPressureCorr", c);
    }
    int SetExtPressureRange(int c, const VaskFloat& start, const VaskFloat& end) override {
        Write("SetExtPressureRange", c, std::string(start.text) + "," + (LPCSTR)end.text);
        return Call("SetExtPressureRange", c);
    }
    int SetPressureCorrExt(int channel) override {
        Write("SetPressureCorrExt", 0, std::to_string(channel));
        return Call("SetPressureCorrExt", 0);
    }

    int GetSwitches(ChannelSwitchStruct& record) override {
        record = {};
        record.flags[12] = p_->samplePointSwitch;
        return Call("GetSwitches", 0);
    }
    int SetSensorTimes(VaskFloat* values) override {
        std::string texts;
        for (int i = 0; i < 6; ++i) texts += (i ? "|" : "") + std::string(values[i].text);
        Write("SetSensorTimes", 0, texts);
        return Call("SetSensorTimes", 0);
    }
    int SensorSwitch(int on) override {
        Write("SensorSwitch", 0, std::to_string(on));
        return Call("SensorSwitch", 0);
    }

    int GetComponentMeas(int c, VaskFloat& value) override {
        value = p_->Value(c, 7);
        value.text.Format("%d.5", ++p_->measReads);
        return Call("GetComponentMeas", c);
    }
    int GetPhase(int c, VaskFloat& value) override {
        value = p_->Value(c, 8);
        return Call("GetPhase", c);
    }
    int GetFrequency(VaskFloat& value) override {
        value = p_->frequency;
        return Call("GetFrequency", 0);
    }
    int SetFrequency(const VaskFloat& value) override {
        Write("SetFrequency", 0, (LPCSTR)value.text);
        p_->frequency = value;
        return Call("SetFrequency", 0);
    }
    int GetShockCompensation(VaskFloat& value) override {
        value = p_->Value(0, 4);
        return Call("GetShockCompensation", 0);
    }
    int SetShockCompensation(const VaskFloat& value) override {
        Write("SetShockCompensation", 0, (LPCSTR)value.text);
        return Call("SetShockCompensation", 0);
    }
    int AdjustPhase(int c) override { return Call("AdjustPhase", c); }
    // The scripted channel states one by one, the last one for ever.
    int GetChannelState() override {
        p_->calls.push_back("GetChannelState");
        if (p_->channelStates.empty()) return 0;
        const int state = p_->channelStates.front();
        if (p_->channelStates.size() > 1) p_->channelStates.erase(p_->channelStates.begin());
        return state;
    }
    int GetPressureInternalValves(int& sample, int& span, int& zero) override {
        sample = p_->valves[0], span = p_->valves[1], zero = p_->valves[2];
        return Call("GetPressureInternalValves", 0);
    }
    int SetPressureInternalValves(int sample, int span, int zero) override {
        Write("SetPressureInternalValves", 0,
              std::to_string(sample) + std::to_string(span) + std::to_string(zero));
        return Call("SetPressureInternalValves", 0);
    }

#define PARAM_SCRIPTED_LIMIT(n)                                                              \
    int SetLimit##n(int c, const VaskFloat& value, const VaskFloat& second) override {       \
        Write("SetLimit" #n, c, std::string(value.text) + "," + (LPCSTR)second.text);        \
        return Call("SetLimit" #n, c);                                                       \
    }                                                                                        \
    int SetLimit##n(int c, const LimitStruct& l) override {                                  \
        Write("SetLimit" #n "Flags", c,                                                      \
              Flags({l.activeInRange1, l.activeInRange2, l.activeInRange3, l.activeInRange4, \
                     l.alarmDirection, l.limitActive}));                                     \
        return Call("SetLimit" #n "Flags", c);                                               \
    }
    PARAM_SCRIPTED_LIMIT(1)
    PARAM_SCRIPTED_LIMIT(2)
    PARAM_SCRIPTED_LIMIT(3)
    PARAM_SCRIPTED_LIMIT(4)
#undef PARAM_SCRIPTED_LIMIT

protected:
    static std::string Flags(std::initializer_list<BOOL> flags) {
        std::string out;
        for (BOOL f : flags) out += f ? '1' : '0';
        return out;
    }
    // Records the call; 0 when the script fails it for this component or by name.
    int Call(const std::string& name, int c) {
        const std::string call = name + "(" + std::to_string(c) + ")";
        p_->calls.push_back(call);
        if (p_->failing.count(call)) return 0;
        return p_->Result(name);
    }
    void Write(const std::string& name, int c, const std::string& args) {
        p_->writes.push_back(name + "(" + std::to_string(c) + "," + args + ")");
    }
    static std::string Texts(const VaskFloat* values) {
        std::string out;
        for (int r = 0; r < kGridRanges; ++r) out += (r ? "|" : "") + std::string(values[r].text);
        return out;
    }

    ParamScript* p_;
};

// The analyzer's entry with that key ("C1: Range"); null when none.
inline CVaskParameter* EntryByKey(CVaskInstrument& a, const std::string& key) {
    return FindEntryByKey(&a, key.c_str());
}
// Its offline value.
inline VaskFloat EntryValue(CVaskInstrument& a, const std::string& key) {
    VaskFloat v;
    CVaskParameter* entry = EntryByKey(a, key);
    if (entry != nullptr) entry->GetValue(v);
    return v;
}
inline void SetEntryValue(CVaskInstrument& a, const std::string& key, double value, int unit = 2) {
    CVaskParameter* entry = EntryByKey(a, key);
    if (entry == nullptr) return;
    VaskFloat v;
    v.value = value;
    v.text.Format("%.3f", value);
    v.unit = unit;
    entry->SetValue(v);
}
