// The trace files: settings from the channel's key below the application's profile key,
// nesting, entry lines, the ring of files, the lock shared by threads, and the trace scopes
// of the instrument tree's nodes.
#include "tracefile.h"
#include "tracehost.h"
#include "shell_seams.h"
#include "shell_test_support.h"

#include "gateway.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace shelltest;

const char kMaker[] = "KorvanGA trace test";
const char kKey[] = "Protokoll_Communication";

// The lines of a trace file with their time stamps checked and cut off.
std::vector<std::string> Entries(const std::string& path) {
    static const std::regex stamp("\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d:\\d\\d");
    std::vector<std::string> entries;
    const std::string text = ReadFile(path);
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        EXPECT_TRUE(line.size() >= 17 && std::regex_match(line.substr(0, 17), stamp)) << line;
        entries.push_back(line.size() >= 17 ? line.substr(17) : line);
    }
    EXPECT_EQ(start, text.size()) << "the file ends with a whole line";
    return entries;
}

class TraceFile : public ::testing::Test {
protected:
    void SetUp() override { ResetTraceNesting(); }
    void TearDown() override {
        EXPECT_EQ(0, GetTraceDepth()) << "every object undid its nesting";
        ResetTraceNesting();
    }
    void Activate() const { profile_.SetDword(kKey, "Aktiv", 1); }
    std::string Log(const char* file = "Comm00000.txt") const {
        return folder_ / "Log" + "\\" + file;
    }

    ProgramFolder folder_;
    ProfileKey profile_{kMaker};
};

TEST_F(TraceFile, WithoutAktivNothingIsWrittenButTheFolderIsMade) {
    struct Case {
        const char* what;
        bool set;
        DWORD active;
    } cases[] = {{"missing", false, 0}, {"0", true, 0}};
    for (const Case& c : cases) {
        ProgramFolder folder;
        ProfileKey profile(kMaker);
        if (c.set) profile.SetDword(kKey, "Aktiv", c.active);
        {
            CTraceFile a(0, "A");
            a.Write("entry");
            a.WriteFormat("%d", 1);
            CTraceFile b(0, "B");
        }
        EXPECT_TRUE(FolderExists(folder / "Log")) << c.what;
        EXPECT_TRUE(FolderContents(folder / "Log").empty()) << c.what;
        EXPECT_EQ(c.set ? 1 : 0, profile.ValueCount(kKey))
            << c.what << ": the defaults are not written back";
    }
}

TEST_F(TraceFile, NestedObjectsIndentTheInnerOnesEntries) {
    Activate();
    {
        CTraceFile a(0, "A");
        {
            CTraceFile b(0, "B");
            EXPECT_EQ(2, GetTraceDepth());
            EXPECT_EQ("    ", std::string(GetTraceIndentation()));
        }
        CTraceFile unnamed(0, "");
        EXPECT_EQ(1, GetTraceDepth()) << "an object without a name does not nest";
    }
    EXPECT_EQ((std::vector<std::string>{" A : Start", "   B : Start", "   B : End", " A : End"}),
              Entries(Log()));
}

TEST_F(TraceFile, EntriesOfAnObjectAreIndentedBelowItsStart) {
    Activate();
    {
        CTraceFile w(0, "W");
        w.Write("plain");
        w.WriteBlank();
        w.WriteFormat("%s %d", "port", 3);
        w.WriteFormat("%s", std::string(300, 'x').c_str());
        w.WriteFormat("%s", std::string(259, 'y').c_str());
    }
    EXPECT_EQ((std::vector<std::string>{" W : Start", "   W : plain", "   W :  ", "   W : port 3",
                                        "   W : " + std::string(259, 'x'),
                                        "   W : " + std::string(259, 'y'), " W : End"}),
              Entries(Log()));
}

TEST_F(TraceFile, ADestructorAtDepthZeroLeavesNoIndentation) {
    Activate();
    {
        CTraceFile a(0, "A");
        ResetTraceNesting();
    }
    EXPECT_EQ(0, GetTraceDepth());
    EXPECT_EQ("", std::string(GetTraceIndentation()));
    {
        CTraceFile b(0, "B");
        b.Write("inside");
    }
    EXPECT_EQ((std::vector<std::string>{" A : Start", " A : End", " B : Start", "   B : inside",
                                        " B : End"}),
              Entries(Log()));
}

