// Ends with an error that escapes the program body, so that its last-resort report can be observed.
// Built with the allocation budget: the out-of-memory cases run out of memory for real.
#include "runtime/Exceptions.h"
#include "runtime/OutOfMemory.h"
#include "tests/support/AllocationBudget.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <memory>
#include <string>
#include <windows.h>

namespace {

constexpr UINT kExhaust = WM_APP + 1;

// Spends what is left and asks for more, as any allocation would once memory has run out.
void RunOutOfMemory() {
    zt::test::LimitAllocations(0);
    const std::wstring more(64, L'x');
}

class ExhaustingForm : public zt::ui::Form {
public:
    ExhaustingForm() : Form(zt::ui::FormStyle{L"ZtExhaustingForm"}) { SetClientSize(200, 100); }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kExhaust)
            RunOutOfMemory();
        return Form::WndProc(message, wParam, lParam);
    }
};

// Runs out in its creation handler.
class ExhaustedInCreation : public ExhaustingForm {
public:
    ExhaustedInCreation() {
        OnCreate = [](zt::ui::Control&) { RunOutOfMemory(); };
    }
};

template <class TForm> void CreateAndRun(zt::ui::Application& application) {
    std::unique_ptr<TForm> form;
    application.CreateForm(form);
    PostMessageW(form->Handle(), kExhaust, 0, 0);
    application.Run();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const std::wstring kind = commandLine;
    return zt::ui::RunProgram([&] {
        zt::ui::Application application;
        // As the program's own handler does: an out-of-memory error is raised anew, not reported.
        application.SetOnException([](void*, const zt::Exception& e) {
            if (dynamic_cast<const zt::EOutOfMemory*>(&e) != nullptr)
                zt::RaiseOutOfMemory();
        });
        if (kind == L"oom")
            RunOutOfMemory();
        if (kind == L"oom-creation")
            CreateAndRun<ExhaustedInCreation>(application);
        if (kind == L"oom-loop")
            CreateAndRun<ExhaustingForm>(application);
        if (kind == L"full-stop")
            throw zt::EConvertError(L"Ya termina en punto.");
        if (kind == L"empty")
            throw zt::Exception(L"");
        throw zt::EOSError(ERROR_ACCESS_DENIED);
    });
}
