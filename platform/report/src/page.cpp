// Drawing pages: each page is recorded as an enhanced metafile against the printer's device
// context, in the printer's pixels, from the form's millimetres. Table lines take the heights
// the form gives them, so where a page breaks depends on the form alone.
#include "engine.h"
#include "vaskreport_seam.h"

#include <cstdio>

namespace vaskreport {

namespace {

constexpr double kCellPaddingMm = 1.0;

HFONT MakeFont(const PageGeometry& g, const FontSpec& f, bool bold) {
    LOGFONTA lf = {};
    lf.lfHeight = -static_cast<LONG>(f.size * g.dpiY / 72.0 + 0.5);
    lf.lfWeight = (bold || f.bold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic ? TRUE : FALSE;
    lf.lfCharSet = ANSI_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, f.face.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
}

UINT AlignFlags(Align a) {
    switch (a) {
        case Align::Center: return DT_CENTER;
        case Align::Right: return DT_RIGHT;
        default: return DT_LEFT;
    }
}

void Note(Job& job, int kind, const FormObject& o, const std::string& text, int row, int column,
          const RECT& rc) {
    job.page.items.push_back(SeamItem{kind, o.name, text, row, column, rc});
}

// One line of text in its box: single line, clipped to the box, cut with an ellipsis.
void DrawLine(HDC dc, HFONT font, const std::string& text, RECT rc, Align align) {
    HGDIOBJ old = SelectObject(dc, font);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc,
              AlignFlags(align) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
}

void DrawTextObject(Job& job, const FormObject& o) {
    const PageGeometry& g = job.geometry;
    HFONT font = MakeFont(g, o.font, false);
    // The box is shared equally by its lines.
    double rowHeight = o.h / static_cast<double>(o.lines.size());
    for (size_t i = 0; i < o.lines.size(); ++i) {
        std::string text = job.Resolve(o.lines[i]);
        RECT rc = g.Box(o.x, o.y + rowHeight * i, o.w, rowHeight);
        DrawLine(job.pageDC, font, text, rc, o.align);
        Note(job, LL_SEAM_TEXT, o, text, 0, -1, rc);
    }
    DeleteObject(font);
}

HPEN MakePen(const PageGeometry& g, double mm) {
    int width = static_cast<int>(mm * g.dpiX / 25.4 + 0.5);
    return CreatePen(PS_SOLID, width < 1 ? 1 : width, RGB(0, 0, 0));
}

void DrawShape(Job& job, const FormObject& o) {
    const PageGeometry& g = job.geometry;
    HPEN pen = MakePen(g, o.pen);
    HGDIOBJ oldPen = SelectObject(job.pageDC, pen);
    HGDIOBJ oldBrush = SelectObject(job.pageDC, GetStockObject(NULL_BRUSH));
    RECT rc = g.Box(o.x, o.y, o.w, o.h);
    if (o.kind == ObjectKind::Line) {
        MoveToEx(job.pageDC, rc.left, rc.top, nullptr);
        LineTo(job.pageDC, rc.right, rc.bottom);
    } else {
        Rectangle(job.pageDC, rc.left, rc.top, rc.right, rc.bottom);
    }
    SelectObject(job.pageDC, oldBrush);
    SelectObject(job.pageDC, oldPen);
    DeleteObject(pen);
}

// Plays the drawing variable's metafile into the box, as large as fits with its proportions.
// The handle stays the caller's: it is only played here.
void DrawDrawing(Job& job, const FormObject& o) {
    const Value* v = job.variables.Find(o.variable);
    if (!v || !v->handle || v->type != LL_TYPE_DRAWING_EMF) return;
    HENHMETAFILE emf = static_cast<HENHMETAFILE>(v->handle);
    ENHMETAHEADER header = {};
    if (GetEnhMetaFileHeader(emf, sizeof header, &header) == 0) return;
    RECT box = job.geometry.Box(o.x, o.y, o.w, o.h);
    double pw = header.rclFrame.right - header.rclFrame.left;
    double ph = header.rclFrame.bottom - header.rclFrame.top;
    RECT target = box;
    if (pw > 0 && ph > 0) {
        double bw = box.right - box.left, bh = box.bottom - box.top;
        double scale = bw / pw < bh / ph ? bw / pw : bh / ph;
        int w = static_cast<int>(pw * scale), h = static_cast<int>(ph * scale);
        target.left = box.left + (static_cast<int>(bw) - w) / 2;
        target.top = box.top + (static_cast<int>(bh) - h) / 2;
        target.right = target.left + w;
        target.bottom = target.top + h;
    }
    int saved = SaveDC(job.pageDC);
    IntersectClipRect(job.pageDC, box.left, box.top, box.right, box.bottom);
    PlayEnhMetaFile(job.pageDC, emf, &target);
    RestoreDC(job.pageDC, saved);
    Note(job, LL_SEAM_DRAWING, o, std::string(), 0, -1, target);
}

// Asks the caller's window to draw the box: the registered message, sent, so the box is
// drawn before the page goes on.
void DrawCallback(Job& job, const FormObject& o) {
    if (!job.owner || !IsWindow(job.owner)) return;
    static const UINT message = RegisterWindowMessageA(LL_DRAWREQUEST_MESSAGE);
    LLDRAWREQUEST request = {};
    request.rcTarget = job.geometry.Box(o.x, o.y, o.w, o.h);
    request.hDC = job.pageDC;
    request.hAttribDC = job.printerDC;
    int saved = SaveDC(job.pageDC);
    IntersectClipRect(job.pageDC, request.rcTarget.left, request.rcTarget.top,
                      request.rcTarget.right, request.rcTarget.bottom);
    SendMessageA(job.owner, message, 0, reinterpret_cast<LPARAM>(&request));
    RestoreDC(job.pageDC, saved);
    Note(job, LL_SEAM_REQUEST, o, std::string(), 0, -1, request.rcTarget);
}

// A table's column cells of one row, and its rectangles.
template <typename TextOf>
void DrawRow(Job& job, const FormObject& o, double top, double height, HFONT font, int kind,
             int row, TextOf textOf) {
    const PageGeometry& g = job.geometry;
    double left = o.x;
    for (size_t c = 0; c < o.columns.size(); ++c) {
        const Column& col = o.columns[c];
        std::string text = textOf(col);
        double pad = col.width > 3 * kCellPaddingMm ? kCellPaddingMm : 0;
        RECT rc = g.Box(left + pad, top, col.width - 2 * pad, height);
        DrawLine(job.pageDC, font, text, rc, col.align);
        Note(job, kind, o, text, row, static_cast<int>(c), rc);
        left += col.width;
    }
}

void DrawTableHeader(Job& job, const FormObject& o) {
    if (o.headerHeight <= 0) return;
    const PageGeometry& g = job.geometry;
    HFONT font = MakeFont(g, o.font, true);
    DrawRow(job, o, o.y, o.headerHeight, font, LL_SEAM_HEADING, 0,
            [&](const Column& c) { return job.Resolve(c.title); });
    DeleteObject(font);
    HPEN pen = MakePen(g, 0.2);
    HGDIOBJ old = SelectObject(job.pageDC, pen);
    int y = g.Y(o.y + o.headerHeight);
    MoveToEx(job.pageDC, g.X(o.x), y, nullptr);
    LineTo(job.pageDC, g.X(o.x + o.w), y);
    SelectObject(job.pageDC, old);
    DeleteObject(pen);
}

void DrawTableLine(Job& job, const FormObject& o, int line) {
    HFONT font = MakeFont(job.geometry, o.font, false);
    double top = o.y + o.headerHeight + o.lineHeight * (line - 1);
    DrawRow(job, o, top, o.lineHeight, font, LL_SEAM_CELL, line,
            [&](const Column& c) { return job.Resolve(c.content); });
    DeleteObject(font);
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    DWORD n = GetTempPathA(sizeof path, path);
    if (n == 0 || n >= sizeof path) return ".\\";
    return path;
}

}  // namespace

int BeginOutput(Job& job) {
    if (job.outputBegun) return LL_OK;
    job.outputBegun = true;
    if (job.box) job.box->Show(true);
    // While the print runs, the owner takes no input: the print loop is the caller's handler.
    if (job.owner && IsWindow(job.owner) && IsWindowEnabled(job.owner)) {
        EnableWindow(job.owner, FALSE);
        job.ownerDisabled = true;
    }
    return LL_OK;
}

int OpenPage(Job& job) {
    if (job.pageDC) return LL_OK;
    RecordedPage page;
    page.number = job.nextPage;
    job.pageKept = page.number <= job.lastPage;
    if (job.pageKept) {
        char name[64];
        snprintf(name, sizeof name, "_p%04d.emf", page.number);
        page.file = TempFolder() + job.document + name;
    }
    const PageGeometry& g = job.geometry;
    RECT frame = {0, 0, g.sizeMmX * 100, g.sizeMmY * 100};
    job.pageDC = CreateEnhMetaFileA(job.printerDC, page.file.empty() ? nullptr : page.file.c_str(),
                                    &frame, "vaskreport\0page\0");
    if (!job.pageDC) return LL_ERR_FILE;
    ++job.nextPage;
    job.page = page;
    SetBkMode(job.pageDC, TRANSPARENT);
    SetTextColor(job.pageDC, RGB(0, 0, 0));
    job.shownTables.clear();
    job.tableLines.clear();
    if (job.box) job.box->SetPage(page.number);

    const Form& form = *job.form;
    for (size_t i = 0; i < form.objects.size(); ++i) {
        const FormObject& o = form.objects[i];
        if (!job.Visible(o)) continue;
        if (o.Hidden()) job.page.shown.push_back(o.name);
        switch (o.kind) {
            case ObjectKind::Text: DrawTextObject(job, o); break;
            case ObjectKind::Line:
            case ObjectKind::Frame: DrawShape(job, o); break;
            case ObjectKind::Drawing: DrawDrawing(job, o); break;
            case ObjectKind::Callback: DrawCallback(job, o); break;
            case ObjectKind::Table:
                DrawTableHeader(job, o);
                job.shownTables.push_back(i);
                job.tableLines[i] = 0;
                break;
        }
    }
    return LL_OK;
}

void ClosePage(Job& job) {
    if (!job.pageDC) return;
    HENHMETAFILE emf = CloseEnhMetaFile(job.pageDC);
    job.pageDC = nullptr;
    if (emf) DeleteEnhMetaFile(emf);
    if (job.pageKept && emf) {
        job.pages.push_back(job.page);
    } else if (!job.page.file.empty()) {
        DeleteFileA(job.page.file.c_str());
    }
    job.page = RecordedPage();
    job.shownTables.clear();
    job.tableLines.clear();
}

int AddTableLine(Job& job) {
    if (!job.pageDC) {
        int rc = OpenPage(job);
        if (rc != LL_OK) return rc;
    }
    const Form& form = *job.form;
    for (size_t i : job.shownTables)
        if (job.tableLines[i] >= form.objects[i].capacity) {
            ClosePage(job);
            return LL_WRN_PAGE_FULL;
        }
    for (size_t i : job.shownTables) DrawTableLine(job, form.objects[i], ++job.tableLines[i]);
    return LL_OK;
}

void DeletePageFiles(std::vector<RecordedPage>& pages) {
    for (const RecordedPage& p : pages)
        if (!p.file.empty()) DeleteFileA(p.file.c_str());
    pages.clear();
}

void DiscardPages(Job& job) {
    job.pageKept = false;
    ClosePage(job);
    DeletePageFiles(job.pages);
}

}  // namespace vaskreport
