// The curve sheet's test kit: the sheets' kit (test application and frame as the sheets' and
// the instrument host) together with a curve host whose print calls, busy flag and node users
// the test sets and reads, and the main frame's part in the curve view: the sheet opened
// modeless on page 1, as the "&Curve View" command opens it, and the timer ticks forwarded to
// the registered timer page and to the sheet's curve page.
//
// MeasScripted<Model> is an analyzer model whose measured values (GetMeas) come from the test
// and whose reads are counted; it is online while the kit is (it has an access object that it
// never uses).
#pragma once

#include "curvehost.h"
#include "curvepropsheet.h"
#include "sheetkit.h"
#include "window_kit.h"

#include "converter.h"
#include "gateway.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

template <class Model>
class MeasScripted : public Model {
public:
    template <class... Args>
    explicit MeasScripted(Args&&... args) : Model(std::forward<Args>(args)...) {
        for (int c = 0; c < 4; ++c) Set(c, 1.0 + c, 2, 6 + c);
    }
    // Component c's value, unit code and gas (quantity) code.
    void Set(int c, double value, int unit = 2, int gas = 6) {
        values[c].value = value;
        values[c].text.Format("%.3f", value);
        values[c].unit = unit;
        values[c].quantity = gas;
    }
    int GetMeas(VaskFloat* out) override {
        if (!this->IsOnline()) return 0;
        ++reads;
        if (!answer) return 0;
        for (int c = 0; c < 4; ++c) out[c] = values[c];
        return 1;
    }

    VaskFloat values[4];
    int answer = 1;
    int reads = 0;
};

class CurveKit : public SheetKit, public CCurveHost {
public:
    CurveKit() {
        previous_ = SetCurveHost(this);
        TestApp().SetRegistryKey(Maker().c_str());
        ClearProfile();
    }
    ~CurveKit() override {
        Close();
        SetCurveHost(previous_);
        ClearProfile();
    }

    // The maker's key of this process: the curve test programs that run beside it (the
    // registry is the Wine prefix's) keep theirs.
    static std::string Maker() {
        return "KorvanGA curve test " + std::to_string(GetCurrentProcessId());
    }
    static void ClearProfile() {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + Maker()).c_str());
    }

    // The sheet as the main frame opens it: caption "Curve view", page 1, modeless, shown.
    CCurvePropSheet* Open(CObList* pNodes, UINT page = 1) {
        Close();
        sheet.reset(new CCurvePropSheet(pNodes, "Curve view", NULL, page));
        if (!sheet->Create(NULL, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0)) {
            sheet.reset();
            return NULL;
        }
        sheet->ShowWindow(SW_SHOW);
        wkit::Driver::Pump(0);
        return sheet.get();
    }
    void Close() {
        if (sheet && ::IsWindow(sheet->GetSafeHwnd())) sheet->DestroyWindow();
        sheet.reset();
    }
    wkit::Window Window() const { return wkit::Window(sheet->GetSafeHwnd()); }

    // One forwarded tick of the main frame (every twelfth of its timer, online and idle):
    // posted to the timer page and to the curve page when that has a window and is not the
    // registered one, then handled.
    void Tick() {
        CWnd* pTarget = frame.timerTarget;
        if (pTarget != NULL && ::IsWindow(pTarget->GetSafeHwnd()))
            ::PostMessageA(pTarget->m_hWnd, WM_TIMER, kFrameTimer, 0);
        if (sheet) {
            CWnd* pPage = sheet->GetCurvePage();
            if (pPage != pTarget && ::IsWindow(pPage->GetSafeHwnd()))
                ::PostMessageA(pPage->m_hWnd, WM_TIMER, kFrameTimer, 0);
        }
        wkit::Driver::Pump(0);
    }

    // The document's step before it deletes nodes.
    void DocumentReleasesNodes() {
        const std::vector<CCurveNodeUser*> users = nodeUsers;
        for (CCurveNodeUser* pUser : users) pUser->ReleaseNodes();
    }

    // CCurveHost
    int StartReportJob(int nForm, CWnd* pParent) override {
        calls.push_back("StartReportJob(" + std::to_string(nForm) + ")");
        startParent = pParent;
        return startReport ? startReport(nForm, pParent) : -1;
    }
    void DefineReportHeaderVariables(int hJob) override {
        calls.push_back("DefineReportHeaderVariables(" + std::to_string(hJob) + ")");
        if (defineHeader) defineHeader(hJob);
    }
    void EndReportPreview(int hJob, CWnd* pParent) override {
        calls.push_back("EndReportPreview(" + std::to_string(hJob) + ")");
        if (endReport) endReport(hJob, pParent);
    }
    BOOL IsDocumentBusy() override { return busy; }
    void AddNodeUser(CCurveNodeUser* pUser) override { nodeUsers.push_back(pUser); }
    void RemoveNodeUser(CCurveNodeUser* pUser) override {
        nodeUsers.erase(std::remove(nodeUsers.begin(), nodeUsers.end(), pUser), nodeUsers.end());
    }

    static const UINT_PTR kFrameTimer = 1;

    std::unique_ptr<CCurvePropSheet> sheet;
    BOOL busy = FALSE;
    std::vector<CCurveNodeUser*> nodeUsers;
    std::vector<std::string> calls;
    CWnd* startParent = nullptr;
    std::function<int(int, CWnd*)> startReport;
    std::function<void(int)> defineHeader;
    std::function<void(int, CWnd*)> endReport;

private:
    CCurveHost* previous_;
};

// A converter network of the node list with its analyzers as children (none owned).
struct TestNetwork {
    explicit TestNetwork(const char* name) : converter(name) {}
    void Add(CVaskInstrument* pAnalyzer) { pAnalyzer->SetParent(&converter); }
    CConverter converter;
};
