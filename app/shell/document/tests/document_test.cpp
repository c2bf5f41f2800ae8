// The document in the program's main frame without a bus: the offline rebuild and its
// worker-thread stop, the loop when nothing is found online, the selection, the progress
// texts, the offline analyzer of an unsupported model, "Create New Data", and the parameter-set
// files: a round trip, damaged, overcounted and older files that change nothing, and saves
// that fail without touching the old file.
#include "document_fixture.h"

#include "gateway.h"
#include "newdatadlg.h"
#include "parvel.h"

namespace frametest {
namespace {

const char kNothingFound[] =
    "No VASK instruments have been detected in the network. \nPlease check the physical "
    "connections and the state of the instruments, or change to Offline mode.";
const char kIncompatible[] =
    "The offline parameter set is not compatible. It was created with a Korvan GA version "
    "before V1.11.";

// An analyzer whose record breaks off while it is stored.
class CThrowingAnalyzer : public CVaskInstrument {
    DECLARE_SERIAL(CThrowingAnalyzer)
public:
    CThrowingAnalyzer() : CVaskInstrument("Throwing", 0, NULL, 0, 1, 4, 4, 0) {}
    void Serialize(CArchive& ar) override {
        CVaskInstrument::Serialize(ar);
        if (ar.IsStoring()) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    }
};
IMPLEMENT_SERIAL(CThrowingAnalyzer, CVaskInstrument, VERSIONABLE_SCHEMA | 2)

// Records what the document's nodes look like when the stopper runs.
class RecordingStopper : public CWorkerThreadStopper {
public:
    // What the first call saw.
    void StopWorkerThread(CPCVaskDoc* pDoc) override {
        if (calls++ > 0) return;
        CObList* pList = pDoc->GetPortList();
        watchedInTree = watched != nullptr && pList->Find(watched) != NULL;
        selected = pDoc->GetCurrentInstrument();
        loggingSelection = pDoc->GetProtocolPage()->GetSelection()->GetCount();
    }
    CObject* watched = nullptr;
    int calls = 0;
    bool watchedInTree = false;
    CInstrument* selected = nullptr;
    INT_PTR loggingSelection = 0;
};

// The bytes of an archive that starts a new class.
std::string ClassTag(const std::string& name, WORD schema) {
    std::string bytes = "\xFF\xFF";
    bytes += (char)(schema & 0xFF);
    bytes += (char)(schema >> 8);
    bytes += (char)name.size();
    bytes += '\0';
    return bytes + name;
}

// A Parvel 6 set keyed by text (record version 3) that counts far more records than the rest
// of the file holds: one.
std::string OvercountedSet() {
    auto dword = [](DWORD d) { return std::string(reinterpret_cast<const char*>(&d), 4); };
    auto text = [](const std::string& s) { return (char)s.size() + s; };
    std::string bytes = ClassTag("CParvel6", 2) + dword(3) + dword(2) + dword(1) +
                        text("Overcounted") + dword(0) + dword(0);
    for (int i = 0; i < 4; ++i) bytes += text("");
    bytes += dword(0x7FFFFFFF);
    return bytes + text("Time constants\\C1 T90 inside") + dword(2) + text("12.5") +
           std::string(8, '\0') + dword(1) + dword(1);
}

class DocumentTest : public ::testing::Test, public DocumentHarness {
protected:
    void SetUp() override {
        OpenDocument();
        if (HasFatalFailure()) return;
        // A Parvel 6 with two components as the offline model.
        profile_->SetDword("Program options", "Offline instrument", 2);
        profile_->SetDword("Program options", "Number of components", 1);
        SetMode(0);
    }
    void TearDown() override { CloseDocument(); }

