#include "ui/Application.h"

#include "runtime/OutOfMemory.h"
#include "ui/Form.h"
#include "ui/LastResortReport.h"

#include <new>
#include <objbase.h>
#include <windows.h>

namespace zt::ui {
namespace {

Application* g_instance = nullptr;

} // namespace

Application::Application() {
    g_instance = this;
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Application::~Application() {
    if (comInitialised_)
        CoUninitialize();
    if (g_instance == this)
        g_instance = nullptr;
}

Application& Application::Instance() {
    return *g_instance;
}

void Application::Run() {
    if (mainForm_ == nullptr)
        return;
    mainForm_->Show();
    while (!terminated_) {
        try {
            HandleMessage(true);
            RethrowPending();
        } catch (...) {
            HandleException(this, std::current_exception());
        }
    }
}

void Application::ProcessMessages() {
    while (HandleMessage(false)) {
        RethrowPending();
    }
    RethrowPending();
}

void Application::Terminate() {
    if (!terminated_)
        PostQuitMessage(0);
    terminated_ = true;
}

bool Application::HandleMessage(bool wait) {
    MSG msg;
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            terminated_ = true;
            return false;
        }
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    } else if (msg.message == WM_QUIT) {
        terminated_ = true;
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (!Form::IsDialogMessageFor(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void Application::HandleException(void* sender, std::exception_ptr error) {
    if (GetCapture() != nullptr)
        ReleaseCapture();
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return;
    } catch (const Exception& e) {
        if (onException_)
            onException_(sender, e);
        else
            DefaultReport(e);
    } catch (const std::bad_alloc&) {
        // The single object made at start: handing it on needs no memory.
        if (onException_)
            onException_(sender, OutOfMemoryError());
        else
            DefaultReport(OutOfMemoryError());
    } catch (const std::exception& e) {
        const std::string what = e.what();
        const Exception plain(std::wstring(what.begin(), what.end()));
        if (onException_)
            onException_(sender, plain);
        else
            DefaultReport(plain);
    }
}

void Application::KeepFailure(void* sender, std::exception_ptr error) noexcept {
    try {
        HandleException(sender, error);
    } catch (...) {
        pending_ = std::current_exception();
    }
}

void Application::RethrowPending() {
    if (pending_) {
        std::exception_ptr error = pending_;
        pending_ = nullptr;
        std::rethrow_exception(error);
    }
}

void Application::DefaultReport(const Exception& error) const {
    std::wstring text = error.Message();
    if (!text.empty() && text.back() != L'.')
        text += L'.';
    HWND owner = mainForm_ != nullptr && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

int RunProgram(const std::function<void()>& body) noexcept {
    // Ready before the body runs: the error that ends it may be that memory has run out.
    LastResortReport report;
    try {
        body();
        return 0;
    } catch (...) {
        report.Show(std::current_exception(), __builtin_return_address(0));
        return 1;
    }
}

} // namespace zt::ui
