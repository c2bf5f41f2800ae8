// The curve page's print through the program's print services and the report engine: the
// diagram as the metafile variable "VDiagramme" of the default form, printed on the build's
// cups-pdf queue and read back from the PDF; a form with a callback box, whose drawing
// request the page answers into the engine's page; and a job that cannot be opened.
#include "curvekit.h"
#include "emf_reader.h"
#include "resource.h"
#include "shellcurvehost.h"

#include "../../../platform/report/res/resource.h"
#include "report_test.h"
#include "vaskreport_seam.h"

#include <gtest/gtest.h>

#include "sindor6.h"

namespace {

using Analyzer = MeasScripted<CSindor6>;
using vaskreport_seam::CallRecorder;

class CTestFrame : public CFrameWnd {};

class CurvePrint : public ::testing::Test {
protected:
    CurvePrint() : line_("Line A"), analyzer_("Sindor 6", line_.converter.GetAccess(), 1, 2, 0, 0) {
        line_.Add(&analyzer_);
        nodes_.AddTail(&line_.converter);
        kit_.SetOnline(true);
    }
    void SetUp() override {
        frame_ = new CTestFrame;  // deletes itself with its window
        ASSERT_TRUE(frame_->Create(NULL, "KorvanGA"));
        AfxGetApp()->m_pMainWnd = frame_;
        hFrame_ = frame_->m_hWnd;
        // The program's print services behind the curve page.
        InstallProgramCurveHost();
        std::string forms = rtest::ProgramFolder();
        forms.pop_back();
        TestApp().WriteProfileString("Print forms", "Location", forms.c_str());
        TestApp().WriteProfileString("Print forms", "Diagram", "Diagram.form");
        TestApp().WriteProfileString("Company", "Company", "Korvan Test Works");
        TestApp().WriteProfileString("Curve", "Network1", "Line A");
        TestApp().WriteProfileString("Curve", "Instrument1", "Sindor 6");
    }
    void TearDown() override {
        LlSeamFailJobOpen(0);
        kit_.Close();
        AfxGetApp()->m_pMainWnd = NULL;
        if (::IsWindow(hFrame_)) frame_->DestroyWindow();
    }

    // The sheet on its curve page with two samples.
    CCurvePage& OpenWithSamples() {
        EXPECT_NE(kit_.Open(&nodes_, 0), nullptr);
        kit_.Tick();
        kit_.Tick();
        return *kit_.sheet->GetCurvePage();
    }
    // Print pressed, the options dialog answered with the printer.
    void Print() {
        wkit::Driver driver;
        driver.Exempt(kit_.sheet->GetSafeHwnd());
        driver.OnOpen(wkit::Caption("Select printing options"), [](wkit::Window& w) {
            w.Check(IDC_OPT_PRINTER);
            w.PressOK();
        });
        driver.OnEveryOpen(wkit::Caption("Printing"), [](wkit::Window& w) { w.KeepOpen(); });
        kit_.Window().Click(IDC_CURVE_PRINT);
        EXPECT_TRUE(driver.AllRan());
    }
    std::string Title() {
        return std::string((LPCSTR)analyzer_.GetDisplayName()) + ", " +
               (LPCSTR)analyzer_.GetComponentLabel(0) + " [ppm]";
    }

