#include "Screen.h"
#include "runtime/Exceptions.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Gauge.h"
#include "ui/GdiHandles.h"

#include <gtest/gtest.h>

namespace zt::ui {
namespace {

using zt::progress::test::Capture;
using zt::progress::test::Pixels;
using zt::progress::test::WaitFor;

class GaugeTest : public ::testing::Test {
protected:
    Application application;
    Form form{FormStyle{L"ZtGaugeTestForm"}};
    Gauge gauge;

    void SetUp() override {
        form.SetClientSize(300, 40);
        gauge.SetParent(&form);
        gauge.SetBounds({4, 4, 199, 11});
        gauge.SetFont(FontSpec{L"MS Serif", 8, 8, false, CLR_INVALID, ANSI_CHARSET});
        gauge.SetForeColor(RGB(0, 255, 0));
    }

    void ShowAndSettle() {
        form.Show();
        WaitFor([&] { return IsWindowVisible(gauge.Handle()) && gauge.PaintCount() > 0; },
                "the gauge's first paint");
        application.ProcessMessages();
    }
};

TEST_F(GaugeTest, MaximumBelowMinimumIsRefusedAndChangesNothing) {
    gauge.SetMaxValue(8);
    gauge.SetProgress(6);
    try {
        gauge.SetMaxValue(-1);
        FAIL() << "a negative maximum was accepted";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), L"Value must be between 1 and 2147483647");
    }
    EXPECT_EQ(gauge.MaxValue(), 8);
    EXPECT_EQ(gauge.Progress(), 6);
    gauge.SetMaxValue(0); // the minimum itself is a valid maximum
    EXPECT_EQ(gauge.MaxValue(), 0);
    EXPECT_EQ(gauge.Progress(), 0);
    EXPECT_EQ(gauge.PercentDone(), 0);
}

TEST_F(GaugeTest, ProgressStaysWithinItsRangeAndGivesTheTruncatedPercentage) {
    struct Case {
        int max;
        int set;
        int progress;
        int percent;
    };
    const Case cases[] = {
        {3, 1, 1, 33},
        {3, 2, 2, 66},
        {3, 7, 3, 100},
        {3, -4, 0, 0},
        {200, 199, 199, 99},
        {2147483647, 2147483646, 2147483646, 99}, // the percentage is taken without overflow
        {0, 5, 0, 0},
    };
    for (const Case& c : cases) {
        gauge.SetMaxValue(c.max);
        gauge.SetProgress(c.set);
        EXPECT_EQ(gauge.Progress(), c.progress) << c.max << " / " << c.set;
        EXPECT_EQ(gauge.PercentDone(), c.percent) << c.max << " / " << c.set;
    }
    gauge.SetMaxValue(10);
    gauge.SetProgress(9);
    gauge.SetMaxValue(4); // a lower maximum lowers the progress with it
    EXPECT_EQ(gauge.Progress(), 4);
    gauge.AddProgress(2147483647); // no overflow, just the maximum
    EXPECT_EQ(gauge.Progress(), 4);
}

TEST_F(GaugeTest, RepaintsOnlyWhenPercentageMaximumOrColourChange) {
    gauge.SetMaxValue(400);
    ShowAndSettle();
    struct Step {
        const char* what;
        std::function<void()> change;
        bool repaints;
    };
    const Step steps[] = {
        {"progress 1 of 400 (still 0%)", [&] { gauge.SetProgress(1); }, false},
        {"progress 3 of 400 (still 0%)", [&] { gauge.SetProgress(3); }, false},
        {"progress 4 of 400 (1%)", [&] { gauge.SetProgress(4); }, true},
        {"progress 7 of 400 (still 1%)", [&] { gauge.AddProgress(3); }, false},
        {"the same maximum", [&] { gauge.SetMaxValue(400); }, false},
        {"a new maximum", [&] { gauge.SetMaxValue(700); }, true},
        {"the same colour", [&] { gauge.SetForeColor(RGB(0, 255, 0)); }, false},
        {"a new colour", [&] { gauge.SetForeColor(RGB(1, 255, 0)); }, true},
        {"progress 700 (100%)", [&] { gauge.SetProgress(700); }, true},
        {"progress beyond the maximum (still 100%)", [&] { gauge.SetProgress(900); }, false},
    };
    for (const Step& step : steps) {
        const int before = gauge.PaintCount();
        step.change();
        // The repaint is synchronous: no message handling needed to see it.
        EXPECT_EQ(gauge.PaintCount() - before, step.repaints ? 1 : 0) << step.what;
    }
}