    // The offline tree with its analyzer selected.
    void BuildOffline() {
        ASSERT_TRUE(doc_->InitTheInstruments());
        ASSERT_NE(doc_->GetOfflineInstrument(), nullptr);
        hints_.hints.clear();
        hints_.objects.clear();
        boxes_.texts.clear();
    }
    // Opens the file through the file dialog.
    BOOL Open(const std::string& path) {
        wkit::Driver driver;
        driver.NameFile(path);
        return doc_->OnOpenDocument(NULL);
    }
};

TEST_F(DocumentTest, OfflineTheRebuildPassesOnceAndSelectsTheOfflineAnalyzer) {
    doc_->SetStatusText("stale", 2);
    ASSERT_TRUE(doc_->InitTheInstruments());

    CVaskInstrument* analyzer = doc_->GetOfflineInstrument();
    ASSERT_NE(analyzer, nullptr);
    EXPECT_TRUE(analyzer->IsKindOf(RUNTIME_CLASS(CParvel6)));
    EXPECT_EQ(analyzer, doc_->GetCurrentInstrument());
    CConverter* offline = doc_->GetOfflineConverter();
    EXPECT_EQ("Offline", std::string(offline->GetConverterName()));
    EXPECT_EQ(offline, analyzer->GetParent());
    EXPECT_TRUE(InTree(offline));
    EXPECT_TRUE(Nodes<CGateway>(RUNTIME_CLASS(CGateway)).empty());
    EXPECT_EQ(Analyzers(), std::vector<CVaskInstrument*>{analyzer});
    EXPECT_TRUE(commDialog_.cancelAllowed.empty());
    EXPECT_TRUE(boxes_.texts.empty());
    // Connected (nothing to connect offline) behind the progress window.
    EXPECT_EQ(progress_.starts, 1);
    EXPECT_EQ(progress_.stops, 1);
    EXPECT_EQ(progress_.startText, (UINT)IDS_CONNECTING);
    // Rebuilt, then the analyzer selected; nothing left busy or reported.
    ASSERT_GE(hints_.hints.size(), 2u);
    EXPECT_EQ(hints_.hints[hints_.hints.size() - 2], 2);
    EXPECT_EQ(hints_.hints.back(), 1);
    EXPECT_EQ(hints_.objects.back(), analyzer);
    EXPECT_EQ(doc_->IsBusy(), 0);
    EXPECT_EQ(std::string(doc_->GetStatusText()), "");
    EXPECT_EQ(doc_->IsStatusError(), 0);
    EXPECT_EQ(doc_->IsStatusWarning(), 0);
    EXPECT_NE(frame_->GetValueBarsView(), nullptr);
}

TEST_F(DocumentTest, TheWorkerThreadsStopBeforeTheTreeOrTheLoggingSelectionChanges) {
    BuildOffline();
    CVaskInstrument* old = doc_->GetOfflineInstrument();
    ASSERT_EQ(LoggingSelection(), std::vector<CObject*>{old});
    RecordingStopper stopper;
    stopper.watched = old;
    doc_->AddWorkerThreadStopper(&stopper);
    doc_->SetLogging(TRUE);

    ASSERT_TRUE(doc_->InitTheInstruments());
    ASSERT_GE(stopper.calls, 1);
    EXPECT_TRUE(stopper.watchedInTree);
    EXPECT_EQ(stopper.selected, old);
    EXPECT_EQ(stopper.loggingSelection, 1);
    EXPECT_FALSE(doc_->IsLogging());
    EXPECT_EQ(Analyzers().size(), 1u);

    // Removed, it is not run again.
    doc_->RemoveWorkerThreadStopper(&stopper);
    const int calls = stopper.calls;
    doc_->SetOnlineMode(0);
    EXPECT_EQ(stopper.calls, calls);
}

TEST_F(DocumentTest, NothingFoundOnlineAsksForTheCommunicationUntilOfflineIsChosen) {
    SetMode(1);  // no network: nothing to find
    commDialog_.answers = {{FALSE, 0}, {TRUE, 0}};
    ASSERT_TRUE(doc_->InitTheInstruments());
    EXPECT_EQ(boxes_.texts, (std::vector<std::string>{kNothingFound, kNothingFound}));
    EXPECT_EQ(commDialog_.cancelAllowed, (std::vector<BOOL>{TRUE, TRUE}));
    EXPECT_EQ(app_->GetOperationMode(), 0);
    EXPECT_NE(doc_->GetOfflineInstrument(), nullptr);
    EXPECT_EQ(doc_->GetCurrentInstrument(), doc_->GetOfflineInstrument());
    EXPECT_EQ(doc_->IsBusy(), 0);
}

TEST_F(DocumentTest, WithoutACommunicationDialogNothingFoundOnlineEndsOffline) {
    CPCVaskDoc::SetCommConfigDialogRunner(NULL);
    SetMode(1);
    ASSERT_TRUE(doc_->InitTheInstruments());
    EXPECT_EQ(boxes_.texts, std::vector<std::string>{kNothingFound});
    EXPECT_EQ(app_->GetOperationMode(), 0);
    EXPECT_EQ(doc_->GetCurrentInstrument(), doc_->GetOfflineInstrument());
}

TEST_F(DocumentTest, TheSelectionTellsTheViewsTheLogPageAndTheValuePane) {
    BuildOffline();
    CVaskInstrument* analyzer = doc_->GetOfflineInstrument();
    CConverter* offline = doc_->GetOfflineConverter();

    doc_->SetPathName((*folder_ / "set.prm").c_str(), FALSE);
    doc_->SetInstrumentViewText("C:\\data");
    doc_->SelectNode(offline);
    EXPECT_EQ(hints_.hints, std::vector<int>{1});
    EXPECT_EQ(hints_.objects, std::vector<CObject*>{offline});
    EXPECT_TRUE(LoggingSelection().empty());
    EXPECT_EQ(frame_->GetValueBarsView(), nullptr);
    EXPECT_NE(frame_->GetListView(), nullptr);
    EXPECT_EQ(std::string(doc_->GetPathName()), "");
    EXPECT_EQ(std::string(doc_->GetInstrumentViewText()), "");

    // The node already selected: nothing at all.
    doc_->SetInstrumentViewText("C:\\data");
    doc_->SelectNode(offline);
    EXPECT_EQ(hints_.hints.size(), 1u);
    EXPECT_EQ(std::string(doc_->GetInstrumentViewText()), "C:\\data");

    doc_->SelectNode(analyzer);
    EXPECT_EQ(hints_.hints, (std::vector<int>{1, 1}));
    EXPECT_EQ(hints_.objects.back(), analyzer);
    EXPECT_EQ(LoggingSelection(), std::vector<CObject*>{analyzer});
    EXPECT_NE(frame_->GetValueBarsView(), nullptr);
    EXPECT_EQ(std::string(doc_->GetInstrumentViewText()), "");

    doc_->SelectNode(NULL);
    EXPECT_EQ(hints_.objects.back(), nullptr);
    EXPECT_TRUE(LoggingSelection().empty());
    EXPECT_EQ(frame_->GetValueBarsView(), nullptr);
}

TEST_F(DocumentTest, ProgressNamesTheNetworkAndTheAddress) {
    BuildOffline();
    CGateway* gateway = new CGateway("127.0.0.1", "Hall 3");
    CGatewayPort* line = new CGatewayPort(gateway, "COM2");
    doc_->GetPortList()->AddTail(gateway);
    doc_->GetPortList()->AddTail(line);
    CInstrument outside("Not in the tree");
    struct Case {
        int address;
        CObject* node;
        const char* text;
        int percent;
    } const cases[] = {
        {1, line, "Network: Hall 3 : COM2\nSearching for device at address 1.", 8},
        {12, line, "Network: Hall 3 : COM2\nSearching for device at address 12.", 100},
        {6, doc_->GetOfflineConverter(), "Network: Offline\nSearching for device at address 6.",
         50},
        {3, NULL, "Network: Unknown\nSearching for device at address 3.", 25},
        {3, &outside, "Network: Unknown\nSearching for device at address 3.", 25},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        progress_.texts.clear();
        progress_.positions.clear();
        doc_->OnVaskInitProgress((WPARAM)c.address, (LPARAM)c.node);
        EXPECT_EQ(progress_.texts, std::vector<std::string>{c.text});
        EXPECT_EQ(progress_.positions, std::vector<int>{c.percent});
    }
}

TEST_F(DocumentTest, FindPortTakesTheFirstPortOfExactlyThatName) {
    BuildOffline();
    CPort* first = new CPort("COM7:");
    CPort* second = new CPort("COM7:");
    doc_->GetPortList()->AddTail(first);
    doc_->GetPortList()->AddTail(second);
    EXPECT_EQ(doc_->FindPort("COM7:"), first);
    EXPECT_EQ(doc_->FindPort("COM7"), nullptr);
    EXPECT_EQ(doc_->FindPort("com7:"), nullptr);
}

TEST_F(DocumentTest, AnOfflineModelWithoutAClassGivesAnInactivePlainAnalyzer) {
    profile_->SetDword("Program options", "Offline instrument", 6);
    ASSERT_TRUE(doc_->InitTheInstruments());
    CVaskInstrument* analyzer = doc_->GetOfflineInstrument();
    ASSERT_NE(analyzer, nullptr);
    EXPECT_EQ(analyzer->GetRuntimeClass(), RUNTIME_CLASS(CVaskInstrument));
    EXPECT_EQ(analyzer->GetModelKind(), 6);
    EXPECT_EQ(analyzer->IsActive(), 0);
    EXPECT_TRUE(InTree(analyzer));
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0].rfind("At address 0 an instrument with the name \"", 0), 0u)
        << boxes_.texts[0];
    EXPECT_NE(boxes_.texts[0].find("is not supported by Korvan GA."), std::string::npos);
}

