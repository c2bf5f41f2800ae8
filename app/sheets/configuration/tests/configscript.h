// The configuration pages' scripted analyzers: ConfigScripted<Model> answers the device
// operations of the configuration sheet from a ConfigScript, records each call with its
// arguments ("SetAnalogRange(1,0,2)") and keeps what the writes carried. A result of 0 for
// an operation's name makes it fail.
#pragma once

#include "sheetkit.h"

#include <string>

struct ConfigScript : Script {
    int inverted = 0, secondRangeFlag = 1, analogRange = 2;
    int storeOnCheck = 1, storeOnFault = 3;
    bool optionCard = false;
    bool heating = false;
    int binary[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    int extBinary[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    int units[4] = {2, 2, 2, 2};
    int sync = 1, pumpOnMeas = 1, pumpOnZero = 0;
    ChannelSwitchStruct switches = {};
    CString channelName = "TAG-1";
    int heatingFlag = 1, heatingTemperature = 60;
    int warmUp = 1, startingState = 1, instrumentType = 1;
    VaskFloat tolerances[3];
    VaskFloat setPoints[2];
};

template <class Model>
class ConfigScripted : public Scripted<Model> {
public:
    template <class... Args>
    explicit ConfigScripted(ConfigScript* script, Args&&... args)
        : Scripted<Model>(script, std::forward<Args>(args)...), c_(script) {}

    int HasExtensionCard() override { return c_->optionCard ? 1 : 0; }
    // What a Parvel 64's order number tells of its pump.
    void SetPumpPresent(int present) { this->m_pumpPresent = present; }
    int HasHeating() override { return c_->heating ? 1 : 0; }

    int GetAnalogRange(int& inverted, int& second, CurrentType& range) override {
        inverted = c_->inverted, second = c_->secondRangeFlag, range = (CurrentType)c_->analogRange;
        return Record("GetAnalogRange", "");
    }
    int SetAnalogRange(int inverted, int second, CurrentType range) override {
        return Record("SetAnalogRange", Args({inverted, second, (int)range}));
    }
    int GetMeasStore(MeasStoreType& onCheck, MeasStoreType& onFault) override {
        onCheck = (MeasStoreType)c_->storeOnCheck, onFault = (MeasStoreType)c_->storeOnFault;
        return Record("GetMeasStore", "");
    }
    int SetMeasStore(MeasStoreType onCheck, MeasStoreType onFault) override {
        return Record("SetMeasStore", Args({(int)onCheck, (int)onFault}));
    }
    int SuppressNegativeAnalog(int c, int on) override {
        return Record("SuppressNegativeAnalog", Args({c, on}));
    }

    int SetRelayOutputs(int* codes) override { return Record("SetRelayOutputs", Codes(codes)); }
    int SetExtRelayOutputs(int* codes) override {
        return Record("SetExtRelayOutputs", Codes(codes));
    }
    int GetBinaryInputs(int* codes) override {
        for (int i = 0; i < 8; ++i) codes[i] = c_->binary[i];
        return Record("GetBinaryInputs", "");
    }
    int GetExtBinaryInputs(int* codes) override {
        for (int i = 0; i < 8; ++i) codes[i] = c_->extBinary[i];
        return Record("GetExtBinaryInputs", "");
    }
    int SetBinaryInputs(int* codes) override { return Record("SetBinaryInputs", Codes(codes)); }
    int SetExtBinaryInputs(int* codes) override {
        return Record("SetExtBinaryInputs", Codes(codes));
    }
    int GetUnit(int c, SetUnitType& unit) override {
        unit = (SetUnitType)c_->units[c];
        return Record("GetUnit", Args({c}));
    }
    int SetUnit(int c, SetUnitType unit) override {
        c_->units[c] = unit;
        return Record("SetUnit", Args({c, (int)unit}));
    }
    int GetCharactEndValue(int c, VaskFloat& value) override {
        value = c_->Value(c, 0);
        return Record("GetCharactEndValue", Args({c}));
    }
    int GetPump(int& sync, int& onMeas, int& onZero) override {
        sync = c_->sync, onMeas = c_->pumpOnMeas, onZero = c_->pumpOnZero;
        return Record("GetPump", "");
    }
    int SetPump(int sync, int onMeas, int onZero) override {
        return Record("SetPump", Args({sync, onMeas, onZero}));
    }
    int GetSwitches(ChannelSwitchStruct& record) override {
        record = c_->switches;
        return Record("GetSwitches", "");
    }
    int Broadcast(int on) override { return Record("Broadcast", Args({on})); }
    int Heating(int on) override { return Record("Heating", Args({on})); }
    int GetChannelName(CString& name) override {
        name = c_->channelName;
        return Record("GetChannelName", "");
    }
    int SetChannelName(const CString& name) override {
        return Record("SetChannelName", (LPCSTR)name);
    }
    int GetHeating(int& on, int& temperature) override {
        on = c_->heatingFlag, temperature = c_->heatingTemperature;
        return Record("GetHeating", "");
    }
    int SetHeating(int on, int temperature) override {
        return Record("SetHeating", Args({on, temperature}));
    }
    int GetWarmUpState(WarmUpStatusType& state) override {
        state = (WarmUpStatusType)c_->warmUp;
        return Record("GetWarmUpState", "");
    }
    int GetStartingState(StartStatusType& state) override {
        state = (StartStatusType)c_->startingState;
        return Record("GetStartingState", "");
    }
    int SetStartingState(const StartStatusType& state) override {
        return Record("SetStartingState", Args({(int)state}));
    }
    int GetInstrumentType(QuentaType& type) override {
        type = (QuentaType)c_->instrumentType;
        return Record("GetInstrumentType", "");
    }
    int GetPressureTolerances(VaskFloat& pump, VaskFloat& gas, VaskFloat& air) override {
        pump = c_->tolerances[0], gas = c_->tolerances[1], air = c_->tolerances[2];
        return Record("GetPressureTolerances", "");
    }
    int SetPressureTolerances(const VaskFloat& pump, const VaskFloat& gas,
                              const VaskFloat& air) override {
        return Record("SetPressureTolerances", std::string((LPCSTR)pump.text) + "," +
                                                   (LPCSTR)gas.text + "," + (LPCSTR)air.text);
    }
    int GetSetPointsPressure(VaskFloat& gas, VaskFloat& air) override {
        gas = c_->setPoints[0], air = c_->setPoints[1];
        return Record("GetSetPointsPressure", "");
    }

protected:
    static std::string Codes(const int* codes) {
        std::string out;
        for (int i = 0; i < 8; ++i) out += (i ? "," : "") + std::to_string(codes[i]);
        return out;
    }
    static std::string Args(std::initializer_list<int> values) {
        std::string out;
        for (int v : values) out += (out.empty() ? "" : ",") + std::to_string(v);
        return out;
    }
    int Record(const std::string& name, const std::string& args) {
        c_->calls.push_back(name + "(" + args + ")");
        return c_->Result(name);
    }

    ConfigScript* c_;
};
