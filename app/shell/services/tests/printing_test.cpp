// The print services on the report engine: a real print on the build's cups-pdf queue read back
// from its PDF, the preview, the failures and cancels with the job closed, the progress counter,
// the names each print type declares (and that the default forms use), the difference between
// declaring and defining a name, the print-form selection and the designer. The engine's record
// of calls shows what was passed. Without VASK_NO_PRINTER the build's printer is Wine's
// default; with it there is none (the same program runs both ways).
#include "printformdlg.h"
#include "printforms.h"
#include "reportjob.h"
#include "resource.h"
#include "shell_test_support.h"
#include "window_kit.h"

#include "../../../../platform/report/res/resource.h"
#include "form.h"
#include "report_test.h"
#include "vaskreport_seam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA printing test");

using vaskreport_seam::Call;
using vaskreport_seam::CallRecorder;

const int kList = 12501, kDiagram = 12502, kDiagnostic = 12503, kDrift = 12504;

class CTestFrame : public CFrameWnd {};

bool NoPrinter() { return std::getenv("VASK_NO_PRINTER") != nullptr; }

// The folder of the default forms (beside the program), without the last backslash.
std::string FormsFolder() {
    std::string folder = rtest::ProgramFolder();
    return folder.substr(0, folder.size() - 1);
}

std::string Upper(std::string s) {
    for (char& c : s) c = (char)toupper((unsigned char)c);
    return s;
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new CTestFrame;  // deletes itself with its window
        ASSERT_TRUE(frame_->Create(NULL, "KorvanGA"));
        frame_->ShowWindow(SW_SHOW);
        AfxGetApp()->m_pMainWnd = frame_;
        hFrame_ = frame_->m_hWnd;
        static const std::string maker =
            "KorvanGA printing test " + std::to_string(GetCurrentProcessId());
        profile_.reset(new shelltest::ProfileKey(maker.c_str()));
    }
    void TearDown() override {
        LlSeamFailJobOpen(0);
        profile_.reset();
        AfxGetApp()->m_pMainWnd = NULL;
        if (::IsWindow(hFrame_)) frame_->DestroyWindow();
    }

    // The default forms of the four types, and the company's texts.
    void UseDefaultForms() {
        profile_->SetString("Print forms", "Location", FormsFolder());
        for (const char* type :
             {"List of parameters", "Diagram", "Diagnostic values", "Drift values"})
            profile_->SetString("Print forms", type, std::string(type) + ".form");
        profile_->SetString("Company", "Company", "Korvan Test Works");
        profile_->SetString("Company", "Department", "Service");
        profile_->SetString("Company", "Project", "Plant 7 acceptance");
    }

    // The options dialog of the next StartReportJob: printer or preview, or cancelled; the
    // progress box stays open on its own.
    // `lastPage` 0: all pages.
    void AnswerOptions(wkit::Driver& driver, int choice, int lastPage = 0) {
        driver.OnOpen(wkit::Caption("Select printing options"), [=](wkit::Window& w) {
            optionsOwner_ = GetWindow(w.Handle(), GW_OWNER);
            if (choice == IDCANCEL) {
                w.PressCancel();
                return;
            }
            w.Check(choice);
            if (lastPage > 0) {
                w.Check(IDC_OPT_UPTO);
                w.SetText(IDC_OPT_LASTPAGE, std::to_string(lastPage));
            }
            w.PressOK();
        });
        driver.OnEveryOpen(wkit::Caption("Printing"), [](wkit::Window& w) { w.KeepOpen(); });
    }

    // StartReportJob with the user's choice in the options dialog.
    int Start(int type, CReportJobInfo& info, int choice) {
        wkit::Driver driver;
        AnswerOptions(driver, choice);
        const int job = StartReportJob(type, &info, frame_);
        EXPECT_TRUE(driver.AllRan());
        return job;
    }

    // The caller's page variables of a parameter list.
    static void ListHeader(int job) {
        LlDefineVariableStart(job);
        DefineReportHeaderVariables(job);
        DefineReportVariable(job, IDS_VAR_INSTRUMENT, "Sindor 6 at address 3");
        LlPrint(job);
    }

    static std::string Parameter(int r) {
        char text[32];
        snprintf(text, sizeof text, "Parameter-%03d", r);
        return text;
    }

    // The caller's loop: per record its fields and PrintReportRecord; on a full page the page's
    // variables again and the same record once more. 0, or the result that ended it.
    static int PrintList(int job, int records, int cancelAt = 0) {
        ListHeader(job);
        for (int r = 1; r <= records; ++r) {
            if (r == cancelAt) rtest::Click(rtest::FindDialog("Printing"), IDCANCEL);
            LlDefineFieldStart(job);
            DefineReportField(job, IDS_FIELD_PARAMETER_GROUP, "Measuring ranges");
            DefineReportField(job, IDS_FIELD_PARAMETER, Parameter(r).c_str());
            DefineReportField(job, IDS_FIELD_VALUE, "12.5 ppm");
            int rc = PrintReportRecord(job);
            if (rc == LL_WRN_PAGE_FULL) {
                ListHeader(job);
                rc = PrintReportRecord(job);
            }
            if (rc != LL_OK) return rc;
        }
        return LL_OK;
    }

    // Whether the job was ended and closed (in this order) in the recorded calls.
    static bool EndedAndClosed(const CallRecorder& calls, int job) {
        int ended = -1, closed = -1;
        for (size_t i = 0; i < calls.calls.size(); ++i) {
            const Call& c = calls.calls[i];
            if (c.job != job) continue;
            if (c.function == "LlPrintEnd" && c.value1 == 0 && ended < 0) ended = (int)i;
            if (c.function == "LlJobClose") closed = (int)i;
        }
        return ended >= 0 && closed > ended;
    }

    CTestFrame* frame_ = nullptr;
    HWND hFrame_ = NULL;
    HWND optionsOwner_ = NULL;
    std::unique_ptr<shelltest::ProfileKey> profile_;
    wkit::BoxRecorder boxes_;
};

