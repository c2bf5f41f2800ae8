// The login and the password change of the main frame, their three dialogs driven by the
// window kit: the access levels, the stored scrambled passwords under "Access", the
// password dialog's focus and the password change's checks, and the dialogs' help.
#include "mainframe_fixture.h"

#include "accesspassworddlg.h"
#include "textscrambler.h"

namespace frametest {
namespace {

std::string Scrambled(const char* password) { return (LPCSTR)CTextScrambler().Scramble(password); }

class Login : public MainFrameTest {
protected:
    // The level dialog: the level's radio button, then OK (or Cancel for -1).
    void ChooseLevel(wkit::Driver& driver, int radio) {
        driver.OnOpen(wkit::Template(IDD_ACCESS_LEVEL), [this, radio](wkit::Window& w) {
            EXPECT_EQ(w.Caption(), "Access Authorization");
            EXPECT_FALSE(w.IsEnabled(IDC_LEVEL_FACTORY));
            EXPECT_EQ(w.CheckState(IDC_LEVEL_MAINTENANCE), BST_CHECKED);
            EXPECT_EQ(PaneText(0), "F1 Help    F10 Menu    ");
            EXPECT_EQ(PaneText(2), "Not logged in");
            if (radio < 0) {
                w.PressCancel();
                return;
            }
            w.Check(radio);
            w.PressOK();
        });
    }
    void TypePassword(wkit::Driver& driver, const char* password) {
        driver.OnOpen(wkit::Template(IDD_ACCESS_PASSWORD), [password](wkit::Window& w) {
            EXPECT_EQ(w.Caption(), "Access Password");
            EXPECT_EQ(w.FocusId(), IDC_ACCESS_PASSWORD);
            EXPECT_TRUE(GetWindowLongA(w.Control(IDC_ACCESS_PASSWORD), GWL_STYLE) & ES_PASSWORD);
            if (password == nullptr) {
                w.PressCancel();
                return;
            }
            w.SetText(IDC_ACCESS_PASSWORD, password);
            w.PressOK();
        });
    }
};

TEST_F(Login, WithoutAStoredPasswordTheLevelIsEnough) {
    struct Case {
        int radio;
        int level;
        const char* pane;
    } const cases[] = {{IDC_LEVEL_SPECIALIST, 2, "Specialist"},
                       {IDC_LEVEL_MAINTENANCE, 1, "Maintenance"}};
    // A password of another level does not matter.
    StorePassword(3, Scrambled("factory"));
    for (const Case& c : cases) {
        wkit::Driver driver;
        ChooseLevel(driver, c.radio);
        EXPECT_TRUE(frame_->Login());
        EXPECT_EQ(frame_->GetAccessLevel(), c.level);
        EXPECT_EQ(PaneText(2), c.pane);
    }
    EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(Login, CancelEndsTheProgram) {
    wkit::Driver driver;
    ChooseLevel(driver, -1);
    EXPECT_FALSE(frame_->Login());
    EXPECT_EQ(frame_->GetAccessLevel(), 0);
}

TEST_F(Login, AStoredPasswordMustBeTypedExactly) {
    // The entry name keeps its eleven trailing blanks.
    profile_->SetString("Access", "Specialist           ", Scrambled("secret"));
    struct Case {
        const char* typed;  // nullptr: Cancel
        BOOL result;
        bool refused;
    } const cases[] = {
        {"secret", TRUE, false},
        {"Secret", FALSE, true},
        {"", FALSE, true},
        {nullptr, FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed != nullptr ? c.typed : "(cancel)");
        boxes_.texts.clear();
        wkit::Driver driver;
        ChooseLevel(driver, IDC_LEVEL_SPECIALIST);
        TypePassword(driver, c.typed);
        EXPECT_EQ(frame_->Login(), c.result);
        EXPECT_EQ(frame_->GetAccessLevel(), 2);
        if (c.result) {
            EXPECT_EQ(PaneText(2), "Specialist");
        }
        if (c.refused) {
            ASSERT_EQ(boxes_.texts.size(), 1u);
            EXPECT_EQ(boxes_.texts[0], "You are not supposed to use this program.");
        } else {
            EXPECT_TRUE(boxes_.texts.empty());
        }
    }
}

TEST_F(Login, TheDialogsAskForTheirControlsHelp) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_ACCESS_LEVEL), [](wkit::Window& w) {
        w.HelpOn(IDC_LEVEL_SPECIALIST);
        w.PressOK();
    });
    driver.OnOpen(wkit::Template(IDD_ACCESS_PASSWORD), [](wkit::Window& w) {
        w.HelpOn(IDC_ACCESS_PASSWORD);
        w.SetText(IDC_ACCESS_PASSWORD, "m");
        w.PressOK();
    });
    StorePassword(1, Scrambled("m"));
    EXPECT_TRUE(frame_->Login());
    ASSERT_EQ(recorders_.help.size(), 2u);
    EXPECT_EQ(recorders_.help[0].command, (UINT)HH_DISPLAY_TEXT_POPUP);
    EXPECT_EQ(recorders_.help[0].data, (DWORD_PTR)(HID_BASE_CONTROL + IDC_LEVEL_SPECIALIST));
    EXPECT_EQ(recorders_.help[1].data, (DWORD_PTR)(HID_BASE_CONTROL + IDC_ACCESS_PASSWORD));
}

