#pragma once
// A shown form of the test's own that hosts the controls under test, with real native windows.
#include "ui/Application.h"
#include "ui/Form.h"

#include <gtest/gtest.h>

namespace zt::ui::test {

class HostForm : public Form {
public:
    HostForm() : Form(FormStyle{L"ZtControlsHost"}) { SetClientSize(640, 200); }
};

class ControlsTest : public ::testing::Test {
protected:
    Application application;
    HostForm form;

    // Places the control on the form and creates every native window.
    void Host(Control& control, const Bounds& bounds, int tabOrder = 0) {
        control.SetParent(&form);
        control.SetBounds(bounds);
        control.SetTabOrder(tabOrder);
        form.Show();
        application.ProcessMessages();
    }
    static void MouseClick(HWND hwnd, POINT at) {
        const LPARAM where = MAKELPARAM(at.x, at.y);
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, where);
    }
    static void SpaceBar(HWND hwnd) {
        SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendMessageW(hwnd, WM_CHAR, L' ', 0x00390001);
        SendMessageW(hwnd, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    }
};

} // namespace zt::ui::test
