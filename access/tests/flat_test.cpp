// The flat interface on the link layer's bus in memory: argument checks and their codes,
// the request bodies on the wire, the catalogue's prototypes left intact, and received
// values written into the caller's buffer set within its bounds.
#include <gtest/gtest.h>

#include <malloc.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_port.h"
#include "guarded_memory.h"
#include "msginfo.h"
#include "pcvask.h"

namespace {

const SerialParam kParam = {2, 0, 0, 1, 0};
const int PC = 0xD0;

// An argument list from texts, ended by a null pointer.
struct Args {
    std::vector<std::string> texts;
    std::vector<char*> pointers;
    Args(std::initializer_list<const char*> list) {
        for (const char* t : list) texts.push_back(t);
        for (std::string& t : texts) pointers.push_back(&t[0]);
        pointers.push_back(nullptr);
    }
    char** get() { return pointers.data(); }
};

// A unit float with its gas component, as "k" 2 carries it.
Bytes UQF(const char* number, int unit, int gas) {
    Bytes b(number, number + strlen(number));
    b.push_back(0);
    b.push_back((unsigned char)unit);
    b.push_back(0);
    b.push_back((unsigned char)gas);
    b.push_back(0);
    return b;
}

class Flat : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, CvaskAddress::SetMyAddress(13));
        bus.device = [this](const Bytes&) { bus.Ack(); };
    }
    void TearDown() override {
        PCvaskDone();
        PCvaskFree(buffers);
        CvaskAddress::SetMyAddress(14);
    }
    void Init() {
        ErrorInfo_ e;
        ASSERT_EQ(1, PCvaskInit("VASK", "COM1", &kParam, &e)) << e.text;
    }
    // The body of the last telegram written, unstuffed.
    std::string LastBody() {
        if (bus.written.empty()) return "nothing written";
        const Bytes& t = bus.written.back();
        Bytes u;
        for (size_t k = 2; k + 4 < t.size(); ++k) {
            u.push_back(t[k]);
            if (t[k] == 0x10) ++k;
        }
        return Hex(Bytes(u.begin() + 2, u.end()));
    }
    int Send(char letter, int function, Args args, ErrorInfo_* e, const char* address = "2/1") {
        return PCvaskSend(address, letter, function, args.get(), e);
    }

    FakeBus bus;
    char** buffers = PCvaskAlloc();
};

// The set holds fifteen texts of forty bytes. A heap block hides an overrun, so the sizes
// are read from the heap, and a receive of the most and longest texts writes into a set
// laid right against no-access memory: a forty-first byte of any text, or a sixteenth
// text, faults and is reported with the buffer it passed.
TEST_F(Flat, TheBufferSetHoldsFifteenTexts) {
    ASSERT_NE(nullptr, buffers);
    EXPECT_GE(_msize(buffers), PCVASK_BUFFERS * sizeof(char*));
    for (int k = 0; k < PCVASK_BUFFERS; ++k)
        EXPECT_GE(_msize(buffers[k]), (size_t)PCVASK_BUFFER_SIZE) << "text " << k;
    PCvaskFree(nullptr);

    std::vector<std::unique_ptr<GuardedBody>> texts;
    std::vector<char*> pointers;
    for (int k = 0; k < PCVASK_BUFFERS; ++k) {
        texts.emplace_back(new GuardedBody(Bytes(PCVASK_BUFFER_SIZE, 'x'), GuardedBody::Tail,
                                           "text " + std::to_string(k) + " of the set"));
        pointers.push_back(texts.back()->text());
    }
    Bytes table(pointers.size() * sizeof(char*));
    memcpy(table.data(), pointers.data(), table.size());
    GuardedBody set(table, GuardedBody::Tail, "the set's fifteen pointers");

    Init();
    // More values than the set holds, each with a text longer than a buffer.
    const char* number = "1267650600228229401496703205376";  // 2^100, exact in a double
    Bytes body = {0, 0, 'k', 2};
    for (int k = 0; k < 20; ++k) body = Cat(body, UQF(number, 2, 2));
    bus.Give(Frame(PC, 0x20, body));
    char letter = 0;
    ErrorInfo_ e;
    EXPECT_EQ(0,
              PCvaskReceive(nullptr, &letter, nullptr, reinterpret_cast<char**>(set.begin()), &e));
    EXPECT_EQ(67, e.code);
    // Read within the buffers whatever the receive left there.
    auto text = [&](int k) {
        return std::string(pointers[k], strnlen(pointers[k], PCVASK_BUFFER_SIZE));
    };
    for (int k = 0; k + 1 < PCVASK_BUFFERS; ++k) {
        EXPECT_EQ(PCVASK_BUFFER_SIZE - 1, (int)text(k).size()) << k;
        EXPECT_EQ(std::string(number) + ".000 ", text(k).substr(0, strlen(number) + 5)) << k;
    }
    EXPECT_EQ("", text(PCVASK_BUFFERS - 1)) << "the end mark";
}

