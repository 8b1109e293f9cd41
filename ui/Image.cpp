#include "ui/Image.h"

#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "ui/GdiHandles.h"
#include "ui/WindowClass.h"
#include "ui/png/PngDecoder.h"

#include <cstring>
#include <string>

namespace zt::ui {
void Image::SetPicture(std::span<const std::uint8_t> png) {
    zt::png::Image decoded;
    try {
        decoded = zt::png::Decode(png);
    } catch (const zt::png::DecodeError& e) {
        throw Exception(L"Invalid PNG picture: " + FromAnsi(e.what()));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(decoded.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(decoded.height); // top row first, as decoded
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr)
        throw EOutOfResources(L"Out of system resources");
    // AlphaBlend wants blue, green, red with each colour already multiplied by its alpha.
    auto* out = static_cast<std::uint8_t*>(bits);
    const std::size_t pixels = std::size_t{decoded.width} * decoded.height;
    for (std::size_t i = 0; i < pixels; ++i) {
        const std::uint8_t* in = decoded.rgba.data() + i * 4;
        const unsigned alpha = in[3];
        out[i * 4 + 0] = static_cast<std::uint8_t>((in[2] * alpha + 127) / 255);
        out[i * 4 + 1] = static_cast<std::uint8_t>((in[1] * alpha + 127) / 255);
        out[i * 4 + 2] = static_cast<std::uint8_t>((in[0] * alpha + 127) / 255);
        out[i * 4 + 3] = static_cast<std::uint8_t>(alpha);
    }
    bitmap_ = std::move(bitmap);
    width_ = static_cast<int>(decoded.width);
    height_ = static_cast<int>(decoded.height);
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

void Image::LoadPictureResource(const wchar_t* name) {
    const HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (resource == nullptr)
        RaiseLastOSError();
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        RaiseLastOSError();
    SetPicture({static_cast<const std::uint8_t*>(data), SizeofResource(module, resource)});
}

Control::CreateParams Image::GetCreateParams() const {
    EnsureWindowClass(L"ZtImage");
    return {L"ZtImage", 0, 0};
}

void Image::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!bitmap_)
        return;
    const MemoryDc source(CreateCompatibleDC(dc));
    const Selection picture(source.get(), bitmap_.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, 0, 0, width_, height_, source.get(), 0, 0, width_, height_, blend);
}

LRESULT Image::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        return Control::WndProc(message, wParam, lParam);
    }
}

} // namespace zt::ui
