// The diagnostics and drift values sheets through scripted analyzers: the logbook's rows,
// classes, times and buttons, the acknowledgement of the right entry, the diagnostic values
// thread (its start, its rows, its end before the page goes), the components and factory
// data, the drift values and their reset, and the sheets' print button.
#include "diagnosticspropertysheet.h"
#include "diagscript.h"
#include "driftvaluessheet.h"
#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using Rows = std::vector<std::vector<std::string>>;

CListCtrl* List(wkit::Window& w, int id) {
    return (CListCtrl*)CWnd::FromHandlePermanent(w.Control(id));
}

Rows ListRows(CListCtrl& list) {
    Rows rows;
    const int columns = list.GetHeaderCtrl() != NULL ? list.GetHeaderCtrl()->GetItemCount() : 0;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < columns; ++c) row.push_back((LPCSTR)list.GetItemText(r, c));
        rows.push_back(row);
    }
    return rows;
}

int Columns(CListCtrl& list) {
    return list.GetHeaderCtrl() != NULL ? list.GetHeaderCtrl()->GetItemCount() : 0;
}

LogbookStruct Entry(int number, BOOL set = TRUE, BOOL acknowledged = FALSE) {
    LogbookStruct e = {};
    e.first = number;
    e.second = 1;
    e.flagA = set;
    e.flagB = acknowledged;
    e.time = CTime(2024, 3, 5, 14, 7, 0);
    return e;
}

// Runs the diagnostics sheet on the page with the template, the script on it.
int RunDiagnostics(CVaskInstrument* pAnalyzer, int nPage, UINT nTemplate,
                   const std::function<void(wkit::Window&, CDiagnosticsPropertySheet&)>& script) {
    wkit::Driver driver;
    CDiagnosticsPropertySheet sheet(pAnalyzer);
    sheet.SetActivePage(nPage);
    driver.OnOpen(wkit::Template(nTemplate), [&](wkit::Window& w) { script(w, sheet); });
    return sheet.DoModal();
}

// Counts the values threads that started and ended.
std::atomic<int> g_threadsStarted{0}, g_threadsEnded{0};
void CountThreads(BOOL bStarting, BOOL) { ++(bStarting ? g_threadsStarted : g_threadsEnded); }

// Waits for the object on the page's thread, handling what the values thread sends it
// meanwhile (the row names come before the first read); FALSE after `ms`.
bool WaitHandlingSentMessages(HANDLE object, DWORD ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        const DWORD rc = MsgWaitForMultipleObjects(1, &object, FALSE, (DWORD)(deadline - now),
                                                   QS_SENDMESSAGE);
        if (rc == WAIT_OBJECT_0) return true;
        if (rc != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

struct ThreadCount {
    ThreadCount() {
        g_threadsStarted = g_threadsEnded = 0;
        previous = SetDiagThreadObserver(&CountThreads);
    }
    ~ThreadCount() { SetDiagThreadObserver(previous); }
    DiagThreadObserver previous;
};

// ---- the logbook ---------------------------------------------------------------------------

TEST(DiagnosticsLogbook, RowsSkipEmptyMessagesAndKeepTheirEntryForTheAcknowledgement) {
    SheetKit kit;
    kit.SetOnline(true);
    DiagScript script;
    // Message 7 of a Sindor 6 has no text: no row; 33 lies beyond its block of 32.
    script.logbook = {Entry(1), Entry(7), Entry(18, FALSE, TRUE), Entry(33), Entry(255), Entry(2)};
    script.logbook[3].time = CTime();
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunDiagnostics(&analyzer, 0, IDD_DIAG_STATE, [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
        CListCtrl* pList = List(w, IDC_DIAG_LOGBOOK);
        const Rows rows = ListRows(*pList);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"Set: 14:07, 03/05/2024", "Parameter memory",
                                                     "Error", "no"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"Gone: 14:07, 03/05/2024",
                                                     "Zero calibration reserve < 20%",
                                                     "warning / maintenance request", "yes"}));
        EXPECT_EQ(rows[2][1],
                  "Error messages from this device are not yet programmed into Korvan GA.");
        EXPECT_EQ(rows[2][2], "Unknown");
        EXPECT_EQ(rows[2][0], "") << "no valid time";
        // The end mark stops the reading: entry 6 is never asked for.
        EXPECT_TRUE(script.CallsStartingWith("GetLogEntry(6)").empty());
        // The third row stands for entry 4, not 3.
        ((CListCtrlEx*)pList)->SelectItem(2);
        w.Click(IDC_DIAG_CONFIRM);
        EXPECT_EQ(script.CallsStartingWith("AckLogEntry"),
                  std::vector<std::string>{"AckLogEntry(4)"});
        EXPECT_EQ(std::string(pList->GetItemText(2, 3)), "yes");
        w.PressCancel();
    });
}

