// The flat interface on COM1 against the analyzer simulator: a write and a read of a
// device setting, a version read with its texts, and the argument errors that never
// reach the bus.
#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include "pcvask.h"
#include "vaskaddress.h"
#include "vasksim_client.h"

namespace {

const SerialParam kParam = {2, 0, 0, 1, 0};

class FlatBus : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim.Connect(&error)) << error;
        ASSERT_TRUE(sim.Reset()) << sim.LastError();
        ASSERT_TRUE(sim.Command("SET 2 serial SN-0815")) << sim.LastError();
        ASSERT_NE(nullptr, buffers);
        ErrorInfo_ e;
        ASSERT_EQ(1, PCvaskInit("VASK", "COM1", &kParam, &e)) << e.text;
    }
    void TearDown() override {
        PCvaskDone();
        PCvaskFree(buffers);
    }
    // Polls until a message with this letter has come or 5 s have passed.
    bool ReceiveLetter(char wanted, int& function) {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < 5000) {
            char letter = 0;
            ErrorInfo_ e;
            if (!PCvaskReceive(nullptr, &letter, &function, buffers, &e)) {
                ADD_FAILURE() << e.text;
                return false;
            }
            if (letter == wanted) return true;
        }
        return false;
    }
    int Send(char letter, int function, std::vector<const char*> args, ErrorInfo_* e) {
        std::vector<char*> list;
        for (const char* a : args) list.push_back(const_cast<char*>(a));
        list.push_back(nullptr);
        return PCvaskSend("2/1", letter, function, list.data(), e);
    }

    vasksim::SimClient sim;
    char** buffers = PCvaskAlloc();
};

TEST_F(FlatBus, ASettingWrittenIsReadBack) {
    ErrorInfo_ e;
    ASSERT_EQ(1, Send('K', 17, {"3"}, &e)) << e.text;
    int function = 0;
    ASSERT_TRUE(ReceiveLetter('K', function)) << "the device confirms the write";
    EXPECT_EQ(17, function);
    EXPECT_STREQ("", buffers[0]) << "a confirmation without values";

    ASSERT_EQ(1, Send('k', 17, {}, &e)) << e.text;
    ASSERT_TRUE(ReceiveLetter('k', function));
    EXPECT_EQ(17, function);
    EXPECT_STREQ("3", buffers[0]);
    EXPECT_STREQ("", buffers[1]);

    std::vector<vasksim::SimLogEntry> log;
    ASSERT_TRUE(sim.Log(log));
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("4B110300", log[0].body);
    EXPECT_EQ("6B11", log[1].body);
}

TEST_F(FlatBus, TheVersionComesBackAsTexts) {
    ErrorInfo_ e;
    ASSERT_EQ(1, Send('k', 6, {}, &e)) << e.text;
    int function = 0;
    ASSERT_TRUE(ReceiveLetter('k', function));
    EXPECT_EQ(6, function);
    EXPECT_STREQ("2", buffers[0]) << "channel type of device 2";
    EXPECT_STREQ("SN-0815", buffers[1]);
}

TEST_F(FlatBus, ArgumentErrorsNeverReachTheBus) {
    struct Case {
        char letter;
        int function;
        std::vector<const char*> args;
        int code;
    } cases[] = {{'x', 200, {}, 27},
                 {'K', 17, {}, 28},
                 {'K', 17, {"3", "4"}, 29},
                 {'K', 17, {"-2"}, 30},
                 {'W', 2, {"1"}, 30}};
    for (const Case& c : cases) {
        ErrorInfo_ e;
        EXPECT_EQ(0, Send(c.letter, c.function, c.args, &e)) << c.letter << c.function;
        EXPECT_EQ(c.code, e.code) << c.letter << c.function;
    }
    std::string count;
    ASSERT_TRUE(sim.Command("LOGCOUNT", nullptr, &count)) << sim.LastError();
    EXPECT_EQ("0", count);
}

TEST_F(FlatBus, ASecondInitIsRefusedAndASilentDeviceIsReported) {
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskInit("VASK", "COM1", &kParam, &e));
    EXPECT_EQ(34, e.code);
    ASSERT_TRUE(sim.Fault("2 silent always")) << sim.LastError();
    EXPECT_EQ(0, Send('k', 6, {}, &e));
    EXPECT_EQ(2, e.code);
    EXPECT_TRUE(sim.WaitLog(3, 5000)) << "three attempts";
}

TEST(FlatBusPort, APortThatDoesNotExistIsReported) {
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskInit("", "COM9", &kParam, &e));
    EXPECT_EQ(12, e.code);
    EXPECT_NE(nullptr, strstr(e.text, "(E12)")) << e.text;
    EXPECT_EQ(0, PCvaskSend("2/1", 'k', 6, nullptr, &e));
    EXPECT_EQ(26, e.code);
}

}  // namespace
