// The names of the numbered files, and files that cannot be opened.
#include "test_support.h"

namespace {

struct NameCase {
    const char* name;
    unsigned long counter;
    const char* file;
};

std::ostream& operator<<(std::ostream& os, const NameCase& c) {
    return os << c.name << " #" << c.counter;
}

const NameCase kNames[] = {
    {"prot.txt", 0, "prot0000.txt"},
    {"prot.txt", 1, "prot0001.txt"},
    {"prot.txt", 10000, "prot10000.txt"},
    {"log", 0, "log0000"},
    {"C:\\logs\\prot.txt", 12, "C:\\logs\\prot0012.txt"},
    // A dot in a folder name is no extension.
    {"C:\\logs.d\\prot", 3, "C:\\logs.d\\prot0003"},
    {"logs.d/prot", 3, "logs.d/prot0003"},
    {"C:prot", 0, "C:prot0000"},
    {"a.b.c", 2, "a.b0002.c"},
    // Counter patterns: exactly one integer conversion, "%%" beside it allowed.
    {"run%lu.csv", 0, "run0.csv"},
    {"run%lu.csv", 1, "run1.csv"},
    {"run%03d.csv", 7, "run007.csv"},
    {"run%.3lu.csv", 5, "run005.csv"},
    {"run%x.csv", 255, "runff.csv"},
    {"run%X.csv", 255, "runFF.csv"},
    {"run%o.csv", 8, "run10.csv"},
    {"r%-3hd.csv", 4, "r4  .csv"},
    {"r%+i.csv", 4, "r+4.csv"},
    {"100%% run%u.csv", 2, "100% run2.csv"},
    {"C:\\log%d\\prot.txt", 1, "C:\\log1\\prot.txt"},
    // Everything else is a literal name and gets the counter before its extension.
    {"50%.txt", 0, "50%0000.txt"},
    {"x%", 0, "x%0000"},
    {"a%%b.txt", 1, "a%%b0001.txt"},
    {"%s.txt", 0, "%s0000.txt"},
    {"%n.txt", 0, "%n0000.txt"},
    {"%p.txt", 0, "%p0000.txt"},
    {"run%*d.csv", 0, "run%*d0000.csv"},
    {"run%lld.csv", 0, "run%lld0000.csv"},
    {"run%123d.csv", 0, "run%123d0000.csv"},
    {"run%.100d.csv", 0, "run%.100d0000.csv"},
    {"run%lu_%lu.csv", 0, "run%lu_%lu0000.csv"},
    {"run%d%s.csv", 0, "run%d%s0000.csv"},
};

class NameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameTest, FileOfTheCounter) {
    EXPECT_EQ(CnuraProtocolProbe::BuildFileName(GetParam().name, GetParam().counter),
              CString(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Names, NameTest, ::testing::ValuesIn(kNames));

TEST_F(WriterTest, CurrentFileNameFollowsTheCounter) {
    writer->SetFileName(CString(folder.File("run%lu.csv").c_str()));
    writer->SetProtocolMode(1, 1);
    writer->Start();
    ASSERT_EQ(writer->WriteData("a"), 0u);
    ASSERT_EQ(writer->WriteData("b"), 0u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"run0.csv", "run1.csv"}));
    EXPECT_EQ(writer->GetCurrentFileName(), CString(folder.File("run1.csv").c_str()));
}

TEST_F(WriterTest, NameLengthAndEmptyName) {
    // Names up to 115 characters are taken, 116 and more are refused.
    std::string base = folder.File("");
    ASSERT_LT(base.size(), 100u);
    std::string name115 = base + std::string(115 - base.size() - 4, 'n') + ".txt";
    ASSERT_EQ(name115.size(), 115u);
    writer->SetFileName(CString(name115.c_str()));
    writer->Start();
    EXPECT_EQ(writer->WriteData("x"), 0u);
    writer->Stop();
    EXPECT_EQ(folder.Names().size(), 1u);

    std::string name116 = base + std::string(116 - base.size() - 4, 'm') + ".txt";
    writer->SetFileName(CString(name116.c_str()));
    writer->Start();
    EXPECT_EQ(writer->WriteData("x"), (unsigned long)ERROR_FILENAME_EXCED_RANGE);
    EXPECT_EQ(writer->WriteData("x"), (unsigned long)ERROR_OPEN_FAILED);
    writer->SetFileName("");
    EXPECT_EQ(writer->WriteLine("x"), (unsigned long)ERROR_INVALID_NAME);
    EXPECT_EQ(writer->WriteLine("x"), (unsigned long)ERROR_OPEN_FAILED);
    EXPECT_EQ(folder.Names().size(), 1u);
}

// ---- files that cannot be opened ----------------------------------------------------------

struct Obstacle {
    const char* name;
    // Puts the obstacle in the way of `file`; returns a handle to close afterwards, if any.
    HANDLE (*place)(const std::string& folder, const std::string& file);
    // The name configured, relative to the folder.
    const char* configured;
    DWORD error;
};

