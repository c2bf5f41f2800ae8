// Firmware download and parameter-set transfer on a scripted bus: the device behaviour the
// simulator does not show (blocks out of order, oversized sets, write errors, a device
// that stays silent or answers where it must not, sends that never get through).
#include "access_test_support.h"
#include "progress_window.h"
#include "transfer_files.h"

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using scripted::Body;
using scripted::Bytes;
using scripted::IntByte;
using scripted::ScriptedBus;
using scripted::SentRequest;
using transfer_test::TempFile;

const char* kOneRecord = ":00000001FF\n";
const char* kThreeRecords = ":0300300002337A1E\n:020000021000EC\n:00000001FF\n";

std::string Key(char command, int function) {
    return std::string(1, command) + std::to_string(function);
}

// A device on the scripted bus: answers each request with its own reply, whose values a
// test may set per request kind ("k27") as a list used in turn (the last one repeats).
// Requests of no answer ("K" 20, 21, 24, 25) get none, and so does a kind marked silent
// from its n-th request on (counted from 1); those marked failing fail in the network
// itself.
class Device {
public:
    std::map<std::string, std::vector<Bytes>> values;
    std::map<std::string, int> silentFrom;
    std::map<std::string, bool> failing;

    ScriptedBus::Script Script() {
        return [this](const SentRequest& r, int) {
            ScriptedBus::Reaction reaction;
            std::string key = Key(r.command, r.function);
            if (failing[key]) {
                reaction.sendFails = true;
                return reaction;
            }
            if (r.command == 'K' &&
                (r.function == 20 || r.function == 21 || r.function == 24 || r.function == 25))
                return reaction;
            int n = ++seen_[key];
            if (silentFrom[key] > 0 && n >= silentFrom[key]) return reaction;
            Bytes v;
            std::vector<Bytes>& list = values[key];
            if (!list.empty()) {
                size_t& n = used_[key];
                v = list[n < list.size() ? n : list.size() - 1];
                ++n;
            }
            reaction.replies.push_back({r.address, Body(r.command, r.function, v)});
            return reaction;
        };
    }

private:
    std::map<std::string, size_t> used_;
    std::map<std::string, int> seen_;
};

// A "k" 27 reply: the block number and the block (its bytes and a closing 0).
Bytes Block(int number, const Bytes& bytes) {
    Bytes b = IntByte(number);
    b.insert(b.end(), bytes.begin(), bytes.end());
    b.push_back(0);
    return b;
}

Bytes Filled(size_t n, unsigned char value) { return Bytes(n, value); }

// The transfers' fixed waits are divided by this in the tests.
const unsigned long kWaitDivisor = 100;

class TransferTest : public AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        SetTransferWaitDivisor((int)kWaitDivisor);
        device.values["k26"] = {IntByte(0)};  // parameter-set status: all well
        bus.SetScript(device.Script());
        Open(access);
        AddDevice(access, 4);
    }
    void TearDown() override {
        SetTransferWaitDivisor(1);
        AccessFixture::TearDown();
    }
    // The downloads wait in the message-pumping Sleep, which only real time moves on.
    void RealTime() { testclock::Thaw(); }

    std::vector<std::string> Kinds() {
        std::vector<std::string> kinds;
        for (const SentRequest& r : bus.Sent()) kinds.push_back(Key(r.command, r.function));
        return kinds;
    }
    int Count(char command, int function) {
        int n = 0;
        for (const SentRequest& r : bus.Sent()) n += r.command == command && r.function == function;
        return n;
    }
    // When the first or the last request of a kind went out (library clock, ms); 0: never.
    unsigned long FirstSent(char command, int function) {
        for (const SentRequest& r : bus.Sent())
            if (r.command == command && r.function == function) return r.time;
        return 0;
    }
    unsigned long LastSent(char command, int function) {
        unsigned long time = 0;
        for (const SentRequest& r : bus.Sent())
            if (r.command == command && r.function == function) time = r.time;
        return time;
    }

    Device device;
};

// ---- reading a parameter set --------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::vector<Bytes> replies;  // the "k" 27 replies in turn
    int error;                   // 0: read
    size_t length;               // bytes in the file when read
};

class ParamSetReadTest : public TransferTest, public ::testing::WithParamInterface<ReadCase> {};

std::vector<Bytes> Blocks(int count, size_t size, bool last255) {
    std::vector<Bytes> blocks;
    for (int i = 1; i <= count; ++i)
        blocks.push_back(Block(last255 && i == count ? 255 : i, Filled(size, (unsigned char)i)));
    return blocks;
}