TEST(DiagnosticsLogbook, ModelsTheirBlocksTimesAndClasses) {
    struct Case {
        const char* model;
        int number;
        const char* time;
        const char* message;
        const char* cls;
    } const cases[] = {
        {"Sindor 23", 38, "", "External maintenance request", "warning / maintenance request"},
        {"Sindor 23", 45, "",
         "Error messages from this device are not yet programmed into Korvan GA.", "Unknown"},
        {"Lorvix 62", 23, "Set: 14:07, 03/05/2024",
         "Heating outside of +5\xB0"
         "C",
         "Unknown"},
        {"Parvel 64", 28, "Set: 14:07, 03/05/2024", "CTRL (Functional check)", "Error"},
        {"Quenta 6", 26, "Set: 14:07, 03/05/2024", "LIM (Limit 1/2/3/4)", "limit value"},
        {"Parvel 6", 10, "Set: 14:07, 03/05/2024", "24h RAM/Flash check ", "Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " " + std::to_string(c.number));
        SheetKit kit;
        DiagScript script;
        script.logbook = {Entry(c.number)};
        auto offline = MakeOffline(c.model, 2);
        std::unique_ptr<CVaskInstrument> analyzer;
        const int kind = offline->GetModelKind();
        if (kind == 4)
            analyzer.reset(
                new DiagScripted<CSindor23>(&script, "A", nullptr, 1, 2, 0, 0, 0, 0, 0, 0));
        else if (kind == 8)
            analyzer.reset(new DiagScripted<CLorvix62>(&script, "A", nullptr, 1, 2, 0, 0));
        else if (kind == 7)
            analyzer.reset(new DiagScripted<CParvel64>(&script, "A", nullptr, 1, 2, 0, 0));
        else if (kind == 5)
            analyzer.reset(new DiagScripted<CQuenta6>(&script, "A", nullptr, 1, 2, 0, 0));
        else
            analyzer.reset(new DiagScripted<CParvel6>(&script, "A", nullptr, 1, 2, 0, 0));
        RunDiagnostics(analyzer.get(), 0, IDD_DIAG_STATE,
                       [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
                           const Rows rows = ListRows(*List(w, IDC_DIAG_LOGBOOK));
                           ASSERT_EQ(rows.size(), 1u);
                           EXPECT_EQ(rows[0][0], c.time);
                           EXPECT_EQ(rows[0][1], c.message);
                           EXPECT_EQ(rows[0][2], c.cls);
                           w.PressCancel();
                       });
    }
}

TEST(DiagnosticsLogbook, ThirtyTwoEntriesAtMostAndAnEmptyLogbook) {
    SheetKit kit;
    DiagScript script;
    for (int i = 0; i < 40; ++i) script.logbook.push_back(Entry(1));
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunDiagnostics(&analyzer, 0, IDD_DIAG_STATE, [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
        EXPECT_EQ(List(w, IDC_DIAG_LOGBOOK)->GetItemCount(), 32);
        EXPECT_EQ(script.CallsStartingWith("GetLogEntry").size(), 32u);
        script.logbook = {Entry(255)};
        w.Click(IDC_DIAG_UPDATE_LOGBOOK);
        EXPECT_EQ(List(w, IDC_DIAG_LOGBOOK)->GetItemCount(), 0);
        EXPECT_EQ(Columns(*List(w, IDC_DIAG_LOGBOOK)), 4);
        w.PressCancel();
    });
}

TEST(DiagnosticsLogbook, ButtonsNeedTheRightsOnlineRemoteAndRows) {
    struct Case {
        int level;
        bool online;
        int state;
        bool sindor23;
        bool rows;
        bool confirm;
        bool empty;
    } const cases[] = {
        {2, true, 2, false, true, true, true},    {1, true, 2, false, true, false, false},
        {2, false, 2, false, true, false, false}, {2, true, 3, false, true, false, false},
        {3, true, 2, true, true, true, false},    {2, true, 2, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + (c.online ? " online" : " offline") +
                     " state " + std::to_string(c.state) + (c.sindor23 ? " Sindor 23" : ""));
        SheetKit kit;
        kit.SetAccessLevel(c.level);
        kit.SetOnline(c.online);
        DiagScript script;
        script.state = c.state;
        if (c.rows) script.logbook = {Entry(1)};
        std::unique_ptr<CVaskInstrument> analyzer;
        if (c.sindor23)
            analyzer.reset(
                new DiagScripted<CSindor23>(&script, "A", nullptr, 1, 2, 0, 0, 0, 0, 0, 0));
        else
            analyzer.reset(new DiagScripted<CSindor6>(&script, "A", nullptr, 1, 2, 0, 0));
        RunDiagnostics(analyzer.get(), 0, IDD_DIAG_STATE,
                       [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
                           EXPECT_EQ(w.IsEnabled(IDC_DIAG_CONFIRM), c.confirm);
                           EXPECT_EQ(w.IsEnabled(IDC_DIAG_EMPTY_LOGBOOK), c.empty);
                           EXPECT_TRUE(w.IsEnabled(IDC_DIAG_UPDATE_LOGBOOK));
                           w.PressCancel();
                       });
    }
}

TEST(DiagnosticsLogbook, FailedAcknowledgementAndEmptyingAreToldAndChangeNothing) {
    SheetKit kit;
    kit.SetOnline(true);
    DiagScript script;
    script.logbook = {Entry(1), Entry(2)};
    script.ackResult = 0;
    script.clearResult = 0;
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    wkit::BoxRecorder boxes;
    RunDiagnostics(&analyzer, 0, IDD_DIAG_STATE, [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
        CListCtrl* pList = List(w, IDC_DIAG_LOGBOOK);
        w.Click(IDC_DIAG_CONFIRM);
        EXPECT_EQ(std::string(pList->GetItemText(0, 3)), "no");
        w.Click(IDC_DIAG_EMPTY_LOGBOOK);
        EXPECT_EQ(pList->GetItemCount(), 2);
        script.clearResult = 1;
        // No question before the logbook is emptied.
        w.Click(IDC_DIAG_EMPTY_LOGBOOK);
        EXPECT_EQ(pList->GetItemCount(), 0);
        EXPECT_FALSE(w.IsEnabled(IDC_DIAG_CONFIRM));
        w.PressCancel();
    });
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[0].find("Could not acknowledge the log entry:\n"), 0u);
    EXPECT_EQ(script.CallsStartingWith("AckLogEntry"), std::vector<std::string>{"AckLogEntry(1)"});
}

