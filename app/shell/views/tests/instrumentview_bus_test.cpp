// The instrument view in the program's main frame, made and shown as the application does
// it, with the document's network of one converter on COM1, the simulator's line: entering
// instrument mode fills the tree-list from the Parvel 6 of device 2, the refresh timing, a
// change of selection during a refresh, compare and transfer of an offline parameter set
// with each row's colour after it, the refused sets, the enabling table of the menu, and the
// firmware naming rule.
#include "document_bus_fixture.h"

#include "apphost.h"
#include "appmessages.h"
#include "appwait.h"
#include "commvask_seams.h"
#include "instrumentview.h"
#include "parvel.h"
#include "record_bytes.h"
#include "recording_host.h"
#include "windowwork.h"

#include <atomic>
#include <thread>

#include <map>

namespace frametest {
namespace {

const int kParvel6 = 2;

class InstrumentViewBus : public DocumentBus {
protected:
    void SetUp() override {
        DocumentBus::SetUp();
        if (HasFatalFailure()) return;
        // The process's COM security as the program's start-up sets it: the update thread
        // then starts no gateway client of its own.
        CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_NONE, RPC_C_IMP_LEVEL_IDENTIFY,
                             NULL, EOAC_NONE, NULL);
        SetTransferWaitDivisor(50);
        SetProgramWaitDivisor(50);
        ASSERT_TRUE(app_->CreateInstrumentView());
        view_ = app_->GetInstrumentView();
        ASSERT_NE(view_, nullptr);
        frame_->SetAccessLevel(2);
        ASSERT_TRUE(doc_->InitTheInstruments());
        for (CVaskInstrument* analyzer : Analyzers())
            if (analyzer->GetModelKind() == kParvel6) parvel_ = analyzer;
        ASSERT_NE(parvel_, nullptr);
        for (CVaskInstrument* analyzer : Analyzers())
            if (analyzer != parvel_) sindor_ = analyzer;
        ASSERT_NE(sindor_, nullptr);
    }
    void TearDown() override {
        if (view_ != nullptr && IsWindow(hFrame_)) {
            view_->WaitForUpdateThread();
            if (frame_->IsInstrumentMode()) Command(ID_RETURN_TO_MAIN_MENU);
        }
        SetTransferWaitDivisor(1);
        SetProgramWaitDivisor(1);
        DocumentBus::TearDown();
    }

    // The analyzer selected and instrument mode entered, as the user does it.
    void EnterInstrumentMode(CVaskInstrument* analyzer) {
        doc_->SelectNode(analyzer);
        Command(ID_EDIT_INSTRUMENT_DATA);
        ASSERT_TRUE(frame_->IsInstrumentMode());
        ASSERT_TRUE(view_->IsWindowVisible());
    }
    // Until the update thread has ended. Its reads go over the simulated bus as fast as the
    // machine lets them: an analyzer's first whole table (100 to 250 telegrams) took 15 to
    // 58 s with the seven groups of these tests side by side under a load of 17 to 30 on 8
    // cores, and above 90 s under a load of 40. So the wait does not end at a time but when
    // the bus stands still: the thread still busy, and no telegram reached the simulator for
    // kBusStillMs. Under that load a read's telegrams came at most 5 s apart, and the thread
    // was busy without the bus (the rows of an offline analyzer) for up to 12 s.
    bool Idle() {
        uint64_t telegrams = TelegramCount();
        ULONGLONG moved = GetTickCount64();
        for (;;) {
            if (wkit::Driver::PumpUntil([&] { return !view_->m_bBusy; }, 1000)) return true;
            const uint64_t now = TelegramCount();
            if (now != telegrams) {
                telegrams = now;
                moved = GetTickCount64();
            } else if (GetTickCount64() - moved >= kBusStillMs) {
                ADD_FAILURE() << "the update thread is still busy, and no telegram went over the "
                                 "bus for "
                              << kBusStillMs / 1000 << " s (" << telegrams << " in all)";
                return false;
            }
        }
    }
    // The telegrams the simulator has received since it started.
    uint64_t TelegramCount() {
        std::string message;
        return sim_.Command("LOGCOUNT", nullptr, &message) ? strtoull(message.c_str(), NULL, 10)
                                                           : 0;
    }
    static constexpr ULONGLONG kBusStillMs = 60000;
    // Instrument mode for the Parvel, its set saved to `path` and compared with it.
    void CompareWithItsOwnSet(const std::string& path) {
        EnterInstrumentMode(parvel_);
        ASSERT_TRUE(Idle());
        ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
        wkit::Driver driver;
        driver.NameFile(path);
        Command(ID_COMPARE_OFFLINE);
    }
    // "Compare with Offline Parameter..." with the set of `path`, until its rows are read.
    void CompareWith(const std::string& path) {
        {
            wkit::Driver driver;
            driver.Exempt(view_->GetMessageDialog().m_hWnd);
            driver.NameFile(path);
            Command(ID_COMPARE_OFFLINE);
        }
        ASSERT_TRUE(Idle());
    }
    // A refresh of the rows that late answers of the analyzer's device (the next `count`
    // telegrams, each `ms` late) keep running.
    void StartSlowRefresh(CVaskInstrument* analyzer, int count, int ms) {
        ASSERT_TRUE(Sim("FAULT " + std::to_string(analyzer->GetAddress()) + " slow " +
                        std::to_string(count) + " " + std::to_string(ms)));
        doc_->UpdateAllViews(NULL, 6, NULL);
        ASSERT_TRUE(view_->m_bBusy);
    }
    // The analyzer's device falls silent; requests fail until the access layer counts the
    // device as gone (state 4).
    bool SilenceUntilGone(CVaskInstrument* analyzer) {
        if (!Sim("FAULT " + std::to_string(analyzer->GetAddress()) + " silent always")) return false;
        return wkit::Driver::PumpUntil(
            [&] {
                analyzer->EnableCommandReport(0);
                analyzer->Remote(0);
                analyzer->EnableCommandReport(1);
                return analyzer->GetState() == 4;
            },
            30000);
    }
    // A refresh asked for as the document asks for it after a change.
    void Refresh() {
        doc_->UpdateAllViews(NULL, 6, NULL);
        ASSERT_TRUE(Idle());
    }

    CTLTreeCtrl& Tree() { return view_->GetTreeCtrl(); }
    // The colour of a row's texts as the tree-list keeps it in the item's record.
    COLORREF Mark(HTREEITEM item) {
        TVITEMA record = {};
        record.mask = TVIF_HANDLE | TVIF_PARAM;
        record.hItem = item;
        if (!::SendMessageA(Tree().GetSafeHwnd(), TVM_GETITEMA, 0, (LPARAM)&record) ||
            record.lParam == 0)
            return CLR_INVALID;
        return ((const CTLItemData*)record.lParam)->m_crText;
    }
    static VaskFloat MakeNumber(double number) {
        VaskFloat value;
        value.value = number;
        value.text.Format("%.3f", number);
        return value;
    }
    std::vector<std::string> Headers() {
        std::vector<std::string> headers;
        CHeaderCtrl& header = Tree().GetHeaderCtrl();
        for (int i = 0; i < header.GetItemCount(); ++i) {
            char text[128] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            header.GetItem(i, &item);
            headers.push_back(text);
        }
        return headers;
    }
    // Every row: its name (groups as "[name]"), and the texts of columns 1 and 2.
    struct Row {
        std::string value;
        std::string compare;
        HTREEITEM item;
    };
    std::map<std::string, Row> Rows() {
        std::map<std::string, Row> rows;
        for (HTREEITEM group = Tree().GetRootItem(); group != NULL;
             group = Tree().GetNextSiblingItem(group)) {
            rows["[" + std::string(Tree().GetItemText(group, 0)) + "]"] = {"", "", group};
            for (HTREEITEM item = Tree().GetChildItem(group); item != NULL;
                 item = Tree().GetNextSiblingItem(item))
                rows[(LPCSTR)Tree().GetItemText(item, 0)] = {
                    (LPCSTR)Tree().GetItemText(item, 1), (LPCSTR)Tree().GetItemText(item, 2), item};
        }
        return rows;
    }
    std::string Name(CVaskInstrument* analyzer, int number) {
        CVaskParameter* parameter = analyzer->FindParameterByNumber(number);
        return parameter != nullptr ? (LPCSTR)parameter->GetName() : "";
    }