// ---- a print on paper and to the preview --------------------------------------------------

TEST_F(Printing, AListOfParametersPrintsOnThreePagesWithTheCompanyAndEveryRecordOnce) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    rtest::PrintJobs printer;
    vaskreport_seam::Recorder printed;
    CallRecorder calls;
    CReportJobInfo info;
    const int job = Start(kList, info, IDC_OPT_PRINTER);
    ASSERT_GE(job, 0);
    EXPECT_EQ(optionsOwner_, hFrame_);
    // 35 lines a page: 80 records fill two pages and part of a third.
    EXPECT_EQ(PrintList(job, 80), LL_OK);
    EndReportPreview(job, &info, frame_);
    EXPECT_TRUE(boxes_.texts.empty());
    const std::string path = FormsFolder() + "\\List of parameters.form";
    EXPECT_EQ(info.nDestination, LL_DESTINATION_PRINTER);
    EXPECT_EQ((LPCSTR)info.strLayoutPath, path);
    EXPECT_EQ(info.nLastPage, LL_LASTPAGE_ALL);
    EXPECT_EQ((LPCSTR)info.strOutputName, std::string("List of parameters"));

    // The start as the engine saw it, and the end.
    std::vector<std::string> steps;
    for (const Call& c : calls.calls)
        if (c.function.compare(0, 8, "LlDefine") != 0) steps.push_back(c.function);
    const std::vector<std::string> start = {
        "LlJobOpen",        "LlSetDlgboxMode",        "LlSetOptionStringA",
        "LlSetOption",      "LlSetPrinterToDefaultA", "LlPrintWithBoxStartA",
        "LlPrintSetOption", "LlPrintOptionsDialogA"};
    ASSERT_GE(steps.size(), start.size() + 4);
    EXPECT_EQ(std::vector<std::string>(steps.begin(), steps.begin() + start.size()), start);
    EXPECT_EQ(std::vector<std::string>(steps.end() - 4, steps.end()),
              (std::vector<std::string>{"LlPrintEnd", "LlPreviewDisplayA", "LlPreviewDeleteFilesA",
                                        "LlJobClose"}));
    const Call open = calls.Of("LlJobOpen")[0];
    EXPECT_EQ(open.value1, 1);
    const Call box = calls.Of("LlPrintWithBoxStartA")[0];
    EXPECT_EQ(box.name, path);
    EXPECT_EQ(box.value1, 2);
    EXPECT_EQ(box.value2, 0x800);
    EXPECT_EQ(box.wnd, hFrame_);
    EXPECT_EQ(calls.Of("LlSetDlgboxMode")[0].value1, 0x2008);
    EXPECT_EQ(calls.Of("LlSetOptionStringA")[0].text, "cmll10ex.llx");
    EXPECT_EQ(calls.Of("LlPrintSetOption")[0].value2, -32768);
    EXPECT_EQ(calls.Of("LlPrintOptionsDialogA")[0].text, "Select printing options");

    ASSERT_EQ(printed.jobs.size(), 1u);
    const std::string pdf = printer.PdfOf(printed.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    SCOPED_TRACE(printer.About());
    const std::vector<std::string> pages = rtest::PdfPages(pdf);
    ASSERT_EQ(pages.size(), 3u);
    std::string all;
    for (const std::string& page : pages) {
        EXPECT_NE(page.find("Korvan Test Works"), std::string::npos);
        EXPECT_NE(page.find("Plant 7 acceptance"), std::string::npos);
        EXPECT_NE(page.find("Sindor 6 at address 3"), std::string::npos);
        all += page;
    }
    size_t last = 0;
    for (int r = 1; r <= 80; ++r) {
        const size_t at = all.find(Parameter(r));
        ASSERT_NE(at, std::string::npos) << Parameter(r);
        EXPECT_GT(at + 1, last) << Parameter(r) << " out of order";
        EXPECT_EQ(all.find(Parameter(r), at + 1), std::string::npos) << Parameter(r) << " twice";
        last = at + 1;
    }
    EXPECT_NE(pages[2].find(Parameter(80)), std::string::npos);
}

