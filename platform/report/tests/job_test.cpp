// Jobs and their pages, seen through the test seam: handles and their errors, the seam's record
// of calls and its refused jobs, the names a form uses, the page loop with its full pages,
// tables picked by a variable, hidden objects, drawings and drawing requests, the options
// dialog and the progress box with Cancel.
#include "../res/resource.h"
#include "report_test.h"

#include <commctrl.h>

#include <cstdio>

using namespace rtest;
using vaskreport_seam::Job;
using vaskreport_seam::Page;
using vaskreport_seam::Recorder;

namespace {

// A header with two variables and a table of three lines.
const char kSmallTable[] =
    "VASKFORM 1\n"
    "text \"Head\" 15 10 180 6\n"
    "    \"{VTitle} page {VPageNo}\"\n"
    "end\n"
    "table \"Rows\" 15 20 180 24\n"
    "    headerheight 6\n"
    "    lineheight 6\n"
    "    column 90 left \"Name\" \"{FName}\"\n"
    "    column 90 right \"Value\" \"{FValue}\"\n"
    "end\n";

// The small table's form in a folder of its own, and the window that owns its prints.
struct SmallTable {
    SmallTable() { WriteText(path, kSmallTable); }
    int Start(int destination = LL_DESTINATION_PRINTER, int lastPage = LL_LASTPAGE_ALL) {
        return StartPrint(path, owner.Handle(), destination, lastPage);
    }
    TempDir dir;
    std::string path = dir.File("t.form");
    OwnerWindow owner;
};

std::string Num(const char* format, int n) {
    char text[64];
    snprintf(text, sizeof text, format, n);
    return text;
}

Loop SmallTableLoop() {
    Loop loop;
    loop.header = [](int job) {
        LlDefineVariableStart(job);
        LlDefineVariableA(job, "VTitle", "Small");
        LlDefineVariableA(job, "VPageNo", Num("%d", LlPrintGetCurrentPage(job)).c_str());
    };
    loop.fields = [](int job, int r) {
        LlDefineFieldStart(job);
        LlDefineFieldA(job, "FName", Num("name-%02d", r).c_str());
        LlDefineFieldA(job, "FValue", Num("value-%02d", r).c_str());
    };
    return loop;
}

std::vector<std::string> Column(const Page& page, const std::string& object, int column) {
    std::vector<std::string> out;
    for (const auto& i : page.items)
        if (i.kind == LL_SEAM_CELL && i.object == object && i.column == column)
            out.push_back(i.text);
    return out;
}

TEST(Jobs, BadHandlesGiveAnErrorAndRepeatedEndsAreHarmless) {
    int closed = LlJobOpen(LL_LANGUAGE_PROGRAM);
    ASSERT_GE(closed, 0);
    LlJobClose(closed);
    for (int job : {-1, closed, 987654}) {
        SCOPED_TRACE(job);
        EXPECT_EQ(LlSetOption(job, LL_OPTION_PROGRAM, 1), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlSetOptionStringA(job, LL_OPTIONSTR_EXTENSIONS, "x"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineVariableStart(job), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineFieldStart(job), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineVariableA(job, "V", "x"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineVariableExtA(job, "V", "x", LL_TYPE_TEXT, nullptr), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineVariableExtHandleA(job, "V", nullptr, LL_TYPE_DRAWING_EMF, nullptr),
                  LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineFieldA(job, "F", "x"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineFieldExtA(job, "F", "x", LL_TYPE_TEXT, nullptr), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintIsVariableUsedA(job, "V"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintIsFieldUsedA(job, "F"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlSetPrinterToDefaultA(job, LL_PROJECT_LIST, "x.form"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, "x.form", 0, 0, nullptr, ""),
                  LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintSetOption(job, LL_PRNOPT_DESTINATION, 0), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintGetOption(job, LL_PRNOPT_DESTINATION), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintOptionsDialogA(job, nullptr, "x"), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintSetBoxTextA(job, "x", 1), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrint(job), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintFields(job), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintGetCurrentPage(job), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintEnableObjectA(job, ":X", TRUE), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPrintEnd(job, 0), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPreviewDisplayA(job, "x", "", nullptr), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlPreviewDeleteFilesA(job, "x", ""), LL_ERR_BAD_JOB);
        EXPECT_EQ(LlDefineLayoutA(job, nullptr, "Edit", LL_PROJECT_LIST, "x.form"), LL_ERR_BAD_JOB);
        LlJobClose(job);
    }

    // An ended and closed print, ended and closed again (an aborted page print does so).
    SmallTable small;
    OwnerWindow& owner = small.owner;
    int job = small.Start();
    ASSERT_GE(job, 0);
    EXPECT_NE(job, closed);
    EXPECT_EQ(LlPrint(job), LL_OK);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    EXPECT_EQ(LlPrint(job), LL_ERR_STATE);
    EXPECT_EQ(LlPreviewDisplayA(job, "", "", owner.Handle()), LL_OK);  // went to the printer
    LlJobClose(job);
    LlJobClose(job);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_ERR_BAD_JOB);
}

TEST(Seam, RecordsEveryCallWithItsArgumentsAndRefusesTheJobsItIsToldTo) {
    vaskreport_seam::CallRecorder calls;
    LlSeamFailJobOpen(2);
    EXPECT_EQ(LlJobOpen(LL_LANGUAGE_PROGRAM), LL_ERR_FAILED);
    EXPECT_EQ(LlJobOpen(LL_LANGUAGE_PROGRAM), LL_ERR_FAILED);
    const int job = LlJobOpen(7);
    EXPECT_GE(job, 0);
    LlJobClose(job);
    // A bad handle: every function is recorded before it answers.
    const int bad = 987654;
    HWND wnd = reinterpret_cast<HWND>(0x1234);
    LlSetDlgboxMode(0x2008);
    LlSetOption(bad, 3, 4);
    LlSetOptionStringA(bad, 12, "ext");
    LlDefineVariableStart(bad);
    LlDefineFieldStart(bad);
    LlDefineVariableA(bad, "V", "v");
    LlDefineVariableExtA(bad, "V", "v", LL_TYPE_NUMBER, "hint");
    LlDefineVariableExtHandleA(bad, "D", reinterpret_cast<HANDLE>(0x55), LL_TYPE_DRAWING_EMF,
                               nullptr);
    LlDefineFieldA(bad, "F", "f");
    LlDefineFieldExtA(bad, "F", "f", LL_TYPE_TEXT, nullptr);
    LlPrintIsVariableUsedA(bad, "V");
    LlPrintIsFieldUsedA(bad, "F");
    LlSetPrinterToDefaultA(bad, LL_PROJECT_LIST, "a.form");
    LlPrintWithBoxStartA(bad, LL_PROJECT_LIST, "a.form", 0x800, 0, wnd, "title");
    LlPrintSetOption(bad, 0, -32768);
    LlPrintGetOption(bad, 6);
    LlPrintOptionsDialogA(bad, wnd, "choose");
    LlPrintSetBoxTextA(bad, "box", 42);
    LlPrint(bad);
    LlPrintFields(bad);
    LlPrintGetCurrentPage(bad);
    LlPrintEnableObjectA(bad, ":X", TRUE);
    LlPrintEnd(bad, 0);
    LlPreviewDisplayA(bad, "a.form", "p", wnd);
    LlPreviewDeleteFilesA(bad, "a.form", "p");
    LlDefineLayoutA(bad, wnd, "Edit", LL_PROJECT_LIST, "a.form");
    EXPECT_EQ(calls.Functions(), (std::vector<std::string>{"LlJobOpen",
                                                           "LlJobOpen",
                                                           "LlJobOpen",
                                                           "LlJobClose",
                                                           "LlSetDlgboxMode",
                                                           "LlSetOption",
                                                           "LlSetOptionStringA",
                                                           "LlDefineVariableStart",
                                                           "LlDefineFieldStart",
                                                           "LlDefineVariableA",
                                                           "LlDefineVariableExtA",
                                                           "LlDefineVariableExtHandleA",
                                                           "LlDefineFieldA",
                                                           "LlDefineFieldExtA",
                                                           "LlPrintIsVariableUsedA",
                                                           "LlPrintIsFieldUsedA",
                                                           "LlSetPrinterToDefaultA",
                                                           "LlPrintWithBoxStartA",
                                                           "LlPrintSetOption",
                                                           "LlPrintGetOption",
                                                           "LlPrintOptionsDialogA",
                                                           "LlPrintSetBoxTextA",
                                                           "LlPrint",
                                                           "LlPrintFields",
                                                           "LlPrintGetCurrentPage",
                                                           "LlPrintEnableObjectA",
                                                           "LlPrintEnd",
                                                           "LlPreviewDisplayA",
                                                           "LlPreviewDeleteFilesA",
                                                           "LlDefineLayoutA"}));
    EXPECT_EQ(calls.calls[2].value1, 7);
    EXPECT_EQ(calls.calls[3].job, job);
    const vaskreport_seam::Call ext = calls.Of("LlDefineVariableExtA")[0];
    EXPECT_EQ(ext.job, bad);
    EXPECT_EQ(ext.name, "V");
    EXPECT_EQ(ext.text, "v");
    EXPECT_EQ(ext.value1, LL_TYPE_NUMBER);
    EXPECT_TRUE(ext.hasHints);
    const vaskreport_seam::Call handle = calls.Of("LlDefineVariableExtHandleA")[0];
    EXPECT_EQ(handle.value1, LL_TYPE_DRAWING_EMF);
    EXPECT_EQ(handle.value2, 0x55);
    EXPECT_FALSE(handle.hasHints);
    EXPECT_FALSE(handle.hasText);
    const vaskreport_seam::Call start = calls.Of("LlPrintWithBoxStartA")[0];
    EXPECT_EQ(start.name, "a.form");
    EXPECT_EQ(start.text, "title");
    EXPECT_EQ(start.value1, LL_PROJECT_LIST);
    EXPECT_EQ(start.value2, 0x800);
    EXPECT_EQ(start.wnd, wnd);
    EXPECT_EQ(calls.Of("LlPrintSetBoxTextA")[0].value1, 42);
    const vaskreport_seam::Call layout = calls.Of("LlDefineLayoutA")[0];
    EXPECT_EQ(layout.name, "a.form");
    EXPECT_EQ(layout.text, "Edit");
    EXPECT_EQ(layout.wnd, wnd);
}

TEST(Jobs, AFormThatCannotBeReadFailsTheStartWithAFormError) {
    TempDir dir;
    WriteText(dir.File("bad.form"), "VASKFORM 1\ntable \"T\" 0 0 10 10\nend\n");
    int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, dir.File("missing.form").c_str(), 0, 0,
                                   nullptr, ""),
              LL_ERR_FORM);
    EXPECT_EQ(
        LlPrintWithBoxStartA(job, LL_PROJECT_LIST, dir.File("bad.form").c_str(), 0, 0, nullptr, ""),
        LL_ERR_FORM);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, dir.Path().c_str(), 0, 0, nullptr, ""),
              LL_ERR_FORM);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, nullptr, 0, 0, nullptr, ""),
              LL_ERR_PARAMETER);
    EXPECT_EQ(LlPrint(job), LL_ERR_STATE);
    EXPECT_EQ(LlPrintFields(job), LL_ERR_STATE);
    EXPECT_EQ(LlPrintSetBoxTextA(job, "x", 1), LL_ERR_STATE);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);  // nothing was started: nothing to end
    LlJobClose(job);
}