TEST_F(TraceFile, TheFolderBaseNameAndCounterNameTheFile) {
    struct Case {
        const char* folder;  // below the program folder; null: not set
        const char* base;    // null: not set
        long long counter;   // -1: not set
        const char* file;    // below the program folder
    } cases[] = {
        {nullptr, nullptr, -1, "Log\\Comm00000.txt"},
        {"", nullptr, -1, "Log\\Comm00000.txt"},  // an empty folder is the default
        {"traces", nullptr, -1, "traces\\Comm00000.txt"},
        {"traces\\", nullptr, -1, "traces\\Comm00000.txt"},
        {"a\\b\\c", "Bus", 42, "a\\b\\c\\Bus00042.txt"},
        {nullptr, "Trace", 123456, "Log\\Trace123456.txt"},
    };
    for (const Case& c : cases) {
        ProgramFolder folder;
        ProfileKey profile(kMaker);
        profile.SetDword(kKey, "Aktiv", 1);
        if (c.folder != nullptr)
            profile.SetString(kKey, "Speicherort",
                              *c.folder != '\0' ? folder / c.folder : std::string());
        if (c.base != nullptr) profile.SetString(kKey, "Dateiname", c.base);
        if (c.counter >= 0) profile.SetDword(kKey, "Dateizaehler", (DWORD)c.counter);
        {
            CTraceFile t(0, "T");
            EXPECT_EQ(folder / c.file, std::string(t.GetFileName())) << c.file;
        }
        EXPECT_EQ((std::vector<std::string>{" T : Start", " T : End"}), Entries(folder / c.file))
            << c.file;
    }
}

// With files of at most 1 KB and 2 files the ring holds three files: the entry that takes a
// file past 2047 bytes stays in it, moves the counter on and deletes the next file.
TEST_F(TraceFile, TheRingHoldsTheNumberOfFilesPlusOne) {
    Activate();
    profile_.SetDword(kKey, "Dateigroesse", 1);
    profile_.SetDword(kKey, "Anzahl_Dateien", 2);
    CreateDirectoryA((folder_ / "Log").c_str(), NULL);
    for (const char* file : {"Comm00001.txt", "Comm00002.txt", "Comm00003.txt"})
        WriteFile(Log(file), "old\r\n");

    CTraceFile t(0, "R");
    const std::string text(93, 'e');  // a line of 17 + 2 + 1 + 1 + 3 + 93 + 2 = 119 bytes
    const long long line = 119;
    const char* ring[] = {"Comm00000.txt", "Comm00001.txt", "Comm00002.txt"};
    int current = 0;
    std::vector<int> order;  // the files the counter moved to, in order
    for (int entry = 0; entry < 80 && order.size() < 4; ++entry) {
        const long long before = FileSize(Log(ring[current]));
        t.Write(text.c_str());
        const long long after = FileSize(Log(ring[current]));
        ASSERT_EQ(before < 0 ? line : before + line, after) << "entry " << entry;
        if (after < 2048) continue;
        // The entry that crossed the limit stayed in the full file.
        ASSERT_LT(after - line, 2048);
        current = (current + 1) % 3;
        order.push_back(current);
        EXPECT_FALSE(FileExists(Log(ring[current]))) << "the next file is deleted";
        EXPECT_EQ(current, profile_.Dword(kKey, "Dateizaehler"));
    }
    EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), order);
    EXPECT_EQ("old\r\n", ReadFile(Log("Comm00003.txt"))) << "no fourth file";
    t.Write("last");
    EXPECT_EQ((std::vector<std::string>{"   R : last"}), Entries(Log(ring[current])));
}

