// The settings sheet under the window kit: the writer's values on the General and Format
// pages and what the user enters taken over, the General page's checks when it is left,
// the Format page's options, the user flag's box, a sheet without pages, the question
// before a new name's first file is replaced, help, Cancel, and OK or Apply right after
// typing. A caller's page from the test program stands beside the built-in ones.
#include "test_support.h"
#include "window_kit.h"

#include <algorithm>

namespace {

const char kKey[] = "Software\\Talvern\\Korvan GA\\nura Protocol";
const int kStartRow[] = {IDC_NURA_START_YEAR, IDC_NURA_START_MONTH,  IDC_NURA_START_DAY,
                         IDC_NURA_START_HOUR, IDC_NURA_START_MINUTE, IDC_NURA_START_SECOND};
const int kEndRow[] = {IDC_NURA_END_YEAR, IDC_NURA_END_MONTH,  IDC_NURA_END_DAY,
                       IDC_NURA_END_HOUR, IDC_NURA_END_MINUTE, IDC_NURA_END_SECOND};

struct Time {
    int y, mo, d, h, mi, s;
};

// Types a date and time into a row of the General page (year, month, day, hour, minute,
// second).
void TypeRow(wkit::Window& w, const int (&row)[6], const Time& t) {
    const int values[] = {t.y, t.mo, t.d, t.h, t.mi, t.s};
    for (int i = 0; i < 6; ++i) w.SetText(row[i], std::to_string(values[i]));
}

std::string WindowText(HWND hWnd) {
    char text[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

class SheetTest : public WriterTest {
protected:
    SheetTest() {
        writer->SetRegistryKey(HKEY_CURRENT_USER, "Talvern\\Korvan GA");
        writer->SetFileName(CString(folder.File("prot.txt").c_str()));
        writer->SetSeparator(";");
        writer->UsePropertyPage(1, TRUE);
    }

    std::string LastBox() const { return boxes.texts.empty() ? "" : boxes.texts.back(); }

    wkit::BoxRecorder boxes;
    wkit::HelpRecorder help;
};

TEST_F(SheetTest, ShowsTheWritersSettingsAndTakesOverWhatTheUserEnters) {
    CCallerPage callersPage;
    ASSERT_EQ(writer->AddPropertyPage(&callersPage), 2);
    writer->SetUserFlagName(0, "Start protocol");
    const std::string name = folder.File("day.txt");
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        w.Shot("protocol-settings-general");
        EXPECT_EQ(w.Caption(), "Protocol Settings");
        EXPECT_TRUE(::GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        ASSERT_EQ(w.PageCount(), 3);
        EXPECT_EQ(w.ActivePage(), 0);
        EXPECT_EQ(WindowText(w.Page()), "General");
        EXPECT_FALSE(w.Has(3000)) << "the library's template, not the program's 230";
        EXPECT_TRUE(w.IsVisible(IDHELP));
        EXPECT_FALSE(w.Has(ID_APPLY_NOW) && w.IsVisible(ID_APPLY_NOW));

        EXPECT_EQ(w.Text(IDC_NURA_FILE_NAME), folder.File("prot.txt"));
        EXPECT_EQ(w.Text(IDC_NURA_CYCLE_TIME), "1000");
        EXPECT_EQ(w.CheckState(IDC_NURA_START), BST_UNCHECKED);
        EXPECT_EQ(w.CheckState(IDC_NURA_END), BST_UNCHECKED);
        // The writer's start and end (now) in year, month, day, hour, minute, second.
        const char* shown[] = {"2003", "12", "24", "13", "5", "9"};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(w.Text(kStartRow[i]), shown[i]);
            EXPECT_EQ(w.Text(kEndRow[i]), shown[i]);
            EXPECT_FALSE(w.IsEnabled(kStartRow[i]));
            EXPECT_FALSE(w.IsEnabled(kEndRow[i]));
        }
        EXPECT_TRUE(w.IsVisible(IDC_NURA_USER_FLAG));
        EXPECT_EQ(w.Text(IDC_NURA_USER_FLAG), "Start protocol");
        EXPECT_EQ(w.CheckState(IDC_NURA_USER_FLAG), BST_UNCHECKED);

        writer->SetPageTitle(0, "Allgemein");
        EXPECT_EQ(WindowText(w.Page()), "Allgemein");

        w.SetText(IDC_NURA_FILE_NAME, name);
        w.Check(IDC_NURA_START);
        for (int nID : kStartRow) EXPECT_TRUE(w.IsEnabled(nID));
        EXPECT_FALSE(w.IsEnabled(IDC_NURA_END_YEAR));
        TypeRow(w, kStartRow, {2004, 2, 29, 8, 0, 0});
        w.SetText(IDC_NURA_CYCLE_TIME, "60000");
        w.Check(IDC_NURA_USER_FLAG);

        ASSERT_TRUE(w.SelectPage(1));
        w.Shot("protocol-settings-format");
        EXPECT_EQ(WindowText(w.Page()), "Format");
        EXPECT_EQ(w.Text(IDC_NURA_COLUMNS), "1");
        EXPECT_EQ(w.CheckState(IDC_NURA_FILE_SPLITTING), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_NURA_RING_BUFFER), BST_UNCHECKED);
        EXPECT_EQ(w.Text(IDC_NURA_SPLIT_LINES), "100");
        EXPECT_EQ(w.Text(IDC_NURA_RING_BUFFER_LINES), "100");
        std::vector<std::string> separators = w.Items(IDC_NURA_SEPARATOR);
        std::sort(separators.begin(), separators.end());
        EXPECT_EQ(separators, (std::vector<std::string>{"!", "#", "$", ",", "-", "/", ":", ";", "=",
                                                        "^", "_", "|"}));
        EXPECT_EQ(w.Selection(IDC_NURA_SEPARATOR), ";");
        EXPECT_EQ(w.Text(IDC_NURA_DEFAULT_SEPARATOR),
                  (LPCSTR)CnuraProtocolProbe::Format(*writer)->m_strDefaultSeparator);
        EXPECT_EQ(w.Text(IDC_NURA_DEFAULT_SEPARATOR).substr(0, 1), " ");
        EXPECT_FALSE(w.IsVisible(IDC_NURA_USER_FLAG)) << "the Format page's flag has no name";
        EXPECT_EQ(w.Text(IDC_NURA_PHI), "j");
        w.SetText(IDC_NURA_COLUMNS, "3");
        w.SetText(IDC_NURA_SPLIT_LINES, "1440");
        w.Pick(IDC_NURA_SEPARATOR, "#");
        w.Check(IDC_NURA_LOG_PRESSURE);
        w.Check(IDC_NURA_LOG_EP90);

        ASSERT_TRUE(w.SelectPage(2));
        EXPECT_EQ(WindowText(w.Page()), "Instruments") << "the caller's page, from its module";
        w.Pick(1181, ",");
        w.PressOK();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDOK);

    EXPECT_EQ(writer->GetFileName(), CString(name.c_str()));
    EXPECT_EQ(writer->GetCycleTime(), 60000u);
    BOOL enabled = FALSE;
    CTime t;
    writer->GetBeginTime(enabled, t);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(t, CTime(2004, 2, 29, 8, 0, 0));
    writer->GetEndTime(enabled, t);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(writer->GetNumColumns(), 3);
    int mode;
    unsigned long lines;
    writer->GetProtocolMode(mode, lines);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(lines, 1440u);
    EXPECT_EQ(writer->GetSeparator(), "#");
    EXPECT_TRUE(writer->LogPressure());
    EXPECT_TRUE(writer->LogEP90());
    EXPECT_FALSE(writer->LogTemperature());
    EXPECT_FALSE(writer->LogEP());
    EXPECT_TRUE(writer->GetUserFlag(0));
    EXPECT_EQ(callersPage.m_strDelimiter, ",");
    EXPECT_EQ(callersPage.m_nApplied, 1);
    std::string saved;
    EXPECT_TRUE(registry.GetString(kKey, "Separator", saved));
    EXPECT_EQ(saved, "#");
    DWORD cycle = 0;
    EXPECT_TRUE(registry.GetNumber(kKey, "Cycle Time", cycle));
    EXPECT_EQ(cycle, 60000u);
    EXPECT_TRUE(boxes.texts.empty());
    // The pages outlive the sheet and show the same values at the next run.
    EXPECT_EQ(callersPage.m_hWnd, nullptr);
    EXPECT_EQ(CnuraProtocolProbe::General(*writer)->m_hWnd, nullptr);
}

// In the dialogs' own font every label, check box and field shows its whole text: a
// four-digit year, a cycle time of an hour, the longest line counts.
TEST_F(SheetTest, EveryTextOfBothPagesShowsWhole) {
    writer->SetUserFlagName(0, "Start protocol");
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        w.Check(IDC_NURA_START);
        w.Check(IDC_NURA_END);
        TypeRow(w, kStartRow, {2026, 12, 31, 23, 59, 59});
        TypeRow(w, kEndRow, {2027, 12, 31, 23, 59, 59});
        w.SetText(IDC_NURA_CYCLE_TIME, "3600000");
        // A path of any length scrolls in its field; the test's own is a long one.
        w.SetText(IDC_NURA_FILE_NAME, "prot.txt");
        std::string unfit = wkit::Unfit(wkit::WholeTexts(w.Page()));
        EXPECT_EQ(unfit, "") << "General";
        ASSERT_TRUE(w.SelectPage(1));
        w.SetText(IDC_NURA_COLUMNS, "32767");
        w.SetText(IDC_NURA_SPLIT_LINES, "4000000000");
        unfit = wkit::Unfit(wkit::WholeTexts(w.Page()));
        EXPECT_EQ(unfit, "") << "Format";
        w.PressCancel();
    });
    writer->DoPropertyDialog(FALSE);
}