TEST(Jobs, NamesAreUsedWhenTheStartedFormRefersToThemAndStartEmptiesASet) {
    SmallTable small;
    OwnerWindow& owner = small.owner;
    int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    EXPECT_EQ(LlPrintIsVariableUsedA(job, "VTitle"), 0);  // no form yet
    EXPECT_EQ(LlDefineVariableA(job, "", "x"), LL_ERR_PARAMETER);
    EXPECT_EQ(LlDefineVariableA(job, nullptr, "x"), LL_ERR_PARAMETER);
    EXPECT_EQ(LlDefineFieldA(job, "F Name", "x"), LL_ERR_PARAMETER);
    ASSERT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, small.path.c_str(), LL_PRINT_PROGRAM,
                                   LL_BOX_CANCEL, owner.Handle(), ""),
              LL_OK);
    EXPECT_EQ(LlPrintWithBoxStartA(job, LL_PROJECT_LIST, small.path.c_str(), LL_PRINT_PROGRAM,
                                   LL_BOX_CANCEL, owner.Handle(), ""),
              LL_ERR_STATE);
    EXPECT_NE(LlPrintIsVariableUsedA(job, "VTitle"), 0);
    EXPECT_NE(LlPrintIsVariableUsedA(job, "vpageno"), 0);
    EXPECT_EQ(LlPrintIsVariableUsedA(job, "VProject"), 0);
    EXPECT_NE(LlPrintIsFieldUsedA(job, "FValue"), 0);
    EXPECT_EQ(LlPrintIsFieldUsedA(job, "FUnit"), 0);
    EXPECT_EQ(LlPrintIsFieldUsedA(job, nullptr), 0);

    Recorder recorder;
    LlDefineVariableA(job, "VTitle", "Old");
    LlDefineVariableA(job, "VPageNo", "9");
    LlDefineVariableStart(job);
    LlDefineVariableA(job, "VPageNo", "1");
    LlDefineFieldA(job, "FName", "kept");
    LlDefineFieldStart(job);
    LlDefineFieldA(job, "FValue", "new");
    EXPECT_EQ(LlPrint(job), LL_OK);
    EXPECT_EQ(LlPrintFields(job), LL_OK);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    LlJobClose(job);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const Page& page = recorder.jobs[0].pages.at(0);
    EXPECT_EQ(page.Texts(LL_SEAM_TEXT), std::vector<std::string>{" page 1"});
    EXPECT_EQ(Column(page, "Rows", 0), std::vector<std::string>{""});
    EXPECT_EQ(Column(page, "Rows", 1), std::vector<std::string>{"new"});
    EXPECT_EQ(page.Texts(LL_SEAM_HEADING), (std::vector<std::string>{"Name", "Value"}));
}