    // The value texts of a read message of device 2 (each value is a text, its terminator
    // and a unit word).
    std::vector<std::string> Values(const std::string& message) {
        std::vector<std::string> lines;
        EXPECT_TRUE(sim_.Command("READ 2 0 " + message, &lines));
        std::vector<std::string> texts;
        if (lines.empty()) return texts;
        std::string text;
        for (size_t i = 0; i + 1 < lines[0].size(); i += 2) {
            const int byte = std::stoi(lines[0].substr(i, 2), nullptr, 16);
            if (byte != 0) {
                text += (char)byte;
                continue;
            }
            texts.push_back(text);
            text.clear();
            i += 4;  // the unit word
        }
        return texts;
    }
    // The T90 inside time of the Parvel's first component as the device holds it.
    std::string DeviceT90() {
        const std::vector<std::string> values = Values("w11");
        return values.size() > 1 ? values[1] : "";
    }
    // A new T90 inside time written through the program, as a sheet writes it.
    void WriteT90(double seconds) {
        VaskFloat range, inside, outside, deadTime;
        ASSERT_TRUE(parvel_->GetIntegrationTime(0, range, inside, outside, deadTime));
        inside.value = seconds;
        inside.text.Format("%.1f", seconds);
        ASSERT_TRUE(parvel_->SetIntegrationTime(0, range, inside, outside, deadTime));
    }
    // The number a row's value begins with.
    static double Number(const std::string& value) { return std::atof(value.c_str()); }
    // The first characters of a row's value: the device's text and the blank before the unit.
    static std::string Start(const std::string& value, const std::string& text) {
        return value.substr(0, text.size() + 1);
    }

    CInstrumentView* view_ = nullptr;
    CVaskInstrument* parvel_ = nullptr;
    CVaskInstrument* sindor_ = nullptr;
};

// The number of the T90 inside entry of component 1 (a changeable offline entry).
const int kT90Inside = 98;
// The hardware serial number (device data, read-only).
const int kSerialNumber = 1;

TEST_F(InstrumentViewBus, InstrumentModeFillsTheRowsFromTheAnalyzerAndRefreshesThem) {
    ASSERT_TRUE(Sim("SET 2 serial 4711"));
    // The test gives the timer hints itself.
    ::KillTimer(hFrame_, frame_->GetTimerId());
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Headers(), (std::vector<std::string>{"Parameter group", "Cur. value"}));
    std::map<std::string, Row> rows = Rows();
    ASSERT_TRUE(rows.count("[" + std::string(parvel_->GetParameterGroup(1)->GetName()) + "]"));
    const std::string serial = Name(parvel_, kSerialNumber);
    ASSERT_TRUE(rows.count(serial)) << serial;
    EXPECT_EQ(rows[serial].value.substr(0, 5), "4711 ");
    // Every row's object is its entry or its group.
    EXPECT_EQ(Tree().GetItemUserValue(rows[serial].item),
              (DWORD_PTR)parvel_->FindParameterByNumber(kSerialNumber));

    // A changed value shows after 60 timer hints, and at once after hint 6.
    const std::string t90 = Name(parvel_, kT90Inside);
    ASSERT_TRUE(rows.count(t90)) << t90;
    EXPECT_EQ(Start(rows[t90].value, DeviceT90()), DeviceT90() + " ");
    WriteT90(31);
    ASSERT_EQ(std::atof(DeviceT90().c_str()), 31);
    for (int i = 0; i < 59; ++i) doc_->UpdateAllViews(NULL, 3, NULL);
    ASSERT_TRUE(Idle());
    EXPECT_NE(Number(Rows()[t90].value), 31) << "refreshed before 60 hints";
    doc_->UpdateAllViews(NULL, 3, NULL);
    ASSERT_TRUE(Idle());
    EXPECT_EQ(Number(Rows()[t90].value), 31);
    const HTREEITEM before = Rows()[t90].item;
    WriteT90(32);
    Refresh();
    EXPECT_EQ(Number(Rows()[t90].value), 32);
    EXPECT_EQ(Rows()[t90].item, before) << "a refresh keeps the rows";
}

TEST_F(InstrumentViewBus, AnotherSelectionDuringARefreshWaitsForItBeforeTheRowsGo) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    // Slow answers keep the refresh running while the selection changes.
    ASSERT_NO_FATAL_FAILURE(StartSlowRefresh(parvel_, 5, 200));
    doc_->SelectNode(sindor_);
    // The thread had ended before the rows went, and the new analyzer's rows came anew.
    EXPECT_EQ(view_->GetInstrument(), sindor_);
    ASSERT_TRUE(Idle());
    const std::string serial = Name(sindor_, kSerialNumber);
    EXPECT_TRUE(Rows().count(serial));
    for (auto& row : Rows())
        if (row.second.item != NULL && Tree().GetItemUserValue(row.second.item) != 0) {
            CObject* object = (CObject*)Tree().GetItemUserValue(row.second.item);
            if (object->IsKindOf(RUNTIME_CLASS(CVaskParameter))) {
                EXPECT_EQ(((CVaskParameter*)object)->GetInstrument(), sindor_) << row.first;
            }
        }
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

TEST_F(InstrumentViewBus, CompareShowsTheFileTransferWritesItBackAndCompareAgainEndsIt) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const std::string original = DeviceT90();
    ASSERT_FALSE(original.empty());
    const std::string path = *folder_ / "parvel.prm";
    {
        wkit::Driver driver;
        driver.NameFile(path);
        Command(ID_SAVE_TO_DISK_AS);
    }
    ASSERT_FALSE(ReadFile(path).empty());
    WriteT90(77);
    Refresh();
    const std::string t90 = Name(parvel_, kT90Inside);
    ASSERT_TRUE(Rows().count(t90)) << t90;
    EXPECT_EQ(Number(Rows()[t90].value), 77);

    ASSERT_NO_FATAL_FAILURE(CompareWith(path));
    EXPECT_TRUE(view_->IsCompareMode());
    EXPECT_EQ(app_->IsCompareMode(), 1);
    ASSERT_NE(parvel_->GetCompareInstrument(), nullptr);
    ASSERT_EQ(Tree().GetColumnCount(), 3);
    EXPECT_EQ(Headers()[2], "Parameter Set");
    EXPECT_EQ(Tree().GetColumnWidth(2), 250);
    EXPECT_EQ(Start(Rows()[t90].compare, original), original + " ");
    EXPECT_EQ(Number(Rows()[t90].value), 77);
    EXPECT_TRUE(IsEnabled(ID_TRANSFER_OFFLINE));
    EXPECT_EQ(State(ID_COMPARE_OFFLINE).check, 1);

    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        Command(ID_TRANSFER_OFFLINE);
    }
    ASSERT_TRUE(Idle());
    EXPECT_EQ(DeviceT90(), original);
    EXPECT_EQ(Start(Rows()[t90].value, original), original + " ");
    const HWND progress = ::GetDlgItem(view_->GetMessageDialog().m_hWnd, IDC_MESSAGE_PROGRESS);
    EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 100);
    EXPECT_FALSE(::IsWindowVisible(view_->GetMessageDialog().m_hWnd));

    Command(ID_COMPARE_OFFLINE);
    EXPECT_FALSE(view_->IsCompareMode());
    EXPECT_EQ(app_->IsCompareMode(), 0);
    EXPECT_EQ(parvel_->GetCompareInstrument(), nullptr);
    EXPECT_EQ(Tree().GetColumnCount(), 2);
    EXPECT_FALSE(IsEnabled(ID_TRANSFER_OFFLINE));
    EXPECT_EQ(State(ID_COMPARE_OFFLINE).check, 0);
}

