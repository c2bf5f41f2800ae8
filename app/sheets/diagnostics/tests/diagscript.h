// Scripted analyzers for the diagnostics and drift values sheets: the logbook, measured
// values, analog outputs, deviations, drift values and the diagnostic reads that the base
// class offers are answered from a DiagScript, every call recorded.
#pragma once

#include "sheetkit.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <set>

struct DiagScript : Script {
    // The logbook entries by number from 1; a number beyond the list fails to read.
    std::vector<LogbookStruct> logbook;
    int ackResult = 1;
    int clearResult = 1;
    // Which reads fail (by name); the others fill their value with Value(c, i).
    std::set<std::string> failing;
    QuentaType quentaType = (QuentaType)1;
    // Called inside GetAirPressure before it answers (a slow device).
    std::function<void()> onAirPressure;
    std::atomic<int> airPressureReads{0};
};

template <class Model>
class DiagScripted : public Scripted<Model> {
public:
    template <class... Args>
    explicit DiagScripted(DiagScript* script, Args&&... args)
        : Scripted<Model>(script, std::forward<Args>(args)...), d_(script) {}

    int GetLogEntry(int entry, LogbookStruct& record) override {
        Record("GetLogEntry(" + std::to_string(entry) + ")");
        if (entry < 1 || entry > (int)d_->logbook.size()) return 0;
        record = d_->logbook[entry - 1];
        return 1;
    }
    int AckLogEntry(int entry) override {
        Record("AckLogEntry(" + std::to_string(entry) + ")");
        if (d_->ackResult && entry >= 1 && entry <= (int)d_->logbook.size())
            d_->logbook[entry - 1].flagB = TRUE;
        return d_->ackResult;
    }
    int ClearLog() override {
        Record("ClearLog()");
        if (d_->clearResult) d_->logbook.clear();
        return d_->clearResult;
    }
    int GetMeas(VaskFloat* values) override {
        for (int c = 0; c < 4; ++c) values[c] = d_->Value(c, 0);
        return Answer("GetMeas", 0);
    }
    int GetAnalogOutput(int c, VaskFloat& value) override {
        return Read("GetAnalogOutput", c, 1, value);
    }
    int GetDeviations(int c, VaskFloat& zero, VaskFloat& span) override {
        Fill(c, {&zero, &span});
        return Answer("GetDeviations", c);
    }
    int GetAdjustTolerance(int c, VaskFloat& a, VaskFloat& b, VaskFloat& x) override {
        Fill(c, {&a, &b, &x}, 2);
        return Answer("GetAdjustTolerance", c);
    }
    int DiagControlReserve(int c, VaskFloat& value) override {
        return Read("DiagControlReserve", c, 5, value);
    }
    int GetDriftValues(int c, VaskFloat& a, VaskFloat& b, VaskFloat& e, VaskFloat& f,
                       VaskFloat& g) override {
        if (d_->failing.count("GetDriftValues" + std::to_string(c))) {
            Record("GetDriftValues(" + std::to_string(c) + ")");
            return 0;
        }
        Fill(c, {&a, &b, &e, &f, &g}, 6);
        return Answer("GetDriftValues", c);
    }
    int SetDriftValues(int c, const VaskFloat& a, const VaskFloat&, const VaskFloat&,
                       const VaskFloat&, const VaskFloat& g) override {
        Record("SetDriftValues(" + std::to_string(c) + "," + (LPCSTR)a.text + "," + (LPCSTR)g.text +
               ")");
        return 1;
    }
    int GetAirPressure(VaskFloat& value) override {
        ++d_->airPressureReads;
        if (d_->onAirPressure) d_->onAirPressure();
        return Read("GetAirPressure", 0, 20, value);
    }
    int GetFrequency(VaskFloat& value) override { return Read("GetFrequency", 0, 21, value); }
    int DiagDisplayTemp(VaskFloat& value) override { return Read("DiagDisplayTemp", 0, 22, value); }
    int GetInstrumentType(QuentaType& type) override {
        type = d_->quentaType;
        Record("GetInstrumentType()");
        return 1;
    }

private:
    void Record(const std::string& call) {
        std::lock_guard<std::mutex> lock(mutex_);
        d_->calls.push_back(call);
    }
    int Answer(const std::string& name, int c) {
        Record(name + "(" + std::to_string(c) + ")");
        return d_->Result(name);
    }
    // A read that leaves the value alone when it fails, as a device read that got no answer.
    int Read(const std::string& name, int c, int i, VaskFloat& value) {
        if (d_->failing.count(name)) {
            Record(name + "(" + std::to_string(c) + ")");
            return 0;
        }
        value = d_->Value(c, i);
        return Answer(name, c);
    }
    void Fill(int c, std::initializer_list<VaskFloat*> values, int first = 0) {
        int i = first;
        for (VaskFloat* v : values) *v = d_->Value(c, i++);
    }

    DiagScript* d_;
    std::mutex mutex_;
};
