// What the report engine's tests share: a window that owns the prints and answers drawing
// requests, form files written for a test, a thread that plays the user at a dialog, the
// print loop of the program's print services, and the PDF files of the build's printer.
#pragma once

#include "vaskreport.h"
#include "vaskreport_seam.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace rtest {

constexpr ULONGLONG kDeadlineMs = 20000;

// A folder of its own in the temporary folder, removed with what it holds.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

bool WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// The program folder (build output bin/), with a trailing backslash.
std::string ProgramFolder();
// Names of the files in a folder that begin with the prefix.
std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix);
std::string TempFolder();

// A top-level window of the test's thread: the owner of prints. It answers the engine's
// drawing request by drawing `drawText` into the request's box and keeps what it was sent.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    HWND Handle() const { return m_wnd; }

    struct Request {
        WPARAM wParam;
        RECT rc;
        HDC dc;
        HDC attribDC;
        bool attribIsPrinter;
        int attribDpi;  // LOGPIXELSX of the attribute DC, asked during the request
    };
    std::vector<Request> requests;
    std::string drawText = "DRAWN BY THE CALLBACK";

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_wnd = nullptr;
};

// Plays the user on another thread: waits (with the deadline) for a visible dialog of this
// process whose caption begins with `caption`, then runs `act` with it. When none shows up in
// time it cancels every dialog of the process, so that a modal call cannot hang the test, and
// Missed() tells what there was.
class DialogPlayer {
public:
    DialogPlayer(const std::string& caption, std::function<void(HWND)> act);
    ~DialogPlayer();
    bool Found() const { return m_found; }
    std::string Missed() {
        Join();
        return m_missed;
    }
    void Join();

private:
    std::thread m_thread;
    std::atomic<bool> m_found{false};
    std::atomic<bool> m_stop{false};
    std::string m_missed;
};
HWND FindDialog(const std::string& caption);
std::string WindowText(HWND w);
void Click(HWND dlg, int id);  // as a click on the button: posted, so the dialog's thread runs it

// Opens a job and starts a print of the form, as the program's print services do (without
// the options dialog): the job, or a negative result.
int StartPrint(const std::string& form, HWND owner, int destination = LL_DESTINATION_PRINTER,
               int lastPage = LL_LASTPAGE_ALL);

// The print loop of the program's print services: per record the fields, the box text and
// LlPrintFields; on a full page the page's variables and LlPrint again, then the same record.
// `header` defines the page's variables (it is called before each LlPrint). Returns 0, or
// the first result that ended the loop (-99 after a Cancel, which already ended and closed
// the job, as the print services do).
struct Loop {
    std::function<void(int job)> header;
    std::function<void(int job, int record)> fields;
    std::function<void(int job, int record)> beforeRecord;  // optional
    int cancelledResults = 0;                               // how often -99 came
};
int PrintRecords(int job, int records, Loop& loop);

// A small enhanced metafile in memory that draws `text`: the stand-in of the curve diagram.
HENHMETAFILE MakeTestMetafile(const std::string& text);

// The texts of a page's metafile, in record order.
std::vector<std::string> MetafileTexts(const std::string& file);
bool Contains(const std::vector<std::string>& texts, const std::string& text);

// The build's PDF folder (VASK_PDF_DIR, a Unix path) as a Windows path; empty without it.
std::string PdfFolder();

// A job of the build's printer as the queue records it once the job has finished: its id on
// the server and its title, the document name that the print gave it.
struct QueueJob {
    int id = -1;
    std::string title;
};

// The jobs of the build's printer, a CUPS server of its own beside the PDF folder. A print
// test finds the PDF of its own print by the print's document name: the queue keeps it as the
// job's title and writes a line with the job's id and title into its page log when the job
// has finished; the job's PDF carries the id in its name ("<title>-job_<id>.pdf", the queue's
// options) and the title in its document information. Jobs of other prints (of earlier tests,
// of a killed test printed later, of an earlier scheduler) have other titles, and a job that
// has not finished has no line yet.
class PrintJobs {
public:
    PrintJobs();  // notes where the queue's page log ends now
    // Waits (with a limit) until the job titled `document` has finished since and its PDF is
    // complete and carries that title: the PDF's Windows path, or empty (Missed() tells what
    // there was instead). Job() and About() then name the job and its file.
    std::string PdfOf(const std::string& document, ULONGLONG limitMs = 60000);
    // The same for the one job finished since whose title begins with `prefix` (a print whose
    // document name the test does not learn, only its beginning).
    std::string PdfOfTitleStartingWith(const std::string& prefix, ULONGLONG limitMs = 60000);
    // The jobs that finished since, in the order they finished.
    std::vector<QueueJob> FinishedSince() const;
    const QueueJob& Job() const { return m_job; }
    // The job and the file that PdfOf took, for the messages of the checks on its text.
    std::string About() const;
    std::string Missed() const { return m_missed; }
    // The job id in the name of a PDF of the queue, -1 for another name.
    static int JobOf(const std::string& pdf);

private:
    std::string Find(const std::string& title, bool whole, ULONGLONG limitMs);
    size_t m_logStart = 0;
    QueueJob m_job;
    std::string m_pdf;
    std::string m_missed;
};

// Runs a command of the machine through /bin/sh (no double quotes or backslashes in it) and
// waits (with a limit) for its end: its standard output and error, and its exit code in
// `code` (-1 when it did not end in time).
std::string RunUnix(const std::string& command, int* code = nullptr, ULONGLONG limitMs = 30000);
// The Unix path of a path on drive Z:, the machine's root.
std::string UnixPath(const std::string& windowsPath);
// The text of each page of a PDF file, read with pdftotext.
std::vector<std::string> PdfPages(const std::string& pdf);

}  // namespace rtest
