#include "report_test.h"

#include "emf_reader.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rtest {

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(sizeof path, path);
    return path;
}

TempDir::TempDir() {
    static int count = 0;
    char name[64];
    snprintf(name, sizeof name, "vaskreport_test_%lu_%d", GetCurrentProcessId(), ++count);
    m_path = TempFolder() + name;
    CreateDirectoryA(m_path.c_str(), nullptr);
}

TempDir::~TempDir() {
    for (const std::string& f : FilesStartingWith(m_path, "")) DeleteFileA(File(f).c_str());
    RemoveDirectoryA(m_path.c_str());
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string p = path;
    return p.substr(0, p.find_last_of('\\') + 1);
}

std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + prefix + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

OwnerWindow::OwnerWindow() {
    static const char* kClass = "VaskReportTestOwner";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&wc);
    m_wnd = CreateWindowExA(0, kClass, "Report test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                            10, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

OwnerWindow::~OwnerWindow() { DestroyWindow(m_wnd); }

LRESULT CALLBACK OwnerWindow::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    static const UINT drawRequest = RegisterWindowMessageA(LL_DRAWREQUEST_MESSAGE);
    OwnerWindow* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (msg == drawRequest && self) {
        const LLDRAWREQUEST* r = reinterpret_cast<const LLDRAWREQUEST*>(lParam);
        bool printer = r->hAttribDC && GetDeviceCaps(r->hAttribDC, TECHNOLOGY) == DT_RASPRINTER;
        int dpi = r->hAttribDC ? GetDeviceCaps(r->hAttribDC, LOGPIXELSX) : 0;
        self->requests.push_back(Request{wParam, r->rcTarget, r->hDC, r->hAttribDC, printer, dpi});
        Rectangle(r->hDC, r->rcTarget.left, r->rcTarget.top, r->rcTarget.right, r->rcTarget.bottom);
        TextOutA(r->hDC, r->rcTarget.left + 20, r->rcTarget.top + 20, self->drawText.c_str(),
                 static_cast<int>(self->drawText.size()));
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

HWND FindDialog(const std::string& caption) {
    struct Search {
        const std::string* caption;
        HWND found;
    } s{&caption, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            Search* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char cls[16] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 || !IsWindowVisible(w))
                return TRUE;
            if (WindowText(w).compare(0, s->caption->size(), *s->caption) != 0) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string WindowText(HWND w) {
    char text[512] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// Every dialog window of the process, shown or not, gets Cancel; their captions are returned.
std::string CancelAllDialogs() {
    std::string seen;
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char cls[16] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (pid == GetCurrentProcessId() && strcmp(cls, "#32770") == 0) {
                *reinterpret_cast<std::string*>(p) +=
                    " \"" + WindowText(w) + (IsWindowVisible(w) ? "\"" : "\" (hidden)");
                PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    return seen;
}

void Click(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

DialogPlayer::DialogPlayer(const std::string& caption, std::function<void(HWND)> act)
    : m_thread([this, caption, act] {
          ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
          HWND dlg = nullptr;
          while (!(dlg = FindDialog(caption))) {
              if (m_stop) return;
              if (GetTickCount64() > deadline) {
                  m_missed = "no dialog \"" + caption + "\"; there were:" + CancelAllDialogs();
                  return;
              }
              Sleep(10);
          }
          m_found = true;
          act(dlg);
      }) {}

DialogPlayer::~DialogPlayer() {
    m_stop = true;
    Join();
}

void DialogPlayer::Join() {
    if (m_thread.joinable()) m_thread.join();
}

int StartPrint(const std::string& form, HWND owner, int destination, int lastPage) {
    int job = LlJobOpen(LL_LANGUAGE_PROGRAM);
    if (job < 0) return job;
    LlPrintSetOption(job, LL_PRNOPT_DESTINATION, destination);
    if (lastPage != LL_LASTPAGE_ALL) LlPrintSetOption(job, LL_PRNOPT_LASTPAGE, lastPage);
    int rc = LlPrintWithBoxStartA(job, LL_PROJECT_LIST, form.c_str(), LL_PRINT_PROGRAM,
                                  LL_BOX_CANCEL, owner, "");
    if (rc < 0) {
        LlPrintEnd(job, 0);
        LlJobClose(job);
        return rc;
    }
    return job;
}

namespace {

// One record through the progress box and LlPrintFields; -99 ends and closes the job.
int Record(int job, Loop& loop, int percent) {
    int rc = LlPrintSetBoxTextA(job, "Printing...", percent);
    if (rc == LL_ERR_CANCELLED) {
        ++loop.cancelledResults;
        LlPrintEnd(job, 0);
        LlJobClose(job);
        return rc;
    }
    return LlPrintFields(job);
}

}  // namespace

int PrintRecords(int job, int records, Loop& loop) {
    loop.header(job);
    LlPrint(job);
    for (int r = 1; r <= records; ++r) {
        loop.fields(job, r);
        if (loop.beforeRecord) loop.beforeRecord(job, r);
        int rc = Record(job, loop, r % 100);
        if (rc == LL_WRN_PAGE_FULL) {
            loop.header(job);
            LlPrint(job);
            rc = Record(job, loop, r % 100);
        }
        if (rc != LL_OK) return rc;
    }
    return LL_OK;
}

HENHMETAFILE MakeTestMetafile(const std::string& text) {
    RECT frame = {0, 0, 6000, 3000};  // 60 x 30 mm
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    Rectangle(dc, 0, 0, 200, 100);
    TextOutA(dc, 10, 10, text.c_str(), static_cast<int>(text.size()));
    return CloseEnhMetaFile(dc);
}

std::vector<std::string> MetafileTexts(const std::string& file) {
    std::vector<std::string> texts;
    emf::File emf = emf::File::Load(file);
    for (const emf::Text& t : emf.Texts()) texts.push_back(t.text);
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    for (const std::string& t : texts)
        if (t == text) return true;
    return false;
}

std::string PdfFolder() {
    const char* unix = getenv("VASK_PDF_DIR");
    if (!unix || !*unix) return std::string();
    std::string path = std::string("Z:") + unix;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string UnixPath(const std::string& windowsPath) {
    // Wine's own conversion knows every drive; Z: (the machine's root) is the rest of the path.
    typedef char*(__cdecl * ToUnix)(LPCWSTR);
    static ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH] = {};
    if (toUnix && MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH) > 0) {
        if (char* unix = toUnix(wide)) {
            std::string path = unix;
            HeapFree(GetProcessHeap(), 0, unix);
            return path;
        }
    }
    std::string path = windowsPath.size() > 2 ? windowsPath.substr(2) : std::string();
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string RunUnix(const std::string& command, int* code, ULONGLONG limitMs) {
    static std::atomic<unsigned> count{0};
    // A name of this call alone: process ids come again in later processes, and a command that
    // outlived its limit may still write its output under the name it was given.
    char name[96];
    snprintf(name, sizeof name, "vask_unix_%lu_%llu_%u.out", GetCurrentProcessId(),
             static_cast<unsigned long long>(GetTickCount64()), ++count);
    const std::string out = TempFolder() + name, codeFile = out + ".code";
    const std::string unixOut = UnixPath(out);
    DeleteFileA(out.c_str());
    DeleteFileA(codeFile.c_str());
    if (code) *code = -1;
    // Wine does not wait for a Unix program to end: the output appears whole, by a rename,
    // once the command has ended and its exit code is written.
    std::string text = "/bin/sh -c \"{ " + command + "; } >'" + unixOut + ".part' 2>&1; echo $? >'" +
                       unixOut + ".code'; mv '" + unixOut + ".part' '" + unixOut + "'\"";
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return std::string();
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!Exists(out) && GetTickCount64() < deadline) Sleep(20);
    if (!Exists(out)) return std::string();
    std::string output = ReadText(out);
    if (code) *code = atoi(ReadText(codeFile).c_str());
    DeleteFileA(out.c_str());
    DeleteFileA(codeFile.c_str());
    return output;
}

namespace {

// The printer's folder (VASK_PDF_DIR's parent, a Unix path): its socket and its logs.
std::string PrinterFolder() {
    const char* pdf = getenv("VASK_PDF_DIR");
    if (!pdf || !*pdf) return std::string();
    std::string dir = pdf;
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir.substr(0, dir.find_last_of('/'));
}

std::string PrinterLog(const std::string& name) {
    const std::string folder = PrinterFolder();
    if (folder.empty()) return std::string();
    std::string path = "Z:" + folder + "/log/" + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool CompletePdf(const std::string& path) {
    std::string bytes = ReadText(path);
    size_t end = bytes.find_last_not_of("\r\n ");
    return end != std::string::npos && end >= 4 && bytes.compare(end - 4, 5, "%%EOF") == 0;
}

// The title in a PDF's document information (pdfinfo); what pdfinfo said when it has none.
std::string PdfTitle(const std::string& pdf, bool& found) {
    int code = -1;
    const std::string info = RunUnix("/usr/bin/pdfinfo '" + UnixPath(pdf) + "'", &code);
    found = false;
    std::istringstream lines(info);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, 6, "Title:") != 0) continue;
        const size_t from = line.find_first_not_of(' ', 6);
        found = true;
        return from == std::string::npos ? std::string() : line.substr(from);
    }
    return "pdfinfo ended with " + std::to_string(code) + ": " + info;
}

std::string Names(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "none" : text;
}

std::string Describe(const QueueJob& job) {
    return "job " + std::to_string(job.id) + " \"" + job.title + "\"";
}

}  // namespace

PrintJobs::PrintJobs() { m_logStart = ReadText(PrinterLog("page_log")).size(); }

std::vector<QueueJob> PrintJobs::FinishedSince() const {
    // The queue's page log has a line for each job that has ended (finished, or stopped with
    // the scheduler): "<queue> <user> <id> [<date> <zone>] total <pages> <billing> <host>
    // <title> <media> <sides>".
    std::string log = ReadText(PrinterLog("page_log"));
    // A log that is shorter than it was has been started anew: all of it is new then.
    log = log.size() >= m_logStart ? log.substr(m_logStart) : log;
    std::vector<QueueJob> jobs;
    size_t from = 0, end;
    // Only whole lines: the scheduler may be writing the last one.
    while ((end = log.find('\n', from)) != std::string::npos) {
        std::istringstream words(log.substr(from, end - from));
        from = end + 1;
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.size() < 12 || w[5] != "total") continue;
        QueueJob job;
        job.id = atoi(w[2].c_str());
        job.title = w[9];
        for (size_t i = 10; i + 2 < w.size(); ++i) job.title += " " + w[i];
        jobs.push_back(job);
    }
    return jobs;
}

int PrintJobs::JobOf(const std::string& pdf) {
    const std::string name = pdf.substr(pdf.find_last_of('\\') + 1);
    const std::string ext = ".pdf";
    if (name.size() <= ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
        return -1;
    const size_t label = name.rfind("-job_");
    if (label == std::string::npos) return -1;
    const size_t digits = label + 5;
    const size_t end = name.size() - ext.size();
    if (digits >= end) return -1;
    for (size_t i = digits; i < end; ++i)
        if (name[i] < '0' || name[i] > '9') return -1;
    return atoi(name.c_str() + digits);
}

std::string PrintJobs::PdfOf(const std::string& document, ULONGLONG limitMs) {
    return Find(document, true, limitMs);
}

std::string PrintJobs::PdfOfTitleStartingWith(const std::string& prefix, ULONGLONG limitMs) {
    return Find(prefix, false, limitMs);
}

std::string PrintJobs::About() const {
    return Describe(m_job) + ", file " + (m_pdf.empty() ? std::string("none") : m_pdf);
}

std::string PrintJobs::Find(const std::string& title, bool whole, ULONGLONG limitMs) {
    m_job = QueueJob();
    m_pdf.clear();
    m_missed.clear();
    const std::string folder = PdfFolder();
    if (folder.empty()) {
        m_missed = "VASK_PDF_DIR is not set";
        return std::string();
    }
    const std::string wanted = (whole ? "the job titled \"" : "a job whose title begins with \"") +
                               title + "\"";
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    std::vector<QueueJob> finished;
    std::vector<std::string> files;
    do {
        finished = FinishedSince();
        std::vector<QueueJob> matching;
        for (const QueueJob& job : finished) {
            const bool titled =
                whole ? job.title == title : job.title.compare(0, title.size(), title) == 0;
            // A job that the scheduler stopped and started again is logged each time.
            bool again = false;
            for (const QueueJob& m : matching) again = again || m.id == job.id;
            if (titled && !again) matching.push_back(job);
        }
        if (matching.size() > 1) {
            m_missed = "more than one job for " + wanted + ":";
            for (const QueueJob& job : matching) m_missed += " " + Describe(job);
            return std::string();
        }
        if (matching.size() == 1) {
            m_job = matching[0];
            files.clear();
            for (const std::string& name : FilesStartingWith(folder, ""))
                if (JobOf(name) == m_job.id) files.push_back(name);
            if (files.size() > 1) {
                m_missed = Describe(m_job) + " has more than one PDF in " + folder + ": " +
                           Names(files);
                return std::string();
            }
            // The job has finished once the queue logged it, and with it the PDF's writer.
            const std::string path = files.empty() ? std::string() : folder + "\\" + files[0];
            if (!path.empty() && CompletePdf(path)) {
                bool found = false;
                const std::string inside = PdfTitle(path, found);
                if (found && inside.compare(0, m_job.title.size(), m_job.title) == 0) {
                    m_pdf = path;
                    return path;
                }
                m_missed = "the PDF " + path + " of " + Describe(m_job) +
                           (found ? " holds the document \"" + inside + "\"" : ": " + inside);
                return std::string();
            }
        }
        Sleep(100);
    } while (GetTickCount64() < deadline);
    m_missed = "no complete PDF of " + wanted + " within " + std::to_string(limitMs / 1000) + " s";
    if (m_job.id >= 0)
        m_missed += ": " + Describe(m_job) + " finished, its PDF in " + folder + ": " +
                    (files.empty() ? std::string("none") : files[0] + " (not complete)");
    m_missed += "; the jobs finished since:";
    for (const QueueJob& job : finished) m_missed += " " + Describe(job);
    if (finished.empty()) m_missed += " none";
    return std::string();
}

std::vector<std::string> PdfPages(const std::string& pdf) {
    std::vector<std::string> pages;
    int code = -1;
    std::string text = RunUnix("/usr/bin/pdftotext '" + UnixPath(pdf) + "' - 2>/dev/null", &code);
    if (code != 0) return pages;
    // pdftotext ends every page with a form feed.
    size_t start = 0, ff;
    while ((ff = text.find('\f', start)) != std::string::npos) {
        pages.push_back(text.substr(start, ff - start));
        start = ff + 1;
    }
    return pages;
}

}  // namespace rtest
