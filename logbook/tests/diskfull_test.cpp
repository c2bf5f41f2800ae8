// A disk that fills up while the log is written. A file size limit of the process plays
// the full disk: CMake runs the test program once more under one
// (nuraprotocol_disk_full_test), which it announces in VASK_FILE_SIZE_LIMIT; without the
// limit there is nothing to fill up.
#include "test_support.h"

#include <stdlib.h>

namespace {

TEST_F(WriterTest, DiskFullIsReportedAndLoggingGoesOnInTheNextFile) {
    const char* limitText = getenv("VASK_FILE_SIZE_LIMIT");
    if (limitText == NULL) GTEST_SKIP() << "runs under a file size limit only";
    const size_t limit = (size_t)atoi(limitText);
    ASSERT_GT(limit, 1000u);

    // Rows of three values of 30 characters: 93 bytes; 100 of them do not fit.
    writer->SetNumColumns(3);
    writer->SetProtocolMode(1, 100);
    writer->Start();
    const std::string value(30, 'v');
    std::string expected = "24.12.2003; 13:05:09\n";
    int written = 0;
    unsigned long first = 0;
    while (first == 0 && written < 300) {
        first = writer->WriteData(value.c_str());
        if (first == 0) expected += value + (++written % 3 == 0 ? "\n" : ";");
    }
    ASSERT_LT(written, 300) << "the disk never filled up";
    EXPECT_EQ(first, (unsigned long)CFileException::diskFull);

    // The file stays open: further writes give the cause of their failure, not 110.
    for (int i = 0; i < 3; ++i) {
        unsigned long code = i == 1 ? writer->WriteLine("line") : writer->WriteData("more");
        EXPECT_GT(code, 0u);
        EXPECT_LE(code, (unsigned long)CFileException::endOfFile) << "a file exception's cause";
    }
    EXPECT_GT(writer->GetCurrentLineNumber(), 0u);
    std::string bytes = ReadBytes(Log(0));
    EXPECT_EQ(bytes.size(), limit);
    EXPECT_EQ(bytes.substr(0, expected.size()), expected) << "what was written before stays";

    // The rows go on being counted; at the line limit the log goes on in the next file,
    // where there is room again.
    unsigned long code = 1;
    for (int i = 0; i < 300 && code != 0; ++i) code = writer->WriteData("next");
    ASSERT_EQ(code, 0u);
    ASSERT_EQ(writer->GetCurrentFileName(), CString(Log(1).c_str()));
    EXPECT_EQ(writer->WriteLine("after"), 0u);
    writer->Stop();
    EXPECT_EQ(ReadBytes(Log(1)), "24.12.2003; 13:05:09\nnext;\nafter\n24.12.2003; 13:05:09\n");
    EXPECT_EQ(ReadBytes(Log(0)).size(), limit);
}

}  // namespace