TEST_F(Printing, ThePreviewOpensTheEnginesPreviewAndLeavesNoFile) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    vaskreport_seam::Recorder printed;
    std::vector<std::string> files;
    printed.context = &files;
    printed.onJob = [](const vaskreport_seam::Job& j, void* c) {
        for (const auto& p : j.pages) static_cast<std::vector<std::string>*>(c)->push_back(p.file);
    };
    CReportJobInfo info;
    std::string pageLabel;
    HWND previewOwner = NULL;
    {
        wkit::Driver driver;
        // Up to a page beyond the print's last: both pages show.
        AnswerOptions(driver, IDC_OPT_PREVIEW, 5);
        driver.OnOpen(wkit::Caption("Preview"), [&](wkit::Window& w) {
            previewOwner = GetWindow(w.Handle(), GW_OWNER);
            wkit::Driver::PumpUntil([&] { return w.Text(IDC_PRV_PAGE) == "Page 1 of 2"; },
                                    (DWORD)rtest::kDeadlineMs);
            pageLabel = w.Text(IDC_PRV_PAGE);
            w.Click(IDCANCEL);
        });
        const int job = StartReportJob(kList, &info, frame_);
        ASSERT_GE(job, 0);
        EXPECT_EQ(PrintList(job, 40), LL_OK);
        EndReportPreview(job, &info, frame_);
        EXPECT_TRUE(driver.AllRan());
    }
    EXPECT_EQ(info.nDestination, LL_DESTINATION_PREVIEW);
    EXPECT_EQ(info.nLastPage, 5);
    EXPECT_EQ(pageLabel, "Page 1 of 2");
    EXPECT_EQ(previewOwner, hFrame_);
    ASSERT_EQ(files.size(), 2u);
    for (const std::string& f : files) EXPECT_FALSE(rtest::Exists(f)) << f;
    EXPECT_TRUE(boxes_.texts.empty());
}

// ---- failures and cancels -------------------------------------------------------------------

TEST_F(Printing, WithoutAFormNoJobIsOpenedForAPrintOrTheDesigner) {
    struct Case {
        const char* what;
        const char* location;  // NULL: none
        const char* file;      // the type's value, NULL: none
    } const cases[] = {
        {"no Location", NULL, "Drift values.form"},
        {"an empty Location", "", "Drift values.form"},
        {"no file for the type", "C:\\forms", NULL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        profile_.reset();
        profile_.reset(new shelltest::ProfileKey(
            ("KorvanGA printing test " + std::to_string(GetCurrentProcessId())).c_str()));
        if (c.location) profile_->SetString("Print forms", "Location", c.location);
        if (c.file) profile_->SetString("Print forms", "Drift values", c.file);
        boxes_.texts.clear();
        CallRecorder calls;
        CReportJobInfo info;
        EXPECT_EQ(StartReportJob(kDrift, &info, frame_), -1);
        {
            wkit::Driver driver;
            driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [](wkit::Window& w) {
                w.Pick(IDC_PRINT_FORM_LIST, "Drift values");
                w.PressOK();
            });
            RunPrintFormDesigner(frame_);
            EXPECT_TRUE(driver.AllRan());
        }
        EXPECT_EQ(boxes_.texts,
                  std::vector<std::string>(
                      2, "The layout file of the chosen print form cannot be found. "));
        EXPECT_TRUE(calls.calls.empty());
    }
}