TEST(PageLoop, AFullPageEndsWithPageFullAndTheRepeatedRecordOpensTheNextPage) {
    SmallTable small;
    Recorder recorder;
    int job = small.Start();
    ASSERT_GE(job, 0);
    EXPECT_EQ(LlPrintGetCurrentPage(job), 1);

    Loop loop = SmallTableLoop();
    // The loop by hand for the first page: it shows what the engine answers.
    loop.header(job);
    EXPECT_EQ(LlPrint(job), LL_OK);
    for (int r = 1; r <= 3; ++r) {
        loop.fields(job, r);
        EXPECT_EQ(LlPrintFields(job), LL_OK) << r;
    }
    loop.fields(job, 4);
    EXPECT_EQ(LlPrintFields(job), LL_WRN_PAGE_FULL);
    EXPECT_EQ(LlPrintGetCurrentPage(job), 2);  // the page has ended: the next one counts
    loop.header(job);
    EXPECT_EQ(LlPrint(job), LL_OK);
    EXPECT_EQ(LlPrintFields(job), LL_OK);
    EXPECT_EQ(LlPrintGetCurrentPage(job), 2);
    for (int r = 5; r <= 7; ++r) {
        loop.fields(job, r);
        int rc = LlPrintFields(job);
        if (rc == LL_WRN_PAGE_FULL) {
            loop.header(job);
            LlPrint(job);
            rc = LlPrintFields(job);
        }
        EXPECT_EQ(rc, LL_OK);
    }
    EXPECT_EQ(LlPrintGetCurrentPage(job), 3);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    LlJobClose(job);

    ASSERT_EQ(recorder.jobs.size(), 1u);
    const Job& printed = recorder.jobs[0];
    EXPECT_EQ(printed.destination, LL_DESTINATION_PRINTER);
    EXPECT_EQ(printed.lastPage, LL_LASTPAGE_ALL);
    ASSERT_EQ(printed.pages.size(), 3u);
    const std::vector<std::vector<std::string>> names = {
        {"name-01", "name-02", "name-03"}, {"name-04", "name-05", "name-06"}, {"name-07"}};
    for (size_t p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(printed.pages[p].number, static_cast<int>(p + 1));
        EXPECT_EQ(printed.pages[p].Texts(LL_SEAM_TEXT),
                  std::vector<std::string>{Num("Small page %d", static_cast<int>(p + 1))});
        EXPECT_EQ(Column(printed.pages[p], "Rows", 0), names[p]);
        EXPECT_EQ(printed.pages[p].Count(LL_SEAM_HEADING), 2);
    }
    EXPECT_EQ(Column(printed.pages[2], "Rows", 1), std::vector<std::string>{"value-07"});
}