TEST_F(SheetTest, TheGeneralPageChecksItsFieldsWhenItIsLeft) {
    const std::string rangePrompt = "Enter a whole number from 1000 to 3600000.";
    struct Case {
        const char* what;
        std::string name;
        const char* cycle;
        bool end;
        Time start, stop;
        std::string message;  // "" when the page may be left
        int focus;
    };
    const std::string invalidDate = "The date is invalid";
    const std::string order = "The end time must be greater than the start time";
    const Time jan1 = {2010, 1, 1, 0, 0, 0}, jan2 = {2010, 1, 2, 0, 0, 0};
    const std::string file = folder.File("x.txt");
    const Case cases[] = {
        {"valid", file, "1000", true, jan1, jan2, "", 0},
        {"29.02.2004", file, "1000", true, {2004, 2, 29, 0, 0, 0}, jan2, "", 0},
        {"29.02.2003",
         file,
         "1000",
         true,
         {2003, 2, 29, 0, 0, 0},
         jan2,
         invalidDate,
         IDC_NURA_START_DAY},
        {"31.04.",
         file,
         "1000",
         true,
         {2010, 4, 31, 0, 0, 0},
         jan2,
         invalidDate,
         IDC_NURA_START_DAY},
        {"29.02.2000", file, "1000", true, {2000, 2, 29, 0, 0, 0}, jan2, "", 0},
        {"29.02.2100",
         file,
         "1000",
         true,
         {2100, 2, 29, 0, 0, 0},
         jan2,
         invalidDate,
         IDC_NURA_START_DAY},
        {"end 31.04.",
         file,
         "1000",
         true,
         jan1,
         {2010, 4, 31, 0, 0, 0},
         invalidDate,
         IDC_NURA_END_DAY},
        // The row is not in force, but its date is checked all the same.
        {"end 31.04. unchecked", file, "1000", false, jan1, {2010, 4, 31, 0, 0, 0}, invalidDate, 0},
        {"start = end", file, "1000", true, jan2, jan2, order, IDC_NURA_START_YEAR},
        {"start > end",
         file,
         "1000",
         true,
         {2010, 1, 2, 0, 0, 1},
         jan2,
         order,
         IDC_NURA_START_YEAR},
        {"start > end, end unchecked", file, "1000", false, {2010, 1, 2, 0, 0, 1}, jan2, "", 0},
        {"no name", "", "1000", true, jan1, jan2, "Please enter a file name", IDC_NURA_FILE_NAME},
        {"cycle 999", file, "999", true, jan1, jan2, rangePrompt, IDC_NURA_CYCLE_TIME},
        {"cycle 3600001", file, "3600001", true, jan1, jan2, rangePrompt, IDC_NURA_CYCLE_TIME},
        {"cycle 3600000", file, "3600000", true, jan1, jan2, "", 0},
        {"start 1996",
         file,
         "1000",
         true,
         {1996, 12, 31, 0, 0, 0},
         jan2,
         "Enter a whole number from 1997 to 9999.",
         IDC_NURA_START_YEAR},
    };
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            // The fields the row clicks take over are valid before the rows are clicked.
            w.SetText(IDC_NURA_FILE_NAME, "valid.txt");
            w.SetText(IDC_NURA_CYCLE_TIME, "1000");
            w.Check(IDC_NURA_START);
            w.Check(IDC_NURA_END);
            TypeRow(w, kStartRow, c.start);
            TypeRow(w, kEndRow, c.stop);
            w.Check(IDC_NURA_END, c.end ? BST_CHECKED : BST_UNCHECKED);
            w.SetText(IDC_NURA_FILE_NAME, c.name);
            w.SetText(IDC_NURA_CYCLE_TIME, c.cycle);
            size_t nBoxes = boxes.texts.size();
            bool left = w.SelectPage(1);
            if (c.message.empty()) {
                EXPECT_TRUE(left);
                EXPECT_EQ(boxes.texts.size(), nBoxes);
                w.SelectPage(0);
                continue;
            }
            EXPECT_FALSE(left);
            EXPECT_EQ(w.ActivePage(), 0);
            ASSERT_EQ(boxes.texts.size(), nBoxes + 1);
            EXPECT_EQ(LastBox(), c.message);
            EXPECT_EQ(boxes.types.back() & 0xF, (UINT)MB_OK);
            if (c.focus != 0) {
                EXPECT_EQ(w.FocusId(), c.focus);
            }
        }
        // OK checks the same way before anything is taken over.
        w.SetText(IDC_NURA_FILE_NAME, "");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(LastBox(), "Please enter a file name");
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    EXPECT_EQ(writer->GetFileName(), CString(folder.File("prot.txt").c_str()));
}