TEST_F(Printing, AJobThatCannotBeOpenedIsToldAndClosedForAPrintAndTheDesigner) {
    UseDefaultForms();
    CallRecorder calls;
    LlSeamFailJobOpen(1);
    CReportJobInfo info;
    EXPECT_EQ(StartReportJob(kDiagnostic, &info, frame_), -1);
    {
        LlSeamFailJobOpen(1);
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [](wkit::Window& w) { w.PressOK(); });
        RunPrintFormDesigner(frame_);
        EXPECT_TRUE(driver.AllRan());
    }
    EXPECT_EQ(boxes_.texts,
              std::vector<std::string>(2, "An error has occured while initializing the printing."));
    EXPECT_EQ(calls.Functions(),
              (std::vector<std::string>{"LlJobOpen", "LlJobClose", "LlJobOpen", "LlJobClose"}));
}

TEST_F(Printing, WithoutAPrinterTheUserIsToldAndTheJobEndsAndCloses) {
    if (!NoPrinter()) GTEST_SKIP() << "runs without a printer";
    UseDefaultForms();
    CallRecorder calls;
    CReportJobInfo info;
    EXPECT_EQ(StartReportJob(kList, &info, frame_), -1);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0],
              "The printer is not responding.\nPlease make sure that your printer is installed "
              "correctly. \nWithout any installed printer a preview is not possible.");
    EXPECT_EQ(boxes_.types[0] & MB_ICONMASK, (UINT)MB_ICONSTOP);
    ASSERT_FALSE(calls.Of("LlJobOpen").empty());
    const int job = calls.Of("LlJobClose").empty() ? -1 : calls.Of("LlJobClose")[0].job;
    EXPECT_GE(job, 0);
    EXPECT_TRUE(EndedAndClosed(calls, job));
    EXPECT_EQ(calls.Count("LlPrintOptionsDialogA"), 0u);
    EXPECT_EQ(rtest::FindDialog("Printing"), nullptr);
}

TEST_F(Printing, AnUnreadableFormIsAnErrorWithItsCode) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    rtest::TempDir dir;
    ASSERT_TRUE(rtest::WriteText(dir.File("bad.form"), "VASKFORM 1\nnonsense\n"));
    profile_->SetString("Print forms", "Location", dir.Path());
    profile_->SetString("Print forms", "Diagram", "bad.form");
    CallRecorder calls;
    CReportJobInfo info;
    EXPECT_EQ(StartReportJob(kDiagram, &info, frame_), -1);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Error while printing.\nError code: -20");
    EXPECT_EQ(boxes_.types[0] & MB_ICONMASK, (UINT)MB_ICONSTOP);
    ASSERT_EQ(calls.Count("LlJobClose"), 1u);
    EXPECT_TRUE(EndedAndClosed(calls, calls.Of("LlJobClose")[0].job));
}

TEST_F(Printing, CancelledOptionsCloseTheJobWithoutAMessage) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    CallRecorder calls;
    vaskreport_seam::Recorder printed;
    CReportJobInfo info;
    EXPECT_EQ(Start(kDrift, info, IDCANCEL), -1);
    EXPECT_TRUE(boxes_.texts.empty());
    ASSERT_EQ(calls.Count("LlJobClose"), 1u);
    EXPECT_TRUE(EndedAndClosed(calls, calls.Of("LlJobClose")[0].job));
    // Nothing printed: the engine ended a print without a page.
    for (const vaskreport_seam::Job& j : printed.jobs) EXPECT_TRUE(j.pages.empty());
    EXPECT_EQ(rtest::FindDialog("Printing"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(hFrame_));
}

