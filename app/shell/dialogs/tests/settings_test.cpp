// "Program configuration" over the program's main frame, worked by the modal-dialog driver:
// the first opening, the limits of the component count, the enabling by mode and type, the
// stored values and their order, the company texts and the help.
#include "mainframe_fixture.h"

#include "lorvix.h"

namespace frametest {
namespace {

const char kOptions[] = "Program options";

class Settings : public MainFrameTest {
protected:
    // Runs "Program configuration" with the script on its window.
    void Run(const wkit::Script& script) {
        wkit::Driver driver;
        driver.OnOpen(wkit::Caption("Program configuration"), script);
        Command(ID_PROGRAM_CONFIGURATION);
        EXPECT_TRUE(driver.AllRan());
    }
    std::vector<DWORD_PTR> HelpTopics() const {
        std::vector<DWORD_PTR> topics;
        for (const HelpCall& call : recorders_.help) topics.push_back(call.data);
        return topics;
    }
};

const int kChecks[] = {IDC_SETTINGS_O2_SENSOR, IDC_SETTINGS_H2S_SENSOR, IDC_SETTINGS_HEATING,
                       IDC_SETTINGS_OPTION_BOARD};

TEST_F(Settings, ANewInstallationShowsTheDefaultsAndOkWritesTheSevenValues) {
    Run([&](wkit::Window& w) {
        EXPECT_EQ(w.CheckState(IDC_SETTINGS_OFFLINE), BST_CHECKED);
        EXPECT_EQ(w.CheckState(IDC_SETTINGS_ONLINE), BST_UNCHECKED);
        EXPECT_EQ(w.Selection(IDC_SETTINGS_TYPE), "Sindor 23");
        EXPECT_EQ(w.Items(IDC_SETTINGS_TYPE),
                  (std::vector<std::string>{"Lorvix 6", "Lorvix 62", "Parvel 6(1)", "Parvel 64",
                                            "Quenta 6", "Sindor 23", "Sindor 6"}));
        EXPECT_EQ(w.Text(IDC_SETTINGS_COMPONENTS), "1");
        for (int id : kChecks) EXPECT_EQ(w.CheckState(id), BST_UNCHECKED) << id;
        // The Sindor 23 offline: its sensors, no heating.
        EXPECT_TRUE(w.IsEnabled(IDC_SETTINGS_O2_SENSOR));
        EXPECT_TRUE(w.IsEnabled(IDC_SETTINGS_H2S_SENSOR));
        EXPECT_FALSE(w.IsEnabled(IDC_SETTINGS_HEATING));
        EXPECT_TRUE(w.IsEnabled(IDC_SETTINGS_OPTION_BOARD));
        w.Check(IDC_SETTINGS_O2_SENSOR);
        w.SetText(IDC_SETTINGS_COMPONENTS, "2");
        w.PressOK();
    });
    EXPECT_EQ(profile_->ValueCount(kOptions), 7);
    EXPECT_EQ(profile_->Dword(kOptions, "Operation mode"), 0);
    EXPECT_EQ(profile_->Dword(kOptions, "Offline instrument"), 4);
    EXPECT_EQ(profile_->Dword(kOptions, "Has O2 Sensor"), 1);
    EXPECT_EQ(profile_->Dword(kOptions, "Number of components"), 2);
    EXPECT_EQ(profile_->Dword(kOptions, "Has Heating"), 0);

    // Opened again, the page shows what was stored; Cancel writes nothing.
    profile_->SetDword(kOptions, "Number of components", 3);
    Run([&](wkit::Window& w) {
        EXPECT_EQ(w.Text(IDC_SETTINGS_COMPONENTS), "3");
        EXPECT_EQ(w.CheckState(IDC_SETTINGS_O2_SENSOR), BST_CHECKED);
        w.SetText(IDC_SETTINGS_COMPONENTS, "1");
        w.PressCancel();
    });
    EXPECT_EQ(profile_->Dword(kOptions, "Number of components"), 3);
}

TEST_F(Settings, EveryTextOfBothPagesShowsWhole) {
    Run([&](wkit::Window& w) {
        std::string unfit = wkit::Unfit(wkit::WholeTexts(w.Page()));
        unfit += wkit::Unfit(wkit::WholeEntries(w.Control(IDC_SETTINGS_TYPE)));
        EXPECT_EQ(unfit, "") << "the operation mode's page";
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_EQ(wkit::Unfit(wkit::WholeTexts(w.Page())), "") << "the general page";
        w.PressCancel();
    });
}

TEST_F(Settings, ACountTheTypeCannotHaveIsRefusedAndTheSheetStaysOpen) {
    struct Case {
        int storedType;    // -1: none stored
        const char* pick;  // nullptr: no pick
        const char* count;
        const char* message;  // nullptr: accepted
    } const cases[] = {
        {-1, "Parvel 6(1)", "2", "The selected device can only posess 1 component."},
        {-1, "Sindor 23", "4", "The selected device has a maximum of 3 components."},
        {-1, "Sindor 6", "0", "Please enter at least 1 component."},
        {-1, "Lorvix 62", "4", nullptr},
        // Without a pick the stored type's maximum holds.
        {2, nullptr, "2", "The selected device can only posess 1 component."},
        {1, nullptr, "3", "The selected device has a maximum of 2 components."},
        // A stored type that the list does not offer: the first entry is shown, the stored
        // type kept, the general maximum of 4.
        {10, nullptr, "4", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pick ? c.pick : "stored ") + std::to_string(c.storedType) + " " +
                     c.count);
        RegDeleteTreeA(HKEY_CURRENT_USER, profile_->Section(kOptions).c_str());
        if (c.storedType >= 0) profile_->SetDword(kOptions, "Offline instrument", c.storedType);
        boxes_.texts.clear();
        bool open = true;
        Run([&](wkit::Window& w) {
            if (c.storedType == 10) {
                EXPECT_EQ(w.Selection(IDC_SETTINGS_TYPE), "Lorvix 6");
            }
            if (c.pick != nullptr) w.Pick(IDC_SETTINGS_TYPE, c.pick);
            w.SetText(IDC_SETTINGS_COMPONENTS, c.count);
            w.PressOK();
            if (c.message == nullptr) return;
            // Refused: the sheet stays open on the page.
            open = w.IsOpen() && w.ActivePage() == 0;
            w.PressCancel();
        });
        if (c.message != nullptr) {
            ASSERT_EQ(boxes_.texts.size(), 1u);
            EXPECT_EQ(boxes_.texts[0], c.message);
            EXPECT_TRUE(open);
            EXPECT_EQ(profile_->ValueCount(kOptions), c.storedType >= 0 ? 1 : -1);
        } else {
            EXPECT_TRUE(boxes_.texts.empty());
            EXPECT_EQ(profile_->Dword(kOptions, "Number of components"), std::atoi(c.count));
            EXPECT_EQ(profile_->Dword(kOptions, "Offline instrument"),
                      c.storedType >= 0 ? c.storedType : 8);
        }
    }
}

TEST_F(Settings, TheModeAndTheTypeEnableTheFields) {
    // Type 8 offers heating by the stored flag of the analyzer selected in the tree.
    std::unique_ptr<CLorvix62> heated(new CLorvix62("Heated", NULL, 0, 1, 0, 1));
    std::unique_ptr<CLorvix62> cold(new CLorvix62("Cold", NULL, 0, 1, 0, 0));
    struct Case {
        const char* type;
        CVaskInstrument* selected;
        bool online;
        std::vector<int> enabled;  // of the four check boxes
    } const cases[] = {
        {"Sindor 6", nullptr, false, {IDC_SETTINGS_HEATING, IDC_SETTINGS_OPTION_BOARD}},
        {"Quenta 6", nullptr, false, {IDC_SETTINGS_HEATING, IDC_SETTINGS_OPTION_BOARD}},
        {"Parvel 64",
         nullptr,
         false,
         {IDC_SETTINGS_O2_SENSOR, IDC_SETTINGS_H2S_SENSOR, IDC_SETTINGS_OPTION_BOARD}},
        {"Lorvix 6", nullptr, false, {IDC_SETTINGS_OPTION_BOARD}},
        {"Sindor 23", nullptr, true, {}},
        {"Sindor 6", nullptr, true, {}},
        {"Lorvix 62", heated.get(), true, {IDC_SETTINGS_HEATING}},
        {"Lorvix 62", heated.get(), false, {IDC_SETTINGS_HEATING, IDC_SETTINGS_OPTION_BOARD}},
        {"Lorvix 62", cold.get(), false, {IDC_SETTINGS_OPTION_BOARD}},
        {"Lorvix 62", nullptr, false, {IDC_SETTINGS_OPTION_BOARD}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + (c.online ? " online" : " offline") +
                     (c.selected ? " " + std::string(c.selected->GetName()) : ""));
        doc_->SelectNode(c.selected);
        Run([&](wkit::Window& w) {
            w.Pick(IDC_SETTINGS_TYPE, c.type);
            if (c.online) w.Check(IDC_SETTINGS_ONLINE);
            EXPECT_EQ(w.IsEnabled(IDC_SETTINGS_TYPE), !c.online);
            EXPECT_EQ(w.IsEnabled(IDC_SETTINGS_COMPONENTS), !c.online);
            for (int id : kChecks)
                EXPECT_EQ(w.IsEnabled(id),
                          std::find(c.enabled.begin(), c.enabled.end(), id) != c.enabled.end())
                    << id;
            w.PressCancel();
        });
    }
    doc_->SelectNode(NULL);
}

TEST_F(Settings, OnlineModeIsStoredAndShownAgain) {
    Run([&](wkit::Window& w) {
        w.Check(IDC_SETTINGS_ONLINE);
        w.PressOK();
    });
    EXPECT_EQ(profile_->Dword(kOptions, "Operation mode"), 1);
    Run([&](wkit::Window& w) {
        EXPECT_EQ(w.CheckState(IDC_SETTINGS_ONLINE), BST_CHECKED);
        EXPECT_FALSE(w.IsEnabled(IDC_SETTINGS_TYPE));
        w.PressCancel();
    });
}

TEST_F(Settings, TheCompanyTextsAreReadAndWrittenOnlyWhenChanged) {
    profile_->SetString("Company", "Company", "Korvan");
    profile_->SetString("Company", "Project", "Plant 4");
    Run([&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        EXPECT_EQ(w.Text(IDC_SETTINGS_COMPANY), "Korvan");
        EXPECT_EQ(w.Text(IDC_SETTINGS_DEPARTMENT), "");
        EXPECT_EQ(w.Text(IDC_SETTINGS_PROJECT), "Plant 4");
        w.PressOK();
    });
    // Unchanged: nothing written (no empty department appears).
    EXPECT_EQ(profile_->ValueCount("Company"), 2);
    Run([&](wkit::Window& w) {
        ASSERT_TRUE(w.SelectPage(1));
        w.SetText(IDC_SETTINGS_DEPARTMENT, "Service");
        w.PressOK();
    });
    EXPECT_EQ(std::string(AfxGetApp()->GetProfileString("Company", "Department")), "Service");
    EXPECT_EQ(profile_->ValueCount("Company"), 3);
}

TEST_F(Settings, HelpOnAControlShowsItsPopupAndTheTabsNone) {
    Run([&](wkit::Window& w) {
        w.HelpOn(IDC_SETTINGS_COMPONENTS);
        HELPINFO info = {sizeof info,
                         HELPINFO_WINDOW,
                         AFX_IDC_TAB_CONTROL,
                         (HANDLE)w.Control(AFX_IDC_TAB_CONTROL),
                         0,
                         {0, 0}};
        SendMessageA(w.Handle(), WM_HELP, 0, (LPARAM)&info);
        w.PressCancel();
    });
    EXPECT_EQ(HelpTopics(), (std::vector<DWORD_PTR>{0x50000 + IDC_SETTINGS_COMPONENTS}));
}

}  // namespace
}  // namespace frametest
