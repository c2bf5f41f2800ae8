// The writer's settings: registry, the values of the built-in pages and taking them over,
// the page list and user flags, the time window, and the library's own texts.
#include "test_support.h"

namespace {

const char kKey[] = "Software\\Talvern\\Korvan GA\\nura Protocol";

// The settings of a writer after SetRegistryKey.
struct Loaded {
    std::string fileName, separator;
    int mode;
    unsigned long lines;
    int columns;
    unsigned long cycle;
};

Loaded Load(CnuraProtocol& w) {
    w.SetRegistryKey(HKEY_CURRENT_USER, "Talvern\\Korvan GA");
    Loaded l;
    l.fileName = (LPCSTR)w.GetFileName();
    l.separator = (LPCSTR)w.GetSeparator();
    w.GetProtocolMode(l.mode, l.lines);
    l.columns = w.GetNumColumns();
    l.cycle = w.GetCycleTime();
    return l;
}

TEST_F(WriterTest, DefaultsWhenNothingIsStored) {
    Loaded l = Load(*writer);
    EXPECT_EQ(l.fileName, "prot.txt");
    EXPECT_EQ(l.mode, 1);
    EXPECT_EQ(l.lines, 100u);
    EXPECT_EQ(l.columns, 1);
    EXPECT_EQ(l.cycle, 1000u);
    EXPECT_EQ(l.separator, ";") << "no separator stored: the one set before stays";
    EXPECT_EQ(writer->GetTimeFormat(), "%H:%M:%S");
    EXPECT_EQ(writer->GetDateFormat(), "%d.%m.%Y");
    EXPECT_EQ(writer->GetDialogOptions(), 0xFFFFFFFFu);
    BOOL enabled = TRUE;
    CTime t;
    writer->GetBeginTime(enabled, t);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(t, StartTime());
    writer->GetEndTime(enabled, t);
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(writer->LogTemperature() || writer->LogPressure() || writer->LogEP() ||
                 writer->LogEP90());
    // The key is made when it is missing, also for reading.
    DWORD dummy;
    EXPECT_FALSE(registry.GetNumber(kKey, "Cycle Time", dummy));
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST_F(WriterTest, StoredValuesAreLoadedAndBroughtIntoTheirRanges) {
    registry.SetString(kKey, "Filename", "C:\\data\\log.csv");
    registry.SetString(kKey, "Separator", "|");
    registry.SetNumber(kKey, "Log Mode", 0);
    registry.SetNumber(kKey, "Columns", 12);
    registry.SetNumber(kKey, "Split Line Count", 500);
    registry.SetNumber(kKey, "Ring Buffer Line Count", 250);
    registry.SetNumber(kKey, "Cycle Time", 5000);
    Loaded l = Load(*writer);
    EXPECT_EQ(l.fileName, "C:\\data\\log.csv");
    EXPECT_EQ(l.separator, "|");
    EXPECT_EQ(l.mode, 0);
    EXPECT_EQ(l.lines, 250u) << "the ring buffer count is the limit of mode 0";
    EXPECT_EQ(l.columns, 12);
    EXPECT_EQ(l.cycle, 5000u);

    struct Case {
        const char* value;
        DWORD stored;
        unsigned long (*read)(const Loaded&);
        unsigned long expected;
    };
    auto cycle = [](const Loaded& l) { return l.cycle; };
    auto columns = [](const Loaded& l) { return (unsigned long)l.columns; };
    auto lines = [](const Loaded& l) { return l.lines; };
    auto mode = [](const Loaded& l) { return (unsigned long)l.mode; };
    const Case cases[] = {
        {"Cycle Time", 0, cycle, 1000},
        {"Cycle Time", 999, cycle, 1000},
        {"Cycle Time", 3600000, cycle, 3600000},
        {"Cycle Time", 3600001, cycle, 3600000},
        {"Columns", 0, columns, 0},
        {"Columns", 0xFFFFFFFF, columns, 0},
        {"Columns", 32768, columns, 32767},
        {"Split Line Count", 4000000001u, lines, 4000000000u},
        {"Split Line Count", 0, lines, 0},
        {"Log Mode", 2, mode, 1},
        {"Log Mode", 0xFFFFFFFF, mode, 1},
    };
    for (const Case& c : cases) {
        registry.SetNumber(kKey, "Log Mode", 1);
        registry.SetNumber(kKey, c.value, c.stored);
        EXPECT_EQ(c.read(Load(*writer)), c.expected) << c.value << " " << c.stored;
    }
}

TEST_F(WriterTest, UnreadableValuesTakeTheirDefaults) {
    registry.SetString(kKey, "Cycle Time", "5000");
    registry.SetString(kKey, "Filename", std::string(300, 'f'));
    registry.SetString(kKey, "Separator", "");
    registry.SetNumber(kKey, "Log Mode", 1);
    registry.SetNumber(kKey, "Separator", 7);
    Loaded l = Load(*writer);
    EXPECT_EQ(l.cycle, 1000u);
    EXPECT_EQ(l.fileName, "prot.txt") << "longer than 256 bytes";
    EXPECT_EQ(l.separator, ";");
    registry.SetString(kKey, "Filename", "");
    EXPECT_EQ(Load(*writer).fileName, "prot.txt");
    registry.SetString(kKey, "Filename", std::string(255, 'f'));
    EXPECT_EQ(Load(*writer).fileName, std::string(255, 'f')) << "255 characters fit";
}

TEST_F(WriterTest, RegionalListSeparatorIsTheStartingSeparator) {
    registry.SetString("Control Panel\\International", "sList", "|");
    CnuraProtocol fresh;
    EXPECT_EQ(fresh.GetSeparator(), "|");
    EXPECT_EQ(CnuraProtocolProbe::Format(fresh)->m_strDefaultSeparator, " |");

    // Not exactly one character: the user's profile, else ";".
    registry.SetString("Control Panel\\International", "sList", "ab");
    char profile[64];
    GetProfileStringA("Intl", "sList", ";", profile, sizeof profile);
    CnuraProtocol other;
    EXPECT_EQ(other.GetSeparator(), profile[0] != '\0' ? profile : ";");
}

// ---- the values of the built-in pages -----------------------------------------------------

TEST_F(WriterTest, SettingsAreMirroredIntoThePages) {
    CGeneralPage& general = *CnuraProtocolProbe::General(*writer);
    CFormatPage& format = *CnuraProtocolProbe::Format(*writer);
    EXPECT_EQ(general.m_nTemplateId, 230u);
    EXPECT_EQ(format.m_nTemplateId, 231u);

    writer->SetFileName("x.log");
    writer->SetCycleTime(2500);
    writer->SetBeginTime(TRUE, CTime(2024, 7, 1, 6, 30, 15));
    writer->SetEndTime(FALSE, CTime(2025, 1, 2, 23, 59, 58));
    writer->SetNumColumns(4);
    writer->SetSeparator("#");
    writer->SetProtocolMode(0, 70);
    EXPECT_EQ(general.m_strFileName, "x.log");
    EXPECT_EQ(general.m_nCycleTime, 2500u);
    EXPECT_TRUE(general.m_bStart);
    EXPECT_EQ(general.m_nStartYear * 10000 + general.m_nStartMonth * 100 + general.m_nStartDay,
              20240701);
    EXPECT_EQ(general.m_nStartHour * 10000 + general.m_nStartMinute * 100 + general.m_nStartSecond,
              63015);
    EXPECT_FALSE(general.m_bEnd);
    EXPECT_EQ(general.m_nEndYear * 10000 + general.m_nEndMonth * 100 + general.m_nEndDay, 20250102);
    EXPECT_EQ(general.m_nEndHour * 10000 + general.m_nEndMinute * 100 + general.m_nEndSecond,
              235958);
    EXPECT_EQ(format.m_nColumns, 4);
    EXPECT_EQ(format.m_strSeparator, "#");
    EXPECT_EQ(format.m_nMode, 0);
    EXPECT_EQ(format.m_nRingBufferLines, 70u);
    EXPECT_EQ(format.m_nSplitLines, 100u) << "the other mode's count is shown too";

    // Refused values change nothing.
    writer->SetNumColumns(-1);
    writer->SetProtocolMode(2, 50);
    int mode;
    unsigned long lines;
    writer->GetProtocolMode(mode, lines);
    EXPECT_EQ(writer->GetNumColumns(), 4);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(lines, 70u);
    EXPECT_EQ(format.m_nMode, 0);
}

// What the user would enter on the pages: a new file, window, cycle and format.
void EnterOnPages(CnuraProtocol& w, const std::string& fileName) {
    CGeneralPage& g = *CnuraProtocolProbe::General(w);
    g.m_strFileName = fileName.c_str();
    g.m_nCycleTime = 60000;
    g.m_bStart = TRUE;
    g.m_nStartYear = 2004, g.m_nStartMonth = 2, g.m_nStartDay = 29;
    g.m_nStartHour = 8, g.m_nStartMinute = 0, g.m_nStartSecond = 0;
    g.m_bEnd = TRUE;
    g.m_nEndYear = 2004, g.m_nEndMonth = 3, g.m_nEndDay = 1;
    g.m_nEndHour = 17, g.m_nEndMinute = 30, g.m_nEndSecond = 59;
    CFormatPage& f = *CnuraProtocolProbe::Format(w);
    f.m_nColumns = 0;
    f.m_nMode = 1;
    f.m_nSplitLines = 1440;
    f.m_strSeparator = ",";
}

int AnswerNo(LPCSTR text, UINT type, UINT, void* seen) {
    static_cast<std::vector<std::string>*>(seen)->push_back(std::string(text) + "|" +
                                                            std::to_string(type));
    return IDNO;
}
int AnswerYes(LPCSTR text, UINT type, UINT, void* seen) {
    AnswerNo(text, type, 0, seen);
    return IDYES;
}

TEST_F(WriterTest, PageValuesAreTakenOverAndSaved) {
    registry.SetNumber(kKey, "Ring Buffer Line Count", 250);
    writer->SetRegistryKey(HKEY_CURRENT_USER, "Talvern\\Korvan GA");
    std::vector<std::string> prompts;
    AfxSetMessageBoxHook(AnswerNo, &prompts);
    EnterOnPages(*writer, folder.File("new.txt"));
    EXPECT_TRUE(writer->ApplyDialogValues());
    AfxSetMessageBoxHook(NULL, NULL);
    EXPECT_TRUE(prompts.empty()) << "no file of that name: no question";

    EXPECT_EQ(writer->GetFileName(), CString(folder.File("new.txt").c_str()));
    EXPECT_EQ(writer->GetCycleTime(), 60000u);
    BOOL enabled = FALSE;
    CTime t;
    writer->GetBeginTime(enabled, t);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(t, CTime(2004, 2, 29, 8, 0, 0));
    writer->GetEndTime(enabled, t);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(t, CTime(2004, 3, 1, 17, 30, 59));
    int mode;
    unsigned long lines;
    writer->GetProtocolMode(mode, lines);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(lines, 1440u);
    EXPECT_EQ(writer->GetNumColumns(), 0);
    EXPECT_EQ(writer->GetSeparator(), ",");

    std::string text;
    DWORD n = 0;
    EXPECT_TRUE(registry.GetString(kKey, "Filename", text));
    EXPECT_EQ(text, folder.File("new.txt"));
    EXPECT_TRUE(registry.GetString(kKey, "Separator", text));
    EXPECT_EQ(text, ",");
    const std::pair<const char*, DWORD> numbers[] = {{"Log Mode", 1},
                                                     {"Columns", 0},
                                                     {"Split Line Count", 1440},
                                                     {"Ring Buffer Line Count", 250},
                                                     {"Cycle Time", 60000}};
    for (const auto& v : numbers) {
        EXPECT_TRUE(registry.GetNumber(kKey, v.first, n)) << v.first;
        EXPECT_EQ(n, v.second) << v.first;
    }
}

TEST_F(WriterTest, EmptySeparatorAndNoModeChoiceOnTheFormatPage) {
    CFormatPage& f = *CnuraProtocolProbe::Format(*writer);
    f.m_strSeparator.Empty();  // a separator that the page's list cannot show
    f.m_nMode = -1;
    f.m_nSplitLines = 30;
    EXPECT_TRUE(writer->ApplyDialogValues());
    EXPECT_EQ(writer->GetSeparator(), ";");
    EXPECT_EQ(f.m_strSeparator, ";");
    int mode;
    unsigned long lines;
    writer->GetProtocolMode(mode, lines);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(lines, 30u);
}

TEST_F(WriterTest, OverwriteIsAskedOnlyForTheFirstFileOfANewName) {
    writer->SetRegistryKey(HKEY_CURRENT_USER, "Talvern\\Korvan GA");
    WriteBytes(folder.File("old0000.txt"), "old");
    WriteBytes(folder.File("later0001.txt"), "later");
    WriteBytes(folder.File("run0.csv"), "run");
    std::vector<std::string> prompts;
    const std::string question =
        "The file already exists. Overwrite it?|" + std::to_string(MB_YESNO);

    // No: nothing is taken over, nothing saved.
    AfxSetMessageBoxHook(AnswerNo, &prompts);
    EnterOnPages(*writer, folder.File("old.txt"));
    EXPECT_FALSE(writer->ApplyDialogValues());
    EXPECT_EQ(prompts, std::vector<std::string>{question});
    EXPECT_EQ(writer->GetFileName(), "prot.txt");
    EXPECT_EQ(writer->GetCycleTime(), 1000u);
    DWORD n;
    EXPECT_FALSE(registry.GetNumber(kKey, "Cycle Time", n));
    EXPECT_EQ(ReadBytes(folder.File("old0000.txt")), "old");

    // Only counter 0 of a new name counts; the name in force is not asked for again.
    prompts.clear();
    EnterOnPages(*writer, folder.File("later.txt"));
    EXPECT_TRUE(writer->ApplyDialogValues());
    EXPECT_TRUE(writer->ApplyDialogValues());
    EXPECT_TRUE(prompts.empty());

    // A counter pattern is asked for by its file of counter 0; Yes takes it over.
    AfxSetMessageBoxHook(AnswerYes, &prompts);
    EnterOnPages(*writer, folder.File("run%lu.csv"));
    EXPECT_TRUE(writer->ApplyDialogValues());
    AfxSetMessageBoxHook(NULL, NULL);
    EXPECT_EQ(prompts, std::vector<std::string>{question});
    EXPECT_EQ(writer->GetFileName(), CString(folder.File("run%lu.csv").c_str()));
    EXPECT_EQ(ReadBytes(folder.File("run0.csv")), "run") << "replaced only when logged";
}

TEST_F(WriterTest, TheLibrarysOwnTextsWhateverTheProgramHolds) {
    // The test program's string table holds ids 1 to 7 with texts of its own.
    CString shadow;
    ASSERT_TRUE(shadow.LoadString(2));
    ASSERT_EQ(shadow, "program string 2");
    EXPECT_EQ(CnuraProtocolProbe::DialogTitle(*writer), "Protocol Settings");
    WriteBytes(folder.File("old0000.txt"), "old");
    std::vector<std::string> prompts;
    AfxSetMessageBoxHook(AnswerNo, &prompts);
    EnterOnPages(*writer, folder.File("old.txt"));
    writer->ApplyDialogValues();
    AfxSetMessageBoxHook(NULL, NULL);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].substr(0, prompts[0].find('|')), "The file already exists. Overwrite it?");
    writer->SetDialogTitle("Log");
    EXPECT_EQ(CnuraProtocolProbe::DialogTitle(*writer), "Log");
}

