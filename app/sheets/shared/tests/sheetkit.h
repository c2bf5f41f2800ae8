// The sheets' test kit: a test application (operation mode as the test sets it, every help
// call recorded), a test main frame (access level and timer target as the test sets them),
// and SheetKit, which installs both as the sheets' host and the instrument host (with the
// instrument grids' factory) while it lives, and the program's waits (programwaits.h) on the
// test's thread, the one of the main window (a hidden window of the kit's own unless the
// test has one).
//
// Scripted<Model> is an analyzer model whose device operations, as the grids call them, are
// answered from a Script: each call is recorded ("GetLimit1(0)"), its result is the script's
// (1 unless set), and what it reads is the script's values. It is still of its model's class
// (IsKindOf), so the grids take it for the real one.
#pragma once

#include "instrumentgrid.h"
#include "instrumenthost.h"
#include "programwaits.h"
#include "sheethost.h"

#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "sindor23.h"
#include "sindor6.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CSheetTestApp : public CWinApp {
public:
    CSheetTestApp();

    struct HelpCall {
        DWORD_PTR dwData;
        UINT nCmd;
    };
    // Records the call; the context 0x5FFFF goes no further (as in the program), the others
    // go on to the class library's help.
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    bool Asked(DWORD_PTR dwData, UINT nCmd) const;

    int operationMode = 0;
    std::vector<HelpCall> helpCalls;
};

// The process's test application.
CSheetTestApp& TestApp();

struct CSheetTestFrame {
    int accessLevel = 2;
    CWnd* timerTarget = nullptr;
    int reloads = 0;
    std::vector<LPARAM> hints;  // the update hints sent to the active document
};

class SheetKit : public CSheetHost, public CInstrumentHost {
public:
    SheetKit();
    ~SheetKit() override;
    SheetKit(const SheetKit&) = delete;
    SheetKit& operator=(const SheetKit&) = delete;

    // The test application's mode and the frame's level.
    void SetOnline(bool online) { TestApp().operationMode = online ? 1 : 0; }
    void SetAccessLevel(int level) { frame.accessLevel = level; }

    // CSheetHost
    int GetAccessLevel() override { return frame.accessLevel; }
    int GetOperationMode() override { return TestApp().operationMode; }
    void SetTimerTarget(CWnd* pTarget) override { frame.timerTarget = pTarget; }
    void RequestMessageReload() override { ++frame.reloads; }
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { TestApp().WinHelp(dwData, nCmd); }
    void UpdateActiveDocument(LPARAM lHint) override { frame.hints.push_back(lHint); }

    // CInstrumentHost: no analyzers made, failures recorded, sheets answered IDOK, no trace.
    CVaskInstrument* AddVaskInstrument(int, LPCSTR, int, int, CvaskAccess*) override {
        return NULL;
    }
    void ReportDeviceError(const CString& text, const ErrorStruct_&) override {
        reports.push_back((LPCSTR)text);
    }
    int RunInstrumentSheet(int, int, CVaskInstrument*) override { return IDOK; }
    CInstrumentTraceScope* OpenTraceScope(int, LPCSTR) override { return NULL; }

    CSheetTestFrame frame;
    std::vector<std::string> reports;

private:
    CSheetHost* previousSheetHost_;
    CInstrumentHost* previousInstrumentHost_;
    DiagValuesFactory previousFactory_;
    CWnd mainWindow_;
    std::unique_ptr<CProgramWaits> waits_;
};

// What a scripted analyzer answers.
struct Script {
    std::vector<std::string> calls;
    // Result of an operation by name (GetLimit1, SetLateralGasCorrN ...); 1 when not set.
    std::map<std::string, int> results;
    int state = 2;
    int extensionCard = 0;
    int unit = 2;  // "ppm"
    LimitStruct limit = {1, 0, 1, 0, 1, 1};
    CorrectionStruct1 pressure = {2, 2};
    int pressureChannel = 5;
    CorrectionStruct2 correction = {1, 1, 0, 1, 0, 2};
    CompStruct compensation = {3, 1, 4, 2};
    int relays[8] = {0};
    int extRelays[8] = {0};

