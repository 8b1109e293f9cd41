// A label shows a new text before SetText returns, without a message taken from the queue: callers
// that never run the message loop (a long operation on the interface thread) still show it.
#include "ControlsFixture.h"
#include "ui/Label.h"
#include "ui/Layout.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace zt::ui::test {
namespace {

// Counts the messages this thread takes from its queue while the object lives.
class QueueWatch {
public:
    QueueWatch() : hook_(SetWindowsHookExW(WH_GETMESSAGE, Taken, nullptr, GetCurrentThreadId())) {
        taken_ = 0;
    }
    ~QueueWatch() { UnhookWindowsHookEx(hook_); }
    QueueWatch(const QueueWatch&) = delete;
    QueueWatch& operator=(const QueueWatch&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    int Count() const { return taken_; }

private:
    static LRESULT CALLBACK Taken(int code, WPARAM wParam, LPARAM lParam) {
        ++taken_;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int taken_ = 0;
    HHOOK hook_;
};

// Pixels of the label's window, read as they are now (no paint is asked for), that are dark as text
// is, in the columns from `fromX` on.
int DarkPixels(HWND label, int fromX) {
    RECT client;
    GetClientRect(label, &client);
    const HDC dc = GetDC(label);
    int dark = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = fromX; x < client.right; ++x) {
            const COLORREF colour = GetPixel(dc, x, y);
            if (colour != CLR_INVALID && GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 3 * 96)
                ++dark;
        }
    ReleaseDC(label, dc);
    return dark;
}

TEST_F(ControlsTest, ALabelIsPaintedBeforeSetTextReturnsWithoutHandlingAMessage) {
    // A fixed label and one that grows to its text: the part that growing adds is painted too.
    for (const bool autoSize : {false, true}) {
        SCOPED_TRACE(autoSize ? "sized to its text" : "fixed size");
        Label label;
        LayoutRow row{.name = L"LEtiqueta", .kind = L"label", .parent = {}, .bounds = {}};
        row.autoSize = autoSize;
        label.Configure(row);
        label.SetText(L"1");
        Host(label, {10, 10, autoSize ? 8 : 400, 13});
        UpdateWindow(form.Handle());
        RECT before;
        GetClientRect(label.Handle(), &before);
        const int fromX = autoSize ? before.right + 2 : 30;
        ASSERT_EQ(DarkPixels(label.Handle(), fromX), 0) << "text where none should be yet";

        QueueWatch watch;
        ASSERT_TRUE(watch.Hooked());
        label.SetText(L"1234567890 ABCDEFGHIJ 1234567890");
        EXPECT_EQ(watch.Count(), 0) << "a message was taken from the queue";
        EXPECT_GT(DarkPixels(label.Handle(), fromX), 0) << "the new text was not painted yet";
    }
}

} // namespace
} // namespace zt::ui::test
