// The designer: the form's text beside the names the program declared for it. Save checks the
// form and writes it (a missing file is created); Cancel leaves the file as it was.
#include "../res/resource.h"
#include "engine.h"

#include <cstring>

namespace vaskreport {

namespace {

struct Designer {
    std::string title;
    std::string path;
    std::string text;
    const std::vector<std::string>* variables;
    const std::vector<std::string>* fields;
    HFONT font = nullptr;
    bool writeFailed = false;
};

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes beside the form first and then replaces it, so a failed write leaves the old form.
bool WriteForm(const std::string& path, const std::string& text) {
    std::string temp = path + ".new";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = text.empty() ||
              (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
               written == text.size());
    ok = CloseHandle(file) && ok;
    if (ok) ok = MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

void FillList(HWND dlg, int id, const std::vector<std::string>& names) {
    for (const std::string& n : names)
        SendDlgItemMessageA(dlg, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
}

void InsertName(HWND dlg, int list) {
    HWND box = GetDlgItem(dlg, list);
    LRESULT sel = SendMessageA(box, LB_GETCURSEL, 0, 0);
    if (sel == LB_ERR) return;
    LRESULT len = SendMessageA(box, LB_GETTEXTLEN, sel, 0);
    if (len <= 0) return;
    std::string name(static_cast<size_t>(len) + 1, '\0');
    SendMessageA(box, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(&name[0]));
    name.resize(static_cast<size_t>(len));
    std::string reference = "{" + name + "}";
    HWND edit = GetDlgItem(dlg, IDC_DSG_TEXT);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(reference.c_str()));
    SetFocus(edit);
}

std::string EditText(HWND dlg) {
    HWND edit = GetDlgItem(dlg, IDC_DSG_TEXT);
    int len = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    GetWindowTextA(edit, &text[0], len + 1);
    text.resize(strlen(text.c_str()));
    return text;
}

void SelectLine(HWND dlg, int line) {
    HWND edit = GetDlgItem(dlg, IDC_DSG_TEXT);
    LRESULT start = SendMessageA(edit, EM_LINEINDEX, line > 0 ? line - 1 : 0, 0);
    if (start < 0) return;
    LRESULT len = SendMessageA(edit, EM_LINELENGTH, start, 0);
    SendMessageA(edit, EM_SETSEL, start, start + len);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    SetFocus(edit);
}

void Save(HWND dlg, Designer& d) {
    std::string text = EditText(dlg);
    try {
        ParseForm(text);
    } catch (const FormError& e) {
        MessageBoxA(dlg, FormatText(IDS_DSG_LINE_ERROR, e.Line(), e.what()).c_str(),
                    d.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
        SelectLine(dlg, e.Line());
        return;
    }
    if (!WriteForm(d.path, text)) {
        d.writeFailed = true;
        MessageBoxA(dlg, FormatText(IDS_DSG_WRITE_ERROR, d.path.c_str()).c_str(), d.title.c_str(),
                    MB_OK | MB_ICONSTOP);
        return;
    }
    EndDialog(dlg, IDOK);
}

// Lists on the left, the text filling the rest, the buttons below it on the right.
void Layout(HWND dlg) {
    RECT c;
    GetClientRect(dlg, &c);
    RECT u = {7, 20, 110, 6};  // margin, top, list width, gap
    MapDialogRect(dlg, &u);
    RECT b = {50, 14, 4, 8};  // button width and height, gap, label height
    MapDialogRect(dlg, &b);
    int margin = u.left, top = u.top, listW = u.right, gap = u.bottom;
    int bottom = c.bottom - margin - b.top - gap;
    int listH = (bottom - top - b.bottom - gap) / 2;
    MoveWindow(GetDlgItem(dlg, IDC_DSG_PATH), margin, margin / 2 + 2, c.right - 2 * margin,
               b.bottom, TRUE);
    MoveWindow(GetDlgItem(dlg, IDC_DSG_VARLABEL), margin, top - b.bottom - 2, listW, b.bottom,
               TRUE);
    MoveWindow(GetDlgItem(dlg, IDC_DSG_VARIABLES), margin, top, listW, listH, TRUE);
    MoveWindow(GetDlgItem(dlg, IDC_DSG_FIELDLABEL), margin, top + listH + gap, listW, b.bottom,
               TRUE);
    MoveWindow(GetDlgItem(dlg, IDC_DSG_FIELDS), margin, top + listH + gap + b.bottom + 2, listW,
               bottom - (top + listH + gap + b.bottom + 2), TRUE);
    int textX = margin + listW + gap;
    MoveWindow(GetDlgItem(dlg, IDC_DSG_TEXT), textX, top, c.right - margin - textX, bottom - top,
               TRUE);
    int by = c.bottom - margin - b.top;
    MoveWindow(GetDlgItem(dlg, IDCANCEL), c.right - margin - b.left, by, b.left, b.top, TRUE);
    MoveWindow(GetDlgItem(dlg, IDOK), c.right - margin - 2 * b.left - b.right, by, b.left, b.top,
               TRUE);
}

INT_PTR CALLBACK DesignerProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    Designer* d = DialogState<Designer>(dlg, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            std::string caption =
                d->title.empty() ? FileName(d->path) : d->title + " - " + FileName(d->path);
            SetWindowTextA(dlg, caption.c_str());
            SetDlgItemTextA(dlg, IDC_DSG_PATH, d->path.c_str());
            FillList(dlg, IDC_DSG_VARIABLES, *d->variables);
            FillList(dlg, IDC_DSG_FIELDS, *d->fields);
            HWND edit = GetDlgItem(dlg, IDC_DSG_TEXT);
            d->font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  FIXED_PITCH | FF_MODERN, "Courier New");
            if (d->font) SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(d->font), FALSE);
            SendMessageA(edit, EM_SETLIMITTEXT, kMaxFormBytes, 0);
            SetWindowTextA(edit, d->text.c_str());
            CenterInWorkArea(dlg, 0.75, 0.8);
            Layout(dlg);
            SetFocus(edit);
            SendMessageA(edit, EM_SETSEL, 0, 0);
            return FALSE;
        }
        case WM_SIZE: Layout(dlg); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_DSG_VARIABLES:
                case IDC_DSG_FIELDS:
                    if (HIWORD(wParam) == LBN_DBLCLK) InsertName(dlg, LOWORD(wParam));
                    return TRUE;
                case IDOK: Save(dlg, *d); return TRUE;
                case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int RunDesigner(HWND owner, const std::string& title, const std::string& path,
                const std::vector<std::string>& variables, const std::vector<std::string>& fields) {
    Designer d;
    d.title = title;
    d.path = path;
    d.variables = &variables;
    d.fields = &fields;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return LL_ERR_FORM;
        d.text = LoadText(IDS_DSG_NEW_FORM);
    } else {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return LL_ERR_FORM;
        try {
            d.text = WithCrLf(ReadFormFile(path));
        } catch (const FormError&) {
            return LL_ERR_FORM;
        }
        // The edit control ends the text at a zero byte: such a file is no form to edit.
        if (d.text.find('\0') != std::string::npos) return LL_ERR_FORM;
    }
    INT_PTR rc = DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_DESIGNER), owner, DesignerProc,
                                 reinterpret_cast<LPARAM>(&d));
    if (d.font) DeleteObject(d.font);
    if (rc == -1) return LL_ERR_FAILED;
    if (rc == IDOK) return LL_OK;
    return d.writeFailed ? LL_ERR_FILE : LL_OK;
}

}  // namespace vaskreport