// A name the writer could never open is refused on the page, naming it: one longer than the
// writer takes, and a relative one whose file's whole path, from the current folder, is
// longer than the file system allows. OK does not close the sheet, and the writer keeps its
// name.
TEST_F(SheetTest, AFileNameThatCannotBeAFileIsRefusedNamingIt) {
    // Below the folder, a current folder whose path leaves a relative name 100 characters.
    std::string deep = folder.Path();
    while (deep.size() < 180) {
        deep += "\\" + std::string(40, 'd');
        ASSERT_TRUE(::CreateDirectoryA(deep.c_str(), NULL)) << deep;
    }
    // The current folder as it was again, also when an assertion ends the test.
    struct CurrentFolder {
        char before[MAX_PATH] = "";
        CurrentFolder() { ::GetCurrentDirectoryA(sizeof before, before); }
        ~CurrentFolder() { ::SetCurrentDirectoryA(before); }
    } restore;
    ASSERT_TRUE(::SetCurrentDirectoryA(deep.c_str()));

    const std::string stem = folder.Path() + "\\";
    const std::string longest = stem + std::string(115 - stem.size() - 4, 'n') + ".txt";
    const std::string tooLong = stem + std::string(116 - stem.size() - 4, 'n') + ".txt";
    const std::string issue = stem + std::string(330 - stem.size() - 4, 'n') + ".txt";
    const std::string relative = std::string(96, 'r') + ".txt";
    const std::string relativeFile = deep + "\\" + std::string(96, 'r') + "0000.txt";
    struct Case {
        std::string name;
        std::string message;  // "" when the page may be left
    } cases[] = {
        {longest, ""},
        {tooLong,
         "The file name has 116 characters; a log file name may have at most 115:\n" + tooLong},
        {issue,
         "The file name has 330 characters; a log file name may have at most 115:\n" + issue},
        {"short.txt", ""},
        {relative, "The file name " + relative + " gives a log file whose path has " +
                       std::to_string(relativeFile.size()) +
                       " characters, more than the 259 the file system allows:\n" + relativeFile},
    };
    ASSERT_GT(relativeFile.size(), 259u);
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name.size());
            w.SetText(IDC_NURA_FILE_NAME, c.name);
            const size_t nBoxes = boxes.texts.size();
            const bool left = w.SelectPage(1);
            EXPECT_EQ(left, c.message.empty());
            if (left) {
                w.SelectPage(0);
                continue;
            }
            ASSERT_EQ(boxes.texts.size(), nBoxes + 1);
            EXPECT_EQ(LastBox(), c.message);
            EXPECT_EQ(w.FocusId(), IDC_NURA_FILE_NAME);
        }
        w.SetText(IDC_NURA_FILE_NAME, issue);
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        w.PressOK();
        EXPECT_TRUE(w.IsOpen()) << "a second OK takes the refused name no more than the first";
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    EXPECT_EQ(writer->GetFileName(), CString(folder.File("prot.txt").c_str()));
}

