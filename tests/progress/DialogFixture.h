#pragma once
// A progress dialog as the generator makes it: owned by a form of the test, with a clock the test sets.
#include "Screen.h"
#include "progress/UINFOP50.h"
#include "runtime/DateTime.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zt::progress::test {

class DialogTest : public ::testing::Test {
protected:
    ui::Application application;
    ui::Form owner{ui::FormStyle{L"ZtProgressOwner"}};
    DateTime now = EncodeDate(2024, 3, 14) + EncodeTime(9, 30, 0, 0);
    std::vector<std::wstring> reports;

    void SetUp() override {
        application.SetOnException([this](void*, const Exception& e) { reports.push_back(e.Message()); });
        owner.SetClientSize(300, 200);
        FrmInfoP50 = std::make_unique<TFrmInfoP50>(owner);
        FrmInfoP50->SetClock([this] { return now; });
    }
    void TearDown() override { FrmInfoP50.reset(); }

    TFrmInfoP50& Dialog() { return *FrmInfoP50; }
    void Advance(int hours, int minutes, int seconds, int ms) {
        now += EncodeTime(hours % 24, minutes, seconds, ms) + hours / 24;
    }
    // What the label's native window shows.
    static std::wstring Shown(ui::Control& control) { return WindowText(control.Handle()); }
    static bool StyleVisible(ui::Control& control) {
        return (GetWindowLongW(control.Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    static int NativeHeight(ui::Control& control) {
        RECT r;
        GetWindowRect(control.Handle(), &r);
        return r.bottom - r.top;
    }
    int Scaled(int pixels) { return Dialog().GetScaler()(pixels); }
};

} // namespace zt::progress::test
