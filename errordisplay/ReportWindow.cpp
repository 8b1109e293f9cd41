#include "errordisplay/ReportWindow.h"

#include "errordisplay/ModuleSupport.h"

#include <algorithm>
#include <memory>
#include <type_traits>

namespace zt::errordisplay {
namespace {

struct ReportState {
    bool closed = false;
};

LRESULT CALLBACK ReportWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* state = reinterpret_cast<ReportState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (state != nullptr)
                state->closed = true;
            return 0;
        }
        break;
    case WM_CLOSE:
        if (state != nullptr)
            state->closed = true;
        return 0;    // the modal loop ends and destroys the window in order
    case WM_DESTROY: // e.g. together with its owner
        if (state != nullptr)
            state->closed = true;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The class lives only as long as the report: the module is unloaded after every call. A report
// shown from within another one finds the class already there and leaves it to the outer one.
class ReportWindowClass {
public:
    explicit ReportWindowClass(HINSTANCE instance) : instance_(instance) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &ReportWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kReportWindowClass;
        if (RegisterClassExW(&windowClass) != 0)
            registered_ = true;
        else if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            FailWithLastError(L"registrar la ventana del informe");
    }
    ~ReportWindowClass() {
        if (registered_)
            UnregisterClassW(kReportWindowClass, instance_);
    }
    ReportWindowClass(const ReportWindowClass&) = delete;
    ReportWindowClass& operator=(const ReportWindowClass&) = delete;

private:
    HINSTANCE instance_;
    bool registered_ = false;
};

struct FontRelease {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontRelease>;

struct WindowRelease {
    void operator()(HWND window) const {
        if (IsWindow(window))
            DestroyWindow(window);
    }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowRelease>;

struct ScreenDcRelease {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;

class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner)
        : owner_(owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr) {
        if (owner_ != nullptr)
            EnableWindow(owner_, FALSE);
    }
    ~OwnerDisabled() { Restore(); }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

    // Before the report goes, so that the system can hand the activation back to the owner.
    void Restore() {
        if (owner_ != nullptr && IsWindow(owner_))
            EnableWindow(owner_, TRUE);
        owner_ = nullptr;
    }

private:
    HWND owner_;
};

struct Fonts {
    Font normal;
    Font bold;
};

Fonts MessageFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        FailWithLastError(L"leer la fuente de los mensajes");
    Fonts fonts;
    fonts.normal.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    metrics.lfMessageFont.lfWeight = FW_BOLD;
    fonts.bold.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    if (!fonts.normal || !fonts.bold)
        FailWithLastError(L"crear la fuente del informe");
    return fonts;
}