// ---- the diagnostic values ----------------------------------------------------------------

TEST(DiagnosticValues, TheModelsTablesNameTheirRows) {
    struct Case {
        const char* model;
        size_t rows;
        const char* first;
        const char* last;
    } const cases[] = {
        {"Quenta 6", 14, "Physics Temperature", "Adapterb. Tensile Stress"},
        {"Sindor 6", 6, "Barometric Pressure", "Display Temp."},
        {"Parvel 6", 6, "Barometric Pressure", "Display Temp."},
        {"Lorvix 6", 4, "TCD Temp.", "Display Temp."},
        {"Sindor 23", 3, "Barometric Pressure", "Display Temp."},
        {"Parvel 64", 5, "Sensor Temp.", "Measure Gas Flow"},
        {"Lorvix 62", 5, "Sensor Temp.", "Electronic Temp."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SheetKit kit;
        ThreadCount threads;
        auto analyzer = MakeOffline(c.model, 2);
        RunDiagnostics(analyzer.get(), 2, IDD_DIAG_VALUES,
                       [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
                           ASSERT_TRUE(wkit::Driver::PumpUntil(
                               [&] { return !sheet.m_valuesPage.IsBusy(); }, 10000));
                           const Rows rows = ListRows(*List(w, IDC_DIAG_VALUE_LIST));
                           ASSERT_EQ(rows.size(), c.rows);
                           EXPECT_EQ(rows.front()[0], c.first);
                           EXPECT_EQ(rows.back()[0], c.last);
                           for (const auto& row : rows) EXPECT_FALSE(row[1].empty());
                           w.PressCancel();
                       });
        EXPECT_EQ(g_threadsStarted.load(), 1);
        EXPECT_EQ(g_threadsEnded.load(), 1);
    }
}

TEST(DiagnosticValues, AnUnknownModelLeavesNoRowsAndNoColumns) {
    SheetKit kit;
    CVaskInstrument analyzer("Unknown", 6, nullptr, 1, 2, 4, 4, 0);
    RunDiagnostics(
        &analyzer, 2, IDD_DIAG_VALUES, [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
            ASSERT_TRUE(
                wkit::Driver::PumpUntil([&] { return !sheet.m_valuesPage.IsBusy(); }, 10000));
            EXPECT_EQ(List(w, IDC_DIAG_VALUE_LIST)->GetItemCount(), 0);
            EXPECT_EQ(Columns(*List(w, IDC_DIAG_VALUE_LIST)), 0);
            w.PressCancel();
        });
}

TEST(DiagnosticValues, AFailedReadShowsNoValueAndTheTwentiethTickRewritesChangedTexts) {
    SheetKit kit;
    kit.SetOnline(true);
    ThreadCount threads;
    DiagScript script;
    script.failing = {"GetFrequency"};
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunDiagnostics(&analyzer, 2, IDD_DIAG_VALUES,
                   [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
                       CPageDiagnosticsValues& page = sheet.m_valuesPage;
                       ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return !page.IsBusy(); }, 10000));
                       CListCtrl* pList = List(w, IDC_DIAG_VALUE_LIST);
                       EXPECT_EQ(std::string(pList->GetItemText(0, 1)), "20.5 ppm");
                       // Not the pressure of the row before.
                       EXPECT_EQ(std::string(pList->GetItemText(1, 1)), "Unknown   ");
                       EXPECT_EQ(page.GetThreadStarts(), 1);
                       script.failing.clear();
                       script.unit = 19;  // "%"... any other unit: the texts change
                       for (int tick = 1; tick < 20; ++tick) page.TimerTick(1);
                       EXPECT_EQ(page.GetThreadStarts(), 1);
                       page.TimerTick(1);
                       EXPECT_EQ(page.GetThreadStarts(), 2);
                       ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return !page.IsBusy(); }, 10000));
                       const Rows rows = ListRows(*pList);
                       ASSERT_EQ(rows.size(), 6u) << "rows are not inserted again";
                       EXPECT_EQ(rows[0][0], "Barometric Pressure");
                       EXPECT_EQ(rows[1][1].find("21.5 "), 0u);
                       w.PressCancel();
                   });
    EXPECT_EQ(g_threadsStarted.load(), 2);
    EXPECT_EQ(g_threadsEnded.load(), 2);
}

