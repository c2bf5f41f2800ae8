// The window test kit: drives the program's dialogs, property sheets, message boxes and file
// dialogs from the test's own thread, records help calls and message boxes, and saves
// screenshots for people.
//
// A Driver watches the dialog windows (class "#32770") that its thread opens while the
// thread runs a message loop: the modal loop of DoModal, MessageBox or a file dialog, the
// program's loop, or Driver::Pump. When a window opens, the first script whose Match fits it
// runs with a Window for it; the script sets texts, checks boxes, picks entries, presses
// buttons and reads what the window shows, as the user would. A script runs once; scripts
// are tried in the order given. A window that no script closes within the limit (5 s unless
// SetLimit says else) is closed by the kit and the test fails; a window that still does not
// go ends the program with exit code 5, so nothing hangs the run.
//
//     TEST(Settings, ACycleTimeBelowTheRangeKeepsThePage) {
//         wkit::BoxRecorder boxes;               // AfxMessageBox answers IDOK
//         wkit::HelpRecorder help;               // no help window opens
//         wkit::Driver driver;
//         driver.OnOpen(wkit::Template(IDD_GENERAL), [&](wkit::Window& sheet) {
//             sheet.SetText(IDC_CYCLE, "999");
//             sheet.PressOK();                   // refused: the page stays
//             EXPECT_EQ(sheet.FocusId(), IDC_CYCLE);
//             sheet.HelpOn(IDC_CYCLE);           // WM_HELP as F1 gives it
//             sheet.PressCancel();
//         });
//         CSettingsSheet sheet;
//         EXPECT_EQ(sheet.DoModal(), IDCANCEL);
//         ASSERT_EQ(boxes.texts.size(), 1u);
//         EXPECT_TRUE(help.Has(HELP_CONTEXTPOPUP, 0x50000 + IDC_CYCLE));
//     }                                          // a script that never ran fails the test
//
// Message boxes that do not pass AfxMessageBox (MessageBox, the positioned box) are answered
// by their text: driver.AnswerBox("overwrite", IDYES). A file dialog gets its file with
// driver.NameFile(path). A modeless window the test opens itself is driven with
// wkit::Window(hWnd) directly; driver.Exempt(hWnd) keeps the limit off it.
//
// Screenshots: Window::Shot("name") saves the window as docs/images/name.png when the
// environment variable VASK_SCREENSHOTS is 1 (or names another folder); tests never compare
// images.
//
// Focus: parallel tests share one display. A test that asserts where the focus is, or moves
// it with keys, is added with vask_add_gtest(... FOCUS ...): the kit then runs its main
// thread in a desktop of its own (VASK_OWN_DESKTOP), whose focus no other test can take.
#pragma once

#include "vaskfc.h"

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace wkit {

// --- recorders -------------------------------------------------------------------------------

// A help request that reached the class library's routing function.
struct HelpCall {
    HWND hWnd;
    std::string file;
    UINT nCmd;
    DWORD_PTR dwData;
    BOOL bHtml;
};

// While it lives, every help request is recorded and nothing is shown; `answer` is what the
// routing function returns.
class HelpRecorder {
public:
    HelpRecorder();
    ~HelpRecorder();
    HelpRecorder(const HelpRecorder&) = delete;
    HelpRecorder& operator=(const HelpRecorder&) = delete;

    // Whether a request with this command and data was made.
    bool Has(UINT nCmd, DWORD_PTR dwData) const;

    std::vector<HelpCall> calls;
    BOOL answer = TRUE;
};

// While it lives, AfxMessageBox shows nothing: each text is recorded and answered with the
// next of `answers`, else with `answer`.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    std::vector<std::string> texts;
    std::vector<UINT> types;  // MB_ flags of each box
    std::deque<int> answers;
    int answer = IDOK;
    // Runs for each box before it is answered, with its text: what happens while the user
    // reads a box (its loop handles the program's timers and messages meanwhile).
    std::function<void(const std::string& text)> whileOpen;
};

// --- a window --------------------------------------------------------------------------------

// A dialog, property sheet, message box or file dialog, seen and worked as the user does.
// Every action fails the test (and does nothing) when its control is missing, hidden or
// disabled, as the user could not do it either. Controls are looked up on the shown page of a
// sheet first, then in the window itself and its descendants.
class Window {
public:
    explicit Window(HWND hWnd);

