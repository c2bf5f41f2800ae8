// Real output on the build's cups-pdf queue, read back with pdftotext, and the preview: its
// window driven as a user would, its metafiles, and what it leaves in the temporary folder.
#include "../res/resource.h"
#include "report_test.h"

#include <algorithm>
#include <cstdio>

using namespace rtest;
using vaskreport_seam::Job;
using vaskreport_seam::Recorder;

namespace {

// A header and a table of 20 lines.
const char kTwentyLines[] =
    "VASKFORM 1\n"
    "font \"Arial\" 10\n"
    "text \"Head\" 15 12 180 8\n"
    "    font \"Arial\" 14 bold\n"
    "    \"Output test header {VTitle}\"\n"
    "end\n"
    "table \"Records\" 15 30 180 126\n"
    "    headerheight 6\n"
    "    lineheight 6\n"
    "    column 60 left \"Record\" \"{FRecord}\"\n"
    "    column 120 left \"Text\" \"{FText}\"\n"
    "end\n";

std::string Record(int r) {
    char text[32];
    snprintf(text, sizeof text, "record-%02d", r);
    return text;
}

Loop FortyLoop() {
    Loop loop;
    loop.header = [](int job) {
        LlDefineVariableStart(job);
        LlDefineVariableA(job, "VTitle", "forty");
    };
    loop.fields = [](int job, int r) {
        LlDefineFieldStart(job);
        LlDefineFieldA(job, "FRecord", Record(r).c_str());
        LlDefineFieldA(job, "FText", "a record of the output test");
    };
    return loop;
}

// Prints the records and ends the print, which must go well.
void PrintAndEnd(int job, int records) {
    Loop loop = FortyLoop();
    EXPECT_EQ(PrintRecords(job, records, loop), LL_OK);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// How the documents of this process's prints of the form begin: the form's name and the
// process id.
const std::string& OwnPrefix() {
    static const std::string prefix =
        "vaskreport_output_test_" + std::to_string(GetCurrentProcessId()) + "_";
    return prefix;
}

class Output : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(PdfFolder().empty()) << "VASK_PDF_DIR names the printer's PDF folder";
        ASSERT_TRUE(WriteText(form_, kTwentyLines));
    }
    void TearDown() override { DeleteFileA(form_.c_str()); }
    // Prints the records on the printer, a job of its own, which must go well.
    void PrintOnThePrinter(int records) {
        int job = StartPrint(form_, owner_.Handle());
        ASSERT_GE(job, 0);
        PrintAndEnd(job, records);
        LlJobClose(job);
    }
    std::string form_ = ProgramFolder() + "vaskreport_output_test.form";
    OwnerWindow owner_;
};

