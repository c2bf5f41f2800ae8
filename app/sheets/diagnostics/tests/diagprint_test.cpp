// The prints of the diagnostics and drift values sheets on the build's printer queue, through
// the program's print services: the report engine's recorded calls and pages (header
// variables per page, the pages 1, 3 and 4, a full page's row repeated after a new header,
// the print that ends at the chosen last page, the drift form's objects) and one print read
// back from its PDF.
#include "diagnosticspropertysheet.h"
#include "diagscript.h"
#include "driftvaluessheet.h"
#include "resource.h"
#include "sheetreportjobs.h"
#include "shell_test_support.h"
#include "window_kit.h"

#include "../../../../platform/report/res/resource.h"
#include "report_test.h"
#include "vaskreport_seam.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using vaskreport_seam::Call;
using vaskreport_seam::CallRecorder;

// The sheets' host that records the progress window: its text and whether its owner was
// disabled when it came.
class ProgressKit : public SheetKit {
public:
    void StartProgress(CWnd* pOwner, UINT nTextId) override {
        progressTexts.push_back(nTextId);
        ownerDisabled.push_back(pOwner != NULL && !pOwner->IsWindowEnabled());
    }
    void StopProgress() override { ++progressStops; }

    std::vector<UINT> progressTexts;
    std::vector<bool> ownerDisabled;
    int progressStops = 0;
};

class SheetPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        static const std::string maker =
            "KorvanGA sheet printing test " + std::to_string(GetCurrentProcessId());
        profile_.reset(new shelltest::ProfileKey(maker.c_str()));
        std::string folder = rtest::ProgramFolder();
        folder = folder.substr(0, folder.size() - 1);
        profile_->SetString("Print forms", "Location", folder);
        profile_->SetString("Print forms", "Diagnostic values", "Diagnostic values.form");
        profile_->SetString("Print forms", "Drift values", "Drift values.form");
        profile_->SetString("Company", "Company", "Korvan Test Works");
        previous_ = SetSheetReport(&report_);
    }
    void TearDown() override {
        SetSheetReport(previous_);
        profile_.reset();
    }

    // Presses Print on the sheet's page and answers the options dialog: the printer, and
    // `lastPage` (0: all pages).
    static void Print(wkit::Window& w, int lastPage = 0) {
        wkit::Driver* driver = wkit::Driver::Current();
        driver->OnOpen(wkit::Caption("Select printing options"), [=](wkit::Window& o) {
            o.Check(IDC_OPT_PRINTER);
            if (lastPage > 0) {
                o.Check(IDC_OPT_UPTO);
                o.SetText(IDC_OPT_LASTPAGE, std::to_string(lastPage));
            }
            o.PressOK();
        });
        driver->OnEveryOpen(wkit::Caption("Printing"), [](wkit::Window& p) { p.KeepOpen(); });
        w.Click(IDC_SHEET_PRINT);
    }

    // The values given to a variable (or field) while the job printed, in order: the names
    // declared at the job's start are left out.
    static std::vector<std::string> Values(const CallRecorder& calls, const std::string& name,
                                           const char* kind = "LlDefineVariable") {
        std::vector<std::string> values;
        bool started = false;
        for (const Call& c : calls.calls) {
            started = started || c.function == "LlPrintOptionsDialogA";
            if (started && c.function.compare(0, strlen(kind), kind) == 0 && c.name == name)
                values.push_back(c.text);
        }
        return values;
    }

    CProgramSheetReport report_;
    CSheetReport* previous_ = nullptr;
    std::unique_ptr<shelltest::ProfileKey> profile_;
};

