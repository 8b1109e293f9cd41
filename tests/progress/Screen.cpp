#include "Screen.h"

#include "ui/Application.h"
#include "ui/GdiHandles.h"

#include <gtest/gtest.h>

namespace zt::progress::test {

Pixels Capture(HWND hwnd) {
    UpdateWindow(hwnd);
    return AsShown(hwnd);
}

Pixels AsShown(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    Pixels pixels{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const ui::WindowDc screen(hwnd);
    const ui::MemoryDc memory(CreateCompatibleDC(screen.Get()));
    const ui::GdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap)
        return pixels;
    const ui::Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, pixels.width, pixels.height, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    for (int i = 0; i < pixels.width * pixels.height; ++i)
        pixels.colours.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    return pixels;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[512] = {};
    SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool WaitFor(const std::function<bool()>& condition, const char* what, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what;
            return false;
        }
        ui::Application::Instance().ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

} // namespace zt::progress::test
