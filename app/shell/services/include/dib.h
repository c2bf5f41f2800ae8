// CDib: one picture as a device-independent bitmap section with its colour table and a
// matching palette, drawn unscaled or stretched through the system's DIB functions or,
// on request and from 8 bits per pixel on, through Video for Windows' DrawDib. Made from
// a bitmap resource, a bitmap handle, a header with pixel data or a bitmap file, and
// written back to a file. The splash window loads its picture with it.
//
// Pictures are bottom-up, uncompressed (BI_RGB), with 1, 4, 8, 16, 24 or 32 bits per
// pixel; the colour table has 2, 16 or 256 entries for 1, 4 and 8 bits and none above.
#pragma once

#include "vaskfc.h"

#include <vfw.h>

class CDib : public CObject {
public:
    CDib();
    ~CDib() override;

    // Back to empty: no section, no colour table, DrawDib closed.
    void Reset();
    // Drawing through DrawDib (on) or the DIB functions; FALSE when DrawDib cannot open.
    BOOL UseDrawDib(BOOL bOn);

    // A bitmap of the program's resources, with the default palette.
    BOOL LoadResource(UINT nID);
    BOOL LoadResource(LPCSTR lpszName);
    // A copy of the bitmap, with the palette given or the default one.
    BOOL Create(HBITMAP hBitmap, CPalette* pPalette = NULL);
    // A copy of a header (with its colour table) and its pixels, which hold at least
    // BytesPerLine(width, bit count) x height bytes.
    BOOL Create(const BITMAPINFO* pInfo, const void* pBits);
    // A bitmap file ("BM", a 40-byte header); FALSE for any other or a damaged one.
    BOOL LoadFile(LPCSTR lpszPath);
    BOOL SaveFile(LPCSTR lpszPath) const;

    // The number of scan lines drawn (DrawDib: whether it drew); 0 for an empty picture.
    int Draw(CDC* pDC, int x, int y, BOOL bForceBackground = FALSE);
    int StretchDraw(CDC* pDC, int x, int y, int cx, int cy, BOOL bForceBackground = FALSE);

    // The picture's palette and, with a colour table, its colours become the palette's.
    BOOL SetPalette(CPalette* pPalette);
    // The first nCount colours of the table; the number set, 0 when none.
    UINT SetColorTable(UINT nCount, const RGBQUAD* pColors);
    // The palette from the section's colour table; the default palette without one.
    BOOL CreatePaletteFromColorTable();
    // The palette of nEntries entries (outside 1-256: 256): 16 fixed colours, the 6x6x6
    // colour cube, 24 greys.
    BOOL CreateDefaultPalette(int nEntries);

    // Colour-table entries of a bit count: 2, 16, 256, else 0.
    static int ColorCount(int nBitCount);
    // Bytes of one scan line: whole 32-bit words.
    static DWORD BytesPerLine(int nWidth, int nBitCount);

    BOOL IsEmpty() const { return m_hBitmap == NULL; }
    CSize GetSize() const { return CSize(m_info.header.biWidth, m_info.header.biHeight); }
    int GetBitCount() const { return m_info.header.biBitCount; }
    void* GetBits() const { return m_pBits; }
    const BITMAPINFO* GetBitmapInfo() const { return (const BITMAPINFO*)&m_info; }
    int GetColorCount() const { return m_nColors; }
    CPalette* GetPalette() { return &m_palette; }
    BOOL IsDrawDibUsed() const { return m_bUseDrawDib && m_hDrawDib != NULL; }

protected:
    // A header that this class keeps: 40 bytes, BI_RGB, a bit count it knows, a size.
    static BOOL IsUsableHeader(const BITMAPINFOHEADER& header);
    // The image size of the header: BytesPerLine x height; 0 when it does not fit 32 bits.
    static DWORD ImageSize(const BITMAPINFOHEADER& header);
    // Create from a header and cbBits bytes of pixels.
    BOOL CreateFromBits(const BITMAPINFO* pInfo, const void* pBits, DWORD cbBits);
    // Draw (bStretch false: at the picture's size) and StretchDraw.
    int Render(CDC* pDC, int x, int y, int cx, int cy, bool bStretch, BOOL bForceBackground);
    // The palette from entries of the system's form.
    BOOL MakePalette(const PALETTEENTRY* pEntries, int nEntries);

    HBITMAP m_hBitmap;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } m_info;
    void* m_pBits;
    int m_nColorUse;  // DIB_RGB_COLORS
    int m_nColors;    // entries of the colour table: 0, 2, 16 or 256
    CPalette m_palette;
    int m_bUseDrawDib;
    HDRAWDIB m_hDrawDib;
};
