// The application: the stand-in without an application object, the profile in the
// registry (nested sections, wrong value types), the message pump and the message box seam.
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kMaker = "VaskfcTest";

// Reads a value straight from the registry, bypassing the profile functions.
bool RawValue(const char* key, const char* name, DWORD* type, std::string* data) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    char buf[1024];
    DWORD size = sizeof buf;
    LONG r = RegQueryValueExA(h, name, NULL, type, (LPBYTE)buf, &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS) return false;
    data->assign(buf, size);
    return true;
}

bool KeyExists(const char* key) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

TEST(Application, StandInWithoutAnApplicationObject) {
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(AfxGetApp(), app);
    EXPECT_STREQ(AfxGetAppName(), "vaskfc_app_test");
    EXPECT_STREQ(app->m_pszExeName, "vaskfc_app_test");
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(NULL));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);  // the stand-in is no thread of its own
    // Without a registry key the profile is the private profile file; missing values
    // read as their defaults.
    EXPECT_EQ(app->GetProfileInt("Program options", "DuplicateTimeout", 400), 400u);
    EXPECT_EQ(app->GetProfileString("Program options", "Network"), "");
}

class Profile : public ::testing::Test {
protected:
    // An application object of the program, as KorvanGA has one.
    Profile() : app_("vaskfc profile test") {}
    void SetUp() override {
        ASSERT_EQ(AfxGetApp(), &app_);
        app_.SetRegistryKey(kMaker);
        base_ = std::string("Software\\") + kMaker + "\\vaskfc profile test";
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kMaker).c_str());
    }
    void PutRaw(const char* section, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY h;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\" + section).c_str(), 0, NULL, 0,
                                  KEY_WRITE, NULL, &h, NULL),
                  ERROR_SUCCESS);
        RegSetValueExA(h, name, 0, type, (const BYTE*)data, size);
        RegCloseKey(h);
    }

    CWinApp app_;
    std::string base_;
};

TEST_F(Profile, ValuesInNestedSectionsLandWhereTheyBelong) {
    EXPECT_TRUE(app_.WriteProfileInt("Converter\\COM1", "Hardware", 3));
    EXPECT_TRUE(app_.WriteProfileString("Converter\\COM1", "Port", "COM1"));
    EXPECT_TRUE(app_.WriteProfileInt("Program options", "Operation mode", -1));
    EXPECT_EQ(app_.GetProfileInt("Converter\\COM1", "Hardware", 0), 3u);
    EXPECT_EQ(app_.GetProfileString("Converter\\COM1", "Port", "x"), "COM1");
    EXPECT_EQ((int)app_.GetProfileInt("Program options", "Operation mode", 0), -1);

    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(RawValue((base_ + "\\Converter\\COM1").c_str(), "Hardware", &type, &data));
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(data, std::string("\x03\0\0\0", 4));
    ASSERT_TRUE(RawValue((base_ + "\\Converter\\COM1").c_str(), "Port", &type, &data));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(data, std::string("COM1\0", 5));

    // An umlaut travels as its code page 1252 byte.
    EXPECT_TRUE(app_.WriteProfileString("Access", "Name", "M\xFCller"));
    EXPECT_EQ(app_.GetProfileString("Access", "Name"), "M\xFCller");
    // A text longer than any first guess of a buffer.
    std::string longText(5000, 'x');
    EXPECT_TRUE(app_.WriteProfileString("Program options", "Long", longText.c_str()));
    EXPECT_EQ(std::string(app_.GetProfileString("Program options", "Long")), longText);
}

TEST_F(Profile, MissingAndMistypedValuesReadAsTheDefault) {
    struct Case {
        const char* what;
        DWORD type;
        std::string data;
        UINT asInt;
        const char* asString;
    };
    const Case cases[] = {
        {"text where a number belongs", REG_SZ, std::string("12\0", 3), 400, "12"},
        {"number where a text belongs", REG_DWORD, std::string("\x07\0\0\0", 4), 7, "dflt"},
        {"short binary", REG_BINARY, std::string("\x01\x02", 2), 400, "dflt"},
        {"text without its terminator", REG_SZ, std::string("abc", 3), 400, "abc"},
        {"empty text", REG_SZ, std::string("\0", 1), 400, ""},
    };
    for (const Case& c : cases) {
        PutRaw("Odd", "Value", c.type, c.data.data(), (DWORD)c.data.size());
        EXPECT_EQ(app_.GetProfileInt("Odd", "Value", 400), c.asInt) << c.what;
        EXPECT_EQ(std::string(app_.GetProfileString("Odd", "Value", "dflt")), c.asString) << c.what;
    }
    EXPECT_EQ(app_.GetProfileInt("No such section", "Value", 400), 400u);
    EXPECT_EQ(app_.GetProfileString("No such section", "Value"), "");
    EXPECT_EQ(app_.GetProfileString("Odd", "No such value", "dflt"), "dflt");
    // Reading creates nothing.
    EXPECT_FALSE(KeyExists((base_ + "\\No such section").c_str()));
}

