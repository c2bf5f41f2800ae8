// The inside of vaskreport.dll: jobs, their variables and fields, the pages of a print.
#pragma once

#include "form.h"
#include "vaskreport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vaskreport {

HINSTANCE Module();
std::string LoadText(UINT id);
// printf-style text of the module's string table.
std::string FormatText(UINT id, ...);

// One variable or field.
struct Value {
    std::string text;
    int type = LL_TYPE_TEXT;
    HANDLE handle = nullptr;
};

// A set of names with their values, in the order they were defined; names ignore case.
class NameSet {
public:
    void Clear();
    void Set(const std::string& name, const Value& value);
    const Value* Find(const std::string& name) const;
    const std::vector<std::string>& Names() const { return m_order; }

private:
    std::vector<std::string> m_order;
    std::map<std::string, Value> m_values;  // upper-case name
};

// Where the printer puts a page, in its device pixels.
struct PageGeometry {
    int dpiX = 300, dpiY = 300;
    int offsetX = 0, offsetY = 0;  // printable area within the sheet
    int printableWidth = 0, printableHeight = 0;
    int sheetWidth = 0, sheetHeight = 0;
    int sizeMmX = 0, sizeMmY = 0;  // HORZSIZE, VERTSIZE

    int X(double mm) const;  // sheet millimetres to printable-area pixels
    int Y(double mm) const;
    RECT Box(double x, double y, double w, double h) const;
};

struct SeamItem {
    int kind;
    std::string object;
    std::string text;
    int row;
    int column;
    RECT rc;
};

// A page that was drawn: its metafile (empty path: not kept) and what was on it.
struct RecordedPage {
    int number = 0;
    std::string file;
    std::vector<SeamItem> items;
    std::vector<std::string> shown;
};

enum class JobState { Idle, Printing, Ended };

class ProgressBox;

struct Job {
    explicit Job(int handle);
    ~Job();

    int handle;
    int language = 0;
    bool closed = false;
    std::map<int, INT_PTR> options;
    std::map<int, std::string> stringOptions;
    std::map<int, INT_PTR> printOptions;
    NameSet variables;
    NameSet fields;

    // The print.
    JobState state = JobState::Idle;
    std::unique_ptr<Form> form;
    std::string formPath;
    std::string printer;
    HDC printerDC = nullptr;
    PageGeometry geometry;
    HWND owner = nullptr;
    bool ownerDisabled = false;
    std::unique_ptr<ProgressBox> box;
    bool outputBegun = false;
    bool cancelled = false;
    int destination = LL_DESTINATION_PRINTER;
    int lastPage = LL_LASTPAGE_ALL;
    std::vector<std::string> enabled;  // hidden objects shown, upper case
    std::string document;

    // The page being drawn.
    HDC pageDC = nullptr;
    RecordedPage page;
    bool pageKept = false;            // within the chosen range: recorded
    std::vector<size_t> shownTables;  // object indices of the tables on the page
    std::map<size_t, int> tableLines;
    int nextPage = 1;

    std::vector<RecordedPage> pages;  // finished pages that were kept

    bool IsEnabled(const std::string& name) const;
    bool Visible(const FormObject& o) const;
    std::string Resolve(const Template& t) const;
};

// The job table. Jobs are shared: a call keeps its job alive even when a message dispatched
// during the call closes it.
std::shared_ptr<Job> FindJob(int handle);
int AddJob(int language);
void RemoveJob(int handle);

// Pages (page.cpp).
int BeginOutput(Job& job);
int OpenPage(Job& job);
void ClosePage(Job& job);
int AddTableLine(Job& job);  // LL_OK or LL_WRN_PAGE_FULL
void DiscardPages(Job& job);
void DeletePageFiles(std::vector<RecordedPage>& pages);

// Output (output.cpp).
int PrintPages(const std::string& printer, const std::vector<RecordedPage>& pages,
               const std::string& document);
std::string NewDocumentName(const std::string& formPath);
bool ReadGeometry(HDC dc, PageGeometry& g);

// Dialogs and windows.
class ProgressBox {
public:
    ProgressBox(HWND owner, const std::string& title, bool* cancelled);
    ~ProgressBox();
    void Show(bool show);
    void SetText(const char* text, int percent);
    void SetPage(int page);
    HWND Window() const { return m_wnd; }

private:
    HWND m_wnd = nullptr;
};
void PumpMessages(HWND dialog);
// The state a dialog was given: stored at WM_INITDIALOG, read back at every later message.
template <typename T>
T* DialogState(HWND dlg, UINT msg, LPARAM lParam) {
    if (msg == WM_INITDIALOG) SetWindowLongPtrA(dlg, DWLP_USER, lParam);
    return reinterpret_cast<T*>(GetWindowLongPtrA(dlg, DWLP_USER));
}
// Places a window in the middle of the work area, at the given share of its size.
void CenterInWorkArea(HWND wnd, double widthShare, double heightShare);
int RunOptionsDialog(HWND owner, const std::string& caption, const std::string& printer,
                     int* destination, int* lastPage);
int RunPreview(HWND owner, const Job& job);
int RunDesigner(HWND owner, const std::string& title, const std::string& path,
                const std::vector<std::string>& variables, const std::vector<std::string>& fields);

// Test seam (seam.cpp).
void ReportFinishedJob(const Job& job);
// Hands one call of an exported function to the call sink, when one is installed.
void RecordCall(const char* function, INT hJob, LPCSTR name = nullptr, LPCSTR text = nullptr,
                INT_PTR value1 = 0, INT_PTR value2 = 0, HWND wnd = nullptr, LPCSTR hints = nullptr);
// Whether a job may be opened, or the seam makes this LlJobOpen fail.
bool JobOpenAllowed();

}  // namespace vaskreport