TEST_F(Flat, BeforeInitSendAndReceiveFailWith26WithoutLookingAtTheirArguments) {
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskSend("2/1", 'K', 17, reinterpret_cast<char**>(16), &e));
    EXPECT_EQ(26, e.code);
    char letter = 'q';
    EXPECT_EQ(0, PCvaskReceive(nullptr, &letter, nullptr, reinterpret_cast<char**>(16), &e));
    EXPECT_EQ(26, e.code);
    EXPECT_EQ(1, PCvaskDone()) << "without a connection";
    EXPECT_EQ(0, PCvaskSend("2/1", 'K', 17, nullptr, nullptr)) << "a null error record is allowed";
}

TEST_F(Flat, InitReportsTheConnectionsErrorsAndRefusesASecondConnection) {
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskInit("SERIAL", "COM1", &kParam, &e));
    EXPECT_EQ(25, e.code);
    EXPECT_NE(nullptr, strstr(e.text, "(E25)"));
    bus.openResult = 0;
    EXPECT_EQ(0, PCvaskInit("VASK", "COM1", &kParam, &e));
    EXPECT_EQ(12, e.code);
    EXPECT_EQ(0, PCvaskInit("VASK", "COM1", nullptr, &e)) << "no settings";
    bus.openResult = 1;
    Init();
    EXPECT_EQ(0, PCvaskInit("VASK", "COM2", &kParam, &e));
    EXPECT_EQ(34, e.code);
    EXPECT_EQ(1, bus.opened) << "the second call opens nothing";
    EXPECT_EQ(0, bus.closed) << "and leaves the first connection as it was";
    EXPECT_EQ(1, Send('K', 17, {"3"}, &e));
    EXPECT_EQ(1, PCvaskDone());
    EXPECT_EQ(1, bus.closed);
    EXPECT_EQ(0, Send('K', 17, {"3"}, &e));
    EXPECT_EQ(26, e.code);
}

