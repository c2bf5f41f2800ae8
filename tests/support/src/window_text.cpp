// The window test kit: whether a window shows its whole text, measured in its own font.
#include "window_kit.h"

#include <commctrl.h>

#include <string.h>

namespace wkit {

namespace {

std::string TextOf(HWND hWnd) {
    const int nLen = ::GetWindowTextLengthA(hWnd);
    std::string text((size_t)nLen + 1, '\0');
    const int n = ::GetWindowTextA(hWnd, &text[0], nLen + 1);
    text.resize(n > 0 ? (size_t)n : 0);
    return text;
}

std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

bool IsClass(HWND hWnd, const char* name) { return _stricmp(ClassOf(hWnd).c_str(), name) == 0; }

// The text as drawn with a mnemonic prefix: "&" marks the next letter, "&&" is one "&".
std::string WithoutPrefix(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

// The lines of a text, broken at "\n" ("\r\n" counts as one break).
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r') lines.back().pop_back();
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// A device context of the window (the screen's for NULL) with the window's font, or the
// one given, selected; released at the end.
class FontDC {
public:
    explicit FontDC(HWND hWnd, HFONT hFont = NULL) : hWnd_(hWnd), hDC_(::GetDC(hWnd)) {
        if (hFont == NULL && hWnd != NULL) hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
        if (hFont == NULL) hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
        hOld_ = ::SelectObject(hDC_, hFont);
    }
    ~FontDC() {
        ::SelectObject(hDC_, hOld_);
        ::ReleaseDC(hWnd_, hDC_);
    }
    HDC Handle() const { return hDC_; }
    int LineHeight() const {
        TEXTMETRICA tm;
        ::GetTextMetricsA(hDC_, &tm);
        return tm.tmHeight;
    }
    int Width(const std::string& line) const {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32A(hDC_, line.c_str(), (int)line.size(), &size);
        return size.cx;
    }

private:
    HWND hWnd_;
    HDC hDC_;
    HGDIOBJ hOld_;
};

RECT ClientOf(HWND hWnd) {
    RECT rc = {0, 0, 0, 0};
    ::GetClientRect(hWnd, &rc);
    return rc;
}

// A static that wraps: the text broken at words into the client width, as DrawText breaks it.
TextRoom WrappedStatic(HWND hWnd, const std::string& text, bool bPrefix) {
    const RECT rcClient = ClientOf(hWnd);
    FontDC dc(hWnd);
    RECT rc = {0, 0, rcClient.right, 0};
    ::DrawTextA(dc.Handle(), text.c_str(), (int)text.size(), &rc,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (bPrefix ? 0 : DT_NOPREFIX));
    TextRoom room;
    room.text = text;
    room.needWidth = rc.right - rc.left;
    room.needHeight = rc.bottom - rc.top;
    room.roomWidth = rcClient.right;
    room.roomHeight = rcClient.bottom;
    return room;
}

}  // namespace

std::string TextRoom::Describe() const {
    return "\"" + text + "\" needs " + std::to_string(needWidth) + " x " +
           std::to_string(needHeight) + ", has " + std::to_string(roomWidth) + " x " +
           std::to_string(roomHeight);
}

static TextRoom Measure(const FontDC& dc, const std::string& text, int roomWidth, int roomHeight) {
    TextRoom room;
    room.text = text;
    room.roomWidth = roomWidth;
    room.roomHeight = roomHeight;
    for (const std::string& line : Lines(text)) {
        const int width = dc.Width(line);
        if (width > room.needWidth) room.needWidth = width;
        room.needHeight += dc.LineHeight();
    }
    return room;
}

TextRoom MeasureText(HWND hWnd, const std::string& text, int roomWidth, int roomHeight) {
    return Measure(FontDC(hWnd), text, roomWidth, roomHeight);
}

TextRoom MeasureText(HFONT hFont, const std::string& text, int roomWidth, int roomHeight) {
    return Measure(FontDC(NULL, hFont), text, roomWidth, roomHeight);
}

TextRoom WholeText(HWND hWnd) {
    const std::string text = TextOf(hWnd);
    const RECT rc = ClientOf(hWnd);
    const LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
    if (IsClass(hWnd, "Static")) {
        const bool bPrefix = (style & SS_NOPREFIX) == 0;
        const std::string shown = bPrefix ? WithoutPrefix(text) : text;
        const LONG type = style & SS_TYPEMASK;
        const bool bOneLine =
            (style & SS_CENTERIMAGE) != 0 || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
        if (!bOneLine) return WrappedStatic(hWnd, text, bPrefix);
        // One line: a line break is a character like any other, and the room one line high.
        TextRoom room = MeasureText(hWnd, shown, rc.right, rc.bottom);
        FontDC dc(hWnd);
        if (room.roomHeight > dc.LineHeight()) room.roomHeight = dc.LineHeight();
        return room;
    }
    if (IsClass(hWnd, "Button")) {
        const LONG type = style & BS_TYPEMASK;
        const std::string shown = WithoutPrefix(text);
        int width = rc.right;
        if (type == BS_GROUPBOX) {
            width -= 2 * 8;  // the frame's corners on both sides of the caption
        } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                   type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE) {
            width -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and its gap
        } else {
            width -= 2 * 3;  // a push button's edges
        }
        return MeasureText(hWnd, shown, width, rc.bottom);
    }
    if (IsClass(hWnd, "Edit")) {
        const DWORD margins = (DWORD)::SendMessageA(hWnd, EM_GETMARGINS, 0, 0);
        return MeasureText(hWnd, text, rc.right - LOWORD(margins) - HIWORD(margins) - 2,
                           rc.bottom);
    }
    if (IsClass(hWnd, "ComboBox")) {
        // The selection's field: the combo box without its arrow.
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        int width = rc.right;
        if (::GetComboBoxInfo(hWnd, &info)) width = info.rcItem.right - info.rcItem.left;
        return MeasureText(hWnd, text, width - 2, rc.bottom);
    }
    return MeasureText(hWnd, text, rc.right, rc.bottom);
}

std::vector<TextRoom> WholeEntries(HWND hWnd) {
    std::vector<TextRoom> rooms;
    HWND hList = hWnd;
    const bool bCombo = IsClass(hWnd, "ComboBox");
    if (bCombo) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (::GetComboBoxInfo(hWnd, &info) && info.hwndList != NULL) hList = info.hwndList;
    }
    int width = ClientOf(hList).right;
    // A list that scrolls sideways shows as far as its horizontal extent.
    if (!bCombo && (::GetWindowLongA(hList, GWL_STYLE) & WS_HSCROLL)) {
        const int extent = (int)::SendMessageA(hList, LB_GETHORIZONTALEXTENT, 0, 0);
        if (extent > width) width = extent;
    }
    if (bCombo) {
        const int dropped = (int)::SendMessageA(hWnd, CB_GETDROPPEDWIDTH, 0, 0);
        if (dropped > width) width = dropped;
    }
    const int count = (int)::SendMessageA(hWnd, bCombo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    const int itemHeight = (int)::SendMessageA(hWnd, bCombo ? CB_GETITEMHEIGHT : LB_GETITEMHEIGHT,
                                               0, 0);
    for (int i = 0; i < count; ++i) {
        const int len = (int)::SendMessageA(hWnd, bCombo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
        std::string item((size_t)(len > 0 ? len : 0) + 1, '\0');
        const int n =
            (int)::SendMessageA(hWnd, bCombo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)&item[0]);
        item.resize(n > 0 ? (size_t)n : 0);
        // The list draws an entry two pixels in from its left edge.
        rooms.push_back(MeasureText(hWnd, item, width - 2 * 2, itemHeight));
    }
    return rooms;
}

std::vector<TextRoom> WholeCells(HWND hWnd) {
    std::vector<TextRoom> rooms;
    HWND hHeader = (HWND)::SendMessageA(hWnd, LVM_GETHEADER, 0, 0);
    const int columns = hHeader != NULL ? (int)::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0) : 1;
    const int rows = (int)::SendMessageA(hWnd, LVM_GETITEMCOUNT, 0, 0);
    RECT rcItem = {LVIR_BOUNDS, 0, 0, 0};
    int rowHeight = 0;
    if (rows > 0 && ::SendMessageA(hWnd, LVM_GETITEMRECT, 0, (LPARAM)&rcItem))
        rowHeight = rcItem.bottom - rcItem.top;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < columns; ++col) {
            char buffer[1024] = "";
            LVITEMA item = {};
            item.iSubItem = col;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            const int n = (int)::SendMessageA(hWnd, LVM_GETITEMTEXTA, row, (LPARAM)&item);
            const std::string text(buffer, n > 0 ? n : 0);
            if (text.empty()) continue;
            const int width = (int)::SendMessageA(hWnd, LVM_GETCOLUMNWIDTH, col, 0);
            // A list view keeps six pixels free on both sides of a cell's text.
            rooms.push_back(MeasureText(hWnd, text, width - 2 * 6, rowHeight));
        }
    }
    return rooms;
}