// The colours of the rows after a transfer, as the tree-list keeps them for its painting:
// green for an entry the device took, red for one it refused, the window's text colour for
// one that was not transferred, purple for one the file does not hold.
TEST_F(InstrumentViewBus, ATransferMarksEveryRowWithItsEntrysOutcome) {
    // The switching points of the set; the device holds others at the transfer.
    VaskFloat down = MakeNumber(4.25), up = MakeNumber(21.5);
    ASSERT_TRUE(parvel_->SetAutorangeLimits(0, down, up));
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const std::string path = *folder_ / "parvel.prm";
    {
        wkit::Driver driver;
        driver.NameFile(path);
        Command(ID_SAVE_TO_DISK_AS);
    }
    // The file without the T90 inside time, as an older file may be.
    const StoredAnalyzer stored = ReadStoredAnalyzer(ReadFile(path));
    ASSERT_TRUE(stored.complete);
    RecordWriter file;
    file.Class(stored.className, stored.schema)
        .Dword(stored.version)
        .Dword(stored.typeCode)
        .Dword(stored.components)
        .String(stored.name)
        .Dword(stored.extensionCard)
        .Dword(stored.heating);
    for (const std::string& name : stored.componentNames) file.String(name);
    file.Dword(stored.count - 1);
    for (const StoredEntry& e : stored.entries)
        if (e.number != (DWORD)kT90Inside)
            file.String(e.key).Dword(e.number).Value(e.text, e.value, e.unit, e.quantity, e.marker);
    WriteFile(path, file.bytes);

    ASSERT_TRUE(parvel_->SetAutorangeLimits(0, down = MakeNumber(3), up = MakeNumber(30)));
    ASSERT_NO_FATAL_FAILURE(CompareWith(path));
    ASSERT_TRUE(view_->IsCompareMode());
    // The device refuses the switching points.
    ASSERT_TRUE(Sim("FAULT 2 reject always DE on=W12"));
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        Command(ID_TRANSFER_OFFLINE);
    }
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(Sim("CLEARFAULTS"));

    const COLORREF kTransferred = RGB(0, 255, 0), kFailed = RGB(255, 0, 0),
                   kNotInFile = RGB(150, 0, 255), kPlain = ::GetSysColor(COLOR_WINDOWTEXT);
    std::map<std::string, Row> rows = Rows();
    struct Expected {
        int number;
        COLORREF colour;
        const char* outcome;  // the end of the set's column
    } expected[] = {
        {66, kFailed, " -> Vask command: \"W, 12\""},
        {70, kFailed, " -> Vask command: \"W, 12\""},
        {kT90Inside, kNotInFile, ""},
        {103, kTransferred, " -> Successful"},  // T90 outside
        {kSerialNumber, kPlain, " -> Parameter has not been transferred."},
    };
    for (const Expected& e : expected) {
        const std::string name = Name(parvel_, e.number);
        SCOPED_TRACE(name);
        ASSERT_TRUE(rows.count(name));
        EXPECT_EQ(Mark(rows[name].item), e.colour);
        const std::string& compare = rows[name].compare;
        EXPECT_EQ(compare.substr(compare.size() - std::min(compare.size(), strlen(e.outcome))),
                  e.outcome);
    }
    // Every row of an entry shows the outcome of the set's entry.
    std::map<COLORREF, int> colours;
    for (auto& row : rows) {
        CObject* object = (CObject*)Tree().GetItemUserValue(row.second.item);
        if (object == nullptr || !object->IsKindOf(RUNTIME_CLASS(CVaskParameter))) continue;
        CVaskParameter* inSet = parvel_->FindCompareParameter((CVaskParameter*)object);
        ASSERT_NE(inSet, nullptr) << row.first;
        int result = 0;
        CString text;
        inSet->GetTransferResult(result, text);
        const COLORREF colour = !inSet->IsLoaded() ? kNotInFile
                                : result > 0       ? kTransferred
                                : result < 0       ? kFailed
                                                   : kPlain;
        EXPECT_EQ(Mark(row.second.item), colour) << row.first;
        ++colours[colour];
    }
    EXPECT_GT(colours[kTransferred], 40);
    EXPECT_EQ(colours.size(), 4u);
}

TEST_F(InstrumentViewBus, SetsWithoutDataOfAnOldVersionOrOfAnotherModelAreRefused) {
    // A Sindor's set, a file without an analyzer, and a Parvel's set of a version before any
    // values (only the record's version, 0).
    doc_->SelectNode(sindor_);
    const std::string sindorSet = *folder_ / "sindor.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(sindorSet.c_str()));
    ASSERT_TRUE(doc_->GetPortList()->Find(sindor_) != NULL);
    doc_->SelectNode(doc_->GetConverterList()->GetHead() == NULL
                         ? NULL
                         : (CInstrument*)doc_->GetConverterList()->GetHead());
    const std::string none = *folder_ / "none.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(none.c_str()));
    const std::string old = *folder_ / "old.prm";
    RecordWriter record;
    record.Class("CParvel6", 2).Dword(0);
    WriteFile(old, record.bytes);
    const std::string damaged = *folder_ / "damaged.prm";
    WriteFile(damaged, ReadFile(sindorSet).substr(0, 40));

    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    struct Case {
        std::string file;
        std::vector<std::string> boxes;
    } const cases[] = {
        {none, {}},
        {sindorSet,
         {"The offline parameter set describes a different instrument type.\n You can't "
          "compare instruments of different types."}},
        {damaged, {"An error occured while reading this file."}},
        {old,
         {"The offline parameter set is not compatible. It was created with a Korvan GA version "
          "before V1.11."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        boxes_.texts.clear();
        {
            wkit::Driver driver;
            driver.NameFile(c.file);
            Command(ID_COMPARE_OFFLINE);
        }
        EXPECT_EQ(boxes_.texts, c.boxes);
        EXPECT_FALSE(view_->IsCompareMode());
        EXPECT_EQ(app_->IsCompareMode(), 0);
        EXPECT_EQ(parvel_->GetCompareInstrument(), nullptr);
        EXPECT_EQ(Tree().GetColumnCount(), 2);
    }
}

TEST_F(InstrumentViewBus, TheMenuFollowsAnalyzerModelOnlineLevelAndCompareMode) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    struct Case {
        int level;
        int online;
        std::vector<UINT> enabled;
    } const cases[] = {
        {2,
         1,
         {ID_LOAD_FROM_DISK, ID_SAVE_TO_DISK, ID_SAVE_TO_DISK_AS, ID_CREATE_NEW_DATA_SET,
          ID_LOAD_PC_DATA, ID_SAVE_PC_DATA, ID_LOAD_USER_DATA, ID_SAVE_USER_DATA,
          ID_LOAD_FACTORY_DATA, ID_PRINT_PARAMETERS, ID_COMPARE_OFFLINE, ID_DEVICE_CLOCK,
          ID_DOWNLOAD_MAINBOARD, ID_DOWNLOAD_PROFIBUS}},
        {1,
         1,
         {ID_LOAD_FROM_DISK, ID_SAVE_TO_DISK, ID_SAVE_TO_DISK_AS, ID_CREATE_NEW_DATA_SET,
          ID_PRINT_PARAMETERS, ID_COMPARE_OFFLINE, ID_DEVICE_CLOCK}},
        {3,
         0,
         {ID_LOAD_FROM_DISK, ID_SAVE_TO_DISK, ID_SAVE_TO_DISK_AS, ID_CREATE_NEW_DATA_SET,
          ID_PRINT_PARAMETERS, ID_DOWNLOAD_MAINBOARD}},
    };
    const UINT all[] = {
        ID_LOAD_FROM_DISK,   ID_SAVE_TO_DISK,      ID_SAVE_TO_DISK_AS,    ID_CREATE_NEW_DATA_SET,
        ID_FACTORY_SETTINGS, ID_LOAD_PC_DATA,      ID_SAVE_PC_DATA,       ID_LOAD_USER_DATA,
        ID_SAVE_USER_DATA,   ID_LOAD_FACTORY_DATA, ID_PRINT_PARAMETERS,   ID_COMPARE_OFFLINE,
        ID_TRANSFER_OFFLINE, ID_DEVICE_CLOCK,      ID_DOWNLOAD_MAINBOARD, ID_DOWNLOAD_PROFIBUS};
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + " online " + std::to_string(c.online));
        frame_->SetAccessLevel(c.level);
        app_->SetOperationMode(c.online);
        for (UINT id : all) {
            const bool wanted =
                std::find(c.enabled.begin(), c.enabled.end(), id) != c.enabled.end();
            EXPECT_EQ(IsEnabled(id), wanted) << id;
        }
    }
    app_->SetOperationMode(1);
}

