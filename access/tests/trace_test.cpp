// The sender thread's information trace, written to the file that VASK_TRACE names (set by
// the test's CTest entry): one request on the scripted bus passes each step of the thread's
// loop in order, and Done ends the thread.
#include "access_test_support.h"

#include <fstream>
#include <sstream>

using namespace scripted;

namespace {

std::string TraceFile() {
    char path[MAX_PATH] = "";
    const DWORD n = GetEnvironmentVariableA("VASK_TRACE", path, sizeof path);
    return n > 0 && n < sizeof path ? path : "";
}

// The lines of the trace file from byte `from` on.
std::vector<std::string> LinesFrom(const std::string& path, std::streamoff from) {
    std::ifstream in(path.c_str(), std::ios::binary);
    in.seekg(from);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::streamoff SizeOf(const std::string& path) {
    std::ifstream in(path.c_str(), std::ios::binary | std::ios::ate);
    return in ? (std::streamoff)in.tellg() : 0;
}

class SenderTrace : public AccessFixture {};

TEST_F(SenderTrace, OneRequestPassesEveryStepOfTheLoopInOrder) {
    const std::string path = TraceFile();
    ASSERT_FALSE(path.empty()) << "VASK_TRACE names no file";
    const std::streamoff start = SizeOf(path);
    bus.SetScript(ScriptedBus::Answering());
    Open(access);
    CParamArray parameters;
    CPCvaskMessage request('Z', 4, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    ASSERT_EQ(1, access.Send(12, 2, &request, answer, 1000));
    delete answer;
    access.Done();
    std::vector<std::string> steps;
    for (const std::string& line : LinesFrom(path, start)) {
        // Only the thread's own lines: the others of the request trace its telegrams.
        for (const char* step :
             {"Thread started", "ThreadInit finished", "m_threadWait.Lock finished",
              "Run finished", "SendThreaded finished", "m_senderWait.Unlock finished",
              "m_recvWait.Unlock finished", "Thread ended"})
            if (line == step) steps.push_back(line);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{
                         "Thread started", "ThreadInit finished", "m_threadWait.Lock finished",
                         "Run finished", "SendThreaded finished", "m_senderWait.Unlock finished",
                         "m_recvWait.Unlock finished", "m_threadWait.Lock finished",
                         "Thread ended"}));
}

}  // namespace