TEST(PageLoop, PagesBeyondTheLastPageAreCountedButNotPrinted) {
    SmallTable small;
    Recorder recorder;
    int job = small.Start(LL_DESTINATION_PRINTER, 2);
    ASSERT_GE(job, 0);
    EXPECT_EQ(LlPrintGetOption(job, LL_PRNOPT_LASTPAGE), 2);
    Loop loop = SmallTableLoop();
    EXPECT_EQ(PrintRecords(job, 8, loop), LL_OK);
    EXPECT_EQ(LlPrintGetCurrentPage(job), 3);
    LlPrintEnd(job, 0);
    LlJobClose(job);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    ASSERT_EQ(recorder.jobs[0].pages.size(), 2u);
    EXPECT_EQ(recorder.jobs[0].lastPage, 2);
    EXPECT_EQ(Column(recorder.jobs[0].pages[1], "Rows", 0).back(), "name-06");
}

// The diagnostics sheet's pages, as it prints them: "VPage" chooses the table.
TEST(Forms, TheDiagnosticsFormPicksItsTableByVPage) {
    OwnerWindow owner;
    Recorder recorder;
    int job = StartPrint(ProgramFolder() + "Diagnostic values.form", owner.Handle());
    ASSERT_GE(job, 0);
    struct Sheet {
        int page;
        std::vector<std::pair<const char*, const char*>> fields;  // one record
        int records;
    };
    const Sheet sheets[] = {
        {1, {{"FTimestamp", "01.02.2024 10:00"}, {"FMessage", "Flow low"}}, 2},
        {3, {{"FComponent", "C1: O2"}, {"FCurValue", "20.9 %"}}, 1},
        {4, {{"FMeasSize", "Oven temperature"}, {"FValue", "55.0 C"}}, 1},
    };
    for (const Sheet& s : sheets) {
        LlDefineVariableStart(job);
        LlDefineVariableExtA(job, "VPage", Num("%d", s.page).c_str(), LL_TYPE_NUMBER, nullptr);
        if (LlPrintIsVariableUsedA(job, "VInstrument"))
            LlDefineVariableA(job, "VInstrument", "Parvel 64 (3)");
        EXPECT_EQ(LlPrint(job), LL_OK);
        for (int r = 0; r < s.records; ++r) {
            LlDefineFieldStart(job);
            for (const auto& f : s.fields) LlDefineFieldA(job, f.first, f.second);
            EXPECT_EQ(LlPrintFields(job), LL_OK);
        }
    }
    LlPrintEnd(job, 0);
    LlJobClose(job);
    ASSERT_EQ(recorder.jobs.size(), 1u);
    const auto& pages = recorder.jobs[0].pages;
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].HasText("Device state"));
    EXPECT_FALSE(pages[0].HasText("Components"));
    EXPECT_EQ(Column(pages[0], "State", 1), (std::vector<std::string>{"Flow low", "Flow low"}));
    EXPECT_TRUE(pages[1].HasText("Components"));
    EXPECT_EQ(Column(pages[1], "Components", 0), std::vector<std::string>{"C1: O2"});
    EXPECT_EQ(Column(pages[1], "State", 1), std::vector<std::string>{});
    EXPECT_EQ(Column(pages[2], "Values", 1), std::vector<std::string>{"55.0 C"});
    for (const Page& p : pages) EXPECT_TRUE(p.HasText("Parvel 64 (3)"));
}