TEST(DiagnosticValues, NoSecondThreadWhileOneReads) {
    SheetKit kit;
    ThreadCount threads;
    DiagScript script;
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    script.onAirPressure = [&] { WaitForSingleObject(release, 10000); };
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunDiagnostics(&analyzer, 2, IDD_DIAG_VALUES,
                   [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
                       CPageDiagnosticsValues& page = sheet.m_valuesPage;
                       EXPECT_TRUE(page.IsBusy());
                       for (int tick = 0; tick < 45; ++tick) sheet.SendMessage(WM_TIMER, 1);
                       EXPECT_EQ(page.GetThreadStarts(), 1);
                       SetEvent(release);
                       ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return !page.IsBusy(); }, 10000));
                       // The start that was due while the thread read comes with the next tick.
                       sheet.SendMessage(WM_TIMER, 1);
                       EXPECT_EQ(page.GetThreadStarts(), 2);
                       w.PressCancel();
                   });
    EXPECT_EQ(g_threadsStarted.load(), 2);
    EXPECT_EQ(g_threadsEnded.load(), 2);
    CloseHandle(release);
}

TEST(DiagnosticValues, ClosingDuringASlowReadWaitsForThatReadAndNoMore) {
    SheetKit kit;
    kit.SetOnline(true);
    ThreadCount threads;
    DiagScript script;
    HANDLE entered = CreateEventA(NULL, TRUE, FALSE, NULL);
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    {
        wkit::Driver driver;
        auto sheet = std::make_unique<CDiagnosticsPropertySheet>(&analyzer);
        // A device that answers late: the read still runs when the closing sheet asks the
        // thread to stop, and answers only then, however long the close took.
        CPageDiagnosticsValues* page = &sheet->m_valuesPage;
        script.onAirPressure = [&, page] {
            SetEvent(entered);
            const ULONGLONG deadline = GetTickCount64() + 10000;
            while (!page->IsStopRequested() && GetTickCount64() < deadline) Sleep(10);
        };
        sheet->SetActivePage(2);
        driver.OnOpen(wkit::Template(IDD_DIAG_VALUES), [&](wkit::Window& w) {
            ASSERT_TRUE(WaitHandlingSentMessages(entered, 30000)) << "no read began";
            EXPECT_TRUE(sheet->m_valuesPage.IsBusy());
            w.PressCancel();
        });
        sheet->DoModal();
        // The window has gone: the thread has ended with it.
        EXPECT_EQ(g_threadsEnded.load(), 1);
        sheet.reset();
    }
    EXPECT_EQ(g_threadsStarted.load(), 1);
    EXPECT_EQ(g_threadsEnded.load(), 1);
    // The read that was running finished; none came after it.
    EXPECT_EQ(script.airPressureReads.load(), 1);
    EXPECT_TRUE(script.CallsStartingWith("GetFrequency").empty());
    CloseHandle(entered);
}

