#pragma once
// The application object: title, main window, the application-wide error handler and the event loop.
#include "runtime/Exceptions.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace zt::ui {

class Form;

class Application {
public:
    // Initialises COM for this thread (single-threaded apartment) before any window exists.
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one application object of the process.
    static Application& Instance();

    void SetTitle(std::wstring title) { title_ = std::move(title); }
    const std::wstring& Title() const { return title_; }

    // The main window owns the taskbar button; no hidden application window exists at all.
    void SetMainFormOnTaskBar(bool on) { mainFormOnTaskBar_ = on; }
    bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }

    using ExceptionHandler = std::function<void(void* sender, const Exception& error)>;
    void SetOnException(ExceptionHandler handler) { onException_ = std::move(handler); }

    // Builds the window (its controls from its layout), runs its creation handler with errors
    // handed to the error handler, and makes the first form created the main window.
    template <class TForm> TForm& CreateForm(std::unique_ptr<TForm>& reference) {
        reference = std::make_unique<TForm>();
        reference->DoCreate();
        if (mainForm_ == nullptr)
            mainForm_ = reference.get();
        return *reference;
    }
    Form* MainForm() const { return mainForm_; }

    // Shows the main window and dispatches events until it closes.
    void Run();
    // Handles every pending message, then returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Hands an error to the error handler (EAbort dropped, std::bad_alloc as EOutOfMemory). What the
    // handler raises leaves this function.
    void HandleException(void* sender, std::exception_ptr error);

    // Runs an action on behalf of a native notification: an escaping error goes to HandleException,
    // and what that raises is kept to be rethrown by the loop, never thrown through the callback.
    // A template, so that guarding each window message costs no allocation.
    template <class Action> bool Guard(void* sender, Action&& action) noexcept {
        try {
            action();
            return true;
        } catch (...) {
            KeepFailure(sender, std::current_exception());
            return false;
        }
    }

    // Rethrows an error kept by Guard, if any.
    void RethrowPending();

private:
    void KeepFailure(void* sender, std::exception_ptr error) noexcept;
    bool HandleMessage(bool wait);
    void DefaultReport(const Exception& error) const;

    std::wstring title_;
    bool mainFormOnTaskBar_ = false;
    ExceptionHandler onException_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    std::exception_ptr pending_;
    bool comInitialised_ = false;
};

// Runs the program body; an error that escapes it ends the program with the last-resort report
// (a task-modal "Application Error" box) and exit code 1.
int RunProgram(const std::function<void()>& body) noexcept;

} // namespace zt::ui