// The telegrams to device 2 since the log was cleared, as letter and function ("K14").
std::vector<std::string> TelegramsTo2(vasksim::SimClient& sim) {
    std::vector<vasksim::SimLogEntry> entries;
    EXPECT_TRUE(sim.Log(entries));
    std::vector<std::string> telegrams;
    for (const vasksim::SimLogEntry& e : entries)
        if (e.command != 0 && e.to == "2/0")
            telegrams.push_back(std::string(1, e.command) + std::to_string(e.function));
    return telegrams;
}
bool Has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(InstrumentViewBus, UserDataIsSavedAndLoadedBackAndFactoryDataTriesRemoteAlways) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const std::string saved = DeviceT90();
    boxes_.answers = {IDYES};
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        Command(ID_SAVE_USER_DATA);
    }
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0],
              "Do you really want to overwrite the user data by the current settings?");
    EXPECT_EQ(boxes_.types[0] & 0xF, (UINT)MB_YESNO);
    WriteT90(66);
    ASSERT_NE(DeviceT90(), saved);

    // "No" does nothing; "Yes" makes the device restore its user data.
    boxes_.texts.clear();
    boxes_.answers = {IDNO};
    Command(ID_LOAD_USER_DATA);
    EXPECT_NE(DeviceT90(), saved);
    boxes_.answers = {IDYES};
    ASSERT_TRUE(Sim("CLEARLOG"));
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        Command(ID_LOAD_USER_DATA);
    }
    EXPECT_EQ(DeviceT90(), saved);
    EXPECT_FALSE(Has(TelegramsTo2(sim_), "F1")) << "user data sets no remote state";
    EXPECT_FALSE(::IsWindowVisible(view_->GetMessageDialog().m_hWnd));
    EXPECT_EQ(view_->m_bBusy, 0);

    // A load of the factory data that the device rejects still tries the remote state.
    ASSERT_TRUE(Sim("FAULT 2 reject always ?? on=K14"));
    ASSERT_TRUE(Sim("CLEARLOG"));
    boxes_.texts.clear();
    boxes_.answers = {IDYES};
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        Command(ID_LOAD_FACTORY_DATA);
    }
    ASSERT_FALSE(boxes_.texts.empty());
    EXPECT_EQ(boxes_.texts[0],
              "Do you really want to overwrite the current settings by the firm data?");
    const std::vector<std::string> telegrams = TelegramsTo2(sim_);
    const auto load = std::find(telegrams.begin(), telegrams.end(), "K14");
    ASSERT_NE(load, telegrams.end());
    EXPECT_NE(std::find(load, telegrams.end(), "F1"), telegrams.end());
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

TEST_F(InstrumentViewBus, DeviceMemoryGoesIntoAFileAndAFileIntoTheDevice) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(Sim("MEMORY 2 00112233445566778899AABBCCDDEEFF0102030405"));
    const std::string path = *folder_ / "memory.dat";
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(path);
        Command(ID_SAVE_PC_DATA);
    }
    EXPECT_TRUE(boxes_.texts.empty());
    EXPECT_EQ(ReadFile(path), std::string("\x00\x11\x22\x33\x44\x55\x66\x77\x88\x99\xAA\xBB\xCC"
                                          "\xDD\xEE\xFF\x01\x02\x03\x04\x05",
                                          21));
    EXPECT_EQ(std::string(doc_->GetInstrumentViewText()), path);

    const std::string other = *folder_ / "other.dat";
    WriteFile(other, std::string("\x0A\x0B\x0C\x0D", 4));
    boxes_.answers = {IDYES};
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(other);
        Command(ID_LOAD_PC_DATA);
    }
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Do you really want to overwrite the PC data of the instrument?");
    std::vector<std::string> lines;
    ASSERT_TRUE(sim_.Command("MEMORY 2", &lines));
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("0A0B0C0D"), std::string::npos) << lines[0];
}

