// The window test kit: recorders, the Window actions, the matches and the driver.
#include "window_kit.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

namespace wkit {

namespace {

const int kMessageBoxText = 0xFFFF;  // the static that holds a message box's text
const int kFileNameCombo = 0x47C;    // the file dialogs' name box (cmb13)
const int kFileNameEdit = 0x480;     // its older form (edt1)
const UINT kTickMs = 20;
const DWORD kGraceMs = 3000;  // after the kit's close, before the program is ended

thread_local Driver* g_driver = nullptr;

// A test that needs the keyboard focus (vask_add_gtest's FOCUS sets VASK_OWN_DESKTOP) runs its
// main thread in a desktop of its own before any window exists: a virtual desktop of Wine,
// whose foreground window and focus the windows of other tests on the shared display cannot
// take.
struct OwnDesktop {
    OwnDesktop() {
        const char* name = getenv("VASK_OWN_DESKTOP");
        if (name == NULL || *name == '\0') return;
        // Wine makes a desktop with a size a window of its own on the display.
        HKEY hKey = NULL;
        static const char kSize[] = "1280x1024";
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Explorer\\Desktops", 0, NULL, 0,
                              KEY_WRITE, NULL, &hKey, NULL) == ERROR_SUCCESS) {
            ::RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)kSize, sizeof kSize);
            ::RegCloseKey(hKey);
        }
        HDESK hDesktop = ::CreateDesktopA(name, NULL, NULL, 0, GENERIC_ALL, NULL);
        if (hDesktop == NULL || !::SetThreadDesktop(hDesktop))
            printf("the test runs on the shared desktop: no desktop \"%s\" (error %lu)\n", name,
                   ::GetLastError());
    }
} g_ownDesktop;

std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::string TextOf(HWND hWnd) {
    int nLen = ::GetWindowTextLengthA(hWnd);
    std::string text((size_t)nLen + 1, '\0');
    int n = ::GetWindowTextA(hWnd, &text[0], nLen + 1);
    text.resize(n > 0 ? (size_t)n : 0);
    return text;
}

bool IsDialog(HWND hWnd) { return ClassOf(hWnd) == "#32770"; }

// The calling thread's top-level windows, newest first.
std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        (LPARAM)&windows);
    return windows;
}

bool IsClassOf(HWND hWnd, const char* name) { return _stricmp(ClassOf(hWnd).c_str(), name) == 0; }

// The descendant with the id, depth first.
HWND FindDescendant(HWND hWndParent, int id) {
    HWND hDirect = ::GetDlgItem(hWndParent, id);
    if (hDirect != NULL) return hDirect;
    for (HWND h = ::GetWindow(hWndParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        HWND hFound = FindDescendant(h, id);
        if (hFound != NULL) return hFound;
    }
    return NULL;
}

// What the failure messages call a window.
std::string Describe(HWND hWnd) {
    std::string text = "window \"" + TextOf(hWnd) + "\"";
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL) text += std::string(" (") + pWnd->GetRuntimeClass()->m_lpszClassName + ")";
    HWND hText = ::GetDlgItem(hWnd, kMessageBoxText);
    if (hText != NULL) text += " with the text \"" + TextOf(hText) + "\"";
    return text;
}

BOOL RecordHelp(HWND hWnd, LPCSTR lpszFile, UINT nCmd, DWORD_PTR dwData, BOOL bHtml,
                void* pContext) {
    HelpRecorder* recorder = static_cast<HelpRecorder*>(pContext);
    recorder->calls.push_back({hWnd, lpszFile != NULL ? lpszFile : "", nCmd, dwData, bHtml});
    return recorder->answer;
}

int RecordBox(LPCSTR lpszText, UINT nType, UINT, void* pContext) {
    BoxRecorder* recorder = static_cast<BoxRecorder*>(pContext);
    recorder->texts.push_back(lpszText);
    recorder->types.push_back(nType);
    if (recorder->whileOpen) recorder->whileOpen(recorder->texts.back());
    if (!recorder->answers.empty()) {
        int nAnswer = recorder->answers.front();
        recorder->answers.pop_front();
        return nAnswer;
    }
    return recorder->answer;
}

CPropertySheet* SheetOf(HWND hWnd) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet))
               ? static_cast<CPropertySheet*>(pWnd)
               : NULL;
}

}  // namespace