    HWND Handle() const { return hWnd_; }
    bool IsOpen() const;
    std::string Caption() const;
    // The window's object of the class library (a CDialog, CPropertySheet, ...), or NULL.
    CWnd* Object() const;
    // The template of a CDialog (a page's for a page), 0 for other windows.
    UINT TemplateId() const;

    // --- property sheets ---
    bool IsSheet() const;
    int PageCount() const;
    int ActivePage() const;
    // The shown page's window, NULL for no sheet.
    HWND Page() const;
    // Selects the tab as a click does; false when the page left refused.
    bool SelectPage(int index);

    // --- controls ---
    HWND Control(int id) const;  // NULL (and a failure) when missing
    bool Has(int id) const;      // no failure
    // Types the text over the whole text of an edit (or a combo box's edit): the control
    // reports EN_UPDATE and EN_CHANGE (CBN_EDITUPDATE, CBN_EDITCHANGE) as typing does. In a
    // drop-down list it picks the entry.
    void SetText(int id, const std::string& text);
    // Clicks a check box or radio button until it shows the state (BST_CHECKED, ...).
    void Check(int id, int state = BST_CHECKED);
    void Click(int id);
    // Selects the entry of a list or combo box with exactly this text, with the selection's
    // notification (LBN_SELCHANGE, CBN_SELCHANGE).
    void Pick(int id, const std::string& entry);
    void PickIndex(int id, int index);
    // A click on the check box of item `index` of a check-list box.
    void ClickItemBox(int id, int index);
    // A key pressed on the control (WM_KEYDOWN, WM_CHAR for a character, WM_KEYUP).
    void Key(int id, UINT vk);
    // WM_HELP for the control, as F1 or the caption's "?" gives it.
    void HelpOn(int id);
    void PressOK();
    void PressCancel();
    void PressApply();  // a sheet's Apply (ID_APPLY_NOW)
    void PressHelp();   // a sheet's Help (9), a dialog's Help (ID_HELP, else 9)
    // The close box of the caption.
    void Close();

    // --- reading ---
    std::string Text(int id) const;
    int CheckState(int id) const;
    bool IsEnabled(int id) const;
    bool IsVisible(int id) const;
    std::vector<std::string> Items(int id) const;  // a list's or combo box's entries
    std::string Selection(int id) const;           // "" when none
    int SelectionIndex(int id) const;              // -1 when none
    int FocusId() const;                           // the focused control's id, 0 for none
    // A message box's text (the plain and the positioned box).
    std::string BoxText() const;

    // --- special windows ---
    // A file dialog: types the path as the file name and presses the dialog's OK.
    void NameFile(const std::string& path);
    // Saves the window's image when VASK_SCREENSHOTS asks for it.
    void Shot(const std::string& name) const;
    // A window opened by the program that stays open after its script (modeless): the
    // limit does not apply.
    void KeepOpen();

    // A window of the thread: the last opened dialog that is shown and enabled, or NULL.
    static HWND TopDialog();

private:
    HWND Usable(int id, const char* action) const;
    HWND Find(int id) const;
    void Notify(HWND hWndCtrl, int code) const;

    HWND hWnd_;
};

// --- matching ------------------------------------------------------------------------------

// What a script waits for.
class Match {
public:
    std::function<bool(const Window&)> test;
    std::string what;  // for failure messages
};

// A dialog of that template, or a property sheet with a page of that template.
Match Template(UINT id);
// A window whose object is of that class (or derives from it).
Match Class(CRuntimeClass* pClass);
// A window with exactly that caption.
Match Caption(const std::string& caption);
// A message box (MessageBox, the positioned box) whose text contains `part`.
Match Box(const std::string& part);
// The system's open or save dialog.
Match FileDialog();
// Any dialog window.
Match AnyDialog();

// --- the driver -------------------------------------------------------------------------------

using Script = std::function<void(Window&)>;

class Driver {
public:
    Driver();   // for the calling thread; one at a time
    ~Driver();  // fails the test for scripts that never ran
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // The next window that fits runs the script.
    Driver& OnOpen(const Match& match, Script script);
    // Every window that fits runs the script.
    Driver& OnEveryOpen(const Match& match, Script script);
    // The next message box whose text contains `part` is answered with the button.
    Driver& AnswerBox(const std::string& part, int button);
    // The next file dialog gets the path, or is cancelled.
    Driver& NameFile(const std::string& path);
    Driver& CancelFile();