TEST_F(SheetPrinting, TheThreeListPagesPrintWithTheirHeadersAndTheValuesComplete) {
    ProgressKit kit;
    kit.SetOnline(true);
    DiagScript script;
    // 32 logbook rows fill more than the state page's table: one row goes again on page 2.
    for (int i = 0; i < 32; ++i) {
        LogbookStruct e = {};
        e.first = 1;
        e.flagA = TRUE;
        e.time = CTime(2024, 3, 5, 14, 7, 0);
        script.logbook.push_back(e);
    }
    // The values thread is still reading when the print reaches its page.
    script.onAirPressure = [] { Sleep(300); };
    DiagScripted<CSindor6> analyzer(&script, "Sindor 6 at 3", nullptr, 1, 2, 0, 0);
    rtest::PrintJobs printer;
    vaskreport_seam::Recorder printed;
    CallRecorder calls;
    {
        wkit::Driver driver;
        CDiagnosticsPropertySheet sheet(&analyzer);
        driver.OnOpen(wkit::Template(IDD_DIAG_STATE), [&](wkit::Window& w) {
            Print(w);
            EXPECT_TRUE(::IsWindowEnabled(sheet.GetSafeHwnd()));
            w.PressCancel();
        });
        sheet.DoModal();
        EXPECT_TRUE(driver.AllRan());
    }
    // The print waited for the values thread with the sheet disabled, and left no wait
    // cursor behind.
    EXPECT_EQ(kit.progressTexts, std::vector<UINT>{IDS_WAIT_FOR_VALUES});
    EXPECT_EQ(kit.ownerDisabled, std::vector<bool>{true});
    EXPECT_EQ(kit.progressStops, 1);
    EXPECT_EQ(AfxGetApp()->m_nWaitCursorCount, 0);
    // The header of every page: state page 1 (twice: it ran onto a second page), components
    // 3, values 4.
    EXPECT_EQ(Values(calls, "VPage"), (std::vector<std::string>{"1", "1", "3", "4"}));
    for (const std::string& instrument : Values(calls, "VInstrument"))
        EXPECT_EQ(instrument, "Sindor 6 at 3");
    // 32 + 1 repeated logbook rows, 2 components, 6 diagnostic values.
    EXPECT_EQ(calls.Count("LlPrintFields"), 33u + 2u + 6u);
    const std::vector<std::string> values = Values(calls, "FValue", "LlDefineField");
    ASSERT_EQ(values.size(), 6u);
    EXPECT_EQ(values[0], "20.5 ppm") << "the print waited for the reading";
    EXPECT_EQ(calls.Count("LlJobClose"), 1u);
    EXPECT_EQ(calls.Count("LlPreviewDisplayA"), 1u);
    ASSERT_EQ(printed.jobs.size(), 1u);
    EXPECT_EQ(printed.jobs[0].pages.size(), 4u);
    const std::string pdf = printer.PdfOf(printed.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    SCOPED_TRACE(printer.About());
    std::string all;
    for (const std::string& page : rtest::PdfPages(pdf)) all += page;
    EXPECT_NE(all.find("Parameter memory"), std::string::npos);
    EXPECT_NE(all.find("Barometric Pressure"), std::string::npos);
    EXPECT_NE(all.find("Korvan Test Works"), std::string::npos);
}

TEST_F(SheetPrinting, APrintUpToPageOneEndsTheJobOnceAndShowsNoPreview) {
    SheetKit kit;
    DiagScript script;
    for (int i = 0; i < 32; ++i) {
        LogbookStruct e = {};
        e.first = 2;
        script.logbook.push_back(e);
    }
    DiagScripted<CSindor6> analyzer(&script, "Sindor 6", nullptr, 1, 2, 0, 0);
    vaskreport_seam::Recorder printed;
    CallRecorder calls;
    {
        wkit::Driver driver;
        CDiagnosticsPropertySheet sheet(&analyzer);
        driver.OnOpen(wkit::Template(IDD_DIAG_STATE), [&](wkit::Window& w) {
            Print(w, 1);
            w.PressCancel();
        });
        sheet.DoModal();
    }
    EXPECT_EQ(Values(calls, "VPage"), std::vector<std::string>{"1"});
    EXPECT_EQ(calls.Count("LlJobClose"), 1u);
    EXPECT_EQ(calls.Count("LlPreviewDisplayA"), 0u);
    ASSERT_EQ(printed.jobs.size(), 1u);
    EXPECT_EQ(printed.jobs[0].pages.size(), 1u);
}

TEST_F(SheetPrinting, WithoutAJobNothingIsPrintedOrClosedAgain) {
    SheetKit kit;
    DiagScript script;
    DiagScripted<CSindor6> analyzer(&script, "Sindor 6", nullptr, 1, 2, 0, 0);
    wkit::BoxRecorder boxes;
    CallRecorder calls;
    LlSeamFailJobOpen(1);
    {
        wkit::Driver driver;
        CDiagnosticsPropertySheet sheet(&analyzer);
        driver.OnOpen(wkit::Template(IDD_DIAG_STATE), [&](wkit::Window& w) {
            w.Click(IDC_SHEET_PRINT);
            w.PressCancel();
        });
        sheet.DoModal();
    }
    LlSeamFailJobOpen(0);
    EXPECT_EQ(boxes.texts,
              std::vector<std::string>{"An error has occured while initializing the printing."});
    EXPECT_EQ(calls.Functions(), (std::vector<std::string>{"LlJobOpen", "LlJobClose"}));
}

TEST_F(SheetPrinting, TheDriftFormShowsItsObjectsAndKnowsTheReserveColumn) {
    struct Case {
        const char* model;
        const char* reserve;
    } const cases[] = {{"Parvel 6", "1"}, {"Lorvix 6", "0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SheetKit kit;
        DiagScript script;
        std::unique_ptr<CVaskInstrument> analyzer;
        if (std::string(c.model) == "Parvel 6")
            analyzer.reset(new DiagScripted<CParvel6>(&script, "A", nullptr, 1, 2, 0, 0));
        else
            analyzer.reset(new DiagScripted<CLorvix6>(&script, "A", nullptr, 1, 2, 0, 0));
        vaskreport_seam::Recorder printed;
        CallRecorder calls;
        {
            wkit::Driver driver;
            CDriftValuesSheet sheet(analyzer.get());
            driver.OnOpen(wkit::Template(IDD_DRIFT_VALUES), [&](wkit::Window& w) {
                Print(w);
                w.PressCancel();
            });
            sheet.DoModal();
        }
        std::vector<std::string> objects;
        for (const Call& call : calls.Of("LlPrintEnableObjectA")) objects.push_back(call.name);
        EXPECT_EQ(objects, (std::vector<std::string>{":Driftwerte", ":DriftwerteTitel",
                                                     ":Kalibrierabweichungen",
                                                     ":KalibrierabweichungenTitel"}));
        EXPECT_EQ(Values(calls, "VHasCalibReserve"), std::vector<std::string>{c.reserve});
        // The drift form has no use for the page number.
        EXPECT_TRUE(Values(calls, "VPage").empty());
        EXPECT_EQ((int)calls.Count("LlPrintFields"), analyzer->GetComponentCount());
        EXPECT_EQ(calls.Count("LlJobClose"), 1u);
        ASSERT_EQ(printed.jobs.size(), 1u);
    }
}

}  // namespace
