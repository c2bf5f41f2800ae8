// The bytes of the log files and the roll-over to the next numbered file.
//
// ExpectedLog works out what the files of a run must hold from the description of the
// format, and ParseLog reads a file by that description; neither looks at how the writer
// does it.
#include "test_support.h"

#include <functional>

namespace {

// "dd.mm.yyyy<sep> hh:mm:ss", the stamp of the default patterns, built from the time's
// fields rather than through strftime.
std::string Stamp(const CTime& t, const std::string& separator) {
    char date[16], time[16];
    snprintf(date, sizeof date, "%02d.%02d.%04d", t.GetDay(), t.GetMonth(), t.GetYear());
    snprintf(time, sizeof time, "%02d:%02d:%02d", t.GetHour(), t.GetMinute(), t.GetSecond());
    return std::string(date) + separator + " " + time;
}

// The files a run must leave. A file is opened by the first write that finds none open: it
// gets the opening stamp line. A value is written with the separator behind it, the value
// that completes a row of N values with a line feed instead; with N = 0 a row is ended
// only by WriteLine or by closing. WriteLine ends an open row, then writes its text and a
// line feed unless the text is empty. Rows and text lines are counted; once a file holds
// L of them (L > 0), the next write, and also the text after a row that WriteLine ended,
// goes into the next numbered file. Closing ends an open row and adds the closing stamp.
class ExpectedLog {
public:
    ExpectedLog(int columns, unsigned long limit, const std::string& separator)
        : columns_(columns), limit_(limit), separator_(separator) {}

    void Data(const std::string& value, const CTime& now) {
        Next(now);
        ++values_;
        if (columns_ > 0 && values_ == columns_) {
            files_.back() += value + "\n";
            values_ = 0;
            ++counted_;
        } else {
            files_.back() += value + separator_;
        }
    }

    void Line(const std::string& text, const CTime& now) {
        Next(now);
        if (values_ > 0) {
            EndRow();
            Next(now);
        }
        if (!text.empty()) {
            files_.back() += text + "\n";
            ++counted_;
        }
    }

    void Close(const CTime& now) {
        if (files_.empty() || closed_) return;
        if (values_ > 0) EndRow();
        files_.back() += Stamp(now, separator_) + "\n";
        closed_ = true;
    }

    const std::vector<std::string>& Files() const { return files_; }
    // What the open file holds so far.
    const std::string& Current() const { return files_.back(); }

private:
    void EndRow() {
        files_.back() += "\n";
        values_ = 0;
        ++counted_;
    }
    // The file that the next bytes go into.
    void Next(const CTime& now) {
        if (!files_.empty() && !(limit_ > 0 && counted_ >= limit_)) return;
        Close(now);
        files_.push_back(Stamp(now, separator_) + "\n");
        closed_ = false;
        counted_ = 0;
    }

