// Support of the access layer's unit tests.
#include "access_test_support.h"

#include "serialparam.h"
#include "utilvask_seams.h"

// ---- the clock ---------------------------------------------------------------------------------

namespace testclock {
namespace {

std::atomic<bool> g_frozen(false);
std::atomic<DWORD> g_frozenAt(0);
std::atomic<DWORD> g_offset(0);

DWORD WINAPI Time() {
    if (g_frozen) return g_frozenAt;
    return timeGetTime() + g_offset;
}

}  // namespace

void Install() {
    static const CMTimerPlatform platform = {Time, NULL, NULL, NULL};
    SetTimerPlatform(&platform);
}

void Freeze() {
    g_frozenAt = Time();
    g_frozen = true;
}

void Thaw() {
    if (!g_frozen) return;
    g_offset = g_frozenAt - timeGetTime();
    g_frozen = false;
}

void Advance(DWORD ms) {
    if (g_frozen)
        g_frozenAt += ms;
    else
        g_offset += ms;
}

DWORD Now() { return Time(); }

}  // namespace testclock

// Before any test runs; the access objects' timers must all read this clock.
static const bool g_clockInstalled = (testclock::Install(), true);

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms) return condition();
        ::Sleep(1);
    }
    return true;
}

// ---- the recording window ------------------------------------------------------------------------

namespace {
const char kWindowClass[] = "AccessTestRecorder";
}

RecordingWindow::RecordingWindow() {
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = kWindowClass;
        atom = RegisterClassA(&wc);
    }
    m_hwnd = CreateWindowA(kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                           GetModuleHandleA(NULL), this);
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, (LONG_PTR)this);
    m_wnd.Attach(m_hwnd);
}

RecordingWindow::~RecordingWindow() {
    m_wnd.Detach();
    DestroyWindow(m_hwnd);
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    RecordingWindow* self = (RecordingWindow*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    if (self != NULL && message >= WM_USER) {
        self->m_got.push_back({message, wParam});
        if (message == self->m_repost) PostMessageA(hwnd, message, wParam + 1, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<WPARAM> RecordingWindow::Received(UINT message) {
    std::vector<WPARAM> result;
    for (auto& got : m_got)
        if (got.first == message) result.push_back(got.second);
    return result;
}

void RecordingWindow::Drain() {
    MSG msg;
    while (PeekMessageA(&msg, m_hwnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// ---- the fixture ---------------------------------------------------------------------------------

SerialParam TestSerialParam() {
    SerialParam param = {2, 0, 0, 1, 0};
    return param;
}

void AccessFixture::SetUp() {
    testclock::Freeze();
    bus.SetOnReceive([] { testclock::Advance(1); });
    scripted::UseBus(&bus);
}

void AccessFixture::TearDown() {
    JoinOrEnd("a worker of the test did not end");
    access.Done();
    scripted::UseBus(NULL);
    testclock::Thaw();
}

void AccessFixture::Open(CvaskAccess& a) {
    ASSERT_EQ(1, a.Init("VASK", "COM9", TestSerialParam())) << (LPCSTR)a.GetLastError().text;
}

CDeviceData* AccessFixture::AddDevice(CvaskAccess& a, int address, int components, int ranges) {
    CDeviceData* device = new CDeviceData;
    device->SetAddress(address);
    device->SetComponentCount(components);
    device->SetRangeCount(ranges);
    a.GetDeviceList()->AddTail(device);
    return device;
}

std::vector<std::string> AccessFixture::Requests() {
    std::vector<std::string> result;
    for (const scripted::SentRequest& r : bus.Sent()) {
        char text[64];
        snprintf(text, sizeof text, "%c%d %s", r.command, r.function, r.address.c_str());
        result.push_back(text);
    }
    return result;
}

DWORD WINAPI AccessFixture::WorkerProc(LPVOID self) {
    static_cast<AccessFixture*>(self)->m_work();
    return 0;
}

void AccessFixture::Start(std::function<void()> work) {
    ASSERT_EQ(NULL, m_worker);
    m_work = std::move(work);
    m_worker = CreateThread(NULL, 0, WorkerProc, this, 0, NULL);
    ASSERT_NE((HANDLE)NULL, m_worker);
}

bool AccessFixture::Join(DWORD ms) {
    if (m_worker == NULL) return true;
    if (WaitForSingleObject(m_worker, ms) != WAIT_OBJECT_0) return false;
    CloseHandle(m_worker);
    m_worker = NULL;
    return true;
}

void AccessFixture::JoinOrEnd(const char* what, DWORD ms) {
    if (Join(ms)) return;
    ADD_FAILURE() << what << " within " << ms << " ms; the test program ends here";
    fflush(stdout);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 4);
}

DWORD AccessFixture::AdvanceUntilFinished(DWORD step, DWORD limit) {
    DWORD moved = 0;
    while (!Join(20) && moved < limit) {
        testclock::Advance(step);
        moved += step;
    }
    return moved;
}

bool AccessFixture::Finished() {
    return m_worker == NULL || WaitForSingleObject(m_worker, 0) == WAIT_OBJECT_0;
}