    // The kit leaves this window alone (the test drives it itself).
    void Exempt(HWND hWnd);
    // How long a window may stay open.
    void SetLimit(DWORD ms) { limitMs_ = ms; }
    // The texts of the message boxes that the kit saw (plain and positioned ones).
    const std::vector<std::string>& BoxTexts() const { return boxTexts_; }
    // Whether every one-shot script has run.
    bool AllRan() const;

    // The thread's messages for ms milliseconds (at least one pass), each handed to the
    // program's PreTranslateMessage first, as the program's loop does; then the idle work.
    static void Pump(DWORD ms = 0);
    // Pumps until done() or the time is up; done()'s last answer.
    static bool PumpUntil(const std::function<bool()>& done, DWORD ms);

    // The driver of the calling thread, or NULL.
    static Driver* Current();

private:
    struct Entry {
        Match match;
        Script script;
        bool every;
        bool ran;
    };
    struct Seen {
        ULONGLONG since;
        bool running = false;
        bool handled = false;
        bool exempt = false;
        ULONGLONG closedByKit = 0;
    };

    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Visit(HWND hWnd, ULONGLONG now);
    void CloseForTheTest(HWND hWnd, Seen& seen, ULONGLONG now);

    std::vector<Entry> entries_;
    std::map<HWND, Seen> seen_;
    std::set<HWND> before_;  // windows that existed when the driver began
    std::vector<std::string> boxTexts_;
    DWORD limitMs_ = 5000;
    UINT_PTR timer_ = 0;
    Driver* previous_ = nullptr;
};

// --- whole texts -------------------------------------------------------------------------------

// How much room a text needs in the font of a window and how much the window gives it, in
// pixels. A test asserts Fits() and prints the record when it does not.
struct TextRoom {
    std::string text;
    int needWidth = 0, needHeight = 0;  // the text's extent in the window's font
    int roomWidth = 0, roomHeight = 0;  // the room the window has for it
    bool Fits() const { return needWidth <= roomWidth && needHeight <= roomHeight; }
    std::string Describe() const;  // "text" needs W x H, has W x H
};

// The text measured with GetTextExtentPoint32 in the font that hWnd draws with (WM_GETFONT,
// else the system font), one line per piece between line breaks: the widest line and the
// lines' heights together, against the room given.
TextRoom MeasureText(HWND hWnd, const std::string& text, int roomWidth, int roomHeight);

// The control's own text against its client area, as the control shows it: a static text
// wraps at words, unless its style shows one line (SS_CENTERIMAGE, SS_SIMPLE,
// SS_LEFTNOWORDWRAP), whose line break is no break; a check box or radio button leaves room
// for its box, an edit for its margins; a drop-down list its arrow.
TextRoom WholeText(HWND hWndControl);

// Every entry of a list box, or of a combo box's list, against the list's width (a list
// box that scrolls sideways: its horizontal extent, when that is wider).
std::vector<TextRoom> WholeEntries(HWND hWndList);

// Every cell of a report-style list view against its column (less the list view's margins).
std::vector<TextRoom> WholeCells(HWND hWndListView);

// Every pane of a status bar against the pane (less its borders).
std::vector<TextRoom> WholePanes(HWND hWndStatusBar);

// The same in a font of the caller's (a pane or a cell that draws with a font of its own).
TextRoom MeasureText(HFONT hFont, const std::string& text, int roomWidth, int roomHeight);

// WholeText of every visible control below the window (a dialog, a page, a sheet) that shows
// a text of its own: static texts, buttons, check boxes, radio buttons, group boxes and
// single-line edits; pictures, frames and owner-drawn controls are left out.
std::vector<TextRoom> WholeTexts(HWND hWndParent);

// The records of `rooms` that do not fit, one per line; empty when all fit.
std::string Unfit(const std::vector<TextRoom>& rooms);

// A real click of the left button at a point of the screen, as the user's hand gives it:
// SendInput queues it for the window under the point. False when the input was not taken.
bool ClickAtScreen(POINT screen);

}  // namespace wkit