std::ostream& operator<<(std::ostream& os, const Obstacle& o) { return os << o.name; }

HANDLE Nothing(const std::string&, const std::string&) { return INVALID_HANDLE_VALUE; }

HANDLE FolderOfThatName(const std::string&, const std::string& file) {
    CreateDirectoryA(file.c_str(), NULL);
    return INVALID_HANDLE_VALUE;
}

HANDLE ReadOnlyFile(const std::string&, const std::string& file) {
    WriteBytes(file, "keep");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    return INVALID_HANDLE_VALUE;
}

HANDLE FileHeldWithoutSharing(const std::string&, const std::string& file) {
    WriteBytes(file, "keep");
    return CreateFileA(file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

const Obstacle kObstacles[] = {
    {"MissingFolder", Nothing, "missing\\prot.txt", ERROR_PATH_NOT_FOUND},
    {"FolderOfThatName", FolderOfThatName, "prot.txt", ERROR_ACCESS_DENIED},
    {"ReadOnlyFile", ReadOnlyFile, "prot.txt", ERROR_ACCESS_DENIED},
    {"FileHeldWithoutSharing", FileHeldWithoutSharing, "prot.txt", ERROR_SHARING_VIOLATION},
};

class OpenFailureTest : public WriterTest, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(OpenFailureTest, SystemCodeOnceThenOpenFailedUntilStopOrNewName) {
    const Obstacle& o = GetParam();
    HANDLE held = o.place(folder.Path(), folder.File("prot0000.txt"));
    if (o.place == ReadOnlyFile) {
        // Under Wine the attribute is the file's Unix write permission, which does not
        // hold for root.
        HANDLE h = CreateFileA(folder.File("prot0000.txt").c_str(), GENERIC_WRITE, 0, NULL,
                               OPEN_EXISTING, 0, NULL);
        if (h != INVALID_HANDLE_VALUE) {
            CloseHandle(h);
            GTEST_SKIP() << "a read-only file can be written by this user";
        }
    }
    std::vector<std::string> names = folder.Names();
    std::string before = ReadBytes(folder.File("prot0000.txt"));
    CString name(folder.File(o.configured).c_str());
    writer->SetFileName(name);
    writer->Start();

    EXPECT_EQ(writer->WriteData("x"), o.error);
    EXPECT_EQ(writer->WriteData("x"), (unsigned long)ERROR_OPEN_FAILED);
    EXPECT_EQ(writer->WriteLine("x"), (unsigned long)ERROR_OPEN_FAILED);
    testclock::Advance(3600);
    EXPECT_EQ(writer->WriteLine(""), (unsigned long)ERROR_OPEN_FAILED);

    // Stop and a new name each allow one more attempt.
    writer->Stop();
    writer->Start();
    EXPECT_EQ(writer->WriteData("x"), o.error);
    EXPECT_EQ(writer->WriteData("x"), (unsigned long)ERROR_OPEN_FAILED);
    writer->SetFileName(name);
    EXPECT_EQ(writer->WriteData("x"), o.error);
    EXPECT_EQ(writer->WriteData("x"), (unsigned long)ERROR_OPEN_FAILED);
    writer->Stop();

    EXPECT_EQ(folder.Names(), names) << "nothing else created";
    EXPECT_EQ(ReadBytes(folder.File("prot0000.txt")), before) << "nothing emptied";
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
}

INSTANTIATE_TEST_SUITE_P(Obstacles, OpenFailureTest, ::testing::ValuesIn(kObstacles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriterTest, RollOverGetsItsOwnAttemptAtTheNextFile) {
    writer->SetProtocolMode(1, 1);
    CreateDirectoryA(Log(1).c_str(), NULL);
    writer->Start();
    ASSERT_EQ(writer->WriteData("a"), 0u);
    EXPECT_EQ(writer->WriteData("b"), (unsigned long)ERROR_ACCESS_DENIED);
    EXPECT_EQ(writer->WriteData("b"), (unsigned long)ERROR_OPEN_FAILED);
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\na\n24.12.2003; 13:05:09\n");

    // Once the way is free, a stop and start log again from file 0.
    RemoveDirectoryA(Log(1).c_str());
    writer->Stop();
    writer->Start();
    ASSERT_EQ(writer->WriteData("c"), 0u);
    ASSERT_EQ(writer->WriteData("d"), 0u);
    writer->Stop();
    EXPECT_EQ(ReadBytes(Log(1)), "24.12.2003; 13:05:09\nd\n24.12.2003; 13:05:09\n");
}

TEST_F(WriterTest, TextAfterARowThatReachedTheLimitNeedsTheNextFile) {
    writer->SetNumColumns(0);
    writer->SetProtocolMode(1, 1);
    CreateDirectoryA(Log(1).c_str(), NULL);
    writer->Start();
    ASSERT_EQ(writer->WriteData("a"), 0u);
    EXPECT_EQ(writer->WriteLine("text"), (unsigned long)ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\na;\n24.12.2003; 13:05:09\n");
}

}  // namespace