TEST_F(Printing, CancelInTheProgressBoxGivesMinus99WithTheJobAlreadyClosed) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    vaskreport_seam::Recorder printed;
    CReportJobInfo info;
    const int job = Start(kList, info, IDC_OPT_PRINTER);
    ASSERT_GE(job, 0);
    CallRecorder calls;
    EXPECT_EQ(PrintList(job, 20, 5), LL_ERR_CANCELLED);
    EXPECT_TRUE(EndedAndClosed(calls, job));
    // Only records before the Cancel were printed.
    EXPECT_EQ(calls.Count("LlPrintFields"), 4u);
    // The caller's own end and close of that handle are answered, not a crash.
    EXPECT_EQ(LlPrintEnd(job, 0), LL_ERR_BAD_JOB);
    LlJobClose(job);
    EXPECT_TRUE(printed.jobs.empty());
    EXPECT_TRUE(boxes_.texts.empty());
    EXPECT_TRUE(IsWindowEnabled(hFrame_));
}

TEST_F(Printing, OutputThatCannotBeMadeAtTheEndIsTold) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    vaskreport_seam::Recorder printed;
    CReportJobInfo info;
    const int job = Start(kList, info, IDC_OPT_PRINTER);
    ASSERT_GE(job, 0);
    EXPECT_EQ(PrintList(job, 40), LL_OK);
    // The first page, finished in the temporary folder, vanishes before the output is made.
    const std::string temp = rtest::TempFolder();
    int removed = 0;
    const std::string prefix = "List_of_parameters_" + std::to_string(GetCurrentProcessId()) + "_";
    for (const std::string& f : rtest::FilesStartingWith(temp, prefix))
        if (f.size() > 10 && f.compare(f.size() - 10, 10, "_p0001.emf") == 0)
            removed += DeleteFileA((temp + f).c_str()) ? 1 : 0;
    ASSERT_EQ(removed, 1);
    CallRecorder calls;
    EndReportPreview(job, &info, frame_);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Error while printing.\nError code: -21");
    EXPECT_EQ(boxes_.types[0] & MB_ICONMASK, (UINT)MB_ICONSTOP);
    EXPECT_TRUE(EndedAndClosed(calls, job));
    EXPECT_TRUE(printed.jobs.empty());
}

// ---- the progress counter -------------------------------------------------------------------

TEST_F(Printing, TheProgressRunsFrom1To100AndAgainAcrossRecordsAndJobs) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    UseDefaultForms();
    CallRecorder calls;
    for (int records : {105, 5}) {
        CReportJobInfo info;
        // To the preview, which the failed-step end throws away: nothing is printed.
        const int job = Start(kList, info, IDC_OPT_PREVIEW);
        ASSERT_GE(job, 0);
        EXPECT_EQ(PrintList(job, records), LL_OK);
        LlPrintEnd(job, 0);
        LlJobClose(job);
    }
    std::vector<int> percents;
    for (const Call& c : calls.Of("LlPrintSetBoxTextA")) {
        EXPECT_EQ(c.text, "Printing...");
        percents.push_back((int)c.value1);
    }
    // Each record once, plus the repeats of the records that came on a full page.
    ASSERT_GE(percents.size(), 110u);
    bool wrapped = false;
    for (size_t i = 1; i < percents.size(); ++i) {
        EXPECT_EQ(percents[i], percents[i - 1] % 100 + 1) << "at " << i;
        wrapped = wrapped || (percents[i - 1] == 100 && percents[i] == 1);
        EXPECT_GE(percents[i], 1);
        EXPECT_LE(percents[i], 100);
    }
    EXPECT_TRUE(wrapped);
}

// ---- names ------------------------------------------------------------------------------------

// What DeclareReportData passes for a type: each call's function, name, text and type.
struct Declared {
    std::string function;
    std::string name;
    std::string text;
    INT_PTR type;
    bool operator==(const Declared& o) const {
        return function == o.function && name == o.name && text == o.text && type == o.type;
    }
};
std::ostream& operator<<(std::ostream& os, const Declared& d) {
    return os << d.function << "(" << d.name << ", \"" << d.text << "\", " << d.type << ")";
}

std::vector<Declared> DeclaredFor(int type, BOOL* result) {
    const int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    CallRecorder calls;
    *result = DeclareReportData(job, type);
    LlJobClose(job);
    std::vector<Declared> out;
    for (const Call& c : calls.calls) {
        if (c.function == "LlJobClose") continue;
        out.push_back({c.function, c.name, c.text, c.value1});
        // No hints, and the drawing's handle 0: nothing to draw until a print gives one.
        EXPECT_FALSE(c.hasHints) << c.function << " " << c.name;
        EXPECT_EQ(c.value2, 0) << c.function << " " << c.name;
    }
    return out;
}

