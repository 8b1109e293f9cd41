#include "ui/Application.h"

#include "runtime/CodePages.h"
#include "runtime/ExecutableFileName.h"
#include "ui/Form.h"

#include <new>
#include <objbase.h>
#include <windows.h>

namespace zt::ui {
namespace {

Application* g_instance = nullptr;

struct ErrorView {
    std::wstring className;
    std::wstring message;
};

ErrorView Describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return {e.ClassName(), e.Message()};
    } catch (const std::bad_alloc&) {
        return {L"EOutOfMemory", kOutOfMemoryMessage};
    } catch (const std::exception& e) {
        return {L"Exception", FromAnsi(e.what())};
    } catch (...) {
        return {L"Exception", L""};
    }
}

// The last-resort report names the module by its file name alone.
std::wstring ModuleFileName() noexcept {
    try {
        const std::wstring full = ExecutableFileName();
        return full.substr(full.find_last_of(L"\\/") + 1);
    } catch (...) {
        return {}; // the report is made all the same
    }
}

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
        const EOutOfMemory outOfMemory(kOutOfMemoryMessage);
        if (onException_)
            onException_(sender, outOfMemory);
        else
            DefaultReport(outOfMemory);
    } catch (const std::exception& e) {
        const Exception plain(FromAnsi(e.what()));
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

std::wstring LastResortText(std::exception_ptr error, const void* address) {
    const ErrorView view = Describe(error);
    std::wstring text = L"Exception " + view.className + L" in module " + ModuleFileName() + L" at ";
    wchar_t pointer[32];
    swprintf(pointer, 32, L"%016llX",
             static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(address)));
    text += pointer;
    text += L".\r\n" + view.message;
    if (!view.message.empty() && view.message.back() != L'.')
        text += L'.';
    text += L"\r\n";
    return text;
}

int RunProgram(const std::function<void()>& body) noexcept {
    try {
        body();
        return 0;
    } catch (...) {
        const std::wstring text = LastResortText(std::current_exception(), __builtin_return_address(0));
        MessageBoxW(nullptr, text.c_str(), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
}

} // namespace zt::ui