TEST_F(SheetTest, TheFormatPageOffersWhatTheDialogOptionsAllow) {
    const int columnControls[] = {IDC_NURA_COLUMNS_LABEL, IDC_NURA_COLUMNS};
    const int modeControls[] = {IDC_NURA_MODE_GROUP, IDC_NURA_FILE_SPLITTING,
                                IDC_NURA_SPLIT_LINES_LABEL, IDC_NURA_SPLIT_LINES};
    const int ringBuffer[] = {IDC_NURA_RING_BUFFER, IDC_NURA_RING_BUFFER_LINES,
                              IDC_NURA_RING_BUFFER_LINES_LABEL};
    auto enabled = [](wkit::Window& w, int nID) { return ::IsWindowEnabled(w.Control(nID)) != 0; };
    for (unsigned long options : {0ul, 1ul, 2ul, 3ul, 0xFFFFFFFFul}) {
        SCOPED_TRACE(options);
        writer->SetDialogOptions(options);
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_NURA_FORMAT), [&](wkit::Window& w) {
            ASSERT_TRUE(w.SelectPage(1));
            for (int nID : columnControls) EXPECT_EQ(enabled(w, nID), (options & 1) != 0) << nID;
            for (int nID : modeControls) EXPECT_EQ(enabled(w, nID), (options & 2) != 0) << nID;
            for (int nID : ringBuffer) EXPECT_FALSE(enabled(w, nID)) << nID;
            w.PressCancel();
        });
        EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    }
}