TEST_F(DocumentTest, CreateNewDataOffersTheModelsWithTheirLimitsAndOptions) {
    struct Case {
        const char* model;
        const char* before;   // the count typed before the model is chosen
        const char* shown;    // the count shown after the choice
        const char* typed;    // the count typed then, null for none
        std::string refusal;  // the box of the first OK, "" when it closes
        const char* retry;    // the count of the second OK
        int type;
        bool o2, heating;
    } const cases[] = {
        // The choice lowers 3 to the model's one component.
        {"Parvel 6(1)", "3", "1", nullptr, "", nullptr, 2, false, true},
        {"Lorvix 62", "1", "1", "5", "The selected device has a maximum of 4 components.", "4", 8,
         false, true},
        {"Sindor 23", "2", "2", "0", "Please enter at least 1 component.", "3", 4, true, false},
        {"Quenta 6", "1", "1", "2", "The selected device can only posess 1 component.", "1", 5,
         false, true},
        {"Sindor 6", "4", "2", nullptr, "", nullptr, 1, false, true},
        {"Lorvix 6", "1", "1", nullptr, "", nullptr, 3, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        boxes_.texts.clear();
        wkit::Driver driver;
        std::vector<std::string> items;
        std::string shown;
        bool o2 = false, h2s = false, heating = false, board = false, stayed = false;
        driver.OnOpen(wkit::Template(IDD_NEW_DATA), [&](wkit::Window& dialog) {
            items = dialog.Items(IDC_NEW_DATA_TYPE);
            dialog.SetText(IDC_NEW_DATA_COUNT, c.before);
            dialog.Pick(IDC_NEW_DATA_TYPE, c.model);
            shown = dialog.Text(IDC_NEW_DATA_COUNT);
            o2 = dialog.IsEnabled(IDC_NEW_DATA_O2);
            h2s = dialog.IsEnabled(IDC_NEW_DATA_H2S);
            heating = dialog.IsEnabled(IDC_NEW_DATA_HEATING);
            board = dialog.IsEnabled(IDC_NEW_DATA_BOARD);
            dialog.HelpOn(IDC_NEW_DATA_COUNT);
            if (c.typed != nullptr) dialog.SetText(IDC_NEW_DATA_COUNT, c.typed);
            dialog.PressOK();
            if (c.retry != nullptr) {
                stayed = dialog.IsOpen();
                dialog.SetText(IDC_NEW_DATA_COUNT, c.retry);
                dialog.PressOK();
            }
        });
        CNewDataDlg dialog(frame_);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(items,
                  (std::vector<std::string>{"Lorvix 6", "Lorvix 62", "Parvel 6(1)", "Parvel 64",
                                            "Quenta 6", "Sindor 23", "Sindor 6"}));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(dialog.m_nType, c.type);
        EXPECT_EQ(o2, c.o2);
        EXPECT_EQ(h2s, c.o2);
        EXPECT_EQ(heating, c.heating);
        EXPECT_TRUE(board);
        if (c.refusal.empty()) {
            EXPECT_TRUE(boxes_.texts.empty());
        } else {
            EXPECT_TRUE(stayed);
            EXPECT_EQ(boxes_.texts, std::vector<std::string>{c.refusal});
        }
    }
    const bool helped =
        std::any_of(recorders_.help.begin(), recorders_.help.end(), [](const HelpCall& h) {
            return h.command == HH_DISPLAY_TEXT_POPUP && h.data == 0x50000 + IDC_NEW_DATA_COUNT;
        });
    EXPECT_TRUE(helped);
}

TEST_F(DocumentTest, ASavedSetLoadsAsTheOfflineAnalyzer) {
    BuildOffline();
    CVaskInstrument* before = doc_->GetOfflineInstrument();
    before->SetName("Stack 2");
    const std::string path = *folder_ / "stack2.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
    EXPECT_EQ(std::string(doc_->GetPathName()), path);
    EXPECT_EQ(FilesIn(folder_->Path()), std::vector<std::string>{"stack2.prm"});
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFF");
    EXPECT_NE(bytes.find("CParvel6"), std::string::npos);

    doc_->SetModifiedFlag(TRUE);
    hints_.hints.clear();
    ASSERT_TRUE(Open(path));
    CVaskInstrument* loaded = doc_->GetOfflineInstrument();
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(InTree(before));
    EXPECT_TRUE(loaded->IsKindOf(RUNTIME_CLASS(CParvel6)));
    EXPECT_EQ(std::string(loaded->GetName()), "Stack 2");
    EXPECT_EQ(loaded->GetParent(), doc_->GetOfflineConverter());
    EXPECT_EQ(doc_->GetCurrentInstrument(), loaded);
    EXPECT_EQ(Analyzers(), std::vector<CVaskInstrument*>{loaded});
    EXPECT_EQ(std::string(doc_->GetPathName()), path);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(doc_->IsBusy(), 0);
    ASSERT_FALSE(hints_.hints.empty());
    EXPECT_EQ(hints_.hints.front(), 5);
    EXPECT_EQ(hints_.hints.back(), 6);
    EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(DocumentTest, SavingWithAnotherNodeSelectedWritesAFileWithoutAnObject) {
    BuildOffline();
    doc_->SelectNode(doc_->GetOfflineConverter());
    const std::string path = *folder_ / "empty.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
    EXPECT_EQ(ReadFile(path), std::string("\0\0", 2));
}

TEST_F(DocumentTest, AFileThatCannotBeReadChangesNothing) {
    BuildOffline();
    const std::string good = *folder_ / "good.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(good.c_str()));
    const std::string valid = ReadFile(good);
    ASSERT_GT(valid.size(), 200u);
    std::string noise;
    for (unsigned i = 0, x = 12345; i < 400; ++i) {
        x = x * 1103515245u + 12345u;
        noise += (char)(x >> 16);
    }
    noise[0] = '\x5A';
    struct Case {
        const char* name;
        std::string bytes;
        const char* box;  // null: the unreadable-file message
    } const cases[] = {
        {"empty.prm", "", nullptr},
        {"header.prm", valid.substr(0, 9), nullptr},
        {"record.prm", valid.substr(0, valid.size() / 2), nullptr},
        {"noise.prm", noise, nullptr},
        {"text.prm", "[Networklist]\r\nHall=1\r\n", nullptr},
        {"node.prm", ClassTag("CInstrument", 2), nullptr},
        {"unknown.prm", ClassTag("CNoSuchAnalyzer", 2) + std::string(40, '\0'), nullptr},
        {"overcounted.prm", OvercountedSet(), nullptr},
        {"old.prm", ClassTag("CVaskInstrument", 2) + std::string(4, '\0'), kIncompatible},
    };

    SetMode(1);
    CInstrument* selected = doc_->GetCurrentInstrument();
    const std::vector<CObject*> tree = Tree();
    const std::string kept = *folder_ / "kept.prm";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = *folder_ / c.name;
        WriteFile(path, c.bytes);
        doc_->SetPathName(kept.c_str(), FALSE);
        doc_->SetModifiedFlag(TRUE);
        boxes_.texts.clear();
        hints_.hints.clear();

        EXPECT_FALSE(Open(path));
        ASSERT_EQ(boxes_.texts.size(), 1u);
        if (c.box != nullptr) {
            EXPECT_EQ(boxes_.texts[0], c.box);
        } else {
            EXPECT_EQ(boxes_.texts[0].rfind(
                          "The file \"" + path + "\" is not a readable offline parameter set.", 0),
                      0u)
                << boxes_.texts[0];
        }
        EXPECT_EQ(app_->GetOperationMode(), 1);
        EXPECT_EQ(Tree(), tree);
        EXPECT_EQ(doc_->GetCurrentInstrument(), selected);
        EXPECT_EQ(std::string(doc_->GetPathName()), kept);
        EXPECT_TRUE(doc_->IsModified());
        EXPECT_EQ(doc_->IsBusy(), 0);
        EXPECT_TRUE(hints_.hints.empty());
    }
}

TEST_F(DocumentTest, ACancelledFileDialogChangesNothing) {
    BuildOffline();
    CVaskInstrument* analyzer = doc_->GetOfflineInstrument();
    wkit::Driver driver;
    driver.CancelFile();
    EXPECT_FALSE(doc_->OnOpenDocument(NULL));
    EXPECT_EQ(doc_->GetOfflineInstrument(), analyzer);
    EXPECT_TRUE(hints_.hints.empty());
}

TEST_F(DocumentTest, ASetWithoutDataIsBuiltFromTheCreateNewDataChoice) {
    BuildOffline();
    // An older record layout: read, but without values.
    const std::string path = *folder_ / "blank.prm";
    WriteFile(path, ClassTag("CParvel6", 1));
    struct Case {
        bool ok;
        int type, components;
    } const cases[] = {{true, 1, 2}, {false, 1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ok);
        wkit::Driver driver;
        driver.NameFile(path);
        driver.OnOpen(wkit::Template(IDD_NEW_DATA), [&](wkit::Window& dialog) {
            if (!c.ok) {
                dialog.Pick(IDC_NEW_DATA_TYPE, "Lorvix 62");
                dialog.PressCancel();
                return;
            }
            // (a model whose analyzer class keeps the count: a Lorvix 62 has one component)
            dialog.Pick(IDC_NEW_DATA_TYPE, "Sindor 6");
            dialog.SetText(IDC_NEW_DATA_COUNT, "2");
            dialog.PressOK();
        });
        SetMode(1);
        EXPECT_TRUE(doc_->OnOpenDocument(NULL));
        CVaskInstrument* analyzer = doc_->GetOfflineInstrument();
        ASSERT_NE(analyzer, nullptr);
        // Cancel keeps the model chosen before.
        EXPECT_EQ(analyzer->GetModelKind(), c.type);
        EXPECT_EQ(analyzer->GetComponentCount(), c.components);
        EXPECT_EQ(doc_->GetOfflineConverter()->GetOfflineType(), c.type);
        EXPECT_EQ(doc_->GetCurrentInstrument(), analyzer);
        EXPECT_EQ(app_->GetOperationMode(), 0);
        EXPECT_EQ(doc_->IsBusy(), 0);
        // A blank set does not come from the file.
        EXPECT_EQ(std::string(doc_->GetPathName()), "");
    }
}

TEST_F(DocumentTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    BuildOffline();
    const std::string old = "the old parameter set";
    CThrowingAnalyzer* throwing = new CThrowingAnalyzer;
    doc_->GetPortList()->AddTail(throwing);
    enum Hold { kNone, kOpen, kReadOnly, kThrowing, kNoFolder };
    struct Case {
        const char* name;
        Hold hold;
    } const cases[] = {
        {"held open", kOpen},
        {"read-only", kReadOnly},
        {"record breaks off", kThrowing},
        {"folder gone", kNoFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            c.hold == kNoFolder ? *folder_ / "gone\\set.prm" : *folder_ / "set.prm";
        if (c.hold != kNoFolder) WriteFile(path, old);
        doc_->SelectNode(c.hold == kThrowing ? (CInstrument*)throwing
                                             : doc_->GetOfflineInstrument());
        HANDLE hHeld = INVALID_HANDLE_VALUE;
        if (c.hold == kOpen)
            hHeld = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        if (c.hold == kReadOnly) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        doc_->SetModifiedFlag(TRUE);
        boxes_.texts.clear();

        EXPECT_FALSE(doc_->OnSaveDocument(path.c_str()));
        if (hHeld != INVALID_HANDLE_VALUE) CloseHandle(hHeld);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(boxes_.texts[0].rfind(
                      "The offline parameter set could not be saved as \"" + path + "\".", 0),
                  0u)
            << boxes_.texts[0];
        EXPECT_TRUE(doc_->IsModified());
        if (c.hold == kNoFolder) {
            EXPECT_TRUE(FilesIn(folder_->Path()).empty());
        } else {
            EXPECT_EQ(ReadFile(path), old);
            EXPECT_EQ(FilesIn(folder_->Path()), std::vector<std::string>{"set.prm"});
        }
        DeleteFileA(path.c_str());
    }
}

}  // namespace
}  // namespace frametest
