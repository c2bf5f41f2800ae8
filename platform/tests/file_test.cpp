// Files: opening failures with their causes, positions, and text lines.
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        GetTempFileNameA(dir, "vff", 0, name);
        path_ = name;
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }

    void Put(const std::string& bytes) {
        CFile f(path_.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.Write(bytes.data(), (UINT)bytes.size());
    }

    std::vector<std::string> Lines(UINT nType) {
        std::vector<std::string> lines;
        CStdioFile f(path_.c_str(), CFile::modeRead | nType);
        CString line;
        while (f.ReadString(line)) lines.push_back((LPCSTR)line);
        return lines;
    }

    std::string path_;
};

TEST_F(FileTest, OpenFailuresNameTheirCause) {
    struct Case {
        std::string name;
        UINT flags;
        int cause;
    };
    const Case cases[] = {
        {path_ + ".missing", CFile::modeRead, CFileException::fileNotFound},
        {path_ + ".missing\\x.txt", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
        {"", CFile::modeRead, CFileException::badPath},
    };
    for (const Case& c : cases) {
        CFile f;
        CFileException e;
        EXPECT_FALSE(f.Open(c.name.c_str(), c.flags, &e)) << c.name;
        EXPECT_EQ(e.m_cause, c.cause) << c.name;
        EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    }
    try {
        CStdioFile f((path_ + ".missing").c_str(), CFile::modeRead);
        FAIL() << "opened a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        char text[512];
        EXPECT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_NE(strstr(text, ".missing"), nullptr) << text;
        e->Delete();
    }
}

TEST_F(FileTest, SharingRulesAreKept) {
    CFile writer(path_.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    CFile second;
    CFileException e;
    EXPECT_FALSE(second.Open(path_.c_str(), CFile::modeWrite | CFile::shareDenyNone, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
    CFile reader;
    EXPECT_TRUE(reader.Open(path_.c_str(), CFile::modeRead | CFile::shareDenyNone));
}

TEST_F(FileTest, PositionsAndLength) {
    CFile f(path_.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    f.Write("0123456789", 10);
    EXPECT_EQ(f.GetLength(), 10u);
    EXPECT_EQ(f.GetPosition(), 10u);
    EXPECT_EQ(f.Seek(-3, CFile::end), 7);
    char buf[8] = {0};
    EXPECT_EQ(f.Read(buf, 8), 3u);
    EXPECT_STREQ(buf, "789");
    EXPECT_EQ(f.Read(buf, 8), 0u);  // at the end: nothing, no error
    f.SeekToBegin();
    f.SetLength(4);
    EXPECT_EQ(f.GetLength(), 4u);
    EXPECT_EQ(f.SeekToEnd(), 4u);
    try {
        f.Seek(-10, CFile::begin);
        FAIL() << "seek before the start";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    f.Close();
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    EXPECT_STRNE(f.GetFileName(), "");
}

TEST_F(FileTest, TextLines) {
    struct Case {
        std::string bytes;
        std::vector<std::string> text;    // read in text mode
        std::vector<std::string> binary;  // read in binary mode
    };
    const std::string longLine(1000, 'L');
    const Case cases[] = {
        {"", {}, {}},
        {"a\r\nb\r\n", {"a", "b"}, {"a\r", "b\r"}},
        {"a\nb", {"a", "b"}, {"a", "b"}},
        {"\r\n\r\n", {"", ""}, {"\r", "\r"}},
        {":10000000\r\n" + longLine + "\r\n:00000001FF",
         {":10000000", longLine, ":00000001FF"},
         {":10000000\r", longLine + "\r", ":00000001FF"}},
    };
    for (const Case& c : cases) {
        Put(c.bytes);
        EXPECT_EQ(Lines(CFile::typeText), c.text) << "text mode";
        EXPECT_EQ(Lines(CFile::typeBinary), c.binary) << "binary mode";
    }
}

TEST_F(FileTest, WrittenTextEndsLinesWithCarriageReturn) {
    {
        CStdioFile f(path_.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("first\n");
        f.WriteString(
            "Me\xDF"
            "gas\n");
        f.Close();
    }
    {
        CFile f(path_.c_str(), CFile::modeRead);
        char buf[64];
        UINT n = f.Read(buf, sizeof buf);
        EXPECT_EQ(std::string(buf, n),
                  "first\r\nMe\xDF"
                  "gas\r\n");
    }
    {
        // Appending keeps what is there.
        CStdioFile g(path_.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        g.WriteString("third\n");
    }
    EXPECT_EQ(Lines(CFile::typeText), (std::vector<std::string>{"first",
                                                                "Me\xDF"
                                                                "gas",
                                                                "third"}));
    Put(std::string("x\ny\n"));
    CStdioFile h(path_.c_str(), CFile::modeRead);
    char line[4];
    ASSERT_NE(h.ReadString(line, sizeof line), nullptr);
    EXPECT_STREQ(line, "x\n");
}

}  // namespace