TEST_P(ParamSetReadTest, TakesBlocksInOrderUpToTheLastOne) {
    const ReadCase& c = GetParam();
    device.values["k27"] = c.replies;
    TempFile file("old contents");
    int result = access.ReadParamSet(4, file.path().c_str(), NULL, 0);
    if (c.error == 0) {
        EXPECT_EQ(result, 1) << access.GetLastError().text;
        EXPECT_EQ(file.Bytes().size(), c.length);
    } else {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(access.GetLastError().code, c.error);
        EXPECT_EQ(file.Bytes(),
                  Bytes({'o', 'l', 'd', ' ', 'c', 'o', 'n', 't', 'e', 'n', 't', 's'}));
    }
    EXPECT_EQ(Kinds().front(), "K26");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ParamSetReadTest,
    ::testing::Values(
        ReadCase{"LastBlockFirst", {Block(255, Filled(3, 9))}, 0, 3},
        ReadCase{"EmptyLastBlock", {Block(1, Filled(50, 1)), Block(255, Bytes())}, 0, 50},
        ReadCase{"NothingButAnEmptyLastBlock", {Block(255, Bytes())}, 68, 0},
        ReadCase{"SecondBlockNumbered3", {Block(1, Filled(50, 1)), Block(3, Filled(50, 3))}, 74, 0},
        ReadCase{"FirstBlockNumbered2", {Block(2, Filled(50, 1))}, 74, 0},
        ReadCase{"Exactly10000Bytes", Blocks(100, 100, true), 0, 10000},
        ReadCase{"MoreThan10000Bytes", Blocks(101, 100, false), 67, 0}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST_F(TransferTest, ReadKeepsTheBytesInBlockOrder) {
    device.values["k27"] = {Block(1, {1, 2, 3}), Block(2, {4}), Block(255, {5, 6})};
    TempFile file;
    ASSERT_EQ(access.ReadParamSet(4, file.path().c_str(), owner.Wnd(), WM_APP + 8), 1)
        << access.GetLastError().text;
    EXPECT_EQ(file.Bytes(), Bytes({1, 2, 3, 4, 5, 6}));
    owner.Drain();
    EXPECT_EQ(owner.Received(WM_APP + 8), (std::vector<WPARAM>{5, 10, 15}));
}

TEST_F(TransferTest, ReadProgressNeverPassesTheWhole) {
    device.values["k27"] = Blocks(25, 10, true);
    TempFile file;
    ASSERT_EQ(access.ReadParamSet(4, file.path().c_str(), owner.Wnd(), WM_APP + 8), 1)
        << access.GetLastError().text;
    owner.Drain();
    EXPECT_EQ(owner.Received(WM_APP + 8),
              (std::vector<WPARAM>{5,  10, 15, 20, 25, 30, 35,  40,  45,  50,  55,  60, 65,
                                   70, 75, 80, 85, 90, 95, 100, 100, 100, 100, 100, 100}));
}

// A folder of the test's own in the temporary folder, removed with what is in it.
class TempFolder {
public:
    TempFolder() {
        char dir[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "vsd", 0, name);
        DeleteFileA(name);
        CreateDirectoryA(name, NULL);
        path_ = name;
    }
    ~TempFolder() {
        for (const std::string& n : Names()) DeleteFileA((path_ + "\\" + n).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileA(h, &found));
        FindClose(h);
        return names;
    }

private:
    std::string path_;
};

// The disk fills up while a set is saved. A file size limit of the process plays the full
// disk: CMake runs this test once more under one (commvask_transfer_disk_full_test), which
// it announces in VASK_FILE_SIZE_LIMIT; without the limit there is nothing to fill up.
TEST_F(TransferTest, SavedSetIsReplacedOnlyByAWholeOne) {
    const char* limit = getenv("VASK_FILE_SIZE_LIMIT");
    if (limit == NULL) GTEST_SKIP() << "runs under a file size limit only";
    ASSERT_LT(atoi(limit), 10000);
    TempFolder folder;
    std::string path = folder.File("set.bin");

    // Two reads: 70 bytes, then 10000, which do not fit on the disk.
    device.values["k27"] = {Block(1, Filled(50, 1)), Block(255, Filled(20, 2))};
    for (const Bytes& b : Blocks(100, 100, true)) device.values["k27"].push_back(b);
    ASSERT_EQ(access.ReadParamSet(4, path.c_str(), NULL, 0), 1) << access.GetLastError().text;
    Bytes saved = transfer_test::ReadBytes(path);
    ASSERT_EQ(saved.size(), 70u);

    EXPECT_EQ(access.ReadParamSet(4, path.c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 72);
    EXPECT_EQ(transfer_test::ReadBytes(path), saved) << "the set saved before is kept";
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"set.bin"})
        << "no part of the new set is left";
}

// ---- writing a parameter set --------------------------------------------------------------

struct StatusCase {
    int status;  // reported after the first block
    int error;
};

class ParamSetStatusTest : public TransferTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ParamSetStatusTest, DeviceStatusEndsTheWrite) {
    device.values["k26"] = {IntByte(GetParam().status)};
    TempFile file(std::string(120, 'x'));
    EXPECT_EQ(access.WriteParamSet(4, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, GetParam().error);
    EXPECT_EQ(Count('K', 27), 1);
}

INSTANTIATE_TEST_SUITE_P(Statuses, ParamSetStatusTest,
                         ::testing::Values(StatusCase{3, 77}, StatusCase{4, 78}));

TEST_F(TransferTest, WarningStatusesBeforeTheLastBlockAreNoWarnings) {
    device.values["k26"] = {IntByte(6), IntByte(7), IntByte(0)};
    TempFile file(std::string(120, 'x'));
    int prompts = 0;
    AfxSetMessageBoxHook(
        [](LPCSTR, UINT, UINT, void* n) {
            ++*(int*)n;
            return IDNO;
        },
        &prompts);
    EXPECT_EQ(access.WriteParamSet(4, file.path().c_str(), NULL, 0), 1)
        << access.GetLastError().text;
    AfxSetMessageBoxHook(NULL, NULL);
    EXPECT_EQ(prompts, 0);
    EXPECT_EQ(Count('K', 27), 3);
}

TEST_F(TransferTest, WriteFailsWhenTheDeviceDoesNotAnswerAgain) {
    // The 80 s of waiting for the device pass on a clock that runs 200 times as fast (the
    // engine also refuses a device with many faults without polling the line).
    device.silentFrom["k4"] = 1;
    std::atomic<bool> done(false);
    std::thread clock([&done] {
        while (!done) {
            testclock::Advance(200);
            ::Sleep(1);
        }
    });
    TempFile file("abc");
    int result = access.WriteParamSet(4, file.path().c_str(), NULL, 0);
    done = true;
    clock.join();
    EXPECT_EQ(result, 0);
    EXPECT_NE(access.GetLastError().code, 0);
    EXPECT_GT(Count('k', 4), 1);
}

TEST_F(TransferTest, WriteSucceedsOnceTheDeviceAnswersAgain) {
    TempFile file("abc");
    EXPECT_EQ(access.WriteParamSet(4, file.path().c_str(), NULL, 0), 1)
        << access.GetLastError().text;
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"K26", "K27", "k26", "k4"}));
}