TEST_F(Printing, EachTypeDeclaresExactlyItsNamesInOrder) {
    profile_->SetString("Company", "Company", "Korvan Test Works");
    profile_->SetString("Company", "Project", "Plant 7");
    const std::vector<Declared> header = {
        {"LlDefineVariableStart", "", "", 0},
        {"LlDefineVariableA", "VCompany", "Korvan Test Works", 0},
        {"LlDefineVariableA", "VDepartment", "", 0},
        {"LlDefineVariableA", "VProject", "Plant 7", 0},
    };
    auto var = [](const char* n) { return Declared{"LlDefineVariableA", n, n, 0}; };
    auto field = [](const char* n) { return Declared{"LlDefineFieldA", n, n, 0}; };
    const char* const analyzer[] = {
        "VInstrument",     "VSerialNumber",      "VHardwareID",     "VOrderNumber",
        "VFirmwareNumber", "VSoftwareVersion",   "VFWMotherboard",  "VFWMotherboardBoot",
        "VFWOptionboard",  "VFWOptionboardBoot", "VFWAdapterboard", "VFWAdapterboardBoot"};
    const Declared page = {"LlDefineVariableExtA", "VPage", "1", 0x8000000};
    const Declared fieldStart = {"LlDefineFieldStart", "", "", 0};

    std::vector<Declared> list = header;
    list.push_back(var("VInstrument"));
    list.push_back(fieldStart);
    for (const char* n : {"FParameterGroup", "FParameter", "FValue"})
        list.push_back({"LlDefineFieldExtA", n, " ", 0x10000000});

    std::vector<Declared> diagram = header;
    diagram.push_back({"LlDefineVariableExtHandleA", "VDiagramme", "", 0x20000006});

    std::vector<Declared> diagnostic = header;
    for (const char* n : analyzer) diagnostic.push_back(var(n));
    diagnostic.push_back(page);
    diagnostic.push_back(fieldStart);
    for (const char* n :
         {"FTimestamp", "FMessage", "FClass", "FAcknowledged", "FComponent", "FZeroPointDev",
          "FZeroPointDevMax", "FSetpointDev", "FSetpointDevMax", "FCalibReserve", "FCurValue",
          "FCurRange", "FAnalogOutput", "FMeasSize", "FValue"})
        diagnostic.push_back(field(n));

    std::vector<Declared> drift = header;
    for (const char* n : analyzer) drift.push_back(var(n));
    drift.push_back(var("VHasCalibReserve"));
    drift.push_back(page);
    drift.push_back(fieldStart);
    for (const char* n : {"FComponent", "FZeroPointDev", "FZeroPointDevMax", "FSetpointDev",
                          "FSetpointDevMax", "FCalibReserve", "FComponent2", "FTimestamp",
                          "FZeroPointDev2", "FSpanMR1", "FSpanMR2", "FSpanMR3", "FSpanMR4"})
        drift.push_back(field(n));

    const struct {
        int type;
        const std::vector<Declared>* expected;
    } cases[] = {
        {kList, &list}, {kDiagram, &diagram}, {kDiagnostic, &diagnostic}, {kDrift, &drift}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        BOOL result = FALSE;
        EXPECT_EQ(DeclaredFor(c.type, &result), *c.expected);
        EXPECT_TRUE(result);
    }
    // "Start" and "End" bracket the types; they and what lies outside declare nothing.
    for (int type : {12500, 12505, 0, -1, 99999}) {
        BOOL result = TRUE;
        EXPECT_TRUE(DeclaredFor(type, &result).empty()) << type;
        EXPECT_FALSE(result) << type;
    }
}

TEST_F(Printing, TheDefaultFormsUseOnlyTheNamesTheirTypeDeclares) {
    for (int type : {kList, kDiagram, kDiagnostic, kDrift}) {
        CString name;
        ASSERT_TRUE(name.LoadString(type));
        SCOPED_TRACE((LPCSTR)name);
        BOOL result = FALSE;
        std::set<std::string> declared;
        for (const Declared& d : DeclaredFor(type, &result))
            if (!d.name.empty()) declared.insert(Upper(d.name));
        const vaskreport::Form form =
            vaskreport::LoadForm(FormsFolder() + "\\" + (LPCSTR)name + ".form");
        EXPECT_FALSE(form.references.empty());
        for (const std::string& used : form.references)
            EXPECT_TRUE(declared.count(used)) << used << " is not declared";
    }
}