    int columns_;
    unsigned long limit_;
    std::string separator_;
    std::vector<std::string> files_;
    bool closed_ = false;
    unsigned long counted_ = 0;
    int values_ = 0;
};

// A file read by the format: the stamp lines first and last, the lines between them.
struct ParsedLog {
    std::string opening, closing;
    std::vector<std::string> lines;
};

ParsedLog ParseLog(const std::string& bytes) {
    ParsedLog log;
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << "lines end with a line feed alone";
    EXPECT_FALSE(bytes.empty());
    if (bytes.empty()) return log;
    EXPECT_EQ(bytes.back(), '\n');
    std::vector<std::string> all;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        all.push_back(bytes.substr(start, end - start));
    EXPECT_GE(all.size(), 2u);
    if (all.size() < 2) return log;
    log.opening = all.front();
    log.closing = all.back();
    log.lines.assign(all.begin() + 1, all.end() - 1);
    return log;
}

struct LogRun {
    const char* name;
    int columns;
    int mode;
    unsigned long limit;
    const char* separator;
    // Calls data(value) and line(text) in the run's order.
    std::function<void(const std::function<void(const std::string&)>& data,
                       const std::function<void(const std::string&)>& line)>
        script;
};

std::ostream& operator<<(std::ostream& os, const LogRun& run) { return os << run.name; }

void Values(int count, int lineEvery, int emptyLineEvery,
            const std::function<void(const std::string&)>& data,
            const std::function<void(const std::string&)>& line) {
    for (int i = 1; i <= count; ++i) {
        data(i % 5 == 0 ? "20,9 °C" : "v" + std::to_string(i));
        if (lineEvery > 0 && i % lineEvery == 0) line("note " + std::to_string(i));
        if (emptyLineEvery > 0 && i % emptyLineEvery == 0) line("");
    }
}

const LogRun kRuns[] = {
    {"ThreeColumnsSplitAt100WithLines", 3, 1, 100, ";",
     [](auto& data, auto& line) { Values(700, 47, 31, data, line); }},
    {"ThreeColumnsRingAt100", 3, 0, 100, ";",
     [](auto& data, auto& line) { Values(450, 0, 0, data, line); }},
    {"OneColumnRingAtOne", 1, 0, 1, ",",
     [](auto& data, auto& line) {
         Values(5, 0, 0, data, line);
         line("x");
         line("");  // reaches for the next file: one with its stamps only
     }},
    {"NoColumnsSplitAtOne", 0, 1, 1, ";",
     [](auto& data, auto& line) {
         data("a");
         data("b");
         line("");
         data("c");
         line("text");
         line("");
         data("d");
     }},
    {"NoColumnsNoLimit", 0, 1, 0, ";",
     [](auto& data, auto& line) { Values(300, 40, 25, data, line); }},
    {"ThreeColumnsNoLimit", 3, 0, 0, "\t",
     [](auto& data, auto& line) { Values(400, 0, 0, data, line); }},
    {"OneColumnSplitAt100TwoCharacterSeparator", 1, 1, 100, "; ",
     [](auto& data, auto& line) { Values(250, 0, 60, data, line); }},
    {"PercentSeparatorSplitAtOne", 3, 1, 1, "%",
     [](auto& data, auto& line) {
         Values(7, 0, 0, data, line);
         line("50% done");
     }},
    {"LinesOnlySplitAtTwo", 2, 1, 2, ";",
     [](auto& data, auto& line) {
         for (int i = 0; i < 7; ++i) line("line " + std::to_string(i));
         line("");
     }},
};

class FormatRunTest : public WriterTest, public ::testing::WithParamInterface<LogRun> {};

TEST_P(FormatRunTest, FilesHoldExactlyTheFormat) {
    const LogRun& run = GetParam();
    writer->SetSeparator(run.separator);
    writer->SetNumColumns(run.columns);
    writer->SetProtocolMode(run.mode, run.limit);
    writer->Start();

    ExpectedLog expected(run.columns, run.limit, run.separator);
    int step = 0;
    bool checkedOpenFile = false;
    auto tick = [&] {
        // The clock moves on now and then, so that stamps of different files differ.
        if (++step % 7 == 0) testclock::Advance(1);
        // Now and then the open file is read as another program would read it.
        if (step == 5 || step == 200) {
            EXPECT_EQ(ReadBytes(std::string(writer->GetCurrentFileName())), expected.Current())
                << "read while open, step " << step;
            checkedOpenFile = true;
        }
    };
    auto data = [&](const std::string& v) {
        tick();
        ASSERT_EQ(writer->WriteData(CString(v.c_str())), 0u);
        expected.Data(v, testclock::Now());
    };
    auto line = [&](const std::string& t) {
        tick();
        ASSERT_EQ(writer->WriteLine(CString(t.c_str())), 0u);
        expected.Line(t, testclock::Now());
    };
    run.script(data, line);
    testclock::Advance(1);
    writer->Stop();
    expected.Close(testclock::Now());
    EXPECT_TRUE(checkedOpenFile);

    const std::vector<std::string>& files = expected.Files();
    std::vector<std::string> names;
    for (unsigned long i = 0; i < files.size(); ++i) {
        char name[32];
        snprintf(name, sizeof name, "prot%04lu.txt", i);
        names.push_back(name);
    }
    ASSERT_EQ(folder.Names(), names);
    for (size_t i = 0; i < files.size(); ++i) {
        std::string bytes = ReadBytes(Log(i));
        EXPECT_EQ(bytes, files[i]) << "file " << i;
        ParsedLog parsed = ParseLog(bytes);
        if (i + 1 < files.size() && run.limit > 0) {
            EXPECT_EQ(parsed.lines.size(), run.limit) << "file " << i << " holds the limit";
        }
        EXPECT_EQ(parsed.opening.substr(0, 10), "24.12.2003");
        EXPECT_EQ(parsed.closing.substr(0, 10), "24.12.2003");
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, FormatRunTest, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriterTest, TextIsWrittenAsItsCodePageBytes) {
    writer->Start();
    ASSERT_EQ(writer->WriteData("20,9 °C"), 0u);
    writer->Stop();
    std::string bytes = ReadBytes(Log(0));
    EXPECT_NE(bytes.find("20,9 \xB0"
                         "C\n"),
              std::string::npos)
        << bytes;
}

TEST_F(WriterTest, RowOfThreeColumnsRollsOverAtItsLimit) {
    writer->SetNumColumns(3);
    writer->SetProtocolMode(1, 100);
    writer->Start();
    for (int i = 0; i < 300; ++i) ASSERT_EQ(writer->WriteData("1"), 0u);
    EXPECT_EQ(writer->GetCurrentLineNumber(), 100u);
    EXPECT_EQ(writer->GetCurrentFileName(), CString(Log(0).c_str()));
    testclock::Advance(5);
    ASSERT_EQ(writer->WriteData("next"), 0u);
    EXPECT_EQ(writer->GetCurrentFileName(), CString(Log(1).c_str()));
    EXPECT_EQ(writer->GetCurrentLineNumber(), 0u);
    std::string first = ReadBytes(Log(0));
    EXPECT_EQ(first.substr(first.size() - 21), "24.12.2003; 13:05:14\n") << "closing stamp";
    EXPECT_EQ(ReadBytes(Log(1)), "24.12.2003; 13:05:14\nnext;");
}

TEST_F(WriterTest, StopAndANewNameStartTheNumberingAgainButStartDoesNot) {
    writer->SetProtocolMode(1, 1);
    writer->Start();
    for (const char* v : {"a", "b", "c"}) ASSERT_EQ(writer->WriteData(v), 0u);
    EXPECT_EQ(CnuraProtocolProbe::FileCounter(*writer), 2u);

    // A second Start changes nothing: the file stays open.
    writer->Start();
    ASSERT_EQ(writer->WriteLine("d"), 0u);
    EXPECT_EQ(writer->GetCurrentFileName(), CString(Log(3).c_str()));

    // Stop closes; the next start writes file 0 again, emptied without a question.
    writer->Stop();
    EXPECT_EQ(writer->GetCurrentLineNumber(), 0u);
    EXPECT_EQ(writer->WriteData("after stop"), 0xFFFFFFFFu);
    writer->Start();
    ASSERT_EQ(writer->WriteData("e"), 0u);
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\ne\n");
    EXPECT_EQ(ReadBytes(Log(1)), "24.12.2003; 13:05:09\nb\n24.12.2003; 13:05:09\n") << "kept";

    // A new name while logging: the open file is closed, the new name starts at 0.
    writer->SetFileName(CString(folder.File("other.log").c_str()));
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\ne\n24.12.2003; 13:05:09\n");
    ASSERT_EQ(writer->WriteData("f"), 0u);
    EXPECT_EQ(writer->GetCurrentFileName(), CString(folder.File("other0000.log").c_str()));
}

TEST_F(WriterTest, FewerColumnsEndTheRowInProgressAtItsNextValue) {
    writer->SetNumColumns(3);
    writer->Start();
    ASSERT_EQ(writer->WriteData("a"), 0u);
    ASSERT_EQ(writer->WriteData("b"), 0u);
    writer->SetNumColumns(1);
    ASSERT_EQ(writer->WriteData("c"), 0u);
    ASSERT_EQ(writer->WriteData("d"), 0u);
    EXPECT_EQ(writer->GetCurrentLineNumber(), 2u);
    writer->Stop();
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\na;b;c\nd\n24.12.2003; 13:05:09\n");
}

TEST_F(WriterTest, DestructionClosesAnOpenFileWithItsStamp) {
    writer->SetNumColumns(0);
    writer->Start();
    ASSERT_EQ(writer->WriteData("last"), 0u);
    testclock::Advance(1);
    delete writer;
    writer = NULL;
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:09\nlast;\n24.12.2003; 13:05:10\n");
}

TEST_F(WriterTest, NothingIsWrittenBeforeStart) {
    EXPECT_EQ(writer->WriteData("x"), 0xFFFFFFFFu);
    EXPECT_EQ(writer->WriteLine("x"), 0xFFFFFFFFu);
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
