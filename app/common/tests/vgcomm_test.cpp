// COM and the gateway client of a thread. The process's COM security can be set only once,
// so every case runs in a fresh process: the test starts this program again with one of the
// DISABLED_ cases below, which run only there.
#include "fake_gateway_side.h"  // winsock2.h before windows.h

#include "apputil.h"

#include "VaskGate.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// ---- The cases, each run as the first of its process --------------------------------

std::vector<std::string> g_boxes;

int RecordBox(LPCSTR text, UINT, UINT, void*) {
    g_boxes.push_back(text);
    return IDOK;
}

// Whether InitVGComm started a client on a new thread (which it leaves in COM).
bool StartsAClientOnANewThread(BOOL* result) {
    VG_ERROR clientThere = VG_OK;
    std::thread other([&] {
        *result = InitVGComm();
        clientThere = VGInitialize();  // 2 when the thread has one already
        VGUninitialize();
        CoUninitialize();
    });
    other.join();
    return clientThere == VG_ALREADY_INITIALIZED;
}

TEST(InitVGCommChild, DISABLED_FirstCallStartsTheClientLaterCallsDoNot) {
    AfxSetMessageBoxHook(RecordBox, nullptr);
    gwpeer::Record record = {};
    record[9] = 14;
    gwpeer::FakeGatewaySide gateway({{"COM1", record}});
    ASSERT_TRUE(gateway.Listening());
    gateway.Use();

    ASSERT_TRUE(InitVGComm());
    // The thread's client is there and reaches the gateway server.
    HVGSERVER server = nullptr;
    ASSERT_EQ(VGConnect("gateway-host", &server), VG_OK);
    HVGLINE line = nullptr;
    EXPECT_EQ(VGOpenLine(server, "COM1", &line), VG_OK);
    if (line) {
        EXPECT_EQ(VGCloseLine(line), VG_OK);
    }
    EXPECT_EQ(VGDisconnect(server), VG_OK);

    // Another thread: TRUE and COM for that thread, but no client.
    BOOL result = FALSE;
    HRESULT com = E_FAIL;
    std::thread other([&] {
        result = InitVGComm();
        com = CoInitializeEx(NULL, COINIT_MULTITHREADED);  // S_FALSE: initialised already
        if (SUCCEEDED(com)) CoUninitialize();
        CoUninitialize();
    });
    other.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(com, S_FALSE);
    EXPECT_FALSE(StartsAClientOnANewThread(&result)) << "a later thread gets no client";
    EXPECT_TRUE(result);
    // A second call on the first thread does not start a second client either.
    EXPECT_TRUE(InitVGComm());
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_EQ(VGUninitialize(), VG_OK);
    EXPECT_EQ(VGUninitialize(), VG_NOT_INITIALIZED);
    AfxSetMessageBoxHook(nullptr, nullptr);
}

TEST(InitVGCommChild, DISABLED_AClientErrorIsShownWithItsCode) {
    AfxSetMessageBoxHook(RecordBox, nullptr);
    // The thread has a client already: the gateway client refuses a second one (error 2).
    ASSERT_EQ(VGInitialize(), VG_OK);
    EXPECT_FALSE(InitVGComm());
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "Vask Gateway reports error 2 on initialization");
    // The security is set all the same: a later thread gets no client.
    BOOL result = FALSE;
    EXPECT_FALSE(StartsAClientOnANewThread(&result));
    EXPECT_TRUE(result);
    VGUninitialize();
    AfxSetMessageBoxHook(nullptr, nullptr);
}

TEST(InitVGCommChild, DISABLED_AThreadInAnotherApartmentGetsFalse) {
    ASSERT_EQ(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED), S_OK);
    EXPECT_FALSE(InitVGComm());
    EXPECT_EQ(VGInitialize(), VG_OK) << "no client was started";
    VGUninitialize();
    CoUninitialize();
    // Nothing was set for the process: the next caller is the first.
    BOOL result = FALSE;
    EXPECT_TRUE(StartsAClientOnANewThread(&result));
    EXPECT_TRUE(result);
}

// ---- The runner -----------------------------------------------------------------------

std::string FileText(const std::string& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs one case in a process of its own; its output goes to this test's output. Its
// result file must show that it ran and passed.
void RunAlone(const std::string& name) {
    char program[MAX_PATH];
    GetModuleFileNameA(NULL, program, sizeof program);
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string report = std::string(folder) + "korvanga_vgcomm_" + name + ".xml";
    DeleteFileA(report.c_str());
    std::string commandLine = std::string("\"") + program +
                              "\" --gtest_also_run_disabled_tests --gtest_filter=InitVGCommChild." +
                              name + " --gtest_output=xml:" + report;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                               &process));
    const DWORD waited = WaitForSingleObject(process.hProcess, 120000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << name << " did not end";
    const std::string xml = FileText(report);
    DeleteFileA(report.c_str());
    EXPECT_EQ(exitCode, 0u) << name;
    EXPECT_NE(xml.find("name=\"" + name + "\""), std::string::npos) << name << " did not run";
    EXPECT_NE(xml.find("tests=\"1\" failures=\"0\""), std::string::npos) << xml;
}

TEST(InitVGComm, FirstCallOfAProcessSetsTheSecurityAndStartsTheThreadsClientOnly) {
    RunAlone("DISABLED_FirstCallStartsTheClientLaterCallsDoNot");
}

TEST(InitVGComm, AClientErrorIsShownWithItsCodeAndGivesFalse) {
    RunAlone("DISABLED_AClientErrorIsShownWithItsCode");
}

TEST(InitVGComm, AThreadThatCannotJoinTheMultithreadedApartmentGetsFalse) {
    RunAlone("DISABLED_AThreadInAnotherApartmentGetsFalse");
}

}  // namespace
