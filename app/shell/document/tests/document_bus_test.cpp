// The document in the program's main frame with a network of one converter on COM1, the
// analyzer simulator's line: the rebuild scans the bus and makes the analyzers of the
// devices found (model classes, Quenta variants, an unsupported model), the progress names
// the network and the address, a cancelled scan stops before the next address, an analyzer
// of the bus saved to a file loads back as the offline analyzer, and a close of the program in
// the search's loop without analyzers ends the loop before the window goes.
#include "document_bus_fixture.h"

#include "parvel.h"
#include "windowwork.h"

namespace frametest {
namespace {

TEST_F(DocumentBus, TheRebuildScansTheBusAndMakesTheAnalyzersOfTheDevicesFound) {
    // Besides the Sindor at 1 and the Parvel at 2: a Quenta 6 of the variant G, a Quenta 6
    // silent on that question and without a name, and a model without an analyzer class.
    for (const char* command :
         {"DEVICE 3 type=3", "SET 3 name Quenta A", "STORE 3 0 k31 0200", "DEVICE 4 type=3",
          "SET 4 name  ", "FAULT 4 reject always ?? on=k31", "DEVICE 5 type=6"})
        ASSERT_TRUE(Sim(command));
    doc_->SetStatusText("stale", 1);

    ASSERT_TRUE(doc_->InitTheInstruments());

    EXPECT_EQ(Names(),
              (std::vector<std::string>{"Sindor Kanal 1", "Parvel O2", "Quenta 6 G", "Quenta 6"}));
    const std::vector<CVaskInstrument*> analyzers = Analyzers();
    ASSERT_EQ(analyzers.size(), 4u);
    EXPECT_TRUE(analyzers[1]->IsKindOf(RUNTIME_CLASS(CParvel6)));
    EXPECT_EQ(analyzers[2]->GetModelKind(), 5);
    EXPECT_EQ(boxes_.texts,
              std::vector<std::string>{"At address 5 an instrument with the name \"Analyzer 5\" "
                                       "has been detected that is not supported by Korvan GA."});
    // The converter is bound to the port node of COM1 and its analyzers hang below it.
    CObList* converters = doc_->GetConverterList();
    ASSERT_EQ(converters->GetCount(), 1);
    CConverter* converter = (CConverter*)converters->GetHead();
    CString portName;
    CPort* port = converter->GetPort(portName);
    EXPECT_EQ(port, doc_->FindPort("COM1:"));
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->GetConverter(), converter);
    EXPECT_EQ(analyzers[0]->GetParent(), converter);

    // Twelve addresses scanned, each shown with the network.
    ASSERT_EQ(progress_.texts.size(), 12u);
    const std::string network = "Network: " + std::string(converter->GetName());
    EXPECT_EQ(progress_.texts[0], network + "\nSearching for device at address 1.");
    EXPECT_EQ(progress_.texts[11], network + "\nSearching for device at address 12.");
    EXPECT_EQ(progress_.positions.front(), 8);
    EXPECT_EQ(progress_.positions.back(), 100);
    EXPECT_EQ(progress_.stops, 1);

    // The first analyzer selected; nothing left busy or reported.
    EXPECT_EQ(doc_->GetCurrentInstrument(), analyzers[0]);
    EXPECT_EQ(doc_->IsBusy(), 0);
    EXPECT_EQ(std::string(doc_->GetStatusText()), "");
    EXPECT_EQ(doc_->IsStatusWarning(), 0);
    EXPECT_NE(frame_->GetValueBarsView(), nullptr);
    EXPECT_TRUE(commDialog_.cancelAllowed.empty());

    // The Parvel saved to a file loads as the offline analyzer, and the program is offline.
    CVaskInstrument* parvel = analyzers[1];
    doc_->SelectNode(parvel);
    const std::string path = *folder_ / "parvel.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
    // A converter selected: a file without an object.
    doc_->SelectNode(converter);
    const std::string none = *folder_ / "none.prm";
    ASSERT_TRUE(doc_->OnSaveDocument(none.c_str()));
    EXPECT_EQ(ReadFile(none), std::string("\0\0", 2));

    boxes_.texts.clear();
    wkit::Driver driver;
    driver.NameFile(path);
    ASSERT_TRUE(doc_->OnOpenDocument(NULL));
    CVaskInstrument* offline = doc_->GetOfflineInstrument();
    ASSERT_NE(offline, nullptr);
    EXPECT_TRUE(offline->IsKindOf(RUNTIME_CLASS(CParvel6)));
    EXPECT_EQ(std::string(offline->CInstrument::GetName()), "Parvel O2");
    EXPECT_EQ(offline->GetParent(), doc_->GetOfflineConverter());
    EXPECT_EQ(doc_->GetCurrentInstrument(), offline);
    EXPECT_EQ(Analyzers(), std::vector<CVaskInstrument*>{offline});
    EXPECT_EQ(app_->GetOperationMode(), 0);
    EXPECT_TRUE(doc_->GetConverterList()->IsEmpty());
    EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(DocumentBus, ACancelledScanStopsBeforeTheNextAddressAndKeepsWhatItFound) {
    progress_.cancelAtCall = 3;
    ASSERT_TRUE(Sim("CLEARLOG"));
    ASSERT_TRUE(doc_->InitTheInstruments());

    EXPECT_EQ(Names(), (std::vector<std::string>{"Sindor Kanal 1", "Parvel O2"}));
    EXPECT_EQ(progress_.texts.size(), 3u);
    for (int address : Addresses()) EXPECT_LT(address, 3);
    EXPECT_NE(Trace().find("Scan aborted by the user"), std::string::npos);
    EXPECT_EQ(doc_->GetCurrentInstrument(), Analyzers().front());
}

TEST_F(DocumentBus, AClosingInTheLoopWithoutAnalyzersEndsTheLoopBeforeTheWindowGoes) {
    // An empty bus: the rebuild finds nothing and says so. While the message is open the
    // program is closed (the message's loop handles the posted close), and "Yes".
    ASSERT_TRUE(Sim("REMOVE 1"));
    ASSERT_TRUE(Sim("REMOVE 2"));
    CommDialogStandIn dialog;
    bool posted = false;
    boxes_.whileOpen = [&](const std::string& text) {
        if (posted || text.find("No VASK instruments have been detected") != 0) return;
        posted = ::PostMessageA(hFrame_, WM_CLOSE, 0, 0) != FALSE;
        wkit::Driver::PumpUntil([&] { return IsClosePending(hFrame_) != FALSE; }, 10000);
    };
    boxes_.answers = {IDYES};  // to the exit question; the message itself gets OK
    EXPECT_FALSE(doc_->InitTheInstruments());
    boxes_.whileOpen = nullptr;
    ASSERT_TRUE(posted);
    EXPECT_EQ(boxes_.texts.size(), 2u) << ::testing::PrintToString(boxes_.texts);
    EXPECT_EQ(boxes_.texts.back(), "Do you really want to exit the application?");
    // The loop ended without the communication dialog; the window went only afterwards.
    EXPECT_TRUE(dialog.cancelAllowed.empty());
    EXPECT_TRUE(IsWindow(hFrame_));
    EXPECT_FALSE(doc_->IsBusy());
    // The program's loop ends the window without a second question.
    app_->Run();
    app_.reset();
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_FALSE(IsClosePending());
    EXPECT_EQ(boxes_.texts.size(), 2u);
}

}  // namespace
}  // namespace frametest
