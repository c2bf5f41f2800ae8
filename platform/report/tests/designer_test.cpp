// The designer, driven as a user would: the declared names beside the form's text, Save that
// writes (or creates) the form, Cancel that keeps it, and the faults it refuses to save.
#include "../res/resource.h"
#include "report_test.h"

using namespace rtest;

namespace {

const char kForm[] =
    "VASKFORM 1\n"
    "text \"Title\" 15 10 180 8\n"
    "    \"List of parameters\"\n"
    "end\n";

const char kEdited[] =
    "VASKFORM 1\r\n"
    "text \"Title\" 15 10 180 8\r\n"
    "    \"Edited list\"\r\n"
    "end\r\n";

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    LRESULT n = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[128] = {};
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::string EditText(HWND dlg) {
    HWND edit = GetDlgItem(dlg, IDC_DSG_TEXT);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    GetWindowTextA(edit, &text[0], static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
}

// Waits for the message box that the dialog shows, returns its text and closes it.
std::string AnswerMessageBox(HWND dlg, const std::string& caption) {
    ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    HWND box = nullptr;
    while (!box && GetTickCount64() < deadline) {
        HWND w = FindDialog(caption);
        if (w && w != dlg && GetWindow(w, GW_OWNER) == dlg) box = w;
        Sleep(10);
    }
    if (!box) return std::string();
    std::string text = WindowText(GetDlgItem(box, 0xFFFF));
    Click(box, IDOK);
    while (IsWindow(box) && GetTickCount64() < deadline) Sleep(10);
    return text;
}

// A job with the names of the list of parameters declared, as "Print Forms..." does.
int DeclaredJob() {
    int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    LlSetOption(job, LL_OPTION_PROGRAM, 1);
    LlDefineVariableStart(job);
    LlDefineVariableA(job, "VCompany", "VCompany");
    LlDefineVariableA(job, "VInstrument", "VInstrument");
    LlDefineFieldStart(job);
    LlDefineFieldExtA(job, "FParameter", " ", LL_TYPE_TEXT, nullptr);
    LlDefineFieldExtA(job, "FValue", " ", LL_TYPE_TEXT, nullptr);
    return job;
}

TEST(Designer, ListsTheDeclaredNamesAndSavesTheEditedForm) {
    TempDir dir;
    std::string path = dir.File("List of parameters.form");
    WriteText(path, kForm);
    OwnerWindow owner;
    int job = DeclaredJob();
    struct Seen {
        std::string caption, path, text, afterInsert;
        std::vector<std::string> variables, fields;
        HWND owner = nullptr;
    } seen;
    DialogPlayer player("Edit", [&](HWND dlg) {
        seen.caption = WindowText(dlg);
        seen.owner = GetWindow(dlg, GW_OWNER);
        seen.path = WindowText(GetDlgItem(dlg, IDC_DSG_PATH));
        seen.text = EditText(dlg);
        seen.variables = ListItems(GetDlgItem(dlg, IDC_DSG_VARIABLES));
        seen.fields = ListItems(GetDlgItem(dlg, IDC_DSG_FIELDS));
        // A double click on a name puts its reference at the caret.
        HWND list = GetDlgItem(dlg, IDC_DSG_FIELDS);
        SendMessageA(list, LB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(dlg, IDC_DSG_TEXT, EM_SETSEL, 0, 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DSG_FIELDS, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(list));
        seen.afterInsert = EditText(dlg);
        SetDlgItemTextA(dlg, IDC_DSG_TEXT, kEdited);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, path.c_str()), LL_OK);
    player.Join();
    LlJobClose(job);
    ASSERT_TRUE(player.Found()) << player.Missed();
    EXPECT_EQ(seen.caption, "Edit - List of parameters.form");
    EXPECT_EQ(seen.owner, owner.Handle());
    EXPECT_EQ(seen.path, path);
    EXPECT_EQ(seen.text,
              "VASKFORM 1\r\ntext \"Title\" 15 10 180 8\r\n"
              "    \"List of parameters\"\r\nend\r\n");
    EXPECT_EQ(seen.variables, (std::vector<std::string>{"VCompany", "VInstrument"}));
    EXPECT_EQ(seen.fields, (std::vector<std::string>{"FParameter", "FValue"}));
    EXPECT_EQ(seen.afterInsert.compare(0, 8, "{FValue}"), 0) << seen.afterInsert;
    EXPECT_EQ(ReadText(path), kEdited);
    EXPECT_FALSE(Exists(path + ".new"));
}

TEST(Designer, CreatesAMissingFormOnSave) {
    TempDir dir;
    std::string path = dir.File("Drift values.form");
    OwnerWindow owner;
    int job = DeclaredJob();
    std::string shown;
    DialogPlayer player("Edit", [&](HWND dlg) {
        shown = EditText(dlg);
        Click(dlg, IDOK);
    });
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, path.c_str()), LL_OK);
    player.Join();
    LlJobClose(job);
    EXPECT_EQ(shown.compare(0, 10, "VASKFORM 1"), 0) << shown;
    EXPECT_EQ(ReadText(path), shown);
}

TEST(Designer, CancelKeepsTheFormAndAFaultyFormIsNotSaved) {
    TempDir dir;
    std::string path = dir.File("Diagram.form");
    WriteText(path, kForm);
    OwnerWindow owner;
    int job = DeclaredJob();
    std::string message;
    bool openAfterFault = false;
    DialogPlayer player("Edit", [&](HWND dlg) {
        SetDlgItemTextA(dlg, IDC_DSG_TEXT, "VASKFORM 1\r\ntext \"T\" 0 0 10 10\r\nend\r\n");
        Click(dlg, IDOK);
        message = AnswerMessageBox(dlg, "Edit");
        openAfterFault = IsWindowVisible(dlg) != FALSE;
        SetDlgItemTextA(dlg, IDC_DSG_TEXT, kEdited);  // valid, but cancelled
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, path.c_str()), LL_OK);
    player.Join();
    LlJobClose(job);
    EXPECT_NE(message.find("Line 3:"), std::string::npos) << message;
    EXPECT_TRUE(openAfterFault);
    EXPECT_EQ(ReadText(path), kForm);
}

TEST(Designer, IsNegativeOnlyWhenTheFormCannotBeReadOrWritten) {
    TempDir dir;
    OwnerWindow owner;
    int job = DeclaredJob();
    // A folder is no form: refused before any dialog.
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, dir.Path().c_str()),
              LL_ERR_FORM);
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, nullptr),
              LL_ERR_PARAMETER);
    EXPECT_EQ(FindDialog("Edit"), nullptr);

    // A form in a folder that does not exist opens as new, and cannot be written.
    std::string path = dir.File("no folder\\Diagram.form");
    std::string message;
    bool openAfterFault = false;
    DialogPlayer player("Edit", [&](HWND dlg) {
        Click(dlg, IDOK);
        message = AnswerMessageBox(dlg, "Edit");
        openAfterFault = IsWindowVisible(dlg) != FALSE;
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(LlDefineLayoutA(job, owner.Handle(), "Edit", LL_PROJECT_LIST, path.c_str()),
              LL_ERR_FILE);
    player.Join();
    LlJobClose(job);
    EXPECT_NE(message.find("cannot be written"), std::string::npos) << message;
    EXPECT_TRUE(openAfterFault);
    EXPECT_FALSE(Exists(path));
}

}  // namespace