std::vector<TextRoom> WholePanes(HWND hWnd) {
    std::vector<TextRoom> rooms;
    const int panes = (int)::SendMessageA(hWnd, SB_GETPARTS, 0, 0);
    int borders[3] = {0, 0, 0};
    ::SendMessageA(hWnd, SB_GETBORDERS, 0, (LPARAM)borders);
    for (int i = 0; i < panes; ++i) {
        const int len = LOWORD(::SendMessageA(hWnd, SB_GETTEXTLENGTHA, i, 0));
        std::string text((size_t)len + 1, '\0');
        ::SendMessageA(hWnd, SB_GETTEXTA, i, (LPARAM)&text[0]);
        text.resize((size_t)len);
        RECT rc = {0, 0, 0, 0};
        ::SendMessageA(hWnd, SB_GETRECT, i, (LPARAM)&rc);
        // The pane's sunken edge and the gap before its text.
        rooms.push_back(MeasureText(hWnd, text, rc.right - rc.left - 2 * 2 - borders[2],
                                    rc.bottom - rc.top));
    }
    return rooms;
}

std::vector<TextRoom> WholeTexts(HWND hWndParent) {
    std::vector<TextRoom> rooms;
    for (HWND h = ::GetWindow(hWndParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(h)) continue;
        const LONG style = ::GetWindowLongA(h, GWL_STYLE);
        bool shows = false;
        if (IsClass(h, "Static")) {
            const LONG type = style & SS_TYPEMASK;
            shows = type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
        } else if (IsClass(h, "Button")) {
            shows = (style & BS_TYPEMASK) != BS_OWNERDRAW && (style & (BS_BITMAP | BS_ICON)) == 0;
        } else if (IsClass(h, "Edit")) {
            shows = (style & ES_MULTILINE) == 0;
        } else if (IsClass(h, "#32770")) {
            // A page of a sheet, or a dialog within a dialog.
            const std::vector<TextRoom> inner = WholeTexts(h);
            rooms.insert(rooms.end(), inner.begin(), inner.end());
        }
        if (shows && !TextOf(h).empty()) rooms.push_back(WholeText(h));
    }
    return rooms;
}

std::string Unfit(const std::vector<TextRoom>& rooms) {
    std::string lines;
    for (const TextRoom& room : rooms)
        if (!room.Fits()) lines += room.Describe() + "\n";
    return lines;
}

}  // namespace wkit
