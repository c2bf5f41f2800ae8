// An instrument host for the tests: it answers the operation mode and compare-load flag it
// is given, records every analyzer requested, every device error reported, every sheet run
// and every trace entry, and installs itself while it lives.
#pragma once

#include "instrumenthost.h"
#include "vaskinstrument.h"

#include <functional>
#include <string>
#include <vector>

class RecordingHost : public CInstrumentHost {
public:
    struct Request {
        int type;
        std::string name;
        int address;
        int components;
        CvaskAccess* access;
    };

    explicit RecordingHost(int mode = 1) : mode_(mode) { previous_ = SetInstrumentHost(this); }
    ~RecordingHost() override { SetInstrumentHost(previous_); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    void SetMode(int mode) { mode_ = mode; }

    int GetOperationMode() override { return mode_; }

    // The application's compare-load flag, as the test sets it.
    int compare = 0;
    int IsCompareMode() override { return compare; }

    // What `make` gives for the request (null without it).
    CVaskInstrument* AddVaskInstrument(int type, LPCSTR name, int address, int components,
                                       CvaskAccess* access) override {
        requests.push_back({type, name != nullptr ? name : "", address, components, access});
        return make ? make(requests.back()) : nullptr;
    }

    struct Report {
        std::string text;
        ErrorStruct_ error;
    };
    void ReportDeviceError(const CString& text, const ErrorStruct_& error) override {
        reports.push_back({(LPCSTR)text, error});
    }

    struct Sheet {
        int sheet;
        int page;
        CVaskInstrument* analyzer;
    };
    // IDOK.
    int RunInstrumentSheet(int sheet, int page, CVaskInstrument* analyzer) override {
        sheets.push_back({sheet, page, analyzer});
        return IDOK;
    }

    // Entries "Start <scope>", "<scope>: <text>" and "End <scope>" in the order written.
    CInstrumentTraceScope* OpenTraceScope(int channel, LPCSTR name) override {
        return new Scope(this, std::to_string(channel) + " " + name);
    }

    // The texts written into the scopes named `scope` on channel 0, in order.
    std::vector<std::string> WrittenIn(const std::string& scope) const {
        const std::string prefix = "Line 0 " + scope + ": ";
        std::vector<std::string> texts;
        for (const std::string& line : trace)
            if (line.compare(0, prefix.size(), prefix) == 0)
                texts.push_back(line.substr(prefix.size()));
        return texts;
    }

    // The base analyzer of a request, on its access object and address.
    static CVaskInstrument* Analyzer(const Request& r) {
        return new CVaskInstrument(r.name.c_str(), 0, r.access, r.address, r.components, 4, 4, 0);
    }

    std::vector<Request> requests;
    std::function<CVaskInstrument*(const Request&)> make;
    std::vector<Report> reports;
    std::vector<Sheet> sheets;
    std::vector<std::string> trace;

private:
    class Scope : public CInstrumentTraceScope {
    public:
        Scope(RecordingHost* host, const std::string& name) : host_(host), name_(name) {
            host_->trace.push_back("Start " + name_);
        }
        ~Scope() override { host_->trace.push_back("End " + name_); }
        void Write(LPCSTR text) override { host_->trace.push_back("Line " + name_ + ": " + text); }

    private:
        RecordingHost* host_;
        std::string name_;
    };

    int mode_;
    CInstrumentHost* previous_;
};
