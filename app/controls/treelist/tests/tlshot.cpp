// Screenshots of test windows (see tlshot.h): the window's pixels copied from its device
// context and written as an uncompressed PNG (stored deflate blocks).
#include "tlshot.h"

#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static uint32_t table[256];
    static bool made = false;
    if (!made) {
        for (uint32_t n = 0; n < 256; n++) {
            uint32_t c = n;
            for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        made = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < size; i++) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((uint8_t)(v >> shift));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(png, (uint32_t)data.size());
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, Crc32(body.data(), body.size()));
}

// Rows of RGB pixels, top down, each led by filter byte 0, in stored deflate blocks.
std::vector<uint8_t> Png(int width, int height, const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + (size_t)y * width * 3,
                   rgb.begin() + (size_t)(y + 1) * width * 3);
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);  // the last block
        z.push_back((uint8_t)n);
        z.push_back((uint8_t)(n >> 8));
        z.push_back((uint8_t)~n);
        z.push_back((uint8_t)(~n >> 8));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, (uint32_t)width);
    PutBig32(header, (uint32_t)height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace

bool SaveScreenshotIfAsked(HWND hWnd, const char* name, std::string* error) {
    char folder[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("VASK_SCREENSHOT_DIR", folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return true;
    RECT client;
    GetClientRect(hWnd, &client);
    int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) {
        *error = "the window has no client area";
        return false;
    }
    RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC hWindowDC = GetDC(hWnd);
    HDC hMemDC = CreateCompatibleDC(hWindowDC);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP hBitmap = CreateDIBSection(hWindowDC, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    BOOL copied = BitBlt(hMemDC, 0, 0, width, height, hWindowDC, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint8_t> rgb((size_t)width * height * 3);
    const uint8_t* bgra = (const uint8_t*)bits;
    for (size_t i = 0; i < (size_t)width * height; i++) {
        rgb[i * 3] = bgra[i * 4 + 2];
        rgb[i * 3 + 1] = bgra[i * 4 + 1];
        rgb[i * 3 + 2] = bgra[i * 4];
    }
    SelectObject(hMemDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemDC);
    ReleaseDC(hWnd, hWindowDC);
    if (!copied) {
        *error = "the window's pixels could not be copied";
        return false;
    }
    std::vector<uint8_t> png = Png(width, height, rgb);
    std::string path = std::string(folder) + "\\" + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (file == NULL) {
        *error = "cannot write " + path;
        return false;
    }
    bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    written = fclose(file) == 0 && written;
    if (!written) *error = "cannot write " + path;
    return written;
}