TEST_F(GaugeTest, DrawsTheFilledPartAndThePercentageInvertedOverIt) {
    gauge.SetMaxValue(100);
    ShowAndSettle();
    struct Case {
        int progress;
        COLORREF colour;
    };
    const Case cases[] = {{0, RGB(0, 255, 0)},
                          {25, RGB(127, 255, 0)},
                          {50, RGB(255, 255, 0)},
                          {99, RGB(255, 0, 0)},
                          {100, RGB(0, 0, 255)}};
    // The bar made wider after it was drawn is drawn whole again, not through the picture of its old size.
    for (const int barWidth : {199, 250}) {
        SCOPED_TRACE(barWidth);
        gauge.SetBounds({4, 4, barWidth, 11});
        const int width = gauge.GetBounds().width;
        for (const Case& c : cases) {
            gauge.SetProgress(c.progress);
            gauge.SetForeColor(c.colour);
            const int filled = (width + 1) * c.progress / 100;
            Pixels pixels;
            auto fillEdgeRight = [&] {
                pixels = Capture(gauge.Handle());
                const COLORREF left = filled > 0 ? c.colour : RGB(255, 255, 255);
                return pixels.width == width && pixels.At(0, 0) == left &&
                       pixels.At(width - 1, 0) == (filled >= width ? c.colour : RGB(255, 255, 255));
            };
            ASSERT_TRUE(WaitFor(fillEdgeRight, "the bar's ends in their colours on the screen"))
                << c.progress;
            int inverted = 0;
            int wrong = 0;
            int invertedLeft = width;
            int invertedRight = -1;
            for (int y = 0; y < pixels.height; ++y) {
                for (int x = 0; x < pixels.width; ++x) {
                    const COLORREF base = x < filled ? c.colour : RGB(255, 255, 255);
                    const COLORREF pixel = pixels.At(x, y);
                    if (pixel == base)
                        continue;
                    if (pixel == (base ^ 0xFFFFFF)) {
                        ++inverted;
                        invertedLeft = std::min(invertedLeft, x);
                        invertedRight = std::max(invertedRight, x);
                    } else {
                        ++wrong;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << "pixels neither the bar's colour, white nor their inverse at "
                                << c.progress << "%";
            EXPECT_GT(inverted, 10) << "no inverted text at " << c.progress << "%";
            // The text is centred: both its ends lie about as far from the bar's ends.
            EXPECT_LE(std::abs(invertedLeft - (width - 1 - invertedRight)), 3) << c.progress << "%";
        }
    }
}

// A first picture asked into a DC of another format (WM_PRINTCLIENT into a one-bit bitmap, as a
// program copying the window could) leaves later paints on the screen in colour.
TEST_F(GaugeTest, APictureIntoAOneBitDcLeavesTheScreenInColour) {
    gauge.SetMaxValue(2);
    gauge.SetProgress(2);
    const HWND bar = gauge.Handle();
    ASSERT_FALSE(IsWindowVisible(bar)) << "the gauge painted on the screen before the test's picture";
    RECT client;
    GetClientRect(bar, &client);
    {
        const MemoryDc oneBit(CreateCompatibleDC(nullptr));
        const GdiObject<HBITMAP> picture(CreateBitmap(client.right, client.bottom, 1, 1, nullptr));
        ASSERT_TRUE(oneBit && picture);
        const Selection selected(oneBit.get(), picture.get());
        SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(oneBit.get()), PRF_CLIENT);
    }
    ShowAndSettle();
    const Pixels shown = Capture(bar);
    ASSERT_EQ(shown.width, client.right);
    // The percentage stands in the middle: the bar's ends show its colour alone.
    EXPECT_EQ(shown.At(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(shown.At(shown.width - 2, shown.height - 2), RGB(0, 255, 0));
}

} // namespace
} // namespace zt::ui