// ---- main board ---------------------------------------------------------------------------

TEST_F(TransferTest, RecordsGoThroughTheDownloadPathOfTheNetwork) {
    RealTime();
    device.silentFrom["Z1"] = 2;  // the device restarts after the image
    TempFile file(kThreeRecords);
    ASSERT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 1)
        << access.GetLastError().text;
    for (const SentRequest& r : bus.Sent())
        EXPECT_EQ(r.download, r.command == 'K' && r.function == 21) << Key(r.command, r.function);
    EXPECT_EQ(Count('K', 21), 3);
}

// The times of a transfer's progress phases on the library's clock: when each phase was
// first and last reported.
struct PhaseTimes {
    std::map<LPARAM, unsigned long> first, last;
    void Note(LPARAM phase) {
        unsigned long now = testclock::Now();
        if (!first.count(phase)) first[phase] = now;
        last[phase] = now;
    }
};

// The device needs the protocol's pauses: 10 s to erase its flash after the start, 15 s
// to finish writing before the fault read, 30 s to restart after the image. They show,
// divided by the tests' divisor, between the requests and progress steps on the clock.
TEST_F(TransferTest, MainBoardDownloadKeepsTheDevicesPauses) {
    RealTime();
    device.silentFrom["Z1"] = 2;  // the device restarts after the image
    device.values["k20"] = {IntByte(0)};
    PhaseTimes phases;
    ProgressWindow window(WM_APP + 9);
    window.onMessage = [&](WPARAM, LPARAM phase) { phases.Note(phase); };
    TempFile file(kThreeRecords);
    ASSERT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), window.Wnd(), WM_APP + 9),
              1)
        << access.GetLastError().text;
    const unsigned long end = testclock::Now();

    EXPECT_GE(FirstSent('K', 21) - LastSent('K', 20), 10000 / kWaitDivisor) << "erase";
    EXPECT_GE(FirstSent('k', 20) - LastSent('K', 21), 15000 / kWaitDivisor) << "flash";
    ASSERT_EQ(1u, phases.first.count(5));
    EXPECT_GE(end - phases.first[5], 30000 / kWaitDivisor) << "restart";
}

