// The window kit itself: scripts run for the windows they match, also nested ones; message
// boxes are answered by their text; a window left open fails the test and is closed; a
// script that never ran fails the test; an action the user could not take fails it; the
// recorders; screenshots when asked for.
#include "window_kit.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(WindowKit, MessageBoxesAreAnsweredByTheirTextAlsoWhenOneOpensAnother) {
    wkit::Driver driver;
    int nInner = 0;
    driver.OnOpen(wkit::Box("first"), [&](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "Kit");
        // A box opened by the script is answered by the next script meanwhile.
        nInner = MessageBoxA(w.Handle(), "second question", "Kit", MB_YESNO);
        w.Click(IDCANCEL);
    });
    driver.AnswerBox("second", IDNO);
    EXPECT_EQ(MessageBoxA(NULL, "the first question", "Kit", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(nInner, IDNO);
    EXPECT_EQ(driver.BoxTexts(), Strings({"the first question", "second question"}));
    EXPECT_TRUE(driver.AllRan());
}

TEST(WindowKit, AWindowLeftOpenFailsTheTestAndIsClosed) {
    EXPECT_NONFATAL_FAILURE(
        {
            wkit::Driver driver;
            driver.SetLimit(300);
            EXPECT_EQ(MessageBoxA(NULL, "nobody answers", "Kit", MB_OKCANCEL), IDCANCEL);
        },
        "was still open after 300 ms");
}

TEST(WindowKit, AScriptThatNeverRanFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            wkit::Driver driver;
            driver.OnOpen(wkit::Caption("Never"), [](wkit::Window&) {});
        },
        "no window came for the window \"Never\"");
}

TEST(WindowKit, WhatTheUserCouldNotDoFailsTheTest) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Box("buttons"), [](wkit::Window& w) {
        ::EnableWindow(w.Control(IDOK), FALSE);
        EXPECT_NONFATAL_FAILURE(w.Click(IDOK), "is disabled");
        EXPECT_NONFATAL_FAILURE(w.Click(4711), "has no control 4711");
        EXPECT_FALSE(w.Has(4711));
        w.PressCancel();
    });
    EXPECT_EQ(MessageBoxA(NULL, "two buttons", "Kit", MB_OKCANCEL), IDCANCEL);
}

TEST(WindowKit, TheRecordersTakeTheHooksWhileTheyLive) {
    {
        wkit::BoxRecorder boxes;
        boxes.answers = {IDYES, IDNO};
        boxes.answer = IDCANCEL;
        EXPECT_EQ(AfxMessageBox("one", MB_YESNO), IDYES);
        EXPECT_EQ(AfxMessageBox("two", MB_YESNO | MB_ICONSTOP), IDNO);
        EXPECT_EQ(AfxMessageBox("three"), IDCANCEL);
        EXPECT_EQ(boxes.texts, Strings({"one", "two", "three"}));
        EXPECT_EQ(boxes.types[1], (UINT)(MB_YESNO | MB_ICONSTOP));

        wkit::HelpRecorder help;
        EXPECT_TRUE(AfxCallHelp(NULL, "x.hlp", HELP_CONTEXT, 0x2008A, FALSE));
        EXPECT_TRUE(help.Has(HELP_CONTEXT, 0x2008A));
        EXPECT_FALSE(help.Has(HELP_CONTEXTPOPUP, 0x2008A));
    }
    // Without a recorder the box is a real one again, which the driver answers.
    wkit::Driver driver;
    driver.AnswerBox("real", IDOK);
    EXPECT_EQ(AfxMessageBox("a real box"), IDOK);
}

TEST(WindowKit, AShotIsSavedOnlyWhenAskedFor) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string dir = std::string(folder) + "vaskkit shots";
    std::string file = dir + "\\kit box.png";
    DeleteFileA(file.c_str());
    wkit::Driver driver;
    driver.OnEveryOpen(wkit::Box("picture"), [](wkit::Window& w) {
        w.Shot("kit box");
        w.PressOK();
    });
    _putenv("VASK_SCREENSHOTS=");
    MessageBoxA(NULL, "a picture", "Kit", MB_OK);
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    _putenv(("VASK_SCREENSHOTS=" + dir).c_str());
    MessageBoxA(NULL, "a picture", "Kit", MB_OK);
    _putenv("VASK_SCREENSHOTS=");
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "no shot in " << dir;
    char signature[8] = {};
    DWORD nRead = 0;
    ReadFile(h, signature, sizeof signature, &nRead, NULL);
    CloseHandle(h);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