// The drift values sheet shows the form's hidden objects; a table line goes to both tables.
TEST(Forms, HiddenObjectsShowOnlyWhenTheJobEnablesThem) {
    const char* hidden[] = {":Driftwerte", ":DriftwerteTitel", ":Kalibrierabweichungen",
                            ":KalibrierabweichungenTitel"};
    for (int reserve = -1; reserve <= 1; ++reserve) {  // -1: not enabled
        SCOPED_TRACE(reserve);
        OwnerWindow owner;
        Recorder recorder;
        int job = StartPrint(ProgramFolder() + "Drift values.form", owner.Handle());
        ASSERT_GE(job, 0);
        LlDefineVariableStart(job);
        if (reserve >= 0) {
            for (const char* name : hidden) EXPECT_EQ(LlPrintEnableObjectA(job, name, TRUE), 0);
        }
        EXPECT_EQ(LlPrintEnableObjectA(job, ":NoSuchObject", TRUE), LL_ERR_UNKNOWN_OBJECT);
        LlDefineVariableExtA(job, "VPage", "4", LL_TYPE_NUMBER, nullptr);
        LlDefineVariableA(job, "VHasCalibReserve", reserve == 1 ? "1" : "0");
        LlPrint(job);
        for (int c = 1; c <= 2; ++c) {
            LlDefineFieldStart(job);
            LlDefineFieldA(job, "FComponent", Num("C%d", c).c_str());
            LlDefineFieldA(job, "FComponent2", Num("D%d", c).c_str());
            EXPECT_EQ(LlPrintFields(job), LL_OK);
        }
        LlPrintEnd(job, 0);
        LlJobClose(job);
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const Page& page = recorder.jobs[0].pages.at(0);
        if (reserve < 0) {
            EXPECT_TRUE(page.shown.empty());
            EXPECT_EQ(page.Count(LL_SEAM_CELL), 0);
            EXPECT_FALSE(page.HasText("Drift values") && page.Count(LL_SEAM_HEADING) > 0);
            continue;
        }
        EXPECT_EQ(page.shown.size(), 4u);
        EXPECT_EQ(Column(page, ":Kalibrierabweichungen", 0),
                  (std::vector<std::string>{"C1", "C2"}));
        EXPECT_EQ(Column(page, ":Driftwerte", 0), (std::vector<std::string>{"D1", "D2"}));
        EXPECT_EQ(Column(page, ":Kalibrierabweichungen", 5).size(), reserve == 1 ? 2u : 0u);
        EXPECT_TRUE(page.HasText("Calibration variations"));
    }
}