TEST_F(SheetTest, ASeparatorOutsideTheListKeepsTheWriters) {
    writer->SetSeparator("@");
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_FORMAT), [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_EQ(w.SelectionIndex(IDC_NURA_SEPARATOR), -1) << "the list cannot show it";
        w.SetText(IDC_NURA_COLUMNS, "2");
        w.PressOK();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDOK);
    EXPECT_EQ(writer->GetSeparator(), "@");
    EXPECT_EQ(writer->GetNumColumns(), 2);
    std::string saved;
    EXPECT_TRUE(registry.GetString(kKey, "Separator", saved));
    EXPECT_EQ(saved, "@");
}

TEST_F(SheetTest, AnAdditionalValueEnablesApplyAndApplyTakesItOver) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_FORMAT), [&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        ASSERT_TRUE(w.IsVisible(ID_APPLY_NOW));
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "showing the page changes nothing";
        w.Check(IDC_NURA_LOG_TEMPERATURE);
        EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW));
        w.PressApply();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));
        EXPECT_TRUE(writer->LogTemperature());
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(TRUE), IDCANCEL);
    EXPECT_TRUE(writer->LogTemperature()) << "applied before Cancel";
}

TEST_F(SheetTest, TheUserFlagsBoxIsShownOnlyWithAName) {
    writer->SetUserFlagName(0, "Start protocol");
    writer->SetUserFlag(0, FALSE);
    writer->SetUserFlag(1, TRUE);  // no name: no box, and the flag stays
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        EXPECT_TRUE(w.IsVisible(IDC_NURA_USER_FLAG));
        w.Check(IDC_NURA_USER_FLAG);
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_FALSE(w.IsVisible(IDC_NURA_USER_FLAG));
        w.PressOK();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDOK);
    EXPECT_TRUE(writer->GetUserFlag(0));
    EXPECT_TRUE(writer->GetUserFlag(1));
}

TEST_F(SheetTest, ASheetWithoutPagesSaysSoAndDoesNotOpen) {
    CnuraProtocolSheet sheet("Protocol Settings");
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_FALSE(sheet.Create());
    EXPECT_EQ(boxes.texts,
              std::vector<std::string>(2, "The property sheet does not contain any pages"));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(SheetTest, APageMadeWithoutATemplateIsTheLibrarysEmptyOne) {
    CStandardPage page;
    CnuraProtocolSheet sheet(2u);  // the caller's caption, from the program's strings
    sheet.AddPage(&page);
    wkit::Driver driver;
    driver.OnOpen(wkit::Class(RUNTIME_CLASS(CnuraProtocolSheet)), [&](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "program string 2");
        EXPECT_EQ(WindowText(w.Page()), "Property Page");
        w.PressHelp();
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].dwData, (DWORD_PTR)(0x20000 + IDD_NURA_PROPERTY_PAGE));
}