// ---- components and factory data --------------------------------------------------------

TEST(DiagnosticsComponents, OneRowPerComponentAndTheSensorsOfASindor23) {
    SheetKit kit;
    DiagScript script;
    DiagScripted<CSindor23> analyzer(&script, "S23", nullptr, 1, 2, 0, 1, 1, 0, 0, 0);
    RunDiagnostics(&analyzer, 1, IDD_DIAG_COMPONENTS,
                   [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
                       const Rows rows = ListRows(*List(w, IDC_DIAG_COMPONENT_LIST));
                       ASSERT_EQ(rows.size(), (size_t)analyzer.GetComponentCount() + 2);
                       EXPECT_EQ(rows[0][1], "0.5 ppm");
                       EXPECT_EQ(rows[1][3], "11.5 ppm");
                       EXPECT_EQ(rows[rows.size() - 2][3], "21.5 ppm");
                       EXPECT_EQ(rows[rows.size() - 1][3], "31.5 ppm");
                       EXPECT_EQ(script.CallsStartingWith("GetMeas").size(), 1u);
                       script.calls.clear();
                       sheet.SendMessage(WM_TIMER, 1);
                       EXPECT_EQ(script.CallsStartingWith("GetMeas").size(), 1u);
                       w.PressCancel();
                   });
}

TEST(DiagnosticsComponents, RangesAreReadAgainOnlyOnTheThirtiethTick) {
    SheetKit kit;
    DiagScript script;
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 1, 0, 0);
    CVaskParameter* pRange = analyzer.FindParameterByNumber(6);
    ASSERT_NE(pRange, nullptr);
    auto setRange = [&](double value) {
        VaskFloat v;
        v.value = value;
        v.unit = 1;
        pRange->SetValue(v);
    };
    setRange(1);
    RunDiagnostics(&analyzer, 1, IDD_DIAG_COMPONENTS,
                   [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
                       CListCtrl* pList = List(w, IDC_DIAG_COMPONENT_LIST);
                       EXPECT_EQ(std::string(pList->GetItemText(0, 2)), "1.000   ");
                       setRange(2);
                       for (int tick = 1; tick < 30; ++tick) sheet.SendMessage(WM_TIMER, 1);
                       EXPECT_EQ(std::string(pList->GetItemText(0, 2)), "1.000   ");
                       EXPECT_EQ(script.CallsStartingWith("GetMeas").size(), 30u);
                       sheet.SendMessage(WM_TIMER, 1);
                       EXPECT_EQ(std::string(pList->GetItemText(0, 2)), "2.000   ");
                       EXPECT_EQ(pList->GetItemCount(), 1);
                       w.PressCancel();
                   });
}