TEST(Drawings, TheDrawingVariablePlaysItsMetafileAndHandleZeroDrawsNothing) {
    OwnerWindow owner;
    for (bool withHandle : {true, false}) {
        SCOPED_TRACE(withHandle);
        Recorder recorder;
        std::vector<std::string> pageTexts;
        recorder.context = &pageTexts;
        recorder.onJob = [](const Job& j, void* c) {
            *static_cast<std::vector<std::string>*>(c) = MetafileTexts(j.pages.at(0).file);
        };
        HENHMETAFILE emf = withHandle ? MakeTestMetafile("TEST METAFILE TEXT") : nullptr;
        int job = StartPrint(ProgramFolder() + "Diagram.form", owner.Handle());
        ASSERT_GE(job, 0);
        LlDefineVariableStart(job);
        ASSERT_NE(LlPrintIsVariableUsedA(job, "VDiagramme"), 0);
        LlDefineVariableExtHandleA(job, "VDiagramme", emf, LL_TYPE_DRAWING_EMF, nullptr);
        EXPECT_EQ(LlPrint(job), LL_OK);
        EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
        LlJobClose(job);
        // The handle stays the caller's, who deletes it after the job.
        if (emf) {
            EXPECT_TRUE(DeleteEnhMetaFile(emf));
        }
        ASSERT_EQ(recorder.jobs.size(), 1u);
        const Page& page = recorder.jobs[0].pages.at(0);
        EXPECT_EQ(page.Count(LL_SEAM_DRAWING), withHandle ? 1 : 0);
        EXPECT_EQ(Contains(pageTexts, "TEST METAFILE TEXT"), withHandle);
        EXPECT_TRUE(Contains(pageTexts, "Diagram"));
    }
}