// What the progress window's text showed, with whether Cancel was shown then; pressing
// Cancel once when the download has started.
class ProgressTexts {
public:
    explicit ProgressTexts(CDlgMessage& dialog, bool pressCancel)
        : dialog_(dialog), pressCancel_(pressCancel) {
        s_current = this;
        text_ = ::GetDlgItem(dialog.m_hWnd, IDC_MESSAGE_TEXT);
        old_ = (WNDPROC)::SetWindowLongPtrA(text_, GWLP_WNDPROC, (LONG_PTR)&Proc);
    }
    ~ProgressTexts() {
        if (!texts.empty()) cancelShown.push_back(CancelShown());
        ::SetWindowLongPtrA(text_, GWLP_WNDPROC, (LONG_PTR)old_);
        s_current = nullptr;
    }
    std::vector<std::string> texts;
    std::vector<bool> cancelShown;
    // Runs for every text the window is given.
    std::function<void(const std::string&)> onText;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        ProgressTexts* self = s_current;
        if (message == WM_SETTEXT && lParam != 0) {
            const std::string text = (LPCSTR)lParam;
            if (self->texts.empty() || self->texts.back() != text) {
                // The button as it stood while the text before this one was shown.
                if (!self->texts.empty()) self->cancelShown.push_back(self->CancelShown());
                self->texts.push_back(text);
            }
            if (self->pressCancel_ && text.find("Download has been started") == 0) {
                self->pressCancel_ = false;
                ::PostMessageA(self->dialog_.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            }
            if (self->onText) self->onText(text);
        }
        return CallWindowProcA(self->old_, hWnd, message, wParam, lParam);
    }
    bool CancelShown() const {
        const HWND button = ::GetDlgItem(dialog_.m_hWnd, IDCANCEL);
        return (::GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    CDlgMessage& dialog_;
    bool pressCancel_;
    HWND text_;
    WNDPROC old_;
    static inline ProgressTexts* s_current = nullptr;
};

TEST_F(InstrumentViewBus, AFirmwareDownloadRunsItsPhasesAndCancelAsksFirst) {
    const std::string firmware = *folder_ / "P6x.hex";
    WriteFile(firmware, ReadFile(std::string(VASK_FIRMWARE_DATA) + "/firmware16.hex"));
    ASSERT_TRUE(Sim("SET 2 restartms 2000"));
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const char* kPhases[] = {
        "The device will execute a Reset.\nPlease wait....",
        "Download has been started.\nThis task will take several minutes.\n\nInfo: During "
        "download broadcasts is disabled for each instrument.",
        "The firmware transfer will now be verified.\n Please wait a few seconds.",
        "The instrument will restart now.",
        "Download is completed.\n The connection to the instrument will be reestablished now.",
        "Wait until the instrument has been restarted...",
    };
    // Cancel, then Cancel to the question: the download goes on to its end.
    {
        ProgressTexts progress(view_->GetMessageDialog(), true);
        // The simulator tells no boot version: the download is confirmed twice.
        boxes_.answers = {IDOK, IDYES, IDCANCEL};
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(firmware);
        Command(ID_DOWNLOAD_MAINBOARD);
        for (const char* phase : kPhases)
            EXPECT_TRUE(Has(progress.texts, phase)) << phase << "\n"
                                                    << ::testing::PrintToString(progress.texts);
        ASSERT_EQ(boxes_.texts.size(), 3u) << ::testing::PrintToString(boxes_.texts);
        EXPECT_EQ(boxes_.texts[0],
                  "For a successfull download you need boot version V2.5 or higher.");
        EXPECT_EQ(boxes_.texts[2].substr(0, 41), "Do you really want to abort the download?");
        // Each text with its button: Cancel only while the records go to the device.
        for (size_t i = 0; i < progress.texts.size() && i < progress.cancelShown.size(); ++i)
            EXPECT_EQ(progress.cancelShown[i], progress.texts[i] == kPhases[1])
                << progress.texts[i];
    }
    // Cancel, then OK: the download is aborted with the access layer's error 47.
    // The device answers again once it has restarted.
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            VaskFloat values[4];
            return parvel_->GetMeas(values) != 0;
        },
        15000));
    {
        ProgressTexts progress(view_->GetMessageDialog(), true);
        boxes_.texts.clear();
        boxes_.answers = {IDOK, IDYES, IDOK};
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(firmware);
        Command(ID_DOWNLOAD_MAINBOARD);
        ASSERT_EQ(boxes_.texts.size(), 4u);
        EXPECT_NE(boxes_.texts[3].find(", Code: 47"), std::string::npos) << boxes_.texts[3];
    }
}

TEST_F(InstrumentViewBus, AFirmwareFileOfAnotherModelOrNameIsRefused) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    struct Case {
        std::string name;
        std::string box;
    } const cases[] = {
        {"s23abc.hex",
         "The selected file does not match to the instrument you are working with.\n Please "
         "make sure that you have selected the right instrument type."},
        {"S2X.HEX",
         "Only files with the following naming conventions will be accepted:\n\n"
         "L6*.HEX  (LORVIX 6)\nL6K*.HEX (LORVIX 62)\nQ6*.HEX  (QUENTA 6)\nP6*.HEX  "
         "(PARVEL 6)\nP6S*.HEX (PARVEL 64)\nS23*.HEX (SINDOR 23)\nS6*.HEX  (SINDOR 6)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = *folder_ / c.name;
        WriteFile(path, ":00000001FF\r\n");
        boxes_.texts.clear();
        ASSERT_TRUE(Sim("CLEARLOG"));
        {
            wkit::Driver driver;
            driver.NameFile(path);
            Command(ID_DOWNLOAD_MAINBOARD);
        }
        EXPECT_EQ(boxes_.texts,
                  (std::vector<std::string>{
                      "For a successfull download you need boot version V2.5 or higher.", c.box}));
        EXPECT_FALSE(Has(TelegramsTo2(sim_), "K20"));
    }
}

TEST_F(InstrumentViewBus, ASilencedDeviceIsToldOncePerOutage) {
    ::KillTimer(hFrame_, frame_->GetTimerId());
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const std::string kLost = "Communication with the instrument is interrupted.";
    for (size_t outage = 0; outage < 2; ++outage) {
        ASSERT_TRUE(SilenceUntilGone(parvel_));
        for (int i = 0; i < 3; ++i) doc_->UpdateAllViews(NULL, 3, NULL);
        EXPECT_EQ(boxes_.texts.size(), outage + 1);
        ASSERT_TRUE(Sim("CLEARFAULTS"));
        ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return parvel_->GetState() != 4; }, 20000));
        doc_->UpdateAllViews(NULL, 3, NULL);
    }
    EXPECT_EQ(boxes_.texts, (std::vector<std::string>{kLost, kLost}));
}

TEST_F(InstrumentViewBus, ADoubleClickEditsTheEntryAndAnExpandedGroupStaysExpanded) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    CVaskParameter* t90 = parvel_->FindParameterByNumber(kT90Inside);
    ASSERT_NE(t90, nullptr);
    const HTREEITEM group = t90->GetGroup()->GetTreeItem();
    ASSERT_NE(group, nullptr);
    // The user opens the group with its button: the tree tells the view.
    Tree().ExpandItem(group, 1);
    view_->SendMessage(WM_TREECHANGED, 0, 0);
    EXPECT_EQ(t90->GetGroup()->IsExpanded(), 1);

    // A double click on the entry's row opens its sheet on its page.
    CRect rect;
    ASSERT_TRUE(Tree().GetItemRect(t90->GetTreeItem(), &rect, TRUE));
    {
        RecordingHost host(1);
        view_->SendMessage(WM_LBUTTONDBLCLK, 0,
                           MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
        ASSERT_EQ(host.sheets.size(), 1u);
        EXPECT_EQ(host.sheets[0].sheet, t90->GetEditSheet());
        EXPECT_EQ(host.sheets[0].page, t90->GetEditPage());
        EXPECT_EQ(host.sheets[0].analyzer, parvel_);
    }

    // Another analyzer and back: the rows are made anew, the group opened again.
    doc_->SelectNode(sindor_);
    ASSERT_TRUE(Idle());
    doc_->SelectNode(parvel_);
    ASSERT_TRUE(Idle());
    ASSERT_NE(t90->GetGroup()->GetTreeItem(), nullptr);
    EXPECT_TRUE(Tree().IsItemExpanded(t90->GetGroup()->GetTreeItem()));
}

TEST_F(InstrumentViewBus, ARebuildDropsTheShownAnalyzerAndItsCompareModeUntouched) {
    const std::string path = *folder_ / "parvel.prm";
    ASSERT_NO_FATAL_FAILURE(CompareWithItsOwnSet(path));
    ASSERT_TRUE(view_->IsCompareMode());
    // The rebuild deletes the analyzers (the update thread ends first) and selects the
    // first new one.
    ASSERT_TRUE(doc_->InitTheInstruments());
    ASSERT_TRUE(Idle());
    EXPECT_FALSE(view_->IsCompareMode());
    EXPECT_EQ(app_->IsCompareMode(), 0);
    EXPECT_EQ(view_->GetInstrument(), doc_->GetCurrentInstrument());
    EXPECT_EQ(Tree().GetColumnCount(), 2);
    EXPECT_GT(Tree().GetCount(), 0u);
}