// ---- pages and user flags -----------------------------------------------------------------

TEST_F(WriterTest, PageListAndUserFlags) {
    EXPECT_TRUE(writer->IsPropertyPageUsed(0));
    EXPECT_FALSE(writer->IsPropertyPageUsed(1));
    EXPECT_FALSE(writer->IsPropertyPageUsed(2));
    EXPECT_FALSE(writer->IsPropertyPageUsed(-1));

    CPropertyPage callersPage(145);  // the writer keeps the caller's page
    int index = writer->AddPropertyPage(&callersPage);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(writer->IsPropertyPageUsed(2));
    writer->UsePropertyPage(2, FALSE);
    EXPECT_FALSE(writer->IsPropertyPageUsed(2));
    writer->UsePropertyPage(0, FALSE);
    EXPECT_TRUE(writer->IsPropertyPageUsed(0)) << "page 0 is always shown";
    writer->UsePropertyPage(1, TRUE);
    EXPECT_TRUE(writer->IsPropertyPageUsed(1));

    writer->SetUserFlagName(0, "Start protocol");
    writer->SetUserFlag(0, TRUE);
    writer->SetUserFlagName(1, "Format flag");
    CString name = "unchanged";
    writer->GetUserFlagName(0, name);
    EXPECT_EQ(name, "Start protocol");
    EXPECT_TRUE(writer->GetUserFlag(0));
    EXPECT_FALSE(writer->GetUserFlag(1));
    EXPECT_EQ(CnuraProtocolProbe::General(*writer)->m_strUserFlagName, "Start protocol");
    EXPECT_EQ(CnuraProtocolProbe::Format(*writer)->m_strUserFlagName, "Format flag");

    // The caller's page and indexes outside the list have no user flag.
    for (int i : {2, 3, -1}) {
        writer->SetUserFlag(i, TRUE);
        writer->SetUserFlagName(i, "x");
        EXPECT_FALSE(writer->GetUserFlag(i));
        name = "unchanged";
        writer->GetUserFlagName(i, name);
        EXPECT_EQ(name, "unchanged");
    }

    CFormatPage& f = *CnuraProtocolProbe::Format(*writer);
    f.m_bLogTemperature = TRUE;
    f.m_bLogEP90 = TRUE;
    EXPECT_TRUE(writer->LogTemperature());
    EXPECT_FALSE(writer->LogPressure());
    EXPECT_FALSE(writer->LogEP());
    EXPECT_TRUE(writer->LogEP90());
}