// The defaults: 1000 KB files, the counter runs 0 to 1000.
TEST_F(TraceFile, WithTheDefaultsTheCounterWrapsAfter1000) {
    Activate();
    profile_.SetDword(kKey, "Dateizaehler", 1000);
    CreateDirectoryA((folder_ / "Log").c_str(), NULL);
    // Just below the limit: the next entry takes the file past 1000 KB.
    WriteFile(Log("Comm01000.txt"), std::string(1001 * 1024 - 10, 'x'));
    WriteFile(Log("Comm00000.txt"), "old\r\n");
    {
        CTraceFile t(0, "D");
        EXPECT_EQ(0, profile_.Dword(kKey, "Dateizaehler"));
        EXPECT_FALSE(FileExists(Log("Comm00000.txt")));
    }
    EXPECT_EQ((std::vector<std::string>{" D : End"}), Entries(Log("Comm00000.txt")));
}

// An object made before another one moved the ring on writes into the new file, and does
// not delete it.
TEST_F(TraceFile, AnOuterObjectFollowsTheRingMovedOnByAnInnerOne) {
    Activate();
    profile_.SetDword(kKey, "Dateigroesse", 1);
    profile_.SetDword(kKey, "Anzahl_Dateien", 5);
    {
        CTraceFile outer(0, "O");
        {
            CTraceFile inner(0, "I");
            while (profile_.Dword(kKey, "Dateizaehler") != 1)
                inner.Write(std::string(100, 'i').c_str());
            inner.Write("after the move");
        }
        outer.Write("outer again");
    }
    EXPECT_EQ((std::vector<std::string>{"     I : after the move", "   I : End",
                                        "   O : outer again", " O : End"}),
              Entries(Log("Comm00001.txt")));
    EXPECT_EQ(1, profile_.Dword(kKey, "Dateizaehler"));
}

// Entries of several threads: every line whole, none lost, the nesting balanced.
TEST_F(TraceFile, ThreadsShareOneLock) {
    Activate();
    const int threads = 4, entries = 40;
    std::vector<std::thread> workers;
    for (int n = 0; n < threads; ++n) {
        workers.emplace_back([n] {
            for (int k = 0; k < entries; ++k) {
                CTraceFile t(0, ("T" + std::to_string(n)).c_str());
                t.WriteFormat("entry %d", k);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    const std::regex whole(" +T[0-3] : (Start|End|entry \\d+)");
    const std::vector<std::string> lines = Entries(Log());
    EXPECT_EQ((size_t)(threads * entries * 3), lines.size());
    for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

// The trace part of the instrument host: the nodes' scopes and entries reach the file.
class TestHost : public CTraceInstrumentHost {
public:
    TestHost() : previous_(SetInstrumentHost(this)) {}
    ~TestHost() override { SetInstrumentHost(previous_); }
    int GetOperationMode() override { return 1; }
    CVaskInstrument* AddVaskInstrument(int, LPCSTR, int, int, CvaskAccess*) override {
        return NULL;
    }
    void ReportDeviceError(const CString&, const ErrorStruct_&) override {}
    int RunInstrumentSheet(int, int, CVaskInstrument*) override { return 0; }

private:
    CInstrumentHost* previous_;
};

TEST_F(TraceFile, TheInstrumentHostTracesTheNodesIntoTheFile) {
    Activate();
    TestHost host;
    {
        CGateway gateway("no-such-host.invalid", "");
        EXPECT_EQ(0, gateway.InitThePorts());
    }
    const std::vector<std::string> lines = Entries(Log());
    auto at = [&lines](const std::string& line) {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == line) return (int)i;
        return -1;
    };
    const int start = at(" CGateway::InitThePorts : Start");
    const int ping = at("   CGateway::InitThePorts : Try to ping to no-such-host.invalid");
    ASSERT_GE(start, 0);
    EXPECT_GT(ping, start);
    EXPECT_EQ(ping + 1, at("   CGateway::InitThePorts : Ping failed"));
    EXPECT_GT(at("   CGateway::SetOnline : Start"), ping) << "a nested operation is indented";
    EXPECT_GT(at(" CGateway::InitThePorts : End"), ping);
    EXPECT_EQ(" CGateway::CGateway : Start", lines.front());
    EXPECT_EQ(" CGateway::~CGateway : End", lines.back());
}

}  // namespace