TEST(Drawings, ACallbackBoxSendsTheDrawingRequestWhileThePageIsDrawn) {
    TempDir dir;
    WriteText(dir.File("cb.form"),
              "VASKFORM 1\n"
              "callback \"Curve\" 20 30 150 100\n"
              "end\n");
    OwnerWindow owner;
    owner.drawText = "CURVE DRAWN ON REQUEST";
    Recorder recorder;
    std::vector<std::string> pageTexts;
    recorder.context = &pageTexts;
    recorder.onJob = [](const Job& j, void* c) {
        *static_cast<std::vector<std::string>*>(c) = MetafileTexts(j.pages.at(0).file);
    };
    int job = StartPrint(dir.File("cb.form"), owner.Handle());
    ASSERT_GE(job, 0);
    EXPECT_TRUE(owner.requests.empty());
    EXPECT_EQ(LlPrint(job), LL_OK);
    ASSERT_EQ(owner.requests.size(), 1u);  // answered before LlPrint returned
    EXPECT_EQ(owner.requests[0].wParam, 0u);
    EXPECT_NE(owner.requests[0].dc, nullptr);
    EXPECT_TRUE(owner.requests[0].attribIsPrinter);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    LlJobClose(job);

    ASSERT_EQ(recorder.jobs.size(), 1u);
    const Page& page = recorder.jobs[0].pages.at(0);
    ASSERT_EQ(page.Count(LL_SEAM_REQUEST), 1);
    const RECT& seen = owner.requests[0].rc;
    const RECT& box = page.items[0].rc;
    EXPECT_EQ(seen.left, box.left);
    EXPECT_EQ(seen.bottom, box.bottom);
    // 150 mm wide at the printer's resolution.
    EXPECT_NEAR(seen.right - seen.left, 150 * owner.requests[0].attribDpi / 25.4, 2);
    EXPECT_TRUE(Contains(pageTexts, "CURVE DRAWN ON REQUEST"));
}

TEST(OptionsDialog, GivesTheDestinationAndTheLastPageOrCancels) {
    SmallTable small;
    OwnerWindow& owner = small.owner;
    char printer[256] = {};
    DWORD size = sizeof printer;
    ASSERT_TRUE(GetDefaultPrinterA(printer, &size));

    struct Case {
        bool preview;
        int upTo;  // 0: all pages
        bool ok;
    };
    for (const Case& c : {Case{true, 2, true}, Case{false, 0, true}, Case{true, 3, false}}) {
        int job = small.Start();
        ASSERT_GE(job, 0);
        std::string seenPrinter;
        bool ownerDisabled = false;
        HWND seenOwner = nullptr;
        DialogPlayer player("Select printing options", [&](HWND dlg) {
            seenPrinter = WindowText(GetDlgItem(dlg, IDC_OPT_PRINTERNAME));
            seenOwner = GetWindow(dlg, GW_OWNER);
            ownerDisabled = !IsWindowEnabled(owner.Handle());
            SendDlgItemMessageA(dlg, c.preview ? IDC_OPT_PREVIEW : IDC_OPT_PRINTER, BM_CLICK, 0, 0);
            if (c.upTo) {
                SendDlgItemMessageA(dlg, IDC_OPT_UPTO, BM_CLICK, 0, 0);
                SetDlgItemInt(dlg, IDC_OPT_LASTPAGE, c.upTo, FALSE);
            }
            Click(dlg, c.ok ? IDOK : IDCANCEL);
        });
        int rc = LlPrintOptionsDialogA(job, owner.Handle(), "Select printing options");
        player.Join();
        EXPECT_TRUE(player.Found()) << player.Missed();
        EXPECT_EQ(seenPrinter, printer);
        EXPECT_EQ(seenOwner, owner.Handle());
        EXPECT_TRUE(ownerDisabled);
        if (c.ok) {
            EXPECT_EQ(rc, LL_OK);
            EXPECT_EQ(LlPrintGetOption(job, LL_PRNOPT_DESTINATION),
                      c.preview ? LL_DESTINATION_PREVIEW : LL_DESTINATION_PRINTER);
            EXPECT_EQ(LlPrintGetOption(job, LL_PRNOPT_LASTPAGE), c.upTo ? c.upTo : LL_LASTPAGE_ALL);
        } else {
            EXPECT_LT(rc, 0);
        }
        LlPrintEnd(job, 0);
        LlJobClose(job);
    }
}