// ---- the time window ----------------------------------------------------------------------

TEST_F(WriterTest, TimeWindowAtItsOneSecondEdges) {
    const CTime now = StartTime();
    struct Case {
        BOOL begin;
        int beginOffset;
        BOOL end;
        int endOffset;
        BOOL started, over, open;
    };
    const Case cases[] = {
        {FALSE, 0, FALSE, 0, TRUE, FALSE, TRUE},
        {TRUE, 0, FALSE, 0, TRUE, FALSE, TRUE},    // at the begin time it has started
        {TRUE, 1, FALSE, 0, FALSE, FALSE, FALSE},  // one second before it
        {FALSE, 1, TRUE, 0, TRUE, FALSE, TRUE},    // at the end time it is not over yet
        {FALSE, 0, TRUE, -1, TRUE, TRUE, FALSE},   // one second after it
        {TRUE, 1, TRUE, -1, FALSE, TRUE, FALSE},
        {FALSE, 1, FALSE, -1, TRUE, FALSE, TRUE},  // bounds not in force
    };
    for (const Case& c : cases) {
        writer->SetBeginTime(c.begin, now + CTimeSpan(c.beginOffset));
        writer->SetEndTime(c.end, now + CTimeSpan(c.endOffset));
        EXPECT_EQ(writer->TimeWindowHasStarted(), c.started) << c.beginOffset << c.endOffset;
        EXPECT_EQ(writer->TimeWindowOver(), c.over) << c.beginOffset << c.endOffset;
        EXPECT_EQ(writer->TimeWindowOpen(), c.open) << c.beginOffset << c.endOffset;
    }
}