    CurveKit kit_;
    wkit::BoxRecorder boxes_;
    TestNetwork line_;
    Analyzer analyzer_;
    CObList nodes_;
    CTestFrame* frame_ = nullptr;
    HWND hFrame_ = NULL;
};

// The drawing variables the page defined once the print had started (the job's set-up
// declares the form's names before that).
std::vector<vaskreport_seam::Call> DefinedDrawings(const CallRecorder& calls) {
    std::vector<vaskreport_seam::Call> out;
    bool started = false;
    for (const vaskreport_seam::Call& c : calls.calls) {
        started = started || c.function == "LlPrintIsVariableUsedA";
        if (started && c.function == "LlDefineVariableExtHandleA") out.push_back(c);
    }
    return out;
}

// The texts of the page files of a finished print (read while the engine's sink runs).
struct PageTexts {
    std::vector<std::string> texts;
    static void OnJob(const vaskreport_seam::Job& job, void* self) {
        for (const auto& page : job.pages) {
            const emf::File file = emf::File::Load(page.file);
            for (const emf::Text& t : file.Texts())
                static_cast<PageTexts*>(self)->texts.push_back(t.text);
        }
    }
    bool Has(const std::string& text) const {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};

// What a print leaves: the engine's calls, the finished jobs and their pages' texts.
struct Recording {
    Recording() {
        printed.context = &pages;
        printed.onJob = &PageTexts::OnJob;
    }
    CallRecorder calls;
    vaskreport_seam::Recorder printed;
    PageTexts pages;
};

TEST_F(CurvePrint, TheDiagramFormPrintsTheDiagramAsItsMetafileVariable) {
    CCurvePage& page = OpenWithSamples();
    const COLORREF background = page.GetDiagram()->GetBackgroundColor();
    rtest::PrintJobs printer;
    Recording r;
    Print();
    EXPECT_TRUE(boxes_.texts.empty()) << boxes_.texts.front();

    ASSERT_EQ(r.calls.Count("LlPrintIsVariableUsedA"), 1u);
    EXPECT_EQ(r.calls.Of("LlPrintIsVariableUsedA")[0].name, "VDiagramme");
    ASSERT_EQ(DefinedDrawings(r.calls).size(), 1u);
    const vaskreport_seam::Call drawing = DefinedDrawings(r.calls)[0];
    EXPECT_EQ(drawing.name, "VDiagramme");
    EXPECT_EQ(drawing.value1, 0x20000006);
    EXPECT_NE(drawing.value2, 0) << "the metafile's handle";
    EXPECT_EQ(r.calls.Count("LlPrint"), 1u);
    EXPECT_EQ(r.calls.Of("LlPrintWithBoxStartA")[0].wnd, page.m_hWnd) << "the page owns the job";

    ASSERT_EQ(r.printed.jobs.size(), 1u);
    ASSERT_EQ(r.printed.jobs[0].pages.size(), 1u);
    EXPECT_EQ(r.printed.jobs[0].pages[0].Count(LL_SEAM_DRAWING), 1);
    EXPECT_TRUE(r.pages.Has(Title())) << "the axis title in the printed page";
    EXPECT_EQ(page.GetDiagram()->GetBackgroundColor(), background) << "the live diagram's look";
    EXPECT_TRUE(page.GetDiagram()->GetFrame());

    const std::string pdf = printer.PdfOf(r.printed.jobs[0].document);
    ASSERT_FALSE(pdf.empty()) << printer.Missed();
    SCOPED_TRACE(printer.About());
    const std::vector<std::string> text = rtest::PdfPages(pdf);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NE(text[0].find("Korvan Test Works"), std::string::npos) << text[0];
    EXPECT_NE(text[0].find("Sindor 6"), std::string::npos) << text[0];
    EXPECT_NE(text[0].find("[ppm]"), std::string::npos) << text[0];
}

TEST_F(CurvePrint, ACallbackBoxOfTheFormIsDrawnByThePageOnRequest) {
    rtest::TempDir dir;
    ASSERT_TRUE(rtest::WriteText(dir.File("Callback.form"),
                                 "VASKFORM 1\n"
                                 "callback \"Live\" 15 20 180 150\n"
                                 "end\n"));
    TestApp().WriteProfileString("Print forms", "Location", dir.Path().c_str());
    TestApp().WriteProfileString("Print forms", "Diagram", "Callback.form");
    CCurvePage& page = OpenWithSamples();
    const RECT before = page.GetDiagram()->GetOuterRect();
    Recording r;
    Print();
    EXPECT_TRUE(boxes_.texts.empty()) << boxes_.texts.front();
    EXPECT_EQ(r.calls.Count("LlPrintIsVariableUsedA"), 1u);
    EXPECT_TRUE(DefinedDrawings(r.calls).empty()) << "the form does not use it";
    ASSERT_EQ(r.printed.jobs.size(), 1u);
    ASSERT_EQ(r.printed.jobs[0].pages.size(), 1u);
    EXPECT_EQ(r.printed.jobs[0].pages[0].Count(LL_SEAM_REQUEST), 1);
    EXPECT_TRUE(r.pages.Has(Title())) << "drawn into the engine's page";
    const RECT after = page.GetDiagram()->GetOuterRect();
    EXPECT_TRUE(::EqualRect(&before, &after)) << "the window's rectangle is back";
}

TEST_F(CurvePrint, AJobThatCannotBeOpenedPrintsNothing) {
    CCurvePage& page = OpenWithSamples();
    const COLORREF background = page.GetDiagram()->GetBackgroundColor();
    CallRecorder calls;
    LlSeamFailJobOpen(1);
    kit_.Window().Click(IDC_CURVE_PRINT);
    EXPECT_EQ(calls.Count("LlPrint"), 0u);
    EXPECT_EQ(calls.Count("LlDefineVariableStart"), 0u);
    EXPECT_EQ(boxes_.texts,
              std::vector<std::string>{"An error has occured while initializing the printing."})
        << "the print services tell the user; the page adds nothing";
    EXPECT_EQ(page.GetDiagram()->GetBackgroundColor(), background);
}

}  // namespace