TEST_F(Output, FortyRecordsOnATwentyLineTableGiveTwoPdfPagesWithTheHeader) {
    PrintJobs printer;
    Recorder recorder;
    ASSERT_NO_FATAL_FAILURE(PrintOnThePrinter(40));
    ASSERT_EQ(recorder.jobs.size(), 1u);
    EXPECT_EQ(recorder.jobs[0].pages.size(), 2u);

    std::string pdf = printer.PdfOf(recorder.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    SCOPED_TRACE(printer.About());
    std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    for (const std::string& page : pages) EXPECT_TRUE(Has(page, "Output test header forty"));
    EXPECT_TRUE(Has(pages[0], Record(1)));
    EXPECT_TRUE(Has(pages[0], Record(20)));
    EXPECT_FALSE(Has(pages[0], Record(21)));
    EXPECT_TRUE(Has(pages[1], Record(21)));
    EXPECT_TRUE(Has(pages[1], Record(40)));
    EXPECT_FALSE(Has(pages[1], Record(1) + "\n"));
}

// A job of another print that ends while this print is on its way (a killed test's job that
// the scheduler prints later) comes before it in the queue: the PDF is the job's of this
// print's document all the same.
TEST_F(Output, AnotherJobBeforeThePrintsIsNotTakenForIt) {
    PrintJobs printer;
    const std::string pdfDir = getenv("VASK_PDF_DIR");
    const std::string socket = pdfDir.substr(0, pdfDir.find_last_of('/')) + "/cups.sock";
    const std::string other = "another_print_" + std::to_string(GetCurrentProcessId()) + "_" +
                              std::to_string(GetTickCount64());
    TempDir dir;
    ASSERT_TRUE(WriteText(dir.File("other.txt"), "A PAGE OF ANOTHER PRINT\n"));
    int code = -1;
    const std::string lp = RunUnix("lp -h '" + socket + "' -t '" + other + "' '" +
                                   UnixPath(dir.File("other.txt")) + "'", &code);
    ASSERT_EQ(code, 0) << lp;
    Recorder recorder;
    ASSERT_NO_FATAL_FAILURE(PrintOnThePrinter(40));
    ASSERT_EQ(recorder.jobs.size(), 1u);

    const std::string pdf = printer.PdfOf(recorder.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    SCOPED_TRACE(printer.About());
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(Has(pages[1], Record(40)));
    EXPECT_FALSE(Has(pages[0], "ANOTHER PRINT"));
    // The other job went first.
    int otherId = -1;
    for (const QueueJob& j : printer.FinishedSince())
        if (j.title == other) otherId = j.id;
    EXPECT_GE(otherId, 0) << "the other job did not end";
    EXPECT_LT(otherId, printer.Job().id);
}

TEST_F(Output, CancelAtRecordFiveGivesMinus99OnceAndNoPdf) {
    PrintJobs printer;
    Recorder recorder;
    int job = StartPrint(form_, owner_.Handle());
    ASSERT_GE(job, 0);
    Loop loop = FortyLoop();
    loop.beforeRecord = [](int, int r) {
        if (r == 5) Click(FindDialog("Printing"), IDCANCEL);
    };
    EXPECT_EQ(PrintRecords(job, 40, loop), LL_ERR_CANCELLED);
    EXPECT_EQ(loop.cancelledResults, 1);
    EXPECT_TRUE(recorder.jobs.empty());

    // The queue keeps its order: once a later job has finished, the cancelled one would have
    // finished before it.
    ASSERT_NO_FATAL_FAILURE(PrintOnThePrinter(1));
    ASSERT_EQ(recorder.jobs.size(), 1u);
    std::string pdf = printer.PdfOf(recorder.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    // Of this process's prints (their documents are named after the form and the process),
    // only the later one reached the queue.
    std::string ours;
    for (const QueueJob& j : printer.FinishedSince())
        if (j.title.compare(0, OwnPrefix().size(), OwnPrefix()) == 0)
            ours += " " + std::to_string(j.id) + " \"" + j.title + "\"";
    EXPECT_EQ(ours, " " + std::to_string(printer.Job().id) + " \"" + printer.Job().title + "\"")
        << "the jobs of this process besides " << printer.About();
}

// A print's title is what the user sees in the printer queue and as the PDF's name: the
// document's name, whole (a long one here), with the queue's job id behind it in the file.
TEST_F(Output, ThePrintCarriesTheDocumentsNameIntoTheQueueAndThePdfsName) {
    PrintJobs printer;
    Recorder recorder;
    ASSERT_NO_FATAL_FAILURE(PrintOnThePrinter(1));
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const std::string document = recorder.jobs[0].document;
    EXPECT_EQ(document.compare(0, 23, "vaskreport_output_test_"), 0) << document;
    // The queue's record of the job carries the document's name as its title.
    std::string pdf = printer.PdfOf(document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    const int id = printer.Job().id;
    EXPECT_EQ(pdf.substr(pdf.rfind('\\') + 1), document + "-job_" + std::to_string(id) + ".pdf")
        << "the PDF of job " << id << " is not named after its document " << document
        << ": the queue's cups-pdf took another title than the job's (see the queue's options in "
           "tests/support/printer-fixture and the cups-pdf log in the printer's log folder)";
}

TEST_F(Output, ThePreviewShowsTheTwoRecordedPagesAndPrintsThem) {
    Recorder recorder;
    std::vector<std::vector<std::string>> pageTexts;
    recorder.context = &pageTexts;
    recorder.onJob = [](const Job& j, void* c) {
        auto* texts = static_cast<std::vector<std::vector<std::string>>*>(c);
        for (const auto& p : j.pages) texts->push_back(MetafileTexts(p.file));
    };
    int job = StartPrint(form_, owner_.Handle(), LL_DESTINATION_PREVIEW);
    ASSERT_GE(job, 0);
    PrintAndEnd(job, 40);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const Job& printed = recorder.jobs[0];
    EXPECT_EQ(printed.destination, LL_DESTINATION_PREVIEW);
    ASSERT_EQ(pageTexts.size(), 2u);
    EXPECT_TRUE(Contains(pageTexts[0], Record(1)));
    EXPECT_TRUE(Contains(pageTexts[0], Record(20)));
    EXPECT_FALSE(Contains(pageTexts[0], Record(21)));
    EXPECT_TRUE(Contains(pageTexts[1], Record(40)));
    EXPECT_TRUE(Contains(pageTexts[1], "Output test header forty"));
    for (const auto& p : printed.pages) {
        EXPECT_TRUE(Exists(p.file)) << p.file;
        EXPECT_EQ(p.file.compare(0, TempFolder().size(), TempFolder()), 0) << p.file;
    }
    // The preview's Print names its output after the form, like every print.
    PrintJobs printer;

    struct Seen {
        std::string first, second, afterBack;
        bool nextFirst = false, previousFirst = true, nextLast = true;
        int rangeWhole = -1, rangeWidth = -1;
        HWND owner = nullptr;
        bool ownerDisabled = false;
    } seen;
    auto waitText = [](HWND w, const std::string& want) {
        ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        while (WindowText(w) != want && GetTickCount64() < deadline) Sleep(10);
        return WindowText(w);
    };
    auto range = [](HWND view) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        if (!GetScrollInfo(view, SB_VERT, &si)) return 0;
        return si.nMax - si.nMin + 1 > static_cast<int>(si.nPage) ? si.nMax : 0;
    };
    DialogPlayer player("Preview", [&](HWND dlg) {
        HWND page = GetDlgItem(dlg, IDC_PRV_PAGE);
        HWND view = GetDlgItem(dlg, IDC_PRV_VIEW);
        seen.owner = GetWindow(dlg, GW_OWNER);
        seen.ownerDisabled = !IsWindowEnabled(owner_.Handle());
        seen.first = waitText(page, "Page 1 of 2");
        seen.nextFirst = IsWindowEnabled(GetDlgItem(dlg, IDC_PRV_NEXT)) != FALSE;
        seen.previousFirst = IsWindowEnabled(GetDlgItem(dlg, IDC_PRV_PREVIOUS)) != FALSE;
        seen.rangeWhole = range(view);
        Click(dlg, IDC_PRV_NEXT);
        seen.second = waitText(page, "Page 2 of 2");
        seen.nextLast = IsWindowEnabled(GetDlgItem(dlg, IDC_PRV_NEXT)) != FALSE;
        Click(dlg, IDC_PRV_FIT);
        ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        while ((seen.rangeWidth = range(view)) == 0 && GetTickCount64() < deadline) Sleep(10);
        Click(dlg, IDC_PRV_PREVIOUS);
        seen.afterBack = waitText(page, "Page 1 of 2");
        Click(dlg, IDC_PRV_PRINT);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(LlPreviewDisplayA(job, form_.c_str(), "", owner_.Handle()), LL_OK);
    player.Join();
    ASSERT_TRUE(player.Found()) << player.Missed();
    EXPECT_EQ(seen.owner, owner_.Handle());
    EXPECT_TRUE(seen.ownerDisabled);
    EXPECT_EQ(seen.first, "Page 1 of 2");
    EXPECT_TRUE(seen.nextFirst);
    EXPECT_FALSE(seen.previousFirst);
    EXPECT_EQ(seen.second, "Page 2 of 2");
    EXPECT_FALSE(seen.nextLast);
    EXPECT_EQ(seen.rangeWhole, 0);  // the whole page fits
    EXPECT_GT(seen.rangeWidth, 0);  // fitted to the width, it scrolls
    EXPECT_EQ(seen.afterBack, "Page 1 of 2");

    // The preview's print has a document name of its own, after the form and the process.
    std::string pdf = printer.PdfOfTitleStartingWith(OwnPrefix());
    ASSERT_FALSE(pdf.empty()) << "the preview printed no PDF: " << printer.Missed();
    SCOPED_TRACE(printer.About());
    std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(Has(pages[1], Record(40)));

    // The preview's files go, and nothing of the print stays in the temporary folder.
    EXPECT_EQ(LlPreviewDeleteFilesA(job, form_.c_str(), ""), LL_OK);
    for (const auto& p : printed.pages) EXPECT_FALSE(Exists(p.file)) << p.file;
    EXPECT_TRUE(FilesStartingWith(TempFolder(), printed.document).empty());
    LlJobClose(job);
}

TEST_F(Output, ClosingAPreviewJobDeletesItsFilesToo) {
    Recorder recorder;
    int job = StartPrint(form_, owner_.Handle(), LL_DESTINATION_PREVIEW);
    ASSERT_GE(job, 0);
    PrintAndEnd(job, 21);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    ASSERT_EQ(recorder.jobs[0].pages.size(), 2u);
    for (const auto& p : recorder.jobs[0].pages) EXPECT_TRUE(Exists(p.file));
    LlJobClose(job);
    EXPECT_TRUE(FilesStartingWith(TempFolder(), recorder.jobs[0].document).empty());
}

}  // namespace