TEST_F(WriterTest, TimeWindowUsesTheWritersTimesNotThePagesUntilTakenOver) {
    writer->SetEndTime(TRUE, StartTime() + CTimeSpan(60));
    writer->SetBeginTime(TRUE, StartTime() - CTimeSpan(60));
    // Typed on the page but not confirmed: a window that is over and has not started.
    CGeneralPage& g = *CnuraProtocolProbe::General(*writer);
    g.m_nEndYear = 2000;
    g.m_nStartYear = 2010;
    EXPECT_FALSE(writer->TimeWindowOver());
    EXPECT_TRUE(writer->TimeWindowHasStarted());
    EXPECT_TRUE(writer->TimeWindowOpen());
}

TEST_F(WriterTest, WritesOutsideTheWindow) {
    writer->SetBeginTime(TRUE, StartTime() + CTimeSpan(2));
    writer->Start();
    EXPECT_EQ(writer->WriteData("early"), (unsigned long)ERROR_INVALID_TIME);
    EXPECT_EQ(writer->WriteLine("early"), (unsigned long)ERROR_INVALID_TIME);
    EXPECT_TRUE(folder.Names().empty()) << "no file before the window opens";

    testclock::Advance(2);
    writer->SetEndTime(TRUE, StartTime() + CTimeSpan(4));
    ASSERT_EQ(writer->WriteData("a"), 0u);
    testclock::Advance(2);
    ASSERT_EQ(writer->WriteData("b"), 0u) << "at the end time itself";
    testclock::Advance(1);
    EXPECT_EQ(writer->WriteData("late"), (unsigned long)ERROR_INVALID_TIME);
    EXPECT_EQ(ReadBytes(Log(0)), "24.12.2003; 13:05:11\na\nb\n24.12.2003; 13:05:14\n");
    EXPECT_EQ(writer->WriteData("late"), (unsigned long)ERROR_INVALID_TIME);

    // The window open again: that file was opened once already.
    writer->SetEndTime(FALSE, StartTime());
    EXPECT_EQ(writer->WriteData("again"), (unsigned long)ERROR_OPEN_FAILED);
    writer->Stop();
    writer->Start();
    EXPECT_EQ(writer->WriteData("again"), 0u);
}

