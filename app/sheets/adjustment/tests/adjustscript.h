// The adjustment pages' scripted analyzers: AdjustScripted<Model> answers the device
// operations of the adjustment sheet from an AdjustScript and records each call with its
// arguments ("AdjustZeroPoint(1)", "SetNullGas(0,5.000)"); ScriptedSindor23 adds the
// Sindor 23's sensor operations and its firmware. A result of 0 for an operation's name
// makes it fail.
#pragma once

#include "sheetkit.h"

#include <string>

struct AdjustScript : Script {
    int channelState = 4;
    int commonZero = 0;
    int adjustAll[4] = {0, 1, 0, 0};
    bool newFirmware = true;
    // Pressure sensor.
    VaskFloat pressure = Pressure("1013.250");
    // AUTOCAL.
    int autocal[4] = {1, 0, 1, 0};  // on, by input, by cycle, check
    double cycle[3] = {24, 5, 3};   // cycle time, next in, setpoint after
    int steps[12] = {2, 4, 1, 8, 1, 1, 1, 1, 1, 1, 1, 1};
    double times[12] = {60, 90, 0, 120, 0, 0, 0, 0, 0, 0, 0, 0};

    static VaskFloat Pressure(const char* text) {
        VaskFloat v;
        v.text = text;
        v.value = atof(text);
        v.unit = 30;
        return v;
    }
};

template <class Model>
class AdjustScripted : public Scripted<Model> {
public:
    template <class... Args>
    explicit AdjustScripted(AdjustScript* script, Args&&... args)
        : Scripted<Model>(script, std::forward<Args>(args)...), a_(script) {}

    int GetChannelState() override { return a_->channelState; }
    int GetMeas(VaskFloat* values) override {
        for (int c = 0; c < 4; ++c) values[c] = a_->Value(c, 7);
        return Record("GetMeas", "");
    }
    int GetSlopeGas(int c, VaskFloat* values) override {
        for (int r = 0; r < 30; ++r) values[r] = a_->Value(c, r);
        return Record("GetSlopeGas", Args({c}));
    }
    int GetNullGas(int c, VaskFloat& value) override {
        value = a_->Value(c, 9);
        return Record("GetNullGas", Args({c}));
    }
    int GetCompSwitches(int c, CompSwitchStruct& record) override {
        record = {};
        record.adjustAll = a_->adjustAll[c];
        return Record("GetCompSwitches", Args({c}));
    }
    int GetSwitches(ChannelSwitchStruct& record) override {
        record = {};
        record.flags[ChannelSwitchStruct::CommonZero] = a_->commonZero;
        return Record("GetSwitches", "");
    }
    int CommonZero(int on) override { return Record("CommonZero", Args({on})); }
    int AdjustAll(int c, int on) override { return Record("AdjustAll", Args({c, on})); }
    int SetNullGas(int c, const VaskFloat& value) override {
        return Record("SetNullGas", Args({c}) + "," + (LPCSTR)value.text);
    }
    int SetSlopeGas(int c, VaskFloat* values) override {
        std::string texts = Args({c});
        for (int r = 0; r < this->GetRangeCount(); ++r)
            texts += std::string(",") + (LPCSTR)values[r].text;
        return Record("SetSlopeGas", texts);
    }
    int AdjustZeroPoint(int c) override { return Record("AdjustZeroPoint", Args({c})); }
    int AdjustSlope(int c, int range) override { return Record("AdjustSlope", Args({c, range})); }
    int SetCompStage(int c) override { return Record("SetCompStage", Args({c})); }
    int Measure() override { return Record("Measure", ""); }

    int GetAirPressure(VaskFloat& value) override {
        value = a_->pressure;
        return Record("GetAirPressure", "");
    }
    int SetAirPressure(const VaskFloat& value) override {
        return Record("SetAirPressure", std::string(value.text) + "=" + Number(value.value));
    }