// The option card restarts twice: before and after the reset that follows its image.
TEST_F(TransferTest, OptionCardDownloadKeepsTheCardsPauses) {
    RealTime();
    device.values["s33"] = {IntByte(4)};
    device.values["k24"] = {IntByte(0)};
    PhaseTimes phases;
    ProgressWindow window(WM_APP + 9);
    window.onMessage = [&](WPARAM, LPARAM phase) { phases.Note(phase); };
    TempFile file(kThreeRecords);
    ASSERT_EQ(
        access.DownloadPBO(4, DownloadResetFirst, file.path().c_str(), window.Wnd(), WM_APP + 9), 1)
        << access.GetLastError().text;
    const unsigned long end = testclock::Now();

    EXPECT_GE(FirstSent('Z', 1) - LastSent('k', 24), 30000 / kWaitDivisor) << "before the reset";
    ASSERT_EQ(1u, phases.first.count(4));
    EXPECT_GE(end - phases.first[4], 30000 / kWaitDivisor) << "after the reset";
}

TEST_F(TransferTest, AnsweredFinalResetFailsTheDownload) {
    // A device that did not take the image does not restart.
    RealTime();
    TempFile file(kThreeRecords);
    EXPECT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 56);
    EXPECT_EQ(Kinds().back(), "Z1");
}

TEST_F(TransferTest, ResetFailingOtherwiseFailsTheDownload) {
    RealTime();
    TempFile file(kThreeRecords);
    // The device rejects the final reset: not the silence of a restart.
    int resets = 0;
    bus.SetScript([this, &resets, inner = device.Script()](const SentRequest& r, int i) {
        if (r.command == 'Z' && ++resets == 2) {
            ScriptedBus::Reaction reaction;
            reaction.replies.push_back({r.address, Body('B', 'S')});
            return reaction;
        }
        return inner(r, i);
    });
    EXPECT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 49);
}

TEST_F(TransferTest, StartThatNeverGetsThroughFailsWith57) {
    RealTime();
    device.failing["K20"] = true;
    TempFile file(kOneRecord);
    EXPECT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 57);
    EXPECT_GT(Count('K', 20), 1);
    EXPECT_EQ(Count('K', 21), 0);
}

TEST_F(TransferTest, WaitingForTheDeviceToStartCanBeAborted) {
    // Type 1 waits up to an hour for the device; the owner may give up meanwhile.
    RealTime();
    device.failing["K20"] = true;
    int starts = 0;
    bus.SetOnSend([this, &starts] {
        if (++starts == 5) access.AbortDownload();
    });
    TempFile file(kOneRecord);
    EXPECT_EQ(access.Download(4, DownloadWaitForDevice, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 47);
    EXPECT_EQ(Count('K', 21), 0);
    bus.SetOnSend(nullptr);
}

TEST_F(TransferTest, FailedRecordEndsTheDownloadWithTheSendError) {
    RealTime();
    int records = 0;
    bus.SetScript([&records, inner = device.Script()](const SentRequest& r, int i) {
        if (r.command == 'K' && r.function == 21 && ++records >= 2) {
            ScriptedBus::Reaction reaction;
            reaction.sendFails = true;
            reaction.sendErrorCode = 31;
            return reaction;
        }
        return inner(r, i);
    });
    TempFile file(kThreeRecords);
    EXPECT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 9);
    EXPECT_EQ(Kinds().back(), "K21");
    EXPECT_EQ(Count('k', 20), 0);
}

TEST_F(TransferTest, FailedFaultReadFailsTheDownload) {
    RealTime();
    device.silentFrom["k20"] = 1;
    TempFile file(kOneRecord);
    EXPECT_EQ(access.Download(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 9);
    EXPECT_EQ(Kinds().back(), "k20");
}

// ---- option card --------------------------------------------------------------------------

TEST_F(TransferTest, OptionRecordThatNeverGetsThroughStopsTheCard) {
    RealTime();
    device.values["s33"] = {IntByte(4)};
    device.failing["K25"] = true;
    TempFile file(kThreeRecords);
    EXPECT_EQ(access.DownloadPBO(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 56);
    SentRequest last = bus.Sent().back();
    EXPECT_EQ(Key(last.command, last.function), "K24");
    EXPECT_EQ(last.body, Bytes({'K', 24, 1, 0}));
    EXPECT_EQ(Count('Z', 1), 0);
}

TEST_F(TransferTest, OptionStartThatNeverGetsThroughFailsWith57) {
    RealTime();
    device.values["s33"] = {IntByte(5)};
    device.failing["K24"] = true;
    TempFile file(kOneRecord);
    EXPECT_EQ(access.DownloadPBO(4, DownloadResetFirst, file.path().c_str(), NULL, 0), 0);
    EXPECT_EQ(access.GetLastError().code, 57);
    EXPECT_EQ(Count('K', 25), 0);
}

}  // namespace