TEST_F(InstrumentViewBus, TheTreeAsksForANameIntoABufferOfItsSize) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    CVaskParameter* serial = parvel_->FindParameterByNumber(kSerialNumber);
    ASSERT_NE(serial->GetTreeItem(), nullptr);
    ASSERT_GT(serial->GetName().GetLength(), 5);
    char buffer[16];
    memset(buffer, '#', sizeof buffer);
    NMTVDISPINFOA info = {};
    info.hdr.hwndFrom = Tree().m_hWnd;
    info.hdr.idFrom = TL_TREE_ID;
    info.hdr.code = TVN_GETDISPINFOA;
    info.item.mask = TVIF_TEXT;
    info.item.hItem = serial->GetTreeItem();
    info.item.pszText = buffer;
    info.item.cchTextMax = 6;
    view_->SendMessage(WM_NOTIFY, TL_TREE_ID, (LPARAM)&info);
    EXPECT_EQ(std::string(buffer), std::string(serial->GetName()).substr(0, 5));
    EXPECT_EQ(buffer[6], '#');
}

TEST_F(InstrumentViewBus, TheWaitForTheUpdateThreadKeepsTheEndOfTheLoop) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    ASSERT_NO_FATAL_FAILURE(StartSlowRefresh(parvel_, 3, 200));
    PostQuitMessage(7);
    EXPECT_TRUE(view_->WaitForUpdateThread());
    EXPECT_EQ(view_->m_bBusy, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

// Whether the update thread had ended when the frame's window began to go (a hook of the
// test's thread) and when the document was about to delete its analyzers (a stopper that
// runs after the view's).
class ThreadEndWatch : public CWorkerThreadStopper {
public:
    ThreadEndWatch(CInstrumentView* view, HWND frame) : view_(view), frame_(frame) {
        s_current = this;
        hook_ = SetWindowsHookExA(WH_CBT, &ThreadEndWatch::Cbt, NULL, GetCurrentThreadId());
    }
    ~ThreadEndWatch() override {
        if (hook_ != NULL) UnhookWindowsHookEx(hook_);
        s_current = nullptr;
    }
    void StopWorkerThread(CPCVaskDoc*) override {
        ++stops;
        if (view_->IsUpdateThreadRunning() || view_->m_bBusy) ++runningAtStop;
    }

    HHOOK hook_ = NULL;
    int framesDestroyed = 0;
    int runningAtFrameEnd = 0;
    int stops = 0;
    int runningAtStop = 0;

private:
    static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam) {
        ThreadEndWatch* self = s_current;
        if (self != nullptr && code == HCBT_DESTROYWND && (HWND)wParam == self->frame_) {
            ++self->framesDestroyed;
            if (self->view_->IsUpdateThreadRunning() || self->view_->m_bBusy)
                ++self->runningAtFrameEnd;
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }
    CInstrumentView* view_;
    HWND frame_;
    static inline ThreadEndWatch* s_current = nullptr;
};

TEST_F(InstrumentViewBus, ClosingDuringAReadEndsTheThreadBeforeTheFrameGoes) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    // Slow answers keep the refresh running while the program is closed.
    ASSERT_NO_FATAL_FAILURE(StartSlowRefresh(parvel_, 3, 300));
    ThreadEndWatch watch(view_, hFrame_);
    // Closed as the user closes it; the loop ends with the frame.
    CloseDocument();
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_EQ(watch.framesDestroyed, 1);
    EXPECT_EQ(watch.runningAtFrameEnd, 0);
    view_ = nullptr;
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

// Replies of a window to WM_GETTEXT, asked every 50 ms by a thread of its own, as another
// program probes whether the window answers; measured from Begin on.
class WindowProbe {
public:
    explicit WindowProbe(HWND hWnd) : hWnd_(hWnd), thread_([this] { Run(); }) {}
    ~WindowProbe() { Stop(); }
    void Begin() { measuring_ = true; }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::atomic<ULONGLONG> longest{0};
    std::atomic<int> replies{0};

private:
    void Run() {
        while (!stop_) {
            char text[256];
            DWORD_PTR result = 0;
            const bool measured = measuring_;
            const ULONGLONG before = GetTickCount64();
            const BOOL answered = SendMessageTimeoutA(hWnd_, WM_GETTEXT, sizeof text, (LPARAM)text,
                                                      SMTO_NORMAL, 120000, &result);
            const ULONGLONG took = GetTickCount64() - before;
            if (measured && answered) {
                ++replies;
                if (took > longest) longest = took;
            }
            ::Sleep(50);  // the probe's pace
        }
    }
    HWND hWnd_;
    std::atomic<bool> measuring_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(InstrumentViewBus, ADownloadWhoseAnalyzerFallsSilentKeepsTheWindowAnsweringAndNamesTheStep) {
    const std::string firmware = *folder_ / "P6x.hex";
    WriteFile(firmware, ReadFile(std::string(VASK_FIRMWARE_DATA) + "/firmware16.hex"));
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    WindowProbe probe(hFrame_);
    bool silenced = false;
    {
        // The analyzer stops answering once the records go out; the wire's retries of the
        // record then run for their whole time.
        ProgressTexts progress(view_->GetMessageDialog(), false);
        progress.onText = [&](const std::string& text) {
            if (silenced || text.find("Download has been started") != 0) return;
            silenced = Sim("FAULT 2 silent always on=K21");
            probe.Begin();
        };
        boxes_.answers = {IDOK, IDYES};
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(firmware);
        Command(ID_DOWNLOAD_MAINBOARD);
    }
    probe.Stop();
    ASSERT_TRUE(silenced);
    // The window answered throughout, within the time of one refresh of the views.
    EXPECT_GT(probe.replies.load(), 20);
    EXPECT_LT(probe.longest.load(), 1200u);
    // The one message after the download: its step and its error, no outage message first.
    ASSERT_EQ(boxes_.texts.size(), 3u) << ::testing::PrintToString(boxes_.texts);
    EXPECT_EQ(boxes_.texts[2],
              "Vask command: \"K, 21\"\nThe device does not send a response\nor the response "
              "has been missed (E9), Code: 9");
    EXPECT_EQ(view_->m_bBusy, 0);
    EXPECT_FALSE(::IsWindowVisible(view_->GetMessageDialog().m_hWnd));
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

TEST_F(InstrumentViewBus, ClosingDuringADownloadAbortsItAndTheFrameGoesAfterIt) {
    const std::string firmware = *folder_ / "P6x.hex";
    WriteFile(firmware, ReadFile(std::string(VASK_FIRMWARE_DATA) + "/firmware16.hex"));
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(Sim("CLEARLOG"));
    bool closed = false;
    {
        ProgressTexts progress(view_->GetMessageDialog(), false);
        progress.onText = [&](const std::string& text) {
            if (closed || text.find("Download has been started") != 0) return;
            // From outside, as the task bar closes a program.
            closed = ::PostMessageA(hFrame_, WM_CLOSE, 0, 0) != FALSE;
        };
        // Boot version, the download's question, then "Yes" to the exit question.
        boxes_.answers = {IDOK, IDYES, IDYES};
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(firmware);
        Command(ID_DOWNLOAD_MAINBOARD);
    }
    ASSERT_TRUE(closed);
    // The question came while the download ran; the window outlived the download, which
    // stopped at its next record without a message of its own.
    ASSERT_EQ(boxes_.texts.size(), 3u) << ::testing::PrintToString(boxes_.texts);
    EXPECT_EQ(boxes_.texts[2], "Do you really want to exit the application?");
    EXPECT_TRUE(IsWindow(hFrame_));
    EXPECT_TRUE(IsClosePending(hFrame_));
    EXPECT_EQ(view_->m_bBusy, 0);
    const std::vector<std::string> telegrams = TelegramsTo2(sim_);
    EXPECT_TRUE(Has(telegrams, "K20"));
    EXPECT_LT(std::count(telegrams.begin(), telegrams.end(), "K21"), 97) << "of the file's 97 records";
    // The program's loop ends the window now, without a second question.
    ThreadEndWatch watch(view_, hFrame_);
    app_->Run();
    app_.reset();
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_EQ(watch.framesDestroyed, 1);
    EXPECT_EQ(watch.runningAtFrameEnd, 0);
    EXPECT_EQ(boxes_.texts.size(), 3u);
    EXPECT_FALSE(IsClosePending());
    view_ = nullptr;
}

TEST_F(InstrumentViewBus, AParameterSetReadThatFailsReportsTheErrorThatEndedIt) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    ASSERT_TRUE(Sim("MEMORY 2 00112233445566778899AABBCCDDEEFF0102030405"));
    ASSERT_TRUE(Sim("FAULT 2 silent always on=k27"));
    // Whatever a box of the failure's report lets run meanwhile (here: requests of the
    // analyzer that fail otherwise) must not change the error that the transfer shows.
    boxes_.whileOpen = [&](const std::string& text) {
        if (text.find(", Code: ") != std::string::npos) return;
        Sim("FAULT 2 silent always");
        parvel_->EnableCommandReport(0);
        for (int i = 0; i < 2; ++i) parvel_->Remote(1);
        parvel_->EnableCommandReport(1);
    };
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(*folder_ / "memory.dat");
        Command(ID_SAVE_PC_DATA);
    }
    boxes_.whileOpen = nullptr;
    EXPECT_EQ(boxes_.texts,
              std::vector<std::string>{"Vask command: \"k, 27\"\nThe device does not send a "
                                       "response\nor the response has been missed (E9), Code: 9"});
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

TEST_F(InstrumentViewBus, AWriteDuringAnOutageIsReportedAsNotMadeAndAReadIsNot) {
    // The program's instrument host, as its start installs it: the analyzers' reports reach
    // the frame and its views.
    CApplicationHost host;
    CInstrumentHost* const previousHost = SetInstrumentHost(&host);
    struct Restore {
        CInstrumentHost* previous;
        ~Restore() { SetInstrumentHost(previous); }
    } restore{previousHost};
    ::KillTimer(hFrame_, frame_->GetTimerId());
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    VaskFloat range, inside, outside, deadTime, measured[4];
    ASSERT_TRUE(parvel_->GetIntegrationTime(0, range, inside, outside, deadTime));
    ASSERT_TRUE(SilenceUntilGone(parvel_));
    const std::string kLost = "Communication with the instrument is interrupted.";
    struct Case {
        const char* what;
        bool write;
    } const cases[] = {{"first write", true}, {"read", false}, {"second write", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes_.texts.clear();
        if (c.write)
            EXPECT_FALSE(parvel_->SetIntegrationTime(0, range, inside, outside, deadTime));
        else  // the measured values, which the access object keeps no copy of
            EXPECT_FALSE(parvel_->GetMeas(measured));
        std::vector<std::string> told;
        for (const std::string& text : boxes_.texts)
            if (text != kLost) told.push_back(text);
        if (!c.write) {
            EXPECT_TRUE(told.empty()) << ::testing::PrintToString(told);
            continue;
        }
        ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(boxes_.texts);
        EXPECT_NE(told[0].find("Vask command: \"W, "), std::string::npos) << told[0];
        EXPECT_TRUE(told[0].find("(E45)") != std::string::npos ||
                    told[0].find("(E9)") != std::string::npos)
            << told[0];
    }
    ASSERT_TRUE(Sim("CLEARFAULTS"));
}

TEST_F(InstrumentViewBus, RelinkingOrConfiguringDuringAReadEndsTheThreadFirst) {
    // "Communication Configuration..." goes offline, where the rebuild scans no bus.
    CommDialogStandIn dialog;
    dialog.answers = {{TRUE, 0}};
    EnterInstrumentMode(parvel_);
    for (UINT command : {ID_LINK_INSTRUMENT, ID_COMMUNICATION_CONFIGURATION}) {
        ASSERT_TRUE(Idle());
        // The rebuild selects the first analyzer, which the view then reads: slow answers of
        // its device keep the refresh running while the command comes.
        ASSERT_NE(view_->GetInstrument(), nullptr) << command;
        ASSERT_NO_FATAL_FAILURE(StartSlowRefresh(view_->GetInstrument(), 3, 300)) << command;
        ThreadEndWatch watch(view_, hFrame_);
        doc_->AddWorkerThreadStopper(&watch);
        Command(command);
        doc_->RemoveWorkerThreadStopper(&watch);
        EXPECT_GE(watch.stops, 1) << command;
        EXPECT_EQ(watch.runningAtStop, 0) << command;
        // The view shows the node that the rebuild selected.
        ASSERT_TRUE(Idle());
        EXPECT_NE(doc_->GetCurrentInstrument(), nullptr) << command;
        EXPECT_EQ(view_->GetInstrument(), doc_->GetCurrentInstrument()) << command;
        ASSERT_TRUE(Sim("CLEARFAULTS"));
    }
    EXPECT_EQ(app_->GetOperationMode(), 0);
}

// The parameter list's print as the engine would answer it: the rows and headers in order,
// -998 for the calls named.
class RecordingPrinter : public CParameterListPrinter {
public:
    RecordingPrinter() { previous_ = CInstrumentView::SetParameterListPrinter(this); }
    ~RecordingPrinter() override { CInstrumentView::SetParameterListPrinter(previous_); }
    int StartJob(CWnd*) override { return job; }
    int LastPage(int) override { return lastPage; }
    int CurrentPage(int) override { return page; }
    int PrintHeader(int, LPCSTR lpszInstrument) override {
        lines.push_back(std::string("header ") + lpszInstrument);
        return 0;
    }
    int PrintRow(int, LPCSTR, LPCSTR lpszParameter, LPCSTR) override {
        lines.push_back(lpszParameter);
        ++rows;
        if (std::find(full.begin(), full.end(), rows) == full.end()) return 0;
        ++page;
        return -998;
    }
    void EndJob(int, CWnd*) override { lines.push_back("end"); }
    void AbortJob(int) override { lines.push_back("abort"); }

    int job = 1;
    int lastPage = 1000;
    int page = 1;
    int rows = 0;
    std::vector<int> full;  // the row calls answered with -998
    std::vector<std::string> lines;

private:
    CParameterListPrinter* previous_;
};

TEST_F(InstrumentViewBus, APrintRepeatsARowAfterAFullPageOnceAndEndsWhenItNeverFits) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    const std::string header = "header " + std::string(parvel_->CInstrument::GetName());
    struct Case {
        std::vector<int> full;
        int lastPage;
        int job;
    } const cases[] = {
        {{}, 1000, 1}, {{3}, 1000, 1}, {{3, 4}, 1000, 1}, {{3}, 1, 1}, {{}, 1000, -1}};
    std::vector<std::string> all;
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.full) + " last page " + std::to_string(c.lastPage) +
                     " job " + std::to_string(c.job));
        RecordingPrinter printer;
        printer.full = c.full;
        printer.lastPage = c.lastPage;
        printer.job = c.job;
        Command(ID_PRINT_PARAMETERS);
        const std::vector<std::string>& lines = printer.lines;
        if (c.job < 0) {
            EXPECT_TRUE(lines.empty());
            continue;
        }
        ASSERT_GE(lines.size(), 5u);
        EXPECT_EQ(lines[0], header);
        if (c.full.empty()) {
            all = lines;
            EXPECT_EQ(lines.back(), "end");
        } else if (c.full.size() == 1 && c.lastPage > 1) {
            // The header on the new page and the third row once more, then the rest.
            std::vector<std::string> wanted = all;
            wanted.insert(wanted.begin() + 4, {header, all[3]});
            EXPECT_EQ(lines, wanted);
        } else {
            // A row that never fits, or a full page after the last one: the job ends there.
            const size_t rows = c.lastPage > 1 ? 6 : 4;
            ASSERT_EQ(lines.size(), rows + 1) << ::testing::PrintToString(lines);
            EXPECT_EQ(lines.back(), "abort");
        }
    }
}

