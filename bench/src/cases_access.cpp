// The cases through the device access layer, CvaskAccess, as the program uses it: the
// caller's thread hands each request to the sender thread and waits for it.
#include <cstdio>

#include "benchcase.h"
#include "vaskaccess.h"
#include "vaskmessage.h"

namespace bench {

namespace {

// Opens the access object on the benchmark's port; the device list stays empty.
class AccessCase : public BenchCase {
public:
    bool Setup(const BenchOptions& options, std::string* error) override {
        if (!m_access.Init("VASK", options.port.c_str(), options.param)) {
            *error = "Init: " + Error();
            return false;
        }
        return true;
    }
    void Teardown() override { m_access.Done(); }

protected:
    std::string Error() { return (const char*)m_access.GetLastError().text; }

    CvaskAccess m_access;
};

// Reference: value reads straight through the request engine's Send, without a typed
// member around it.
class EngineFloats : public AccessCase {
public:
    const char* Name() const override { return "engine-floats"; }
    std::string Title() const override {
        return "200 float reads \"w\" 1 through the request engine's Send (reference, no typed member)";
    }
    bool Run(std::string* error) override {
        for (int k = 0; k < kReads; ++k) {
            CPCvaskMessage request('w', 1, 1, NULL);
            CPCvaskMessage* answer = NULL;
            int ok = m_access.Send(kDevices[0].address, 0, &request, answer, 1000);
            delete answer;
            if (!ok) {
                *error = "read " + std::to_string(k + 1) + ": " + Error();
                return false;
            }
        }
        return true;
    }
    std::string Note() const override { return std::to_string(kReads) + " answers"; }

private:
    static const int kReads = 200;
};

}  // namespace

void AddAccessCases(CaseList& cases) { cases.emplace_back(new EngineFloats); }

}  // namespace bench