SIZE MeasureText(HDC dc, HFONT font, const std::wstring& text, int maxWidth) {
    if (text.empty())
        return {0, 0};
    const HGDIOBJ previous = SelectObject(dc, font);
    RECT bounds{0, 0, maxWidth, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, previous);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

struct TextBlock {
    const std::wstring* text;
    HFONT font;
    SIZE size;
};

// Where the report goes: over its owner when that is on screen, else the middle of the work area.
POINT CentredPosition(HWND owner, SIZE windowSize) {
    const bool overOwner = owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(overOwner ? owner : nullptr, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT around = monitor.rcWork;
    if (overOwner)
        GetWindowRect(owner, &around);
    const RECT& work = monitor.rcWork;
    const LONG x = around.left + (around.right - around.left - windowSize.cx) / 2;
    const LONG y = around.top + (around.bottom - around.top - windowSize.cy) / 2;
    return {std::clamp(x, work.left, std::max(work.left, work.right - windowSize.cx)),
            std::clamp(y, work.top, std::max(work.top, work.bottom - windowSize.cy))};
}

HWND AddChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, RECT bounds,
              int id, HFONT font) {
    const HWND child =
        CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    if (child == nullptr)
        FailWithLastError(L"crear la ventana del informe");
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

Window CreateReportWindow(HWND owner, const ReportContent& content, const Fonts& fonts, ReportState& state) {
    const ScreenDc dc(GetDC(nullptr));
    const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    const int margin = scaled(12);
    const int gap = scaled(6);
    const int iconSize = GetSystemMetrics(SM_CXICON);
    const int maxTextWidth = scaled(420);
    const SIZE button{scaled(75), scaled(23)};

    const TextBlock blocks[] = {
        {&content.heading, fonts.bold.get(),
         MeasureText(dc.get(), fonts.bold.get(), content.heading, maxTextWidth)},
        {&content.classLine, fonts.normal.get(),
         MeasureText(dc.get(), fonts.normal.get(), content.classLine, maxTextWidth)},
        {&content.message, fonts.normal.get(),
         MeasureText(dc.get(), fonts.normal.get(), content.message, maxTextWidth)},
        {&content.details, fonts.normal.get(),
         MeasureText(dc.get(), fonts.normal.get(), content.details, maxTextWidth)},
    };
    int textWidth = scaled(220);
    int textHeight = 0;
    for (const TextBlock& block : blocks) {
        textWidth = std::max<int>(textWidth, block.size.cx);
        if (block.size.cy > 0)
            textHeight += (textHeight > 0 ? gap : 0) + block.size.cy;
    }

    const int textLeft = margin + iconSize + margin;
    RECT client{0, 0, textLeft + textWidth + margin,
                margin + std::max(iconSize, textHeight) + margin + button.cy + margin};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
    const SIZE windowSize{client.right - client.left, client.bottom - client.top};
    const POINT position = CentredPosition(owner, windowSize);

    Window window(CreateWindowExW(exStyle, kReportWindowClass, content.title.c_str(), style, position.x,
                                  position.y, windowSize.cx, windowSize.cy, owner, nullptr, ThisModule(),
                                  &state));
    if (!window)
        FailWithLastError(L"crear la ventana del informe");

    const HWND icon =
        AddChild(window.get(), L"STATIC", L"", SS_ICON,
                 {margin, margin, margin + iconSize, margin + iconSize}, -1, fonts.normal.get());
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_ERROR)), 0);

    int top = margin;
    for (const TextBlock& block : blocks) {
        if (block.size.cy == 0)
            continue;
        AddChild(window.get(), L"STATIC", *block.text, SS_LEFT | SS_NOPREFIX,
                 {textLeft, top, textLeft + textWidth, top + block.size.cy}, -1, block.font);
        top += block.size.cy + gap;
    }

    const LONG clientWidth = textLeft + textWidth + margin;
    const LONG buttonTop = margin + std::max(iconSize, textHeight) + margin;
    const HWND ok =
        AddChild(window.get(), L"BUTTON", L"Aceptar", WS_TABSTOP | BS_DEFPUSHBUTTON,
                 {clientWidth - margin - button.cx, buttonTop, clientWidth - margin, buttonTop + button.cy},
                 IDOK, fonts.normal.get());
    ShowWindow(window.get(), SW_SHOWNORMAL);
    SetFocus(ok);
    return window;
}

} // namespace

void ShowReportModal(HWND owner, const ReportContent& content) {
    if (owner != nullptr && !IsWindow(owner))
        owner = nullptr;
    const ReportWindowClass windowClass(ThisModule());
    const Fonts fonts = MessageFonts();
    ReportState state;
    OwnerDisabled ownerDisabled(owner);
    Window window = CreateReportWindow(owner, content, fonts, state);

    bool quitArrived = false;
    WPARAM quitCode = 0;
    while (!state.closed) {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quitArrived = true;
            quitCode = message.wParam;
            break;
        }
        if (got == -1)
            break;
        if (!IsDialogMessageW(window.get(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    ownerDisabled.Restore();
    window.reset();
    if (owner != nullptr && IsWindowVisible(owner))
        SetActiveWindow(owner);
    if (quitArrived)
        PostQuitMessage(static_cast<int>(quitCode));
}

} // namespace zt::errordisplay