TEST_F(Printing, DefineSkipsWhatTheFormDoesNotUseAndDeclarePassesItAnyway) {
    if (NoPrinter()) GTEST_SKIP() << "needs the build's printer";
    rtest::TempDir dir;
    ASSERT_TRUE(rtest::WriteText(dir.File("small.form"),
                                 "VASKFORM 1\n"
                                 "text \"Head\" 15 12 180 8\n"
                                 "    \"{VInstrument}\"\n"
                                 "end\n"
                                 "table \"T\" 15 30 180 60\n"
                                 "    lineheight 6\n"
                                 "    column 180 left \"Value\" \"{FValue}\"\n"
                                 "end\n"));
    rtest::OwnerWindow owner;
    const int job = rtest::StartPrint(dir.File("small.form"), owner.Handle());
    ASSERT_GE(job, 0);
    CallRecorder calls;
    EXPECT_EQ(DefineReportVariable(job, IDS_VAR_INSTRUMENT, "used"), LL_OK);
    EXPECT_EQ(DefineReportVariable(job, IDS_VAR_SERIAL_NUMBER, "unused"), LL_OK);
    EXPECT_EQ(DefineReportVariableExt(job, IDS_VAR_PAGE, "3", LL_TYPE_NUMBER), LL_OK);
    EXPECT_EQ(DefineReportField(job, IDS_FIELD_VALUE, "used"), LL_OK);
    EXPECT_EQ(DefineReportField(job, IDS_FIELD_PARAMETER, "unused"), LL_OK);
    EXPECT_EQ(DefineReportFieldExt(job, IDS_FIELD_COMPONENT, "unused", LL_TYPE_TEXT), LL_OK);
    EXPECT_EQ(DeclareReportField(job, IDS_FIELD_PARAMETER), LL_OK);
    EXPECT_EQ(DeclareReportFieldExt(job, IDS_FIELD_COMPONENT, "O2", LL_TYPE_TEXT), LL_OK);
    EXPECT_EQ(DeclareReportVariableExt(job, IDS_VAR_PAGE, NULL, LL_TYPE_NUMBER), LL_OK);
    // A string that does not exist names nothing.
    EXPECT_EQ(DefineReportField(job, 59999, "x"), LL_ERR_PARAMETER);
    LlPrintEnd(job, 0);
    LlJobClose(job);

    std::vector<std::string> defined;
    for (const Call& c : calls.calls)
        if (c.function.compare(0, 8, "LlDefine") == 0)
            defined.push_back(c.function + " " + c.name + "=" + c.text);
    EXPECT_EQ(defined, (std::vector<std::string>{
                           "LlDefineVariableA VInstrument=used", "LlDefineFieldA FValue=used",
                           "LlDefineFieldA FParameter=FParameter",
                           "LlDefineFieldExtA FComponent=O2", "LlDefineVariableExtA VPage=VPage"}));
}

// ---- the print-form selection and the designer --------------------------------------------

TEST_F(Printing, TheSelectionListsTheTypesSortedAndGivesTheChosenNumber) {
    struct Case {
        const char* what;
        std::function<void(wkit::Window&)> act;
        INT_PTR result;
        int type;
    } const cases[] = {
        {"OK untouched", [](wkit::Window& w) { w.PressOK(); }, IDOK, kDiagnostic},
        {"a pick",
         [](wkit::Window& w) {
             w.Pick(IDC_PRINT_FORM_LIST, "List of parameters");
             w.PressOK();
         },
         IDOK, kList},
        {"a double click",
         [](wkit::Window& w) {
             HWND list = w.Control(IDC_PRINT_FORM_LIST);
             RECT rc = {};
             SendMessageA(list, LB_GETITEMRECT, 2, (LPARAM)&rc);  // "Drift values"
             const LPARAM at = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
             SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
             SendMessageA(list, WM_LBUTTONUP, 0, at);
             SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
             SendMessageA(list, WM_LBUTTONUP, 0, at);
         },
         IDOK, kDrift},
        {"Cancel", [](wkit::Window& w) { w.PressCancel(); }, IDCANCEL, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> items;
        std::string caption;
        HWND owner = NULL;
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [&](wkit::Window& w) {
            caption = w.Caption();
            items = w.Items(IDC_PRINT_FORM_LIST);
            owner = GetWindow(w.Handle(), GW_OWNER);
            c.act(w);
        });
        CPrintFormDlg dialog(frame_);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_TRUE(driver.AllRan());
        EXPECT_EQ(dialog.GetPrintType(), c.type);
        EXPECT_EQ(caption, "Print Form Selection");
        EXPECT_EQ(items, (std::vector<std::string>{"Diagnostic values", "Diagram", "Drift values",
                                                   "List of parameters"}));
        EXPECT_EQ(owner, hFrame_);
    }
}