TEST_F(WriterTest, FarFutureTimesStayInOrder) {
    // The page allows years up to 9999; the runtime's conversions end with 3000.
    CGeneralPage& g = *CnuraProtocolProbe::General(*writer);
    struct Time {
        int y, mo, d, h, mi, s;
    };
    const Time times[] = {{2999, 12, 31, 23, 59, 59}, {3000, 12, 31, 23, 59, 59},
                          {3001, 1, 1, 0, 0, 0},      {3001, 1, 1, 0, 0, 1},
                          {4000, 2, 29, 12, 0, 0},    {9999, 12, 31, 23, 59, 59}};
    time_t previous = StartTime().GetTime();
    for (const Time& t : times) {
        g.m_bEnd = TRUE;
        g.m_nEndYear = t.y, g.m_nEndMonth = t.mo, g.m_nEndDay = t.d;
        g.m_nEndHour = t.h, g.m_nEndMinute = t.mi, g.m_nEndSecond = t.s;
        ASSERT_TRUE(writer->ApplyDialogValues());
        BOOL enabled;
        CTime end;
        writer->GetEndTime(enabled, end);
        EXPECT_GT(end.GetTime(), previous) << t.y;
        if (t.y == 3001 && t.s == 0) {
            EXPECT_EQ(end.GetTime(), previous + 1) << "one second on";
        }
        previous = end.GetTime();
        // Shown again as entered.
        EXPECT_EQ(g.m_nEndYear * 10000 + g.m_nEndMonth * 100 + g.m_nEndDay,
                  t.y * 10000 + t.mo * 100 + t.d);
        EXPECT_EQ(g.m_nEndHour * 10000 + g.m_nEndMinute * 100 + g.m_nEndSecond,
                  t.h * 10000 + t.mi * 100 + t.s);
        EXPECT_FALSE(writer->TimeWindowOver());
    }
    writer->Start();
    EXPECT_EQ(writer->WriteData("logged"), 0u);
}

TEST(Library, ExportsItsStartUpFunction) {
    HMODULE library = GetModuleHandleA("NURAPROTOCOL.dll");
    ASSERT_NE(library, (HMODULE)NULL);
    EXPECT_NE(GetProcAddress(library, "InitCurveDLL"), (FARPROC)NULL);
    InitCurveDLL();
}

}  // namespace