TEST(DiagnosticsFirmData, TheQuentaTypeOnlyOnAQuenta) {
    struct Case {
        const char* model;
        int type;
        bool shown;
        const char* text;
    } const cases[] = {{"Quenta 6", 2, true, "Quenta 6 G"},
                       {"Quenta 6", 1, true, "Quenta 6 E"},
                       {"Sindor 6", 2, false, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " type " + std::to_string(c.type));
        SheetKit kit;
        DiagScript script;
        script.quentaType = (QuentaType)c.type;
        std::unique_ptr<CVaskInstrument> analyzer;
        if (c.shown)
            analyzer.reset(new DiagScripted<CQuenta6>(&script, "Q", nullptr, 1, 1, 0, 0));
        else
            analyzer.reset(new DiagScripted<CSindor6>(&script, "S", nullptr, 1, 1, 0, 0));
        RunDiagnostics(analyzer.get(), 3, IDD_DIAG_FIRM_DATA,
                       [&](wkit::Window& w, CDiagnosticsPropertySheet&) {
                           EXPECT_EQ(w.IsVisible(IDC_FIRM_QUENTA_TYPE), c.shown);
                           EXPECT_EQ(w.IsVisible(IDC_FIRM_QUENTA_TYPE_FRAME), c.shown);
                           if (c.shown) {
                               EXPECT_EQ(w.Text(IDC_FIRM_QUENTA_TYPE), c.text);
                           }
                           w.PressCancel();
                       });
    }
}

// ---- the sheets ---------------------------------------------------------------------------

TEST(DiagnosticsSheet, PrintLeftOfOkWithoutApplyAndTheTickOnlyForTheLivePages) {
    SheetKit kit;
    DiagScript script;
    DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
    RunDiagnostics(
        &analyzer, 0, IDD_DIAG_STATE, [&](wkit::Window& w, CDiagnosticsPropertySheet& sheet) {
            HWND hSheet = sheet.GetSafeHwnd();
            auto rect = [&](int id) {
                RECT r;
                ::GetWindowRect(::GetDlgItem(hSheet, id), &r);
                ::MapWindowPoints(NULL, hSheet, (POINT*)&r, 2);
                return r;
            };
            const RECT ok = rect(IDOK), cancel = rect(IDCANCEL), print = rect(IDC_SHEET_PRINT);
            EXPECT_EQ(print.left, 2 * ok.left - cancel.left);
            EXPECT_EQ(print.right - print.left, ok.right - ok.left);
            EXPECT_EQ(print.top, ok.top);
            EXPECT_EQ(print.bottom, ok.bottom);
            char text[32] = "";
            ::GetWindowTextA(::GetDlgItem(hSheet, IDC_SHEET_PRINT), text, sizeof text);
            EXPECT_STREQ(text, "Print");
            EXPECT_EQ(::SendMessageA(::GetDlgItem(hSheet, IDC_SHEET_PRINT), WM_GETFONT, 0, 0),
                      ::SendMessageA(hSheet, WM_GETFONT, 0, 0));
            HWND apply = ::GetDlgItem(hSheet, ID_APPLY_NOW);
            EXPECT_TRUE(apply == NULL || !::IsWindowVisible(apply));
            // The state page shown: a tick reads nothing of the logbook.
            script.calls.clear();
            sheet.SendMessage(WM_TIMER, 1);
            EXPECT_TRUE(script.CallsStartingWith("GetLogEntry").empty());
            w.PressCancel();
        });
}

// ---- drift values -------------------------------------------------------------------------