TEST_F(Login, ThePasswordDialogOpensCentredOverItsParent) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_ACCESS_PASSWORD), [this](wkit::Window& w) {
        RECT dialog, parent;
        GetWindowRect(w.Handle(), &dialog);
        GetWindowRect(hFrame_, &parent);
        EXPECT_NEAR((dialog.left + dialog.right) / 2, (parent.left + parent.right) / 2, 2);
        EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (parent.top + parent.bottom) / 2, 2);
        w.PressOK();
    });
    CAccessPasswordDlg dialog(frame_);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(std::string(dialog.m_strPassword), "");
}

// ---- Set Password -------------------------------------------------------------------------

class SetPassword : public MainFrameTest {
protected:
    void SetUp() override {
        MainFrameTest::SetUp();
        frame_->SetAccessLevel(2);
    }
    void ChangePassword(wkit::Driver& driver, const char* oldPassword, const char* newPassword) {
        driver.OnOpen(wkit::Template(IDD_SET_PASSWORD),
                      [oldPassword, newPassword](wkit::Window& w) {
                          w.SetText(IDC_PASSWORD_OLD, oldPassword);
                          w.SetText(IDC_PASSWORD_NEW, newPassword);
                          w.SetText(IDC_PASSWORD_CONFIRM, newPassword);
                          w.PressOK();
                      });
    }
};

TEST_F(SetPassword, AMismatchKeepsTheDialogWithBothFieldsEmptied) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_SET_PASSWORD), [this](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "Set Password");
        EXPECT_EQ(w.Text(IDC_PASSWORD_LEVEL), "Specialist           ");
        w.SetText(IDC_PASSWORD_NEW, "abc");
        w.SetText(IDC_PASSWORD_CONFIRM, "abd");
        w.PressOK();
        ASSERT_TRUE(w.IsOpen());
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(boxes_.texts[0],
                  "The new password and the confirmation are not identical. \nPlease re-enter "
                  "them.");
        EXPECT_EQ(w.Text(IDC_PASSWORD_NEW), "");
        EXPECT_EQ(w.Text(IDC_PASSWORD_CONFIRM), "");
        EXPECT_EQ(w.FocusId(), IDC_PASSWORD_NEW);
        EXPECT_EQ(StoredPassword(2), "<none>");
        w.SetText(IDC_PASSWORD_NEW, "abc");
        w.SetText(IDC_PASSWORD_CONFIRM, "abc");
        w.PressOK();
    });
    Command(ID_SET_PASSWORD);
    EXPECT_TRUE(driver.AllRan());
    EXPECT_EQ(StoredPassword(2), Scrambled("abc"));
    EXPECT_EQ(boxes_.texts.size(), 1u);
}

TEST_F(SetPassword, AWrongOldPasswordWritesNothing) {
    StorePassword(2, Scrambled("secret"));
    wkit::Driver driver;
    ChangePassword(driver, "nope", "other");
    Command(ID_SET_PASSWORD);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "You are not allowed to change the password.");
    EXPECT_EQ(StoredPassword(2), Scrambled("secret"));
}

TEST_F(SetPassword, AnEmptyNewPasswordRemovesThePrompt) {
    StorePassword(2, Scrambled("secret"));
    {
        wkit::Driver driver;
        ChangePassword(driver, "secret", "");
        Command(ID_SET_PASSWORD);
    }
    EXPECT_TRUE(boxes_.texts.empty());
    EXPECT_EQ(StoredPassword(2), "");
    // No password dialog now.
    wkit::Driver driver;
    EXPECT_TRUE(frame_->CheckAccessPassword());
}

TEST_F(SetPassword, CancelChangesNothingAndLevelOneCannotAsk) {
    StorePassword(2, Scrambled("secret"));
    {
        wkit::Driver driver;
        driver.OnOpen(wkit::Template(IDD_SET_PASSWORD), [](wkit::Window& w) {
            w.SetText(IDC_PASSWORD_OLD, "secret");
            w.PressCancel();
        });
        Command(ID_SET_PASSWORD);
    }
    EXPECT_EQ(StoredPassword(2), Scrambled("secret"));

    frame_->SetAccessLevel(1);
    wkit::Driver driver;  // a dialog that opened would fail the test
    Command(ID_SET_PASSWORD);
    wkit::Driver::Pump(50);
    EXPECT_EQ(StoredPassword(2), Scrambled("secret"));
}

TEST_F(SetPassword, HelpButtonAndControlHelp) {
    shelltest::ProgramFolder folder;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_SET_PASSWORD), [](wkit::Window& w) {
        w.PressHelp();
        w.HelpOn(IDC_PASSWORD_OLD);
        w.PressCancel();
    });
    Command(ID_SET_PASSWORD);
    ASSERT_EQ(recorders_.help.size(), 2u);
    EXPECT_EQ(recorders_.help[0].command, (UINT)HH_HELP_CONTEXT);
    EXPECT_EQ(recorders_.help[0].data, (DWORD_PTR)0x2008A);
    EXPECT_EQ(recorders_.help[1].command, (UINT)HH_DISPLAY_TEXT_POPUP);
    EXPECT_EQ(recorders_.help[1].data, (DWORD_PTR)(HID_BASE_CONTROL + IDC_PASSWORD_OLD));
}

}  // namespace
}  // namespace frametest