TEST_F(Printing, TheSelectionsHelpButtonAndF1ReachTheHelp) {
    wkit::HelpRecorder help;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [](wkit::Window& w) {
        w.PressHelp();
        w.HelpOn(IDC_PRINT_FORM_LIST);
        w.HelpOn(IDOK);
        w.PressCancel();
    });
    CPrintFormDlg dialog(frame_);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.AllRan());
    EXPECT_TRUE(help.Has(HELP_CONTEXT, 0x20000 + IDD_PRINT_FORM));
    EXPECT_TRUE(help.Has(HELP_CONTEXTPOPUP, 0x50000 + IDC_PRINT_FORM_LIST));
    EXPECT_TRUE(help.Has(HELP_CONTEXTPOPUP, 0x50000 + IDOK));
}

TEST_F(Printing, TheDesignerEditsTheChosenFormWithItsNamesAndClosesTheJob) {
    rtest::TempDir dir;
    profile_->SetString("Print forms", "Location", dir.Path());
    profile_->SetString("Print forms", "Drift values", "drift.form");
    // A folder where the form should be: the designer cannot edit it.
    profile_->SetString("Print forms", "Diagram", "folder.form");
    struct Folder {
        std::string path;
        ~Folder() { RemoveDirectoryA(path.c_str()); }  // the temporary folder removes files only
    } folder{dir.File("folder.form")};
    ASSERT_TRUE(CreateDirectoryA(folder.path.c_str(), NULL) ||
                GetLastError() == ERROR_ALREADY_EXISTS);

    struct Case {
        const char* pick;
        std::string path;
        std::vector<std::string> boxes;
    } const cases[] = {
        {"Drift values", dir.File("drift.form"), {}},
        {"Diagram", dir.File("folder.form"), {"Error calling the printing module"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pick);
        boxes_.texts.clear();
        CallRecorder calls;
        std::vector<std::string> variables;
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_PRINT_FORM), [&](wkit::Window& w) {
            w.Pick(IDC_PRINT_FORM_LIST, c.pick);
            w.PressOK();
        });
        if (c.boxes.empty()) {
            wkit::Match designer;
            designer.test = [](const wkit::Window& w) {
                return w.Caption().rfind("Edit - ", 0) == 0;
            };
            designer.what = "the designer";
            driver.OnOpen(designer, [&](wkit::Window& w) {
                variables = w.Items(IDC_DSG_VARIABLES);
                w.PressCancel();
            });
        }
        RunPrintFormDesigner(frame_);
        EXPECT_TRUE(driver.AllRan());
        EXPECT_EQ(boxes_.texts, c.boxes);
        ASSERT_EQ(calls.Count("LlDefineLayoutA"), 1u);
        const Call layout = calls.Of("LlDefineLayoutA")[0];
        EXPECT_EQ(layout.wnd, hFrame_);
        EXPECT_EQ(layout.text, "Edit");
        EXPECT_EQ(layout.value1, 2);
        EXPECT_EQ(layout.name, c.path);
        EXPECT_EQ(calls.Of("LlSetOption")[0].value1, 0);
        EXPECT_EQ(calls.Of("LlSetOption")[0].value2, 1);
        ASSERT_FALSE(calls.calls.empty());
        EXPECT_EQ(calls.calls.back().function, "LlJobClose");
        EXPECT_EQ(calls.calls.back().job, layout.job);
        if (c.boxes.empty()) {
            // The header variables are offered with the type's own.
            for (const char* n : {"VCompany", "VProject", "VHasCalibReserve", "VPage"})
                EXPECT_NE(std::find(variables.begin(), variables.end(), n), variables.end()) << n;
        }
    }
}

}  // namespace