int RunDrift(CVaskInstrument* pAnalyzer,
             const std::function<void(wkit::Window&, CDriftValuesSheet&)>& script) {
    wkit::Driver driver;
    CDriftValuesSheet sheet(pAnalyzer);
    driver.OnOpen(wkit::Template(IDD_DRIFT_VALUES), [&](wkit::Window& w) { script(w, sheet); });
    return sheet.DoModal();
}

TEST(DriftValues, TheReserveColumnByModelAndTheSindor23sSpans) {
    struct Case {
        const char* model;
        int calibColumns;
    } const cases[] = {{"Parvel 6", 6}, {"Lorvix 6", 5}, {"Sindor 23", 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        SheetKit kit;
        DiagScript script;
        std::unique_ptr<CVaskInstrument> analyzer;
        const bool sindor23 = std::string(c.model) == "Sindor 23";
        if (sindor23)
            analyzer.reset(
                new DiagScripted<CSindor23>(&script, "A", nullptr, 1, 3, 0, 0, 0, 0, 0, 0));
        else if (std::string(c.model) == "Parvel 6")
            analyzer.reset(new DiagScripted<CParvel6>(&script, "A", nullptr, 1, 2, 0, 0));
        else
            analyzer.reset(new DiagScripted<CLorvix6>(&script, "A", nullptr, 1, 2, 0, 0));
        RunDrift(analyzer.get(), [&](wkit::Window& w, CDriftValuesSheet& sheet) {
            CListCtrl* pCalib = List(w, IDC_CALIB_LIST);
            CListCtrl* pDrift = List(w, IDC_DRIFT_LIST);
            EXPECT_EQ(Columns(*pCalib), c.calibColumns);
            EXPECT_EQ(Columns(*pDrift), 7);
            EXPECT_EQ(sheet.m_page.HasCalibReserve(), c.calibColumns == 6);
            const Rows rows = ListRows(*pDrift);
            ASSERT_EQ((int)rows.size(), analyzer->GetComponentCount());
            // "%d.%m.%Y;  %H:%M:%S"
            EXPECT_EQ(rows[0][1].substr(10, 3), ";  ");
            EXPECT_EQ(rows[0][2], "6.5 ppm");
            for (size_t r = 0; r < rows.size(); ++r) {
                SCOPED_TRACE(r);
                EXPECT_EQ(rows[r][4].empty(), sindor23 && r >= 2);
                EXPECT_EQ(rows[r][5].empty(), sindor23);
                EXPECT_EQ(rows[r][6].empty(), sindor23);
            }
            w.PressCancel();
        });
    }
}

TEST(DriftValues, ResetWritesTheReadValuesOnlyAndNeedsTheRights) {
    struct Case {
        int level;
        bool online;
        int state;
        bool enabled;
    } const cases[] = {
        {2, true, 2, true}, {1, true, 2, false}, {2, false, 2, false}, {3, true, 4, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + (c.online ? " online" : " offline") +
                     " state " + std::to_string(c.state));
        SheetKit kit;
        kit.SetAccessLevel(c.level);
        kit.SetOnline(c.online);
        DiagScript script;
        script.state = c.state;
        script.failing = {"GetDriftValues0"};
        DiagScripted<CSindor6> analyzer(&script, "S6", nullptr, 1, 2, 0, 0);
        RunDrift(&analyzer, [&](wkit::Window& w, CDriftValuesSheet&) {
            EXPECT_EQ(w.IsEnabled(IDC_DRIFT_RESET), c.enabled);
            if (c.enabled) {
                script.calls.clear();
                w.Click(IDC_DRIFT_RESET);
                // Component 0 was not read: its no-value marks are not written.
                EXPECT_EQ(script.CallsStartingWith("SetDriftValues"),
                          std::vector<std::string>{"SetDriftValues(1,16.5,20.5)"});
                EXPECT_EQ(script.CallsStartingWith("GetDriftValues").size(), 2u);
            }
            w.PressOK();
        });
        EXPECT_EQ(kit.frame.hints, std::vector<LPARAM>{kSheetUpdateHint});
    }
}

}  // namespace