TEST_F(InstrumentViewBus, ADownloadWithoutFirmwareNeedsOneConverterAndASilentBus) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    doc_->SetOnlineMode(0);
    ASSERT_TRUE(doc_->GetPortList()->Find(parvel_) != NULL);
    const std::string kAsk =
        "Download for ONE instrument WITHOUT Firmware.\nOnly ONE instrument may be connected to "
        "the computer.";
    struct Case {
        std::vector<std::string> converters;
        std::vector<std::string> boxes;
    } const cases[] = {
        {{"COM1", "COM2"},
         {kAsk,
          "To many converters are connected to the computer. Please configure a network "
          "using only one converter."}},
        {{},
         {kAsk,
          "No converter found. Please make sure that a network containing one converter "
          "is defined.."}},
        {{"COM1"},
         {kAsk,
          "One ore more instruments with valid firmware have been found in the "
          "network.\nThe process will be aborted."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.converters));
        CStringList gateways, converters;
        for (const std::string& name : c.converters) converters.AddTail(name.c_str());
        ASSERT_TRUE(WriteNetworkToIni("Bus", gateways, &converters));
        boxes_.texts.clear();
        boxes_.answers.clear();
        boxes_.answer = IDOK;
        {
            wkit::Driver driver;
            driver.Exempt(view_->GetMessageDialog().m_hWnd);
            Command(ID_DOWNLOAD_MAINBOARD);
        }
        // The boot version's question comes first when the offline set holds none.
        std::vector<std::string> texts = boxes_.texts;
        if (!texts.empty() && texts[0].find("boot version") != std::string::npos)
            texts.erase(texts.begin());
        EXPECT_EQ(texts, c.boxes);
        EXPECT_TRUE(frame_->IsInstrumentMode()) << "nothing was linked anew";
    }

    // An empty bus and a firmware file whose records are broken: the download fails with its
    // error, and nothing is linked anew.
    ASSERT_TRUE(Sim("REMOVE 1"));
    ASSERT_TRUE(Sim("REMOVE 2"));
    const std::string firmware = *folder_ / "P6x.hex";
    WriteFile(firmware, ":0200000412\r\n:00000001FF\r\n");
    boxes_.texts.clear();
    boxes_.answer = IDOK;
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.NameFile(firmware);
        Command(ID_DOWNLOAD_MAINBOARD);
    }
    ASSERT_FALSE(boxes_.texts.empty());
    EXPECT_NE(boxes_.texts.back().find(", Code: "), std::string::npos)
        << ::testing::PrintToString(boxes_.texts);
    EXPECT_TRUE(frame_->IsInstrumentMode()) << "nothing was linked anew";
}