TEST_F(SheetTest, OverwriteIsAskedWhenTheFirstFileOfANewNameExists) {
    WriteBytes(folder.File("old0000.txt"), "old");
    const std::string question = "The file already exists. Overwrite it?";
    boxes.answers = {IDNO, IDYES};
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        w.SetText(IDC_NURA_FILE_NAME, folder.File("old.txt"));
        w.PressOK();
        EXPECT_TRUE(w.IsOpen()) << "No keeps the sheet open";
        EXPECT_EQ(boxes.texts, std::vector<std::string>{question});
        EXPECT_EQ(boxes.types.back() & 0xF, (UINT)MB_YESNO);
        EXPECT_EQ(writer->GetFileName(), CString(folder.File("prot.txt").c_str()));
        w.PressOK();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDOK);
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(writer->GetFileName(), CString(folder.File("old.txt").c_str()));
    EXPECT_EQ(ReadBytes(folder.File("old0000.txt")), "old") << "replaced only when logged";

    // The name in force is not asked for again.
    wkit::Driver again;
    again.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) { w.PressOK(); });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDOK);
    EXPECT_EQ(boxes.texts.size(), 2u);
}

TEST_F(SheetTest, HelpForControlsPagesAndTheSheet) {
    CCallerPage callersPage;
    writer->AddPropertyPage(&callersPage);
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        w.HelpOn(IDC_NURA_FILE_NAME);
        w.HelpOn(AFX_IDC_TAB_CONTROL);  // the tab control has no pop-up
        w.PressHelp();
        ASSERT_TRUE(w.SelectPage(1));
        w.HelpOn(IDC_NURA_SEPARATOR);
        w.PressHelp();
        ::SendMessageA(w.Handle(), WM_COMMAND, ID_HELP, 0);  // the sheet's own help
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    const std::vector<std::pair<UINT, DWORD_PTR>> expected = {
        {HELP_CONTEXTPOPUP, 0x50000 + IDC_NURA_FILE_NAME},
        {HELP_CONTEXT, 0x200E6},
        {HELP_CONTEXTPOPUP, 0x50000 + IDC_NURA_SEPARATOR},
        {HELP_CONTEXT, 0x200E7},
        {HELP_CONTENTS, 0}};
    std::vector<std::pair<UINT, DWORD_PTR>> calls;
    for (const wkit::HelpCall& call : help.calls) calls.emplace_back(call.nCmd, call.dwData);
    EXPECT_EQ(calls, expected);
}

TEST_F(SheetTest, CancelKeepsWhatWasTakenWhenAPageWasLeft) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        w.SetText(IDC_NURA_CYCLE_TIME, "7000");
        ASSERT_TRUE(w.SelectPage(1));
        ASSERT_TRUE(w.SelectPage(0));
        w.SetText(IDC_NURA_CYCLE_TIME, "8000");  // not taken: the page is not left
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    EXPECT_EQ(writer->GetCycleTime(), 1000u);
    DWORD cycle;
    EXPECT_FALSE(registry.GetNumber(kKey, "Cycle Time", cycle));

    wkit::Driver again;
    again.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        EXPECT_EQ(w.Text(IDC_NURA_CYCLE_TIME), "7000");
        w.PressCancel();
    });
    EXPECT_EQ(writer->DoPropertyDialog(FALSE), IDCANCEL);
    EXPECT_EQ(writer->GetCycleTime(), 1000u);
}

TEST_F(SheetTest, WhatWasTypedJustBeforeOKOrApplyIsTakenOver) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_NURA_GENERAL), [&](wkit::Window& w) {
        // Refused by the page's checks: the writer takes nothing.
        w.SetText(IDC_NURA_CYCLE_TIME, "999");
        w.PressApply();
        EXPECT_EQ(LastBox(), "Enter a whole number from 1000 to 3600000.");
        EXPECT_EQ(writer->GetCycleTime(), 1000u);
        DWORD cycle;
        EXPECT_FALSE(registry.GetNumber(kKey, "Cycle Time", cycle)) << "nothing saved";

        w.SetText(IDC_NURA_CYCLE_TIME, "5000");
        w.PressApply();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(writer->GetCycleTime(), 5000u);
        EXPECT_TRUE(registry.GetNumber(kKey, "Cycle Time", cycle));
        EXPECT_EQ(cycle, 5000u);

        w.SetText(IDC_NURA_FILE_NAME, folder.File("typed.txt"));
        w.PressOK();
    });
    EXPECT_EQ(writer->DoPropertyDialog(TRUE), IDOK);
    EXPECT_EQ(writer->GetFileName(), CString(folder.File("typed.txt").c_str()));
    EXPECT_EQ(boxes.texts.size(), 1u);
}

}  // namespace
