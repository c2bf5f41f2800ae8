// The base of the cases through the device access layer: an access object opened on the
// benchmark's port, and with a scan before the timed part where a case needs listed
// devices.
#pragma once

#include <string>

#include "benchcase.h"
#include "vaskaccess.h"

namespace bench {

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
    // The scan as the program makes it after Init: no progress window, no remote control.
    bool Scan(std::string* error) {
        if (!m_access.ScanForDevices(NULL, 0, NULL, 0)) {
            *error = "scan: " + Error();
            return false;
        }
        if (m_access.GetDeviceList()->GetCount() != 3) {
            *error = "the scan found " + std::to_string(m_access.GetDeviceList()->GetCount()) +
                     " devices, not 3";
            return false;
        }
        return true;
    }

    CvaskAccess m_access;
};

// A listed device, for the reads and transfers: the scan before them is not timed.
class ListedCase : public AccessCase {
public:
    bool Setup(const BenchOptions& options, std::string* error) override {
        return AccessCase::Setup(options, error) && Scan(error);
    }
};

}  // namespace bench
