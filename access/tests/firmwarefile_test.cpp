// The Intel-HEX reader: lines into download records, and whole files checked before any
// record is handed out. Files made by objcopy and srec_cat (data/, see make-fixtures.sh)
// must come out byte for byte as the tools encoded the payload.
#include "firmwarefile.h"

#include "transfer_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using transfer_test::DataPath;
using transfer_test::Join;
using transfer_test::ReadBytes;
using transfer_test::ReadLines;
using transfer_test::TempFile;

std::vector<unsigned char> RecordBytes(const unsigned char* record) {
    return std::vector<unsigned char>(record, record + CFirmwareFile::RecordLength(record));
}

// ---- single lines -----------------------------------------------------------------------

struct LineCase {
    const char* name;
    const char* line;
    int error;                          // 0: parses
    std::vector<unsigned char> record;  // expected record when it parses
};

class ParseLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseLineTest, GivesTheRecordOrTheError) {
    const LineCase& c = GetParam();
    int error = 0;
    unsigned char* record = CFirmwareFile::ParseLine(CString(c.line), error);
    if (c.error == 0) {
        ASSERT_NE(record, nullptr) << "error " << error;
        EXPECT_EQ(RecordBytes(record), c.record);
    } else {
        EXPECT_EQ(record, nullptr);
        EXPECT_EQ(error, c.error);
    }
    delete[] record;
}