TEST(OptionsDialog, RefusesAPageNumberBelowOne) {
    SmallTable small;
    OwnerWindow& owner = small.owner;
    int job = small.Start();
    ASSERT_GE(job, 0);
    bool refused = false, stillOpen = false;
    DialogPlayer player("Select printing options", [&](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_OPT_UPTO, BM_CLICK, 0, 0);
        SetDlgItemTextA(dlg, IDC_OPT_LASTPAGE, "0");
        Click(dlg, IDOK);
        // The message box has the dialog's caption too; it is the one owned by the dialog.
        ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        HWND box = nullptr;
        while (!box && GetTickCount64() < deadline) {
            HWND w = FindDialog("Select printing options");
            if (w && w != dlg && GetWindow(w, GW_OWNER) == dlg) box = w;
            Sleep(10);
        }
        refused = box != nullptr;
        if (box) Click(box, IDOK);
        while (IsWindow(box) && GetTickCount64() < deadline) Sleep(10);
        stillOpen = IsWindowVisible(dlg) != FALSE;
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(LlPrintOptionsDialogA(job, owner.Handle(), "Select printing options"),
              LL_ERR_CANCELLED);
    player.Join();
    EXPECT_TRUE(player.Found()) << player.Missed();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(LlPrintGetOption(job, LL_PRNOPT_LASTPAGE), LL_LASTPAGE_ALL);
    LlPrintEnd(job, 0);
    LlJobClose(job);
}

TEST(ProgressBox, ShowsTheTextOverTheDisabledOwnerAndCancelGivesMinus99Once) {
    SmallTable small;
    OwnerWindow& owner = small.owner;
    Recorder recorder;
    int job = small.Start();
    ASSERT_GE(job, 0);
    HWND seenBox = nullptr, boxOwner = nullptr;
    std::string boxText;
    LRESULT boxPercent = -1;
    bool ownerEnabledWhilePrinting = true;
    Loop loop = SmallTableLoop();
    loop.beforeRecord = [&](int, int r) {
        if (r == 3) {
            seenBox = FindDialog("Printing");
            ownerEnabledWhilePrinting = IsWindowEnabled(owner.Handle()) != FALSE;
            if (seenBox) {
                boxOwner = GetWindow(seenBox, GW_OWNER);
                boxText = WindowText(GetDlgItem(seenBox, IDC_BOX_TEXT));
                boxPercent = SendDlgItemMessageA(seenBox, IDC_BOX_PERCENT, PBM_GETPOS, 0, 0);
            }
        }
        if (r == 5 && seenBox) Click(seenBox, IDCANCEL);  // the user presses Cancel
    };
    EXPECT_EQ(PrintRecords(job, 40, loop), LL_ERR_CANCELLED);
    EXPECT_EQ(loop.cancelledResults, 1);
    ASSERT_NE(seenBox, nullptr);
    EXPECT_EQ(boxOwner, owner.Handle());
    EXPECT_EQ(boxText, "Printing...");
    EXPECT_EQ(boxPercent, 2);
    EXPECT_FALSE(ownerEnabledWhilePrinting);
    // The print services ended and closed the job: the box is gone, the owner takes input,
    // nothing was printed.
    EXPECT_FALSE(IsWindow(seenBox));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_TRUE(recorder.jobs.empty());
    EXPECT_EQ(LlPrintGetCurrentPage(job), LL_ERR_BAD_JOB);
}

TEST(ProgressBox, AfterCancelEveryPrintingCallAnswersMinus99UntilTheEnd) {
    SmallTable small;
    OwnerWindow& owner = small.owner;
    Recorder recorder;
    int job = small.Start();
    ASSERT_GE(job, 0);
    EXPECT_EQ(LlPrint(job), LL_OK);
    HWND box = FindDialog("Printing");
    ASSERT_NE(box, nullptr);
    Click(box, IDCANCEL);
    EXPECT_EQ(LlPrintSetBoxTextA(job, "Printing...", 1), LL_ERR_CANCELLED);
    EXPECT_EQ(LlPrintFields(job), LL_ERR_CANCELLED);
    EXPECT_EQ(LlPrint(job), LL_ERR_CANCELLED);
    EXPECT_EQ(LlPrintEnd(job, 0), LL_OK);
    EXPECT_EQ(LlPreviewDisplayA(job, "", "", owner.Handle()), LL_OK);  // nothing to show
    LlJobClose(job);
    EXPECT_TRUE(recorder.jobs.empty());
}

}  // namespace