    int GetAutocalMode(int& on, int& input, int& cycle, int& check) override {
        on = a_->autocal[0], input = a_->autocal[1], cycle = a_->autocal[2], check = a_->autocal[3];
        return Record("GetAutocalMode", "");
    }
    int SetAutocalMode(int on, int input, int cycle, int check) override {
        return Record("SetAutocalMode", Args({on, input, cycle, check}));
    }
    int GetAutocalCycle(VaskFloat& cycle, VaskFloat& next, VaskFloat& after) override {
        VaskFloat* values[] = {&cycle, &next, &after};
        for (int i = 0; i < 3; ++i) *values[i] = Float(a_->cycle[i], 20);
        return Record("GetAutocalCycle", "");
    }
    int SetAutocalCycle(const VaskFloat& cycle, const VaskFloat& next,
                        const VaskFloat& after) override {
        return Record("SetAutocalCycle",
                      Number(cycle.value) + "," + Number(next.value) + "," + Number(after.value));
    }
    int GetAutocalCheckTolerances(VaskFloat& zero, VaskFloat& sensitivity) override {
        zero = Float(1.5, 11), sensitivity = Float(2.5, 11);
        return Record("GetAutocalCheckTolerances", "");
    }
    int SetAutocalCheckTolerances(const VaskFloat& zero, const VaskFloat& sensitivity) override {
        return Record("SetAutocalCheckTolerances",
                      Number(zero.value) + "," + Number(sensitivity.value));
    }
    int GetAutocalSteps(ControlType* steps) override {
        for (int i = 0; i < 12; ++i) steps[i] = (ControlType)a_->steps[i];
        return Record("GetAutocalSteps", "");
    }
    int SetAutocalSteps(ControlType* steps) override {
        std::string out;
        for (int i = 0; i < 12; ++i) out += (i ? "," : "") + std::to_string((int)steps[i]);
        return Record("SetAutocalSteps", out);
    }
    int GetAutocalRinseTime1(VaskFloat* values) override {
        return Times("GetAutocalRinseTime1", 0, values);
    }
    int GetAutocalRinseTime2(VaskFloat* values) override {
        return Times("GetAutocalRinseTime2", 6, values);
    }
    int SetAutocalRinseTime1(VaskFloat* values) override {
        return Written("SetAutocalRinseTime1", values);
    }
    int SetAutocalRinseTime2(VaskFloat* values) override {
        return Written("SetAutocalRinseTime2", values);
    }
    int Autocal() override { return Record("Autocal", ""); }
    int AutocalCheck() override { return Record("AutocalCheck", ""); }

protected:
    static std::string Args(std::initializer_list<int> values) {
        std::string out;
        for (int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
        return out;
    }
    static std::string Number(double value) {
        CString text;
        text.Format("%g", value);
        return (LPCSTR)text;
    }
    static VaskFloat Float(double value, int unit) {
        VaskFloat v;
        v.value = value;
        v.text.Format("%g", value);
        v.unit = unit;
        return v;
    }
    int Times(const std::string& name, int first, VaskFloat* values) {
        for (int i = 0; i < 6; ++i) values[i] = Float(a_->times[first + i], 20);
        return Record(name, "");
    }
    int Written(const std::string& name, VaskFloat* values) {
        std::string out;
        for (int i = 0; i < 6; ++i) out += (i ? "," : "") + Number(values[i].value);
        return Record(name, out);
    }
    int Record(const std::string& name, const std::string& args) {
        a_->calls.push_back(name + "(" + args + ")");
        return a_->Result(name);
    }

    AdjustScript* a_;
};

class ScriptedSindor23 : public AdjustScripted<CSindor23> {
public:
    // Two infrared components and the sensors as given; a date flag set means the sensor's
    // date could not be read.
    ScriptedSindor23(AdjustScript* script, int o2, int h2s, int o2DateFailed = 0,
                     int h2sDateFailed = 0)
        : AdjustScripted<CSindor23>(script, "S23", nullptr, 1, 2, 0, o2, h2s, o2DateFailed,
                                    h2sDateFailed, 0) {}

    int FetchFirmwareVersions() override {
        a_->calls.push_back("FetchFirmwareVersions()");
        return a_->newFirmware ? 1 : 0;
    }
    int AdjustZeroPointOxy() override { return Record("AdjustZeroPointOxy", ""); }
    int AdjustZeroPointH2S() override { return Record("AdjustZeroPointH2S", ""); }
    int AdjustRiseO2() override { return Record("AdjustRiseO2", ""); }
    int AdjustRiseH2S() override { return Record("AdjustRiseH2S", ""); }
    int SetSlopeGasO2(int c, const VaskFloat& value) override {
        return Record("SetSlopeGasO2", Args({c}) + "," + Number(value.value));
    }
    int SetSlopeGasH2S(int c, const VaskFloat& value) override {
        return Record("SetSlopeGasH2S", Args({c}) + "," + Number(value.value));
    }
    int GetDateOxy(CTime& time) override {
        time = CTime(2020, 3, 4, 12, 0, 0);
        return Record("GetDateOxy", "");
    }
    int GetDateH2S(CTime& time) override {
        time = CTime(2021, 5, 6, 12, 0, 0);
        return Record("GetDateH2S", "");
    }
    int SetDateOxy(const CTime& time) override {
        return Record("SetDateOxy", (LPCSTR)time.Format("%d.%m.%Y"));
    }
    int SetDateH2S(const CTime& time) override {
        return Record("SetDateH2S", (LPCSTR)time.Format("%d.%m.%Y"));
    }
};