TEST_F(Flat, ArgumentsAreCheckedBeforeAnythingIsSent) {
    Init();
    struct Case {
        const char* what;
        char letter;
        int function;
        std::initializer_list<const char*> args;
        int code;
    } cases[] = {
        {"unknown message", 'x', 200, {}, 27},
        {"no value for 'K' 17", 'K', 17, {}, 28},
        {"one too many", 'K', 17, {"3", "4"}, 29},
        {"a negative integer", 'K', 17, {"-1"}, 30},
        {"an integer above one byte", 'K', 17, {"256"}, 30},
        {"not a number", 'K', 17, {"drei"}, 30},
        {"an unknown unit text", 'W', 31, {"1.5 furlong"}, 30},
        {"six switch bits wanted, five given", 'S', 1, {"1", "0", "1", "0", "0"}, 28},
        {"768 floats cannot be given", 'W', 1, {"1", "2", "3"}, 30},
        {"a binary record is no text", 'K', 21, {"00"}, 30},
        {"the single-byte kind takes one value", 'K', 20, {"<>", "<>"}, 29},
        {"the single-byte kind needs its text", 'K', 20, {"5"}, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ErrorInfo_ e;
        EXPECT_EQ(0, Send(c.letter, c.function, Args(c.args), &e));
        EXPECT_EQ(c.code, e.code);
    }
    EXPECT_TRUE(bus.written.empty());
    // An empty text ends the list as a null pointer does.
    ErrorInfo_ e;
    EXPECT_EQ(1, Send('K', 17, {"3", ""}, &e)) << e.text;
}

TEST_F(Flat, RequestBodiesOnTheWire) {
    Init();
    struct Case {
        const char* what;
        char letter;
        int function;
        std::initializer_list<const char*> args;
        const char* body;
    } cases[] = {
        {"one integer", 'K', 17, {"3"}, "4B 11 03 00"},
        {"the largest integer", 'K', 17, {"255"}, "4B 11 FF 00"},
        {"no values", 'k', 6, {}, "6B 06"},
        {"switch bits with their fixed bits",
         'S',
         1,
         {"1", "0", "1", "0", "0", "0"},
         "53 01 85 00"},
        {"on/off", 'F', 1, {"Ein"}, "46 01 31 00"},
        {"the single-byte kind", 'K', 20, {"<>"}, "4B 14 02"},
        {"a float with its unit", 'W', 31, {"1.5 ppm"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ErrorInfo_ e;
        ASSERT_EQ(1, Send(c.letter, c.function, Args(c.args), &e)) << e.text;
        if (c.body) {
            EXPECT_EQ(c.body, LastBody());
        }
    }
    EXPECT_EQ(Hex(Bytes{'W', 31}) + " " + Hex(Bytes{'1', '.', '5', '0', '0', 0, 2, 0}), LastBody());
}

TEST_F(Flat, TheCataloguesPrototypesOutliveTheirSends) {
    Init();
    CMsgInfo* entry = FindMessageInfo('S', 1);
    ASSERT_NE(nullptr, entry);
    CParam* first = entry->GetParameter(0, DT_REQUEST);
    int count = entry->GetParamCount(DT_REQUEST);
    for (int round = 0; round < 3; ++round) {
        ErrorInfo_ e;
        ASSERT_EQ(1, Send('S', 1, {"0", "1", "0", "0", "0", "1"}, &e)) << e.text;
        EXPECT_EQ("53 01 A2 00", LastBody()) << "round " << round;
    }
    EXPECT_EQ(count, entry->GetParamCount(DT_REQUEST));
    EXPECT_EQ(first, entry->GetParameter(0, DT_REQUEST));
    EXPECT_EQ(PT_BIT, first->GetType()) << "still a live object";
}

TEST_F(Flat, ADeviceThatNeverAcknowledgesIsReportedAsNotResponding) {
    Init();
    bus.device = nullptr;
    ErrorInfo_ e;
    EXPECT_EQ(0, Send('K', 17, {"3"}, &e));
    EXPECT_EQ(2, e.code);
    EXPECT_EQ(3u, bus.written.size());
    EXPECT_EQ(0, Send('K', 17, {"3"}, &e, "99"));
    EXPECT_EQ(36, e.code) << "no bus address";
}

TEST_F(Flat, ReceiveWithNothingThereLeavesTheBuffersAlone) {
    Init();
    strcpy(buffers[0], "keep");
    char letter = 'q';
    int function = -5;
    ErrorInfo_ e;
    EXPECT_EQ(1, PCvaskReceive(nullptr, &letter, &function, buffers, &e));
    EXPECT_EQ(0, letter);
    EXPECT_STREQ("keep", buffers[0]);
}

TEST_F(Flat, ReceivedValuesAreWrittenAsTextsAndEndWithAnEmptyOne) {
    Init();
    // 's' 21: two enumerated values and three integers, all read as numbers.
    bus.Give(Frame(PC, 0x20, {0, 0, 's', 21, 5, 0, 7, 0, 1, 0, 2, 0, 3, 0}));
    strcpy(buffers[5], "old");
    strcpy(buffers[6], "old");
    char letter = 0;
    int function = 0;
    ErrorInfo_ e;
    ASSERT_EQ(1, PCvaskReceive(nullptr, &letter, &function, buffers, &e)) << e.text;
    EXPECT_EQ('s', letter);
    EXPECT_EQ(21, function);
    const char* expected[] = {"5", "7", "1", "2", "3", ""};
    for (int k = 0; k < 6; ++k) EXPECT_STREQ(expected[k], buffers[k]) << k;
    EXPECT_STREQ("old", buffers[6]);
}

TEST_F(Flat, MoreValuesThanBuffersFillFourteenAndReportBufferTooSmall) {
    Init();
    for (int values : {14, 15, 30}) {
        SCOPED_TRACE(values);
        Bytes body = {0, 0, 'k', 2};
        for (int k = 0; k < values; ++k) body = Cat(body, UQF(std::to_string(k + 1).c_str(), 2, 2));
        bus.Give(Frame(PC, 0x20, body));
        char letter = 0;
        int function = 0;
        ErrorInfo_ e;
        e.code = 0;
        int result = PCvaskReceive(nullptr, &letter, &function, buffers, &e);
        EXPECT_EQ(values <= 14 ? 1 : 0, result);
        EXPECT_EQ(values <= 14 ? 0 : 67, e.code);
        EXPECT_EQ('k', letter);
        EXPECT_EQ(strncmp(buffers[0], "1.000", 5), 0) << buffers[0];
        EXPECT_EQ(strncmp(buffers[13], "14.000", 6), 0) << buffers[13];
        EXPECT_STREQ("", buffers[14]) << "the end mark in the last buffer";
    }
}

TEST_F(Flat, ALongTextIsCutToItsBufferAndReported) {
    Init();
    // 'k' 16: one text with its unit code.
    std::string text(60, 'A');
    text[38] = 'B';
    text[39] = 'C';
    Bytes body = {0, 0, 'k', 16};
    body.insert(body.end(), text.begin(), text.end());
    body = Cat(body, {0, 1, 0});
    bus.Give(Frame(PC, 0x20, body));
    char letter = 0;
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskReceive(nullptr, &letter, nullptr, buffers, &e));
    EXPECT_EQ(67, e.code);
    EXPECT_EQ(39u, strlen(buffers[0]));
    EXPECT_EQ('B', buffers[0][38]);
    EXPECT_STREQ("", buffers[1]);
    // A text of exactly 39 characters fits.
    body = {0, 0, 'k', 16};
    body.insert(body.end(), 39, 'Z');
    body = Cat(body, {0, 1, 0});
    bus.Give(Frame(PC, 0x20, body));
    EXPECT_EQ(1, PCvaskReceive(nullptr, &letter, nullptr, buffers, &e));
    EXPECT_EQ(std::string(39, 'Z'), buffers[0]);
}

TEST_F(Flat, AMessageWithValuesAndNoBuffersIsBufferTooSmall) {
    Init();
    bus.Give(Frame(PC, 0x20, {0, 0, 'k', 17, 3, 0}));
    char letter = 0;
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskReceive(nullptr, &letter, nullptr, nullptr, &e));
    EXPECT_EQ(67, e.code);
}

TEST_F(Flat, APortFailureReachesTheCaller) {
    Init();
    bus.readFails = true;
    char letter = 0;
    ErrorInfo_ e;
    EXPECT_EQ(0, PCvaskReceive(nullptr, &letter, nullptr, buffers, &e));
    EXPECT_EQ(5, e.code);
}

}  // namespace
