// One benchmark case: what it sets up untimed, what it does timed, and the protocol's
// fixed waits inside the timed part. The runner measures wall time and CPU time around
// Run and computes the wire's lower bound from the telegrams the simulator received.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "serialparam.h"
#include "benchbus.h"

namespace bench {

struct BenchOptions {
    int reactionMs = 5;
    std::string port = "COM1";
    // An RS232 converter: no RTS switching, no echo; with `echo` one whose echo the port
    // reads back and compares.
    SerialParam param = {2, 0, 0, 1, 0};
    bool echo = false;
    int repeat = 1;       // runs per case; the median one is reported
    std::string workDir;  // for the files of the transfers
    std::string dumpDir;  // telegram lists of the cases; empty: none
};

class BenchCase {
public:
    virtual ~BenchCase() {}
    virtual const char* Name() const = 0;
    virtual std::string Title() const = 0;
    // The bus the case needs.
    virtual bool Broadcasts() const { return false; }
    virtual size_t MemoryBytes() const { return 0; }
    // Untimed preparation (opening the port, a scan, files).
    virtual bool Setup(const BenchOptions& options, std::string* error) = 0;
    // The timed work.
    virtual bool Run(std::string* error) = 0;
    // Untimed clean-up; also after a failure.
    virtual void Teardown() {}
    // Waits the protocol fixes inside Run (ms), beyond what the wire accounts for.
    virtual double FixedMs() const { return 0; }
    // A line on what was done (counts, sizes).
    virtual std::string Note() const { return std::string(); }
};

using CaseList = std::vector<std::unique_ptr<BenchCase>>;

// The cases over the network alone (CCommunication), without the request engine.
void AddNetworkCases(CaseList& cases);
// The cases through the device access layer.
void AddAccessCases(CaseList& cases);
// The bulk transfers through the device access layer.
void AddTransferCases(CaseList& cases);

}  // namespace bench