    int Result(const std::string& name) const {
        auto it = results.find(name);
        return it != results.end() ? it->second : 1;
    }
    // The value read as element `i` of `name` for component c: number c * 10 + i + 0.5.
    VaskFloat Value(int c, int i) const {
        VaskFloat v;
        v.value = c * 10 + i + 0.5;
        v.text.Format("%.1f", v.value);
        v.unit = unit;
        return v;
    }
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& call : calls)
            if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
        return out;
    }
};

template <class Model>
class Scripted : public Model {
public:
    template <class... Args>
    explicit Scripted(Script* script, Args&&... args)
        : Model(std::forward<Args>(args)...), s_(script) {}

    int GetState() override { return s_->state; }
    int HasExtensionCard() override { return s_->extensionCard; }

    int GetMeasurementLower(int c, VaskFloat* values) override {
        return Fill("GetMeasurementLower", c, values, 30);
    }
    int GetMeasurementUpper(int c, VaskFloat* values) override {
        return Fill("GetMeasurementUpper", c, values, 30);
    }
    int GetIntegrationTime(int c, VaskFloat& delta, VaskFloat& in, VaskFloat& out,
                           VaskFloat& dead) override {
        VaskFloat* values[] = {&delta, &in, &out, &dead};
        return FillEach("GetIntegrationTime", c, values, 4);
    }
    int GetFaultSignalDuration(int c, VaskFloat& value) override {
        return Fill("GetFaultSignalDuration", c, &value, 1);
    }
    int GetFaultSignalThreshold(int c, VaskFloat& value) override {
        return Fill("GetFaultSignalThreshold", c, &value, 1);
    }
    int GetLimit1(int c, VaskFloat& a, VaskFloat& b) override {
        return LimitValue("GetLimit1", c, a, b);
    }
    int GetLimit2(int c, VaskFloat& a, VaskFloat& b) override {
        return LimitValue("GetLimit2", c, a, b);
    }
    int GetLimit3(int c, VaskFloat& a, VaskFloat& b) override {
        return LimitValue("GetLimit3", c, a, b);
    }
    int GetLimit4(int c, VaskFloat& a, VaskFloat& b) override {
        return LimitValue("GetLimit4", c, a, b);
    }
    int GetLimit1(int c, LimitStruct& l) override { return Limit("GetLimit1Flags", c, l); }
    int GetLimit2(int c, LimitStruct& l) override { return Limit("GetLimit2Flags", c, l); }
    int GetLimit3(int c, LimitStruct& l) override { return Limit("GetLimit3Flags", c, l); }
    int GetLimit4(int c, LimitStruct& l) override { return Limit("GetLimit4Flags", c, l); }
    int GetPressureCorr(int c, CorrectionStruct1& corr) override {
        corr = s_->pressure;
        return Call("GetPressureCorr", c);
    }
    int GetExtPressureRange(int c, VaskFloat& start, VaskFloat& end) override {
        VaskFloat* values[] = {&start, &end};
        return FillEach("GetExtPressureRange", c, values, 2);
    }
    int GetPressureCorrExt(int& channel) override {
        channel = s_->pressureChannel;
        return Call("GetPressureCorrExt", 0);
    }
    int GetRelayOutputs(int* codes) override {
        for (int i = 0; i < 8; ++i) codes[i] = s_->relays[i];
        return Call("GetRelayOutputs", 0);
    }
    int GetExtRelayOutputs(int* codes) override {
        for (int i = 0; i < 8; ++i) codes[i] = s_->extRelays[i];
        return Call("GetExtRelayOutputs", 0);
    }
    int GetSensorTimes(VaskFloat* values) override { return Fill("GetSensorTimes", 0, values, 6); }

