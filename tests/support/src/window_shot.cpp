// Screenshots for people: a window's image as a PNG file, written through the system's
// imaging component. Tests never compare them.
#include "window_kit.h"

#include <initguid.h>
#include <wincodec.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace wkit {

namespace {

template <class T>
void Release(T*& p) {
    if (p != nullptr) p->Release();
    p = nullptr;
}

std::wstring Wide(const std::string& text) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    std::wstring wide((size_t)(n > 0 ? n : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

// Top-down 32-bit rows, written as a PNG file; false when the imaging component fails.
bool WritePng(const std::string& path, const std::vector<BYTE>& pixels, int cx, int cy) {
    HRESULT hrInit = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, (void**)&factory);
    if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder);
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, NULL);
    if (SUCCEEDED(hr)) hr = frame->Initialize(NULL);
    if (SUCCEEDED(hr)) hr = frame->SetSize((UINT)cx, (UINT)cy);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr))
        hr = frame->WritePixels((UINT)cy, (UINT)cx * 4, (UINT)pixels.size(),
                                const_cast<BYTE*>(pixels.data()));
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    Release(frame);
    Release(encoder);
    Release(stream);
    Release(factory);
    if (SUCCEEDED(hrInit)) ::CoUninitialize();
    return SUCCEEDED(hr);
}

}  // namespace

void Window::Shot(const std::string& name) const {
    const char* setting = getenv("VASK_SCREENSHOTS");
    if (setting == NULL || *setting == '\0' || strcmp(setting, "0") == 0) return;
    std::string folder = strcmp(setting, "1") == 0 ? VASK_DOCS_IMAGES : setting;
    RECT rc;
    if (!::IsWindow(hWnd_) || !::GetWindowRect(hWnd_, &rc)) return;
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0) return;
    ::UpdateWindow(hWnd_);

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    void* bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &bits, NULL, 0);
    bool bSaved = false;
    if (hBitmap != NULL && bits != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        // The window draws itself into the bitmap, so other windows on the shared display do
        // not cover it.
        if (!::PrintWindow(hWnd_, hMem, 0)) {
            HDC hWindow = ::GetWindowDC(hWnd_);
            ::BitBlt(hMem, 0, 0, cx, cy, hWindow, 0, 0, SRCCOPY);
            ::ReleaseDC(hWnd_, hWindow);
        }
        ::GdiFlush();
        std::vector<BYTE> pixels(static_cast<BYTE*>(bits),
                                 static_cast<BYTE*>(bits) + (size_t)cx * cy * 4);
        ::SelectObject(hMem, hOld);
        ::CreateDirectoryA(folder.c_str(), NULL);
        bSaved = WritePng(folder + "\\" + name + ".png", pixels, cx, cy);
    }
    if (hBitmap != NULL) ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    if (!bSaved) printf("screenshot %s could not be saved in %s\n", name.c_str(), folder.c_str());
}

}  // namespace wkit
