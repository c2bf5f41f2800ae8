// The cases through the device access layer, CvaskAccess, as the program uses it: the
// caller's thread hands each request to the sender thread and waits for it.
#include <cstdio>

#include "cases_access.h"
#include "vaskaccess.h"
#include "vasklayer.h"
#include "vaskmessage.h"
#include "vaskrecords.h"

namespace bench {

namespace {

// Reference: value reads straight through the request engine's Send, without a typed
// member around it.
class EngineFloats : public AccessCase {
public:
    const char* Name() const override { return "engine-floats"; }
    std::string Title() const override {
        return "200 float reads \"w\" 1 through the request engine's Send (reference, no typed "
               "member)";
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

// The bus scan of addresses 1 to 12 with three devices present.
class ScanCase : public AccessCase {
public:
    explicit ScanCase(bool broadcasts) : m_broadcasts(broadcasts) {}
    const char* Name() const override { return m_broadcasts ? "scan-broadcast" : "scan"; }
    std::string Title() const override {
        return std::string("bus scan of addresses 1 to 12 with 3 devices, ") +
               (m_broadcasts ? "each broadcasting its measured values every 500 ms"
                             : "no cyclic broadcasts");
    }
    bool Broadcasts() const override { return m_broadcasts; }
    bool Run(std::string* error) override { return Scan(error); }
    // The duplicate test listens after every device's version answer.
    double FixedMs() const override {
        return 3.0 * AfxGetApp()->GetProfileInt("Program options", "DuplicateTimeout", 400);
    }
    // What the link layer learnt of the bus cycle: the broadcast phases it keeps (its own
    // clock, so only their distances compare with the simulator's) and the broadcasts'
    // lengths on the line.
    std::string Note() const override {
        std::string note = "3 devices listed";
        if (!m_broadcasts) return note;
        note += "; phases the link layer knows:";
        int known = 0;
        for (int d = 0; d < CvaskLayer::Devices; ++d) {
            double phase = CvaskLayer::GetBroadcastPhase(d);
            if (phase == 0.0) continue;
            char text[48];
            std::snprintf(text, sizeof text, " %d@%.0f (%.1f ms)", d, phase,
                          CvaskLayer::GetBroadcastLength(d));
            note += text;
            ++known;
        }
        return known > 0 ? note : note + " none";
    }

private:
    bool m_broadcasts;
};

// Range start values ("w" 1), each read from the device: the channel's cached values are
// dropped before every read.
class FloatReads : public ListedCase {
public:
    const char* Name() const override { return "floats"; }
    std::string Title() const override {
        return "200 float reads GetMeasurementLower (\"w\" 1, 4 ranges), caches cold";
    }
    bool Run(std::string* error) override {
        const int address = kDevices[0].address;
        CDeviceData* device = m_access.GetDevice(address);
        if (device == NULL) {
            *error = "device not listed";
            return false;
        }
        for (int k = 0; k < kReads; ++k) {
            device->SetComponentCount(kDevices[0].components);  // a cold cache
            VaskFloat values[30];
            if (!m_access.GetMeasurementLower(address, 0, values)) {
                *error = "read " + std::to_string(k + 1) + ": " + Error();
                return false;
            }
        }
        return true;
    }
    std::string Note() const override { return std::to_string(kReads) + " reads"; }

private:
    static const int kReads = 200;
};

// A structured setting ("s" 1, the switches of limit 1), which has no cache.
class SettingReads : public ListedCase {
public:
    const char* Name() const override { return "settings"; }
    std::string Title() const override {
        return "200 structured-setting reads GetLimit1 (\"s\" 1)";
    }
    bool Run(std::string* error) override {
        for (int k = 0; k < kReads; ++k) {
            LimitStruct limit;
            if (!m_access.GetLimit1(kDevices[0].address, 0, limit)) {
                *error = "read " + std::to_string(k + 1) + ": " + Error();
                return false;
            }
        }
        return true;
    }
    std::string Note() const override { return std::to_string(kReads) + " reads"; }

private:
    static const int kReads = 200;
};

}  // namespace

void AddAccessCases(CaseList& cases) {
    cases.emplace_back(new EngineFloats);
    cases.emplace_back(new ScanCase(false));
    cases.emplace_back(new ScanCase(true));
    cases.emplace_back(new FloatReads);
    cases.emplace_back(new SettingReads);
}

}  // namespace bench
