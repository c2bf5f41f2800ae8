// A picture as a device-independent bitmap section.
#include "dib.h"

#include <stdint.h>
#include <string.h>

#include <vector>

namespace {

const WORD kBitmapType = 0x4D42;  // "BM"
const DWORD kInfoSize = sizeof(BITMAPINFOHEADER);
// The file keeps four bytes after the colour table, counted in the data offset; readers
// skip them.
const DWORD kTableGap = 4;

// The 16 colours that every default palette begins with (red, green, blue).
const BYTE kFixedColors[16][3] = {{0, 0, 0},     {255, 255, 255}, {0, 0, 255},     {0, 255, 0},
                                  {0, 255, 255}, {255, 0, 0},     {255, 0, 255},   {255, 255, 0},
                                  {0, 0, 128},   {0, 128, 0},     {0, 128, 128},   {128, 0, 0},
                                  {128, 0, 128}, {128, 128, 0},   {128, 128, 128}, {192, 192, 192}};

// A memory context compatible with the screen with the bitmap selected, undone at the end.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP hBitmap) : dc_(::CreateCompatibleDC(NULL)), old_(NULL) {
        if (dc_ != NULL) old_ = ::SelectObject(dc_, hBitmap);
    }
    ~SelectedBitmap() {
        if (old_ != NULL) ::SelectObject(dc_, old_);
        if (dc_ != NULL) ::DeleteDC(dc_);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    HDC dc() const { return old_ != NULL ? dc_ : NULL; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

CDib::CDib()
    : m_hBitmap(NULL),
      m_pBits(NULL),
      m_nColorUse(DIB_RGB_COLORS),
      m_nColors(0),
      m_bUseDrawDib(0),
      m_hDrawDib(NULL) {
    memset(&m_info, 0, sizeof m_info);
}

CDib::~CDib() {
    Reset();
    m_palette.DeleteObject();
}

void CDib::Reset() {
    if (m_hBitmap != NULL) ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_pBits = NULL;
    memset(&m_info, 0, sizeof m_info);
    if (m_hDrawDib != NULL) DrawDibClose(m_hDrawDib);
    m_hDrawDib = NULL;
    m_bUseDrawDib = 0;
    m_nColorUse = DIB_RGB_COLORS;
    m_nColors = 0;
}

BOOL CDib::UseDrawDib(BOOL bOn) {
    if (!bOn == !m_bUseDrawDib && !bOn == (m_hDrawDib == NULL)) return TRUE;
    if (m_hDrawDib != NULL) DrawDibClose(m_hDrawDib);
    m_hDrawDib = bOn ? DrawDibOpen() : NULL;
    m_bUseDrawDib = m_hDrawDib != NULL;
    return !bOn || m_hDrawDib != NULL;
}

int CDib::ColorCount(int nBitCount) {
    switch (nBitCount) {
        case 1: return 2;
        case 4: return 16;
        case 8: return 256;
        default: return 0;
    }
}

DWORD CDib::BytesPerLine(int nWidth, int nBitCount) {
    return (DWORD)((((uint64_t)(uint32_t)nWidth * (uint32_t)nBitCount + 31) & ~(uint64_t)31) / 8);
}

DWORD CDib::ImageSize(const BITMAPINFOHEADER& header) {
    if (header.biWidth <= 0 || header.biHeight <= 0) return 0;
    const uint64_t line = (((uint64_t)header.biWidth * header.biBitCount + 31) & ~(uint64_t)31) / 8;
    const uint64_t size = line * (uint64_t)header.biHeight;
    return size <= 0xFFFFFFFFu ? (DWORD)size : 0;
}

BOOL CDib::IsUsableHeader(const BITMAPINFOHEADER& header) {
    switch (header.biBitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: break;
        default: return FALSE;
    }
    // The section reads as many colours as the header says are used: at most the table.
    return header.biSize == kInfoSize && header.biCompression == BI_RGB && header.biWidth > 0 &&
           header.biHeight > 0 && header.biClrUsed <= 256 && ImageSize(header) != 0;
}

// --- making --------------------------------------------------------------------------------

BOOL CDib::LoadResource(UINT nID) { return LoadResource(MAKEINTRESOURCEA(nID)); }

BOOL CDib::LoadResource(LPCSTR lpszName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszName, (LPCSTR)RT_BITMAP);
    HBITMAP hBitmap =
        (HBITMAP)::LoadImageA(hInst, lpszName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap == NULL) return FALSE;
    const BOOL bMade = Create(hBitmap, NULL);
    ::DeleteObject(hBitmap);
    return bMade;
}

BOOL CDib::Create(HBITMAP hBitmap, CPalette* pPalette) {
    Reset();
    BITMAP bitmap;
    if (hBitmap == NULL || !::GetObjectA(hBitmap, sizeof bitmap, &bitmap)) return FALSE;
    BITMAPINFOHEADER& header = m_info.header;
    header.biSize = kInfoSize;
    header.biWidth = bitmap.bmWidth;
    header.biHeight = bitmap.bmHeight < 0 ? -bitmap.bmHeight : bitmap.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = bitmap.bmBitsPixel;
    header.biCompression = BI_RGB;
    if (!IsUsableHeader(header)) {
        Reset();
        return FALSE;
    }
    header.biSizeImage = ImageSize(header);
    m_nColors = ColorCount(header.biBitCount);

    HDC hScreen = ::GetDC(NULL);
    if (hScreen == NULL) {
        Reset();
        return FALSE;
    }
    // The system completes the header and gives the bitmap's colour table; the section
    // keeps the format chosen here.
    ::GetDIBits(hScreen, hBitmap, 0, header.biHeight, NULL, (BITMAPINFO*)&m_info, DIB_RGB_COLORS);
    header.biSize = kInfoSize;
    header.biCompression = BI_RGB;
    header.biSizeImage = ImageSize(header);
    if (header.biClrUsed > (DWORD)m_nColors) header.biClrUsed = 0;

    if (pPalette != NULL)
        SetPalette(pPalette);
    else
        CreateDefaultPalette(m_nColors);

    HPALETTE hPalette = (HPALETTE)m_palette.m_hObject;
    HPALETTE hOldPalette = NULL;
    if (hPalette != NULL) {
        hOldPalette = ::SelectPalette(hScreen, hPalette, FALSE);
        ::RealizePalette(hScreen);
    }
    m_hBitmap =
        ::CreateDIBSection(hScreen, (BITMAPINFO*)&m_info, DIB_RGB_COLORS, &m_pBits, NULL, 0);
    if (hOldPalette != NULL) ::SelectPalette(hScreen, hOldPalette, FALSE);
    ::ReleaseDC(NULL, hScreen);
    if (m_hBitmap == NULL || m_pBits == NULL) {
        Reset();
        return FALSE;
    }

    // The pixels, through two memory contexts with the palette.
    BOOL bCopied = FALSE;
    HDC hSource = ::CreateCompatibleDC(NULL);
    HDC hTarget = ::CreateCompatibleDC(NULL);
    if (hSource != NULL && hTarget != NULL) {
        HPALETTE hOldSource = NULL, hOldTarget = NULL;
        if (hPalette != NULL) {
            hOldSource = ::SelectPalette(hSource, hPalette, FALSE);
            ::RealizePalette(hSource);
            hOldTarget = ::SelectPalette(hTarget, hPalette, FALSE);
            ::RealizePalette(hTarget);
        }
        HGDIOBJ hOldFrom = ::SelectObject(hSource, hBitmap);
        HGDIOBJ hOldTo = ::SelectObject(hTarget, m_hBitmap);
        if (hOldFrom != NULL && hOldTo != NULL)
            bCopied =
                ::BitBlt(hTarget, 0, 0, header.biWidth, header.biHeight, hSource, 0, 0, SRCCOPY);
        if (hOldFrom != NULL) ::SelectObject(hSource, hOldFrom);
        if (hOldTo != NULL) ::SelectObject(hTarget, hOldTo);
        if (hPalette != NULL) {
            ::SelectPalette(hSource, hOldSource, FALSE);
            ::SelectPalette(hTarget, hOldTarget, FALSE);
        }
    }
    if (hSource != NULL) ::DeleteDC(hSource);
    if (hTarget != NULL) ::DeleteDC(hTarget);
    if (!bCopied) {
        Reset();
        return FALSE;
    }
    return TRUE;
}

BOOL CDib::Create(const BITMAPINFO* pInfo, const void* pBits) {
    if (pInfo == NULL) {
        Reset();
        return FALSE;
    }
    return CreateFromBits(pInfo, pBits, ImageSize(pInfo->bmiHeader));
}

BOOL CDib::CreateFromBits(const BITMAPINFO* pInfo, const void* pBits, DWORD cbBits) {
    Reset();
    if (pInfo == NULL || pBits == NULL || !IsUsableHeader(pInfo->bmiHeader)) return FALSE;
    // The section holds exactly the image; the header's own size may say anything.
    const DWORD cbImage = ImageSize(pInfo->bmiHeader);
    if (cbBits < cbImage) return FALSE;
    m_nColors = ColorCount(pInfo->bmiHeader.biBitCount);
    m_info.header = pInfo->bmiHeader;
    m_info.header.biSizeImage = cbImage;
    memcpy(m_info.colors, pInfo->bmiColors, sizeof(RGBQUAD) * m_nColors);

    HDC hScreen = ::GetDC(NULL);
    if (hScreen != NULL) {
        m_hBitmap =
            ::CreateDIBSection(hScreen, (BITMAPINFO*)&m_info, DIB_RGB_COLORS, &m_pBits, NULL, 0);
        ::ReleaseDC(NULL, hScreen);
    }
    if (m_hBitmap == NULL || m_pBits == NULL) {
        Reset();
        return FALSE;
    }
    ::GdiFlush();
    memcpy(m_pBits, pBits, cbImage);
    CreatePaletteFromColorTable();
    return TRUE;
}

// --- files ----------------------------------------------------------------------------------

BOOL CDib::LoadFile(LPCSTR lpszPath) {
    if (lpszPath == NULL || *lpszPath == 0) return FALSE;
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
    try {
        const DWORD start = file.GetPosition();
        const DWORD length = file.GetLength() - start;
        BITMAPFILEHEADER fileHeader;
        if (file.Read(&fileHeader, sizeof fileHeader) != sizeof fileHeader ||
            fileHeader.bfType != kBitmapType)
            return FALSE;
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info;
        memset(&info, 0, sizeof info);
        if (file.Read(&info.header, kInfoSize) != kInfoSize || !IsUsableHeader(info.header))
            return FALSE;
        const UINT cbTable = sizeof(RGBQUAD) * ColorCount(info.header.biBitCount);
        if (file.Read(info.colors, cbTable) != cbTable) return FALSE;
        // The pixels run from the data offset to the file size the header gives; both lie
        // in the file, and the image fits between them.
        if (fileHeader.bfOffBits > length || fileHeader.bfSize > length ||
            fileHeader.bfSize < fileHeader.bfOffBits)
            return FALSE;
        const DWORD cbData = fileHeader.bfSize - fileHeader.bfOffBits;
        if (cbData < ImageSize(info.header)) return FALSE;
        std::vector<BYTE> data(cbData);
        file.Seek((LONG)(start + fileHeader.bfOffBits), CFile::begin);
        if (file.Read(data.data(), cbData) != cbData) return FALSE;
        return CreateFromBits((const BITMAPINFO*)&info, data.data(), cbData);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CDib::SaveFile(LPCSTR lpszPath) const {
    if (IsEmpty() || lpszPath == NULL || *lpszPath == 0) return FALSE;
    CFile file;
    if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    try {
        const DWORD cbTable = sizeof(RGBQUAD) * m_nColors;
        const DWORD cbHeaders = sizeof(BITMAPFILEHEADER) + kInfoSize + kTableGap + cbTable;
        BITMAPFILEHEADER fileHeader = {};
        fileHeader.bfType = kBitmapType;
        fileHeader.bfSize = cbHeaders + m_info.header.biSizeImage;
        fileHeader.bfOffBits = cbHeaders;
        file.Write(&fileHeader, sizeof fileHeader);
        file.Write(&m_info, kInfoSize + cbTable);
        const BYTE gap[kTableGap] = {};
        file.Write(gap, kTableGap);
        file.Write(m_pBits, m_info.header.biSizeImage);
        file.Close();
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

// --- palettes -------------------------------------------------------------------------------

BOOL CDib::MakePalette(const PALETTEENTRY* pEntries, int nEntries) {
    m_palette.DeleteObject();
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nEntries);
    LOGPALETTE* pLog = (LOGPALETTE*)buffer.data();
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)nEntries;
    memcpy(pLog->palPalEntry, pEntries, sizeof(PALETTEENTRY) * nEntries);
    return m_palette.CreatePalette(pLog);
}

BOOL CDib::CreateDefaultPalette(int nEntries) {
    if (nEntries < 1 || nEntries > 256) nEntries = 256;
    PALETTEENTRY entries[256];
    int n = 0;
    for (const BYTE* rgb : kFixedColors) entries[n++] = {rgb[0], rgb[1], rgb[2], 0};
    // The colour cube: blue changes slowest, red fastest.
    for (int blue = 0; blue < 6; ++blue)
        for (int green = 0; green < 6; ++green)
            for (int red = 0; red < 6; ++red)
                entries[n++] = {(BYTE)(red * 255 / 5), (BYTE)(green * 255 / 5),
                                (BYTE)(blue * 255 / 5), 0};
    for (int grey = 0; grey < 24; ++grey) {
        const BYTE g = (BYTE)(grey * 255 / 23);
        entries[n++] = {g, g, g, 0};
    }
    return MakePalette(entries, nEntries);
}

BOOL CDib::CreatePaletteFromColorTable() {
    if (IsEmpty()) return FALSE;
    if (m_nColors == 0) return CreateDefaultPalette(256);
    RGBQUAD table[256];
    UINT nRead = 0;
    {
        SelectedBitmap selected(m_hBitmap);
        if (selected.dc() != NULL) nRead = ::GetDIBColorTable(selected.dc(), 0, m_nColors, table);
    }
    if (nRead == 0) return CreateDefaultPalette(m_nColors);
    PALETTEENTRY entries[256] = {};
    for (UINT i = 0; i < nRead && i < 256; ++i)
        entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    if (!MakePalette(entries, m_nColors)) return CreateDefaultPalette(m_nColors);
    return TRUE;
}

BOOL CDib::SetPalette(CPalette* pPalette) {
    if (pPalette == NULL || pPalette->m_hObject == NULL) return FALSE;
    WORD nEntries = 0;
    if (!::GetObjectA(pPalette->m_hObject, sizeof nEntries, &nEntries) || nEntries < 1 ||
        nEntries > 256)
        return FALSE;
    PALETTEENTRY entries[256];
    if (::GetPaletteEntries((HPALETTE)pPalette->m_hObject, 0, nEntries, entries) != nEntries)
        return FALSE;
    if (!MakePalette(entries, nEntries)) {
        CreatePaletteFromColorTable();
        return FALSE;
    }
    if (m_nColors == 0) return TRUE;
    RGBQUAD colors[256];
    for (int i = 0; i < nEntries; ++i)
        colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return SetColorTable(nEntries, colors) != 0;
}

UINT CDib::SetColorTable(UINT nCount, const RGBQUAD* pColors) {
    if (IsEmpty() || pColors == NULL || nCount == 0 || nCount > 256 || m_nColors == 0) return 0;
    UINT nSet = 0;
    {
        SelectedBitmap selected(m_hBitmap);
        if (selected.dc() == NULL) return 0;
        nSet = ::SetDIBColorTable(selected.dc(), 0, nCount, pColors);
    }
    // The table that SaveFile writes stays the section's.
    for (UINT i = 0; i < nSet && i < (UINT)m_nColors; ++i) m_info.colors[i] = pColors[i];
    return nSet;
}

// --- drawing --------------------------------------------------------------------------------

int CDib::Draw(CDC* pDC, int x, int y, BOOL bForceBackground) {
    return Render(pDC, x, y, 0, 0, false, bForceBackground);
}

int CDib::StretchDraw(CDC* pDC, int x, int y, int cx, int cy, BOOL bForceBackground) {
    return Render(pDC, x, y, cx, cy, true, bForceBackground);
}

int CDib::Render(CDC* pDC, int x, int y, int cx, int cy, bool bStretch, BOOL bForceBackground) {
    if (IsEmpty() || pDC == NULL || pDC->m_hDC == NULL) return 0;
    HDC hDC = pDC->m_hDC;
    const int nWidth = m_info.header.biWidth, nHeight = m_info.header.biHeight;
    HPALETTE hPalette = (HPALETTE)m_palette.m_hObject;
    if (!IsDrawDibUsed() || GetBitCount() < 8) {
        HPALETTE hOldPalette = NULL;
        if (hPalette != NULL && (::GetDeviceCaps(hDC, RASTERCAPS) & RC_PALETTE)) {
            hOldPalette = ::SelectPalette(hDC, hPalette, bForceBackground);
            ::RealizePalette(hDC);
        }
        int nLines;
        if (bStretch) {
            const int nOldMode = ::SetStretchBltMode(hDC, COLORONCOLOR);
            nLines = ::StretchDIBits(hDC, x, y, cx, cy, 0, 0, nWidth, nHeight, m_pBits,
                                     (const BITMAPINFO*)&m_info, DIB_RGB_COLORS, SRCCOPY);
            if (nOldMode != 0) ::SetStretchBltMode(hDC, nOldMode);
        } else {
            nLines = ::SetDIBitsToDevice(hDC, x, y, nWidth, nHeight, 0, 0, 0, nHeight, m_pBits,
                                         (const BITMAPINFO*)&m_info, DIB_RGB_COLORS);
        }
        if (hOldPalette != NULL) ::SelectPalette(hDC, hOldPalette, TRUE);
        return nLines;
    }
    DrawDibSetPalette(m_hDrawDib, hPalette);
    DrawDibRealize(m_hDrawDib, hDC, bForceBackground);
    return DrawDibDraw(m_hDrawDib, hDC, x, y, bStretch ? cx : nWidth, bStretch ? cy : nHeight,
                       &m_info.header, m_pBits, 0, 0, nWidth, nHeight, 0);
}
