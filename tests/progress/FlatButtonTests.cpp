#include "Screen.h"
#include "ui/Application.h"
#include "ui/FlatButton.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

namespace zt::ui {
namespace {

using zt::progress::test::Capture;
using zt::progress::test::Pixels;
using zt::progress::test::WaitFor;

constexpr COLORREF kFuchsia = RGB(255, 0, 255);

class FlatButtonTest : public ::testing::Test {
protected:
    Application application;
    Form form{FormStyle{L"ZtFlatButtonTestForm"}};
    FlatButton button;
    int clicks = 0;

    void SetUp() override {
        form.SetClientSize(200, 60);
        button.SetParent(&form);
        button.SetBounds({10, 10, 131, 25});
        button.SetText(L"Detener Proceso");
        button.SetTabOrder(0);
        button.OnClick = [this](Control&) { ++clicks; };
    }

    int CountPixels(const Pixels& pixels, const std::function<bool(COLORREF)>& match) const {
        int n = 0;
        for (COLORREF c : pixels.colours)
            n += match(c) ? 1 : 0;
        return n;
    }
};

TEST_F(FlatButtonTest, PicturesComeFromTheResourcesWithTheirBackgroundTransparent) {
    for (const wchar_t* name : {L"BDETENERPROCESO", L"BSALIR", L"SBVERDETALLES"}) {
        FlatButton other;
        other.SetGlyph(name);
        EXPECT_TRUE(other.HasGlyph()) << "no picture " << name;
        EXPECT_EQ(other.TransparentColor(), kFuchsia);
    }
    FlatButton missing;
    missing.SetGlyph(L"NO SUCH PICTURE");
    EXPECT_FALSE(missing.HasGlyph());
}

TEST_F(FlatButtonTest, DrawsTheNormalPictureWhileEnabledAndTheGreyedOneWhileDisabled) {
    button.SetGlyph(L"BDETENERPROCESO");
    form.Show();
    auto red = [](COLORREF c) { return c == RGB(255, 0, 0); };
    auto fuchsia = [](COLORREF c) { return c == kFuchsia; };
    Pixels pixels;
    ASSERT_TRUE(WaitFor(
        [&] {
            pixels = Capture(button.Handle());
            return CountPixels(pixels, red) > 20;
        },
        "the red ring of the enabled button"));
    EXPECT_EQ(CountPixels(pixels, fuchsia), 0) << "the picture's background is drawn";

    button.SetEnabled(false);
    ASSERT_TRUE(WaitFor(
        [&] {
            pixels = Capture(button.Handle());
            return CountPixels(pixels, red) == 0;
        },
        "the disabled button without its red ring"));
    EXPECT_GT(CountPixels(pixels, [](COLORREF c) { return c == RGB(128, 128, 128); }), 20)
        << "no greyed picture";
    EXPECT_EQ(CountPixels(pixels, fuchsia), 0);
}

TEST_F(FlatButtonTest, EveryClickOfAQuickPairCounts) {
    form.Show();
    application.ProcessMessages();
    HWND hwnd = button.Handle();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 2);
}

TEST_F(FlatButtonTest, AcceleratorClicksOnlyAnEnabledVisibleButton) {
    button.SetText(L"&Salir");
    form.Show();
    application.ProcessMessages();
    struct Case {
        bool enabled;
        bool visible;
        int clicks;
    };
    const Case cases[] = {{true, true, 1}, {false, true, 0}, {true, false, 0}};
    for (const Case& c : cases) {
        clicks = 0;
        button.SetEnabled(c.enabled);
        button.SetVisible(c.visible);
        PostMessageW(form.Handle(), WM_SYSCHAR, L's', 1 << 29);
        application.ProcessMessages();
        EXPECT_EQ(clicks, c.clicks) << "enabled " << c.enabled << ", visible " << c.visible;
    }
}

} // namespace
} // namespace zt::ui