// 62 data bytes: the longest record whose request body (6 + n bytes) the bus carries.
std::string LineOf(int count, int fill) {
    char buf[8];
    unsigned sum = (unsigned)count;
    std::string line = ":";
    snprintf(buf, sizeof buf, "%02X0000", count);
    line += buf;
    line += "00";
    for (int i = 0; i < count; ++i) {
        snprintf(buf, sizeof buf, "%02X", fill);
        line += buf;
        sum += (unsigned)fill;
    }
    snprintf(buf, sizeof buf, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return line + buf;
}

const std::string kLine62 = LineOf(62, 0xA5);
const std::string kLine63 = LineOf(63, 0xA5);

std::vector<unsigned char> Record62() {
    std::vector<unsigned char> r = {62, 0, 0, 0};
    r.insert(r.end(), 62, 0xA5);
    return r;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLineTest,
    ::testing::Values(
        LineCase{"DataRecord", ":0300300002337A1E", 0, {0x03, 0x00, 0x30, 0x00, 0x02, 0x33, 0x7A}},
        LineCase{"EndOfFile", ":00000001FF", 0, {0x00, 0x00, 0x00, 0x01}},
        LineCase{"SegmentAddress", ":020000021000EC", 0, {0x02, 0x00, 0x00, 0x02, 0x10, 0x00}},
        LineCase{"LongestRecord", kLine62.c_str(), 0, Record62()},
        LineCase{"EmptyLine", "", 43, {}}, LineCase{"NoColon", "0300300002337A1E", 43, {}},
        LineCase{"BlankBeforeColon", " :00000001FF", 43, {}}, LineCase{"ColonOnly", ":", 44, {}},
        LineCase{"EndsInsideAByte", ":0300300002337A1", 44, {}},
        LineCase{"EndsInsideTheData", ":030030000233", 44, {}},
        LineCase{"ChecksumMissing", ":0300300002337A", 44, {}},
        LineCase{"EndsInsideTheHeader", ":030030", 44, {}},
        LineCase{"LowerCaseDigits", ":0300300002337a1e", 42, {}},
        LineCase{"NotAHexDigit", ":03003000023G7A1E", 42, {}},
        LineCase{"NotAHexDigitInCount", ":0G00300002337A1E", 42, {}},
        LineCase{"TrailingCharacter", ":0300300002337A1E0", 42, {}},
        LineCase{"TrailingBlank", ":0300300002337A1E ", 42, {}},
        LineCase{"WrongChecksum", ":0300300002337A1F", 42, {}},
        LineCase{"CorruptDataByte", ":0300300002347A1E", 42, {}},
        LineCase{"RecordTooLongForTheBus", kLine63.c_str(), 42, {}},
        LineCase{"CountLongerThanTheLine", ":FF00000000", 44, {}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

// ---- download progress ------------------------------------------------------------------

TEST(FirmwareFileTest, PercentageHoldsForFilesOfManyRecords) {
    // Past INT_MAX / 100 records the product of the record number and 100 leaves an int.
    struct {
        int done, whole, percent;
    } cases[] = {{0, 96, 0},
                 {95, 96, 98},
                 {96, 96, 100},
                 {21474837, 21474838, 99},
                 {30000000, 40000000, 75},
                 {2147483646, 2147483646, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(CFirmwareFile::Percent(c.done, c.whole), c.percent)
            << c.done << " of " << c.whole;
}

// ---- whole files ------------------------------------------------------------------------

// The data of a file's data records, placed by their load addresses (segment and linear
// extended address records included), must be the payload from `start` on, once and
// in order.
void ExpectPayload(const CFirmwareFile& file, unsigned long start) {
    std::vector<unsigned char> payload = ReadBytes(DataPath("payload.bin"));
    ASSERT_EQ(payload.size(), 1500u);
    unsigned long base = 0;
    unsigned long next = start;
    for (int i = 0; i < file.GetCount(); ++i) {
        const unsigned char* r = (const unsigned char*)file.GetRecords()[i];
        unsigned long offset = ((unsigned long)r[1] << 8) | r[2];
        if (r[3] == 0x02) base = (((unsigned long)r[4] << 8) | r[5]) << 4;
        if (r[3] == 0x04) base = (((unsigned long)r[4] << 8) | r[5]) << 16;
        if (r[3] != 0x00) continue;
        ASSERT_EQ(base + offset, next) << "record " << i;
        for (int k = 0; k < r[0]; ++k)
            ASSERT_EQ(r[4 + k], payload[next - start + k]) << "record " << i << " byte " << k;
        next += r[0];
    }
    EXPECT_EQ(next - start, payload.size());
}

TEST(FirmwareFileTest, ObjcopyFileOf16ByteLinesReadsAsThePayload) {
    CFirmwareFile file;
    ASSERT_EQ(file.Read(CString(DataPath("firmware16.hex").c_str())), 1) << file.GetError();
    EXPECT_EQ(file.GetCount(), 97);
    ExpectPayload(file, 0xFC00);
    // Address and start records go to the device in file order like the data.
    const unsigned char* last = (const unsigned char*)file.GetRecords()[96];
    const unsigned char* start = (const unsigned char*)file.GetRecords()[95];
    EXPECT_EQ(last[3], 0x01);
    EXPECT_EQ(start[3], 0x03);
}

TEST(FirmwareFileTest, SrecCatFileOf32ByteLinesReadsAsThePayload) {
    CFirmwareFile file;
    ASSERT_EQ(file.Read(CString(DataPath("firmware32.hex").c_str())), 1) << file.GetError();
    EXPECT_EQ(file.GetCount(), 49);
    EXPECT_EQ(((const unsigned char*)file.GetRecords()[1])[0], 32);
    ExpectPayload(file, 0x8000);
}

TEST(FirmwareFileTest, LineEndsOfWindowsAndUnixReadAlike) {
    // objcopy writes CR LF; the same lines with LF alone must give the same records.
    std::vector<unsigned char> raw = ReadBytes(DataPath("firmware16.hex"));
    ASSERT_GT(raw.size(), 2u);
    ASSERT_EQ(raw[raw.size() - 2], '\r');
    TempFile unixFile(Join(ReadLines(DataPath("firmware16.hex"))));
    CFirmwareFile windows, unix;
    ASSERT_EQ(windows.Read(CString(DataPath("firmware16.hex").c_str())), 1);
    ASSERT_EQ(unix.Read(CString(unixFile.path().c_str())), 1) << unix.GetError();
    ASSERT_EQ(unix.GetCount(), windows.GetCount());
    for (int i = 0; i < windows.GetCount(); ++i)
        EXPECT_EQ(RecordBytes((const unsigned char*)unix.GetRecords()[i]),
                  RecordBytes((const unsigned char*)windows.GetRecords()[i]));
}

TEST(FirmwareFileTest, MissingFileFailsWithError40) {
    CFirmwareFile file;
    EXPECT_EQ(file.Read(CString(DataPath("no-such-file.hex").c_str())), 0);
    EXPECT_EQ(file.GetError(), 40);
}

TEST(FirmwareFileTest, ReadingAgainReplacesTheRecords) {
    CFirmwareFile file;
    ASSERT_EQ(file.Read(CString(DataPath("firmware16.hex").c_str())), 1);
    ASSERT_EQ(file.Read(CString(DataPath("firmware32.hex").c_str())), 1);
    EXPECT_EQ(file.GetCount(), 49);
}

// A file spoiled in one place: nothing of it may be handed out, whatever came before.
struct FileCase {
    const char* name;
    int error;
    // Changes the lines of the objcopy file.
    void (*spoil)(std::vector<std::string>& lines);
};

class SpoiledFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(SpoiledFileTest, IsRefusedWithNoRecordLeft) {
    std::vector<std::string> lines = ReadLines(DataPath("firmware16.hex"));
    ASSERT_EQ(lines.size(), 97u);
    GetParam().spoil(lines);
    TempFile temp(Join(lines));
    CFirmwareFile file;
    EXPECT_EQ(file.Read(CString(temp.path().c_str())), 0);
    EXPECT_EQ(file.GetError(), GetParam().error);
    EXPECT_EQ(file.GetCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, SpoiledFileTest,
                         ::testing::Values(FileCase{"Empty", 42,
                                                    [](std::vector<std::string>& l) { l.clear(); }},
                                           FileCase{
                                               "CutOffAtALineEnd", 42,
                                               [](std::vector<std::string>& l) { l.resize(60); }},
                                           FileCase{
                                               "EndRecordMissing", 42,
                                               [](std::vector<std::string>& l) { l.pop_back(); }},
                                           FileCase{"RecordAfterTheEnd", 42,
                                                    [](std::vector<std::string>& l) {
                                                        l.push_back(l[0]);
                                                    }},
                                           FileCase{"TwoEndRecords", 42,
                                                    [](std::vector<std::string>& l) {
                                                        l.insert(l.begin() + 10, l.back());
                                                    }},
                                           FileCase{"FlippedDigitInTheMiddle", 42,
                                                    [](std::vector<std::string>& l) {
                                                        l[50][20] = l[50][20] == '0' ? '1' : '0';
                                                    }},
                                           FileCase{"LowerCaseLine", 42,
                                                    [](std::vector<std::string>& l) {
                                                        for (char& c : l[40])
                                                            c = (char)tolower((unsigned char)c);
                                                    }},
                                           FileCase{"EmptyLineInTheMiddle", 43,
                                                    [](std::vector<std::string>& l) {
                                                        l.insert(l.begin() + 30, "");
                                                    }},
                                           FileCase{"EmptyLineAtTheEnd", 43,
                                                    [](std::vector<std::string>& l) {
                                                        l.push_back("");
                                                    }},
                                           FileCase{
                                               "LastLineCut", 44,
                                               [](std::
                                                      vector<std::string>&
                                                          l) { l[96] = l[96].substr(0, 8); }},
                                           FileCase{"OverlongRecord", 42,
                                                    [](std::vector<std::string>& l) {
                                                        l.insert(l.begin() + 5, kLine63);
                                                    }},
                                           // Damaged storage leaves stretches of zero bytes; a record under them is lost.
                                           FileCase{"LineZeroedOut", 43,
                                                    [](std::vector<std::string>& l) {
                                                        l[50] = std::string(l[50].size(), '\0');
                                                    }},
                                           FileCase{"ZeroesAcrossALineEnd", 43,
                                                    [](std::vector<std::string>& l) {
                                                        l[50] = std::string(l[50].size() + 1 + 20,
                                                                            '\0') +
                                                                l[51].substr(20);
                                                        l.erase(l.begin() + 51);
                                                    }},
                                           FileCase{"JunkAfterAZeroOnTheLastLine", 42,
                                                    [](std::vector<std::string>& l) {
                                                        l[96] += std::string(1, '\0') + "junk";
                                                    }}),
                         [](const ::testing::TestParamInfo<FileCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