// --- recorders -------------------------------------------------------------------------------

HelpRecorder::HelpRecorder() { AfxSetHelpHook(RecordHelp, this); }
HelpRecorder::~HelpRecorder() { AfxSetHelpHook(NULL, NULL); }

bool HelpRecorder::Has(UINT nCmd, DWORD_PTR dwData) const {
    for (const HelpCall& call : calls)
        if (call.nCmd == nCmd && call.dwData == dwData) return true;
    return false;
}

BoxRecorder::BoxRecorder() { AfxSetMessageBoxHook(RecordBox, this); }
BoxRecorder::~BoxRecorder() { AfxSetMessageBoxHook(NULL, NULL); }

// --- Window ----------------------------------------------------------------------------------

Window::Window(HWND hWnd) : hWnd_(hWnd) {}

bool Window::IsOpen() const { return ::IsWindow(hWnd_) && ::IsWindowVisible(hWnd_); }

std::string Window::Caption() const { return TextOf(hWnd_); }

CWnd* Window::Object() const { return CWnd::FromHandlePermanent(hWnd_); }

UINT Window::TemplateId() const {
    CWnd* pWnd = Object();
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) return 0;
    return static_cast<CDialog*>(pWnd)->m_nIDHelp;
}

bool Window::IsSheet() const {
    return SheetOf(hWnd_) != NULL || (::GetDlgItem(hWnd_, AFX_IDC_TAB_CONTROL) != NULL &&
                                      ::SendMessageA(hWnd_, PSM_GETTABCONTROL, 0, 0) != 0);
}

int Window::PageCount() const {
    HWND hTab = IsSheet() ? (HWND)::SendMessageA(hWnd_, PSM_GETTABCONTROL, 0, 0) : NULL;
    return hTab != NULL ? (int)::SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0) : 0;
}

int Window::ActivePage() const {
    HWND hTab = IsSheet() ? (HWND)::SendMessageA(hWnd_, PSM_GETTABCONTROL, 0, 0) : NULL;
    return hTab != NULL ? (int)::SendMessageA(hTab, TCM_GETCURSEL, 0, 0) : -1;
}

HWND Window::Page() const {
    return IsSheet() ? (HWND)::SendMessageA(hWnd_, PSM_GETCURRENTPAGEHWND, 0, 0) : NULL;
}

bool Window::SelectPage(int index) {
    if (!IsSheet()) {
        ADD_FAILURE() << Describe(hWnd_) << " is no property sheet";
        return false;
    }
    if (index < 0 || index >= PageCount()) {
        ADD_FAILURE() << Describe(hWnd_) << " has no page " << index;
        return false;
    }
    ::SendMessageA(hWnd_, PSM_SETCURSEL, index, 0);
    return ActivePage() == index;
}

HWND Window::Find(int id) const {
    HWND hPage = Page();
    if (hPage != NULL) {
        HWND h = FindDescendant(hPage, id);
        if (h != NULL) return h;
    }
    return FindDescendant(hWnd_, id);
}

bool Window::Has(int id) const { return Find(id) != NULL; }

HWND Window::Control(int id) const {
    HWND h = Find(id);
    if (h == NULL) ADD_FAILURE() << Describe(hWnd_) << " has no control " << id;
    return h;
}

HWND Window::Usable(int id, const char* action) const {
    HWND h = Control(id);
    if (h == NULL) return NULL;
    if (!::IsWindowVisible(h)) {
        ADD_FAILURE() << "cannot " << action << ": control " << id << " of " << Describe(hWnd_)
                      << " is hidden";
        return NULL;
    }
    if (!::IsWindowEnabled(h)) {
        ADD_FAILURE() << "cannot " << action << ": control " << id << " of " << Describe(hWnd_)
                      << " is disabled";
        return NULL;
    }
    return h;
}

void Window::Notify(HWND hWndCtrl, int code) const {
    ::SendMessageA(::GetParent(hWndCtrl), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hWndCtrl), code),
                   (LPARAM)hWndCtrl);
}