    int GetLateralGasCorrN(int n, int c, CorrectionStruct2& corr) override {
        corr = s_->correction;
        return CallN("GetLateralGasCorrN", n, c);
    }
    int SetLateralGasCorrN(int n, int c, const CorrectionStruct2& corr) override {
        written.correction = corr;
        return CallN("SetLateralGasCorrN", n, c);
    }
    int GetLateralGasParamsN(int n, int c, VaskFloat& a, VaskFloat& b, VaskFloat& d) override {
        a = s_->Value(c, 0), b = s_->Value(c, 1), d = s_->Value(c, 2);
        return CallN("GetLateralGasParamsN", n, c);
    }
    int SetLateralGasParamsN(int n, int c, const VaskFloat& a, const VaskFloat&,
                             const VaskFloat&) override {
        written.equivalent = a;
        return CallN("SetLateralGasParamsN", n, c);
    }
    int GetCompensationComponent(int c, CompStruct& comp) override {
        comp = s_->compensation;
        return Call("GetCompensationComponent", c);
    }
    int GetCompensationComponent3(int c, CompStruct& comp) override {
        comp = s_->compensation;
        comp.channel1 += 10, comp.channel2 += 10;
        return Call("GetCompensationComponent3", c);
    }
    int SetCompensationComponent(int c, const CompStruct& comp) override {
        written.compensation = comp;
        return Call("SetCompensationComponent", c);
    }
    int SetCompensationComponent3(int c, const CompStruct& comp) override {
        written.compensation = comp;
        return Call("SetCompensationComponent3", c);
    }
    int GetLateralGasConcentration1(int c, VaskFloat& v) override {
        return Fill("GetLateralGasConcentration1", c, &v, 1);
    }
    int GetLateralGasConcentration2(int c, VaskFloat& v) override {
        return Fill("GetLateralGasConcentration2", c, &v, 1);
    }
    int GetLateralGasConcentration3(int c, VaskFloat& v) override {
        return Fill("GetLateralGasConcentration3", c, &v, 1);
    }
    int GetLateralGasConcentration4(int c, VaskFloat& v) override {
        return Fill("GetLateralGasConcentration4", c, &v, 1);
    }
    int SetLateralGasConcentration1(int c, const VaskFloat&) override {
        return Call("SetLateralGasConcentration1", c);
    }
    int SetLateralGasConcentration2(int c, const VaskFloat&) override {
        return Call("SetLateralGasConcentration2", c);
    }
    int SetLateralGasConcentration3(int c, const VaskFloat&) override {
        return Call("SetLateralGasConcentration3", c);
    }
    int SetLateralGasConcentration4(int c, const VaskFloat&) override {
        return Call("SetLateralGasConcentration4", c);
    }

    // What the last writes carried.
    struct {
        CorrectionStruct2 correction;
        VaskFloat equivalent;
        CompStruct compensation;
    } written = {};

private:
    int Call(const std::string& name, int c) {
        s_->calls.push_back(name + "(" + std::to_string(c) + ")");
        return s_->Result(name);
    }
    int CallN(const std::string& name, int n, int c) {
        s_->calls.push_back(name + "(" + std::to_string(n) + "," + std::to_string(c) + ")");
        return s_->Result(name);
    }
    int Fill(const std::string& name, int c, VaskFloat* values, int count) {
        for (int i = 0; i < count; ++i) values[i] = s_->Value(c, i);
        return Call(name, c);
    }
    int FillEach(const std::string& name, int c, VaskFloat* const* values, int count) {
        for (int i = 0; i < count; ++i) *values[i] = s_->Value(c, i);
        return Call(name, c);
    }
    int LimitValue(const std::string& name, int c, VaskFloat& a, VaskFloat& b) {
        a = s_->Value(c, 0), b = s_->Value(c, 1);
        return Call(name, c);
    }
    int Limit(const std::string& name, int c, LimitStruct& l) {
        l = s_->limit;
        return Call(name, c);
    }

    Script* s_;
};

// The offline analyzers of the tests, one of each model (the Sindor 23 with `o2` and `h2s`
// sensors).
std::unique_ptr<CVaskInstrument> MakeOffline(const std::string& model, int components, int o2 = 0,
                                             int h2s = 0);