TEST_F(InstrumentViewBus, LoadingASetLeavesOnlineModeAndEndsTheComparison) {
    const std::string path = *folder_ / "parvel.prm";
    ASSERT_NO_FATAL_FAILURE(CompareWithItsOwnSet(path));
    ASSERT_EQ(app_->IsCompareMode(), 1);

    // Cancel to the question keeps everything.
    boxes_.answers = {IDCANCEL};
    Command(ID_LOAD_FROM_DISK);
    EXPECT_EQ(boxes_.texts, std::vector<std::string>{"You are leaving the online mode."});
    EXPECT_EQ(app_->GetOperationMode(), 1);
    EXPECT_TRUE(view_->IsCompareMode());

    // OK: the comparison ends before the file is read as a normal set, offline.
    boxes_.texts.clear();
    boxes_.answers = {IDOK};
    {
        wkit::Driver driver;
        driver.NameFile(path);
        Command(ID_LOAD_FROM_DISK);
    }
    ASSERT_TRUE(Idle());
    EXPECT_EQ(app_->GetOperationMode(), 0);
    EXPECT_EQ(app_->IsCompareMode(), 0);
    EXPECT_FALSE(view_->IsCompareMode());
    CVaskInstrument* offline = doc_->GetOfflineInstrument();
    ASSERT_NE(offline, nullptr);
    EXPECT_EQ(view_->GetInstrument(), offline);
    EXPECT_EQ(Tree().GetColumnCount(), 2);
    EXPECT_GT(Tree().GetCount(), 0u);
}

TEST_F(InstrumentViewBus, TheDeviceClockOpensForTheAnalyzerAndTheHelpNamesTheForm) {
    EnterInstrumentMode(parvel_);
    ASSERT_TRUE(Idle());
    {
        wkit::Driver driver;
        driver.Exempt(view_->GetMessageDialog().m_hWnd);
        driver.OnOpen(wkit::Template(IDD_CLOCK), [](wkit::Window& clock) { clock.PressCancel(); });
        Command(ID_DEVICE_CLOCK);
    }
    EXPECT_EQ(view_->SendMessage(WM_HELPHITTEST, 0, 0), 0x2009B);
    EXPECT_EQ(view_->SendMessage(WM_COMMANDHELP, 0, 0), 0);
}

TEST(InstrumentViewFiles, FirmwareFileNamesFollowTheNamingRule) {
    const int kSindor6 = 1, kSindor23 = 4, kLorvix6 = 3, kLorvix62 = 8, kQuenta6 = 5, kParvel64 = 7;
    struct Case {
        const char* name;
        bool fieldbus;
        int own;
        int code;
    } const cases[] = {
        {"s23abc.hex", false, kSindor23, kSindor23},
        {"s23abc.hex", false, kSindor6, kSindor23},  // a mismatch for a Sindor 6
        {"S2X.HEX", false, kSindor23, -1},
        {"S6v1.HEX", false, kSindor6, kSindor6},
        {"L6K2.hex", false, kLorvix62, kLorvix62},
        {"L62.hex", false, kLorvix6, kLorvix6},
        {"q6.HeX", false, kQuenta6, kQuenta6},
        {"P6S1.hex", false, kParvel64, kParvel64},
        {"P6x.hex", false, kParvel6, kParvel6},
        {"P6x.bin", false, kParvel6, -1},
        {"CGA12.hex", false, kParvel6, -1},
        {"CGA12.hex", true, kQuenta6, kQuenta6},
        {"cga.HEX", true, kSindor23, kSindor23},
        {"P6x.hex", true, kParvel6, -1},
        {"", false, kParvel6, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CInstrumentView::FirmwareModelCode(c.name, c.fieldbus, c.own), c.code)
            << c.name << (c.fieldbus ? " fieldbus" : "");
}

}  // namespace
}  // namespace frametest
