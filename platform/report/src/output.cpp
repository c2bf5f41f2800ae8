// Output to the printer: the recorded pages played onto a printer job of their own name.
#include "engine.h"

#include <atomic>
#include <cstdio>

namespace vaskreport {

bool ReadGeometry(HDC dc, PageGeometry& g) {
    g.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    g.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    g.printableWidth = GetDeviceCaps(dc, HORZRES);
    g.printableHeight = GetDeviceCaps(dc, VERTRES);
    g.sizeMmX = GetDeviceCaps(dc, HORZSIZE);
    g.sizeMmY = GetDeviceCaps(dc, VERTSIZE);
    g.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    g.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    g.sheetWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    g.sheetHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    if (g.dpiX <= 0 || g.dpiY <= 0 || g.printableWidth <= 0 || g.printableHeight <= 0 ||
        g.sizeMmX <= 0 || g.sizeMmY <= 0)
        return false;
    if (g.sheetWidth <= 0 || g.sheetHeight <= 0) {
        g.sheetWidth = g.printableWidth;
        g.sheetHeight = g.printableHeight;
        g.offsetX = g.offsetY = 0;
    }
    return true;
}

// The form's name with the process, a count and the time: no two outputs share it, and a
// print queue that names its files after the document keeps them apart. Letters, digits and
// '_' only, short enough for any queue.
std::string NewDocumentName(const std::string& formPath) {
    static std::atomic<unsigned> count{0};
    std::string stem = formPath;
    size_t slash = stem.find_last_of("\\/:");
    if (slash != std::string::npos) stem = stem.substr(slash + 1);
    size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem = stem.substr(0, dot);
    if (stem.size() > 24) stem.resize(24);
    for (char& c : stem)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) c = '_';
    if (stem.empty()) stem = "Report";
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    char name[96];
    snprintf(name, sizeof name, "%s_%lu_%u_%08lx", stem.c_str(), GetCurrentProcessId(), ++count,
             now.dwLowDateTime);
    return name;
}

int PrintPages(const std::string& printer, const std::vector<RecordedPage>& pages,
               const std::string& document) {
    if (pages.empty()) return LL_OK;
    HDC dc = CreateDCA(nullptr, printer.c_str(), nullptr, nullptr);
    if (!dc) return LL_ERR_NO_PRINTER;
    RECT area = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    DOCINFOA info = {};
    info.cbSize = sizeof info;
    info.lpszDocName = document.c_str();
    int rc = LL_OK;
    if (StartDocA(dc, &info) <= 0) {
        rc = LL_ERR_OUTPUT;
    } else {
        for (const RecordedPage& page : pages) {
            HENHMETAFILE emf = GetEnhMetaFileA(page.file.c_str());
            if (!emf || StartPage(dc) <= 0) {
                if (emf) DeleteEnhMetaFile(emf);
                rc = emf ? LL_ERR_OUTPUT : LL_ERR_FILE;
                break;
            }
            PlayEnhMetaFile(dc, emf, &area);
            DeleteEnhMetaFile(emf);
            if (EndPage(dc) <= 0) {
                rc = LL_ERR_OUTPUT;
                break;
            }
        }
        if (rc == LL_OK) {
            if (EndDoc(dc) <= 0) rc = LL_ERR_OUTPUT;
        } else {
            AbortDoc(dc);
        }
    }
    DeleteDC(dc);
    return rc;
}

}  // namespace vaskreport