void Window::SetText(int id, const std::string& text) {
    HWND h = Usable(id, "type");
    if (h == NULL) return;
    if (IsClassOf(h, "ComboBox")) {
        if ((::GetWindowLongA(h, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
            Pick(id, text);
            return;
        }
        h = ::FindWindowExA(h, NULL, "Edit", NULL);
        if (h == NULL) {
            ADD_FAILURE() << "combo box " << id << " has no edit";
            return;
        }
    }
    if (IsClassOf(h, "Edit")) {
        if (::GetWindowLongA(h, GWL_STYLE) & ES_READONLY) {
            ADD_FAILURE() << "cannot type: edit " << id << " of " << Describe(hWnd_)
                          << " is read-only";
            return;
        }
        // What the user types replaces the selection, within the edit's limit.
        ::SendMessageA(h, EM_SETSEL, 0, -1);
        ::SendMessageA(h, EM_REPLACESEL, TRUE, (LPARAM)text.c_str());
        return;
    }
    ::SetWindowTextA(h, text.c_str());
}

void Window::Check(int id, int state) {
    HWND h = Usable(id, "check");
    if (h == NULL) return;
    for (int nClicks = 0; nClicks < 3; nClicks++) {
        if ((int)::SendMessageA(h, BM_GETCHECK, 0, 0) == state) return;
        ::SendMessageA(h, BM_CLICK, 0, 0);
        if (!::IsWindow(h)) return;
    }
    if ((int)::SendMessageA(h, BM_GETCHECK, 0, 0) != state)
        ADD_FAILURE() << "control " << id << " of " << Describe(hWnd_)
                      << " does not take the check state " << state;
}

void Window::Click(int id) {
    HWND h = Usable(id, "click");
    if (h != NULL) ::SendMessageA(h, BM_CLICK, 0, 0);
}

void Window::Pick(int id, const std::string& entry) {
    HWND h = Usable(id, "pick");
    if (h == NULL) return;
    bool bCombo = IsClassOf(h, "ComboBox");
    LRESULT nIndex = ::SendMessageA(h, bCombo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, (WPARAM)-1,
                                    (LPARAM)entry.c_str());
    if (nIndex < 0) {
        std::string items;
        for (const std::string& item : Items(id)) items += " \"" + item + "\"";
        ADD_FAILURE() << "control " << id << " of " << Describe(hWnd_) << " has no entry \""
                      << entry << "\"; it has" << items;
        return;
    }
    PickIndex(id, (int)nIndex);
}

void Window::PickIndex(int id, int index) {
    HWND h = Usable(id, "pick");
    if (h == NULL) return;
    if (IsClassOf(h, "ComboBox")) {
        if (::SendMessageA(h, CB_SETCURSEL, index, 0) == CB_ERR && index >= 0) {
            ADD_FAILURE() << "combo box " << id << " has no entry " << index;
            return;
        }
        Notify(h, CBN_SELCHANGE);
        return;
    }
    DWORD dwStyle = (DWORD)::GetWindowLongA(h, GWL_STYLE);
    if (dwStyle & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        ::SendMessageA(h, LB_SETSEL, FALSE, -1);
        ::SendMessageA(h, LB_SETSEL, TRUE, index);
        ::SendMessageA(h, LB_SETCARETINDEX, index, FALSE);
    } else if (::SendMessageA(h, LB_SETCURSEL, index, 0) == LB_ERR && index >= 0) {
        ADD_FAILURE() << "list box " << id << " has no entry " << index;
        return;
    }
    if (dwStyle & LBS_NOTIFY) Notify(h, LBN_SELCHANGE);
}

void Window::ClickItemBox(int id, int index) {
    HWND h = Usable(id, "click an item of");
    if (h == NULL) return;
    RECT rc;
    if (::SendMessageA(h, LB_GETITEMRECT, index, (LPARAM)&rc) == LB_ERR) {
        ADD_FAILURE() << "list box " << id << " has no item " << index;
        return;
    }
    // The box sits at the item's left.
    LPARAM point = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, point);
    if (::IsWindow(h)) ::SendMessageA(h, WM_LBUTTONUP, 0, point);
}

void Window::Key(int id, UINT vk) {
    HWND h = Usable(id, "press a key on");
    if (h == NULL) return;
    ::SendMessageA(h, WM_KEYDOWN, vk, 1);
    UINT ch = ::MapVirtualKeyA(vk, MAPVK_VK_TO_CHAR);
    if (ch != 0 && ::IsWindow(h)) ::SendMessageA(h, WM_CHAR, ch, 1);
    if (::IsWindow(h)) ::SendMessageA(h, WM_KEYUP, vk, 0xC0000001);
}

void Window::HelpOn(int id) {
    HWND h = Control(id);
    if (h == NULL) return;
    HELPINFO info = {};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = ::GetDlgCtrlID(h);
    info.hItemHandle = h;
    info.dwContextId = (DWORD_PTR)::GetWindowContextHelpId(h);
    RECT rc;
    ::GetWindowRect(h, &rc);
    info.MousePos.x = (rc.left + rc.right) / 2;
    info.MousePos.y = (rc.top + rc.bottom) / 2;
    ::SendMessageA(h, WM_HELP, 0, (LPARAM)&info);
}

void Window::PressOK() { Click(IDOK); }

void Window::PressCancel() { Click(IDCANCEL); }

void Window::PressApply() { Click(ID_APPLY_NOW); }

void Window::PressHelp() {
    if (!IsSheet() && FindDescendant(hWnd_, ID_HELP) != NULL)
        Click(ID_HELP);
    else
        Click(IDHELP);
}

void Window::Close() { ::SendMessageA(hWnd_, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::string Window::Text(int id) const {
    HWND h = Control(id);
    return h != NULL ? TextOf(h) : std::string();
}

int Window::CheckState(int id) const {
    HWND h = Control(id);
    return h != NULL ? (int)::SendMessageA(h, BM_GETCHECK, 0, 0) : -1;
}

bool Window::IsEnabled(int id) const {
    HWND h = Control(id);
    return h != NULL && ::IsWindowEnabled(h);
}

bool Window::IsVisible(int id) const {
    HWND h = Control(id);
    return h != NULL && ::IsWindowVisible(h);
}

std::vector<std::string> Window::Items(int id) const {
    std::vector<std::string> items;
    HWND h = Control(id);
    if (h == NULL) return items;
    bool bCombo = IsClassOf(h, "ComboBox");
    int nCount = (int)::SendMessageA(h, bCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++) {
        int nLen = (int)::SendMessageA(h, bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
        std::string item((size_t)(nLen > 0 ? nLen : 0) + 1, '\0');
        int n = (int)::SendMessageA(h, bCombo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)&item[0]);
        item.resize(n > 0 ? (size_t)n : 0);
        items.push_back(item);
    }
    return items;
}

int Window::SelectionIndex(int id) const {
    HWND h = Control(id);
    if (h == NULL) return -1;
    if (IsClassOf(h, "ComboBox")) return (int)::SendMessageA(h, CB_GETCURSEL, 0, 0);
    if (::GetWindowLongA(h, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
        return (int)::SendMessageA(h, LB_GETCARETINDEX, 0, 0);
    return (int)::SendMessageA(h, LB_GETCURSEL, 0, 0);
}

std::string Window::Selection(int id) const {
    int nIndex = SelectionIndex(id);
    std::vector<std::string> items = Items(id);
    return nIndex >= 0 && nIndex < (int)items.size() ? items[(size_t)nIndex] : std::string();
}

int Window::FocusId() const {
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL || (hFocus != hWnd_ && !::IsChild(hWnd_, hFocus))) return 0;
    // The edit of a combo box stands for the combo box.
    if (IsClassOf(hFocus, "Edit") && IsClassOf(::GetParent(hFocus), "ComboBox"))
        hFocus = ::GetParent(hFocus);
    return ::GetDlgCtrlID(hFocus);
}

std::string Window::BoxText() const {
    HWND h = ::GetDlgItem(hWnd_, kMessageBoxText);
    return h != NULL ? TextOf(h) : std::string();
}

void Window::NameFile(const std::string& path) {
    HWND hName = ::GetDlgItem(hWnd_, kFileNameCombo);
    if (hName == NULL) hName = ::GetDlgItem(hWnd_, kFileNameEdit);
    if (hName == NULL) {
        ADD_FAILURE() << Describe(hWnd_) << " is no file dialog";
        return;
    }
    // The edit inside the name box (a combo box in a combo box) gets the text.
    HWND hEdit = hName;
    while (hEdit != NULL && !IsClassOf(hEdit, "Edit")) hEdit = ::GetWindow(hEdit, GW_CHILD);
    ::SetWindowTextA(hEdit != NULL ? hEdit : hName, path.c_str());
    Click(IDOK);
}

void Window::KeepOpen() {
    if (Driver::Current() != nullptr) Driver::Current()->Exempt(hWnd_);
}

HWND Window::TopDialog() {
    for (HWND hWnd : ThreadWindows())
        if (IsDialog(hWnd) && ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd)) return hWnd;
    return NULL;
}

// --- matches ---------------------------------------------------------------------------------

Match Template(UINT id) {
    Match m;
    m.what = "the dialog or sheet of template " + std::to_string(id);
    m.test = [id](const Window& w) {
        if (w.TemplateId() == id) return true;
        CPropertySheet* pSheet = SheetOf(w.Handle());
        if (pSheet == NULL) return false;
        for (int i = 0; i < pSheet->GetPageCount(); i++)
            if (pSheet->GetPage(i)->m_nIDHelp == id) return true;
        return false;
    };
    return m;
}

Match Class(CRuntimeClass* pClass) {
    Match m;
    m.what = std::string("a window of class ") + pClass->m_lpszClassName;
    m.test = [pClass](const Window& w) {
        CWnd* pWnd = w.Object();
        return pWnd != NULL && pWnd->IsKindOf(pClass);
    };
    return m;
}

Match Caption(const std::string& caption) {
    Match m;
    m.what = "the window \"" + caption + "\"";
    m.test = [caption](const Window& w) { return w.Caption() == caption; };
    return m;
}

Match Box(const std::string& part) {
    Match m;
    m.what = "a message box with \"" + part + "\"";
    m.test = [part](const Window& w) {
        return ::GetDlgItem(w.Handle(), kMessageBoxText) != NULL &&
               w.BoxText().find(part) != std::string::npos;
    };
    return m;
}

Match FileDialog() {
    Match m;
    m.what = "a file dialog";
    m.test = [](const Window& w) {
        return ::GetDlgItem(w.Handle(), kFileNameCombo) != NULL ||
               ::GetDlgItem(w.Handle(), kFileNameEdit) != NULL;
    };
    return m;
}

Match AnyDialog() {
    Match m;
    m.what = "any dialog";
    m.test = [](const Window&) { return true; };
    return m;
}

// --- Driver ----------------------------------------------------------------------------------

Driver::Driver() {
    previous_ = g_driver;
    g_driver = this;
    for (HWND hWnd : ThreadWindows()) before_.insert(hWnd);
    timer_ = ::SetTimer(NULL, 0, kTickMs, OnTick);
}

Driver::~Driver() {
    if (timer_ != 0) ::KillTimer(NULL, timer_);
    for (const Entry& entry : entries_)
        if (!entry.every && !entry.ran) ADD_FAILURE() << "no window came for " << entry.match.what;
    g_driver = previous_;
}

Driver* Driver::Current() { return g_driver; }

Driver& Driver::OnOpen(const Match& match, Script script) {
    entries_.push_back({match, std::move(script), false, false});
    return *this;
}

Driver& Driver::OnEveryOpen(const Match& match, Script script) {
    entries_.push_back({match, std::move(script), true, false});
    return *this;
}

Driver& Driver::AnswerBox(const std::string& part, int button) {
    return OnOpen(Box(part), [button](Window& w) { w.Click(button); });
}

Driver& Driver::NameFile(const std::string& path) {
    return OnOpen(FileDialog(), [path](Window& w) { w.NameFile(path); });
}

Driver& Driver::CancelFile() {
    return OnOpen(FileDialog(), [](Window& w) { w.PressCancel(); });
}

void Driver::Exempt(HWND hWnd) {
    Seen& seen = seen_[hWnd];
    if (seen.since == 0) seen.since = ::GetTickCount64();
    seen.exempt = true;
}

bool Driver::AllRan() const {
    for (const Entry& entry : entries_)
        if (!entry.every && !entry.ran) return false;
    return true;
}

void CALLBACK Driver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver != nullptr) g_driver->Tick();
}

void Driver::Tick() {
    // A script may open and close windows meanwhile: the list is taken first.
    ULONGLONG now = ::GetTickCount64();
    for (HWND hWnd : ThreadWindows()) Visit(hWnd, now);
    // Windows that are gone are forgotten (a handle may come again for another window).
    for (auto it = seen_.begin(); it != seen_.end();)
        it = ::IsWindow(it->first) ? std::next(it) : seen_.erase(it);
}

void Driver::Visit(HWND hWnd, ULONGLONG now) {
    if (before_.count(hWnd) || !::IsWindow(hWnd) || !IsDialog(hWnd)) return;
    auto found = seen_.find(hWnd);
    if (found == seen_.end()) {
        // Not yet shown (a modal dialog shows when its loop first idles) or waiting for a
        // window of its own: looked at again at the next tick.
        if (!::IsWindowVisible(hWnd) || !::IsWindowEnabled(hWnd)) return;
        found = seen_.emplace(hWnd, Seen()).first;
        found->second.since = now;
    }
    Seen& seen = found->second;
    if (seen.exempt || seen.running) return;
    if (!::IsWindowVisible(hWnd)) return;

    if (seen.closedByKit != 0) {
        if (now - seen.closedByKit > kGraceMs) {
            printf("[  FAILED  ] %s could not be closed; the test program ends\n",
                   Describe(hWnd).c_str());
            fflush(stdout);
            ::ExitProcess(5);
        }
        return;
    }
    if (!seen.handled && ::IsWindowEnabled(hWnd)) {
        Window window(hWnd);
        if (IsDialog(hWnd) && ::GetDlgItem(hWnd, kMessageBoxText) != NULL)
            boxTexts_.push_back(window.BoxText());
        seen.handled = true;
        for (size_t i = 0; i < entries_.size(); i++) {
            if ((entries_[i].ran && !entries_[i].every) || !entries_[i].match.test(window))
                continue;
            entries_[i].ran = true;
            Script script = entries_[i].script;  // the list may grow while it runs
            seen.running = true;
            try {
                script(window);
            } catch (...) {
                ADD_FAILURE() << "the script for " << Describe(hWnd) << " threw";
            }
            // The entry may be gone with its window.
            auto again = seen_.find(hWnd);
            if (again != seen_.end()) again->second.running = false;
            return;
        }
    }
    if (now - seen.since > limitMs_ && ::IsWindowEnabled(hWnd)) CloseForTheTest(hWnd, seen, now);
}

void Driver::CloseForTheTest(HWND hWnd, Seen& seen, ULONGLONG now) {
    ADD_FAILURE() << Describe(hWnd) << " was still open after " << limitMs_
                  << " ms; the kit closes it";
    seen.closedByKit = now;
    CPropertySheet* pSheet = SheetOf(hWnd);
    if (pSheet != NULL)
        pSheet->EndDialog(IDCANCEL);
    else if (Window(hWnd).IsSheet())
        ::SendMessageA(hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else
        ::EndDialog(hWnd, IDCANCEL);
}

void Driver::Pump(DWORD ms) {
    ULONGLONG until = ::GetTickCount64() + ms;
    // Idle processing as the program's own loop does it: after posted messages, not after
    // every wake by a message another thread sends (a worker that sends to many windows
    // would otherwise wait for one idle pass per window).
    bool idle = true;
    do {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            idle = true;
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage((int)msg.wParam);  // for the loop that waits for it
                return;
            }
            CWinThread* pThread = AfxGetThread();
            BOOL bTaken = pThread != NULL ? pThread->PreTranslateMessage(&msg)
                                          : CWnd::WalkPreTranslateTree(NULL, &msg);
            if (!bTaken) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        CWinThread* pThread = AfxGetThread();
        if (pThread != NULL && idle) {
            pThread->OnIdle(0);
            pThread->OnIdle(1);
        }
        idle = false;
        if (::GetTickCount64() < until)
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount64() < until);
}

bool Driver::PumpUntil(const std::function<bool()>& done, DWORD ms) {
    ULONGLONG until = ::GetTickCount64() + ms;
    while (!done()) {
        if (::GetTickCount64() >= until) return done();
        Pump(10);
    }
    return true;
}

bool ClickAtScreen(POINT screen) {
    INPUT inputs[3] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    inputs[0].mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].type = INPUT_MOUSE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

}  // namespace wkit