TEST_F(Profile, NullValueDeletesTheEntryNullEntryTheSection) {
    app_.WriteProfileString("Converter\\COM2", "Port", "COM2");
    app_.WriteProfileString("Converter\\COM2\\Deeper", "Kept", "1");
    app_.WriteProfileString("Converter", "Other", "1");
    EXPECT_TRUE(app_.WriteProfileString("Converter\\COM2", "Port", NULL));
    EXPECT_EQ(app_.GetProfileString("Converter\\COM2", "Port", "gone"), "gone");
    EXPECT_EQ(app_.GetProfileString("Converter\\COM2\\Deeper", "Kept"), "1");
    EXPECT_TRUE(app_.WriteProfileString("Converter\\COM2", NULL, NULL));
    EXPECT_FALSE(KeyExists((base_ + "\\Converter\\COM2").c_str()));
    EXPECT_EQ(app_.GetProfileString("Converter", "Other"), "1");
    EXPECT_TRUE(app_.WriteProfileString("Never there", NULL, NULL));
}

// --- message pump -------------------------------------------------------------------------

std::vector<UINT> g_received;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) {
        g_received.push_back(message);
        return 42;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class Window : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "VaskfcRecording";
        RegisterClassA(&wc);
        HWND h = CreateWindowA("VaskfcRecording", "", 0, 0, 0, 1, 1, HWND_MESSAGE, NULL,
                               wc.hInstance, NULL);
        ASSERT_NE(h, nullptr);
        wnd_.Attach(h);
        g_received.clear();
    }
    void TearDown() override { DestroyWindow(wnd_.Detach()); }
    CWnd wnd_;
};

TEST_F(Window, PumpDispatchesPostedMessagesAndStopsAtQuit) {
    EXPECT_EQ(wnd_.SendMessage(WM_APP + 1), 42);
    EXPECT_TRUE(wnd_.PostMessage(WM_APP + 2, 0, 0));
    EXPECT_TRUE(wnd_.PostMessage(WM_APP + 3, 0, 0));
    CWinApp* app = AfxGetApp();
    EXPECT_TRUE(app->PumpMessage());
    EXPECT_TRUE(app->PumpMessage());
    EXPECT_EQ(g_received, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 3}));
    PostQuitMessage(3);
    EXPECT_FALSE(app->PumpMessage());
    EXPECT_EQ(static_cast<HWND>(wnd_), wnd_.m_hWnd);
}

// --- message boxes --------------------------------------------------------------------------

struct Asked {
    std::vector<std::string> texts;
    std::vector<UINT> types;
    int answer = IDNO;
};

int Answer(LPCSTR text, UINT type, UINT, void* context) {
    Asked* asked = static_cast<Asked*>(context);
    asked->texts.push_back(text);
    asked->types.push_back(type);
    return asked->answer;
}

TEST(MessageBox, TheSeamAnswersInsteadOfTheUser) {
    Asked asked;
    AfxSetMessageBoxHook(Answer, &asked);
    EXPECT_EQ(
        AfxMessageBox("Do you really want to exit the application?", MB_YESNO | MB_ICONQUESTION),
        IDNO);
    asked.answer = IDYES;
    CString text;
    AfxFormatString1(text, 301, "Warning");
    EXPECT_EQ(AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    asked.answer = IDOK;
    EXPECT_EQ(AfxMessageBox(300), IDOK);  // a text from the string table
    CArchiveException e(CArchiveException::endOfFile, "C:\\data\\offline.prm");
    e.m_bAutoDelete = FALSE;
    e.ReportError();
    AfxSetMessageBoxHook(NULL, NULL);
    ASSERT_EQ(asked.texts.size(), 4u);
    EXPECT_EQ(asked.texts[1], "Warning. Do you want to write the parameter set anyway?");
    EXPECT_EQ(asked.types[1], (UINT)(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(asked.texts[2], "program only");
    EXPECT_EQ(asked.texts[3], "The file ends unexpectedly: C:\\data\\offline.prm");
}

}  // namespace
