#include "runtime/CodePages.h"
#include "runtime/Exceptions.h"
#include "runtime/ExecutableFileName.h"
#include "tests/support/ModalCallWatch.h"
#include "ui/Application.h"
#include "ui/Form.h"

#include <chrono>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>
#include <windows.h>

namespace zt::ui {
namespace {

constexpr UINT kRaise = WM_APP + 1;
constexpr UINT kCount = WM_APP + 2;

// A form whose window procedure fails on request, the way an event handler would.
class ProbeForm : public Form {
public:
    ProbeForm() : Form(FormStyle{L"ZtProbeForm"}) { SetClientSize(200, 100); }
    int counted = 0;
    std::function<void()> raise;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRaise)
            raise();
        if (message == kCount) {
            ++counted;
            return 0;
        }
        return Form::WndProc(message, wParam, lParam);
    }
};

struct Report {
    std::wstring className;
    std::wstring message;
};

class ApplicationTest : public ::testing::Test {
protected:
    Application application;
    std::vector<Report> reports;
    void SetUp() override {
        application.SetOnException([this](void*, const Exception& e) {
            reports.push_back({e.ClassName(), e.Message()});
        });
    }
};

TEST_F(ApplicationTest, GuardHandsEscapingErrorsToTheHandler) {
    ProbeForm form;
    struct Case {
        std::function<void()> raise;
        const wchar_t* className; // nullptr: dropped without a report
        const wchar_t* message;
    };
    const Case cases[] = {
        {[] { throw Exception(L"Debe seleccionar al menos un alias para importar."); }, L"Exception",
         L"Debe seleccionar al menos un alias para importar."},
        {[] { throw EConvertError(L"no es un número"); }, L"EConvertError", L"no es un número"},
        {[] { throw std::bad_alloc(); }, L"EOutOfMemory", L"Out of memory"},
        // A library's narrow text is in the ANSI code page; its letters outside ASCII stay whole.
        {[] { throw std::runtime_error(ToAnsi(L"falló la conexión")); }, L"Exception", L"falló la conexión"},
        {[] { throw EAbort(L"silencio"); }, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        reports.clear();
        form.raise = c.raise;
        SendMessageW(form.Handle(), kRaise, 0, 0);
        if (c.className == nullptr) {
            EXPECT_TRUE(reports.empty());
            continue;
        }
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].className, c.className);
        EXPECT_EQ(reports[0].message, c.message);
    }
}

TEST_F(ApplicationTest, ProcessMessagesHandlesEveryPendingMessageAndReturns) {
    ProbeForm form;
    for (int i = 0; i < 5; ++i)
        PostMessageW(form.Handle(), kCount, 0, 0);
    application.ProcessMessages();
    EXPECT_EQ(form.counted, 5);
    application.ProcessMessages(); // nothing pending: returns at once
    EXPECT_EQ(form.counted, 5);
}

TEST_F(ApplicationTest, AnErrorRaisedByTheHandlerLeavesTheNextLoopStep) {
    ProbeForm form;
    application.SetOnException([](void*, const Exception& e) {
        if (dynamic_cast<const EOutOfMemory*>(&e) != nullptr)
            throw EOutOfMemory(kOutOfMemoryMessage);
    });
    form.raise = [] { throw std::bad_alloc(); };
    PostMessageW(form.Handle(), kRaise, 0, 0);
    PostMessageW(form.Handle(), kCount, 0, 0);
    EXPECT_THROW(application.ProcessMessages(), EOutOfMemory);
    application.ProcessMessages();
    EXPECT_EQ(form.counted, 1);
}

TEST_F(ApplicationTest, RunCarriesOnAfterAnErrorUntilTheMainWindowCloses) {
    std::unique_ptr<ProbeForm> form;
    application.CreateForm(form);
    ASSERT_EQ(application.MainForm(), form.get());
    form->raise = [] { throw Exception(L"primero"); };
    PostMessageW(form->Handle(), kRaise, 0, 0);
    PostMessageW(form->Handle(), kCount, 0, 0);
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    test::ModalCallWatch watch(GetCurrentThreadId(), std::chrono::seconds(20),
                               "Application::Run to end once its main window closed");
    application.Run();
    EXPECT_EQ(watch.Finish(), 0) << "message boxes answered";
    EXPECT_TRUE(application.Terminated());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, L"primero");
    EXPECT_EQ(form->counted, 1);
    EXPECT_FALSE(form->HandleAllocated());
}

TEST_F(ApplicationTest, CreationHandlerErrorsAreReportedAndCreationCompletes) {
    struct FailingForm : ProbeForm {
        FailingForm() {
            OnCreate = [](Control&) { throw Exception(L"Alias Zentor7 no encontrado."); };
        }
    };
    std::unique_ptr<FailingForm> form;
    application.CreateForm(form);
    EXPECT_EQ(application.MainForm(), form.get());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].message, L"Alias Zentor7 no encontrado.");
}

// The last-resort report, observed from a child process.
struct ChildResult {
    std::wstring boxText;
    DWORD exitCode = 0;
};

std::wstring ChildPath() {
    const std::wstring self = ExecutableFileName();
    return self.substr(0, self.find_last_of(L'\\') + 1) + L"ui_last_resort_child.exe";
}

struct FindBox {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindBoxOfProcess(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<FindBox*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (pid == search->processId && std::wstring(title) == L"Application Error") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

ChildResult RunChild(const std::wstring& kind) {
    std::wstring commandLine = L"\"" + ChildPath() + L"\" " + kind;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        ADD_FAILURE() << "cannot start the child";
        return {};
    }
    ChildResult result;
    FindBox search{pi.dwProcessId};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (search.found == nullptr && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(FindBoxOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (search.found == nullptr) {
        ADD_FAILURE() << "no \"Application Error\" box appeared within 30 s";
        TerminateProcess(pi.hProcess, 99);
    } else {
        wchar_t text[1024] = {};
        GetDlgItemTextW(search.found, 0xFFFF, text, 1024);
        result.boxText = text;
        PostMessageW(search.found, WM_COMMAND, IDOK, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        ADD_FAILURE() << "the child did not end within 30 s after its box was dismissed";
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

TEST(LastResortReport, ShowsTheErrorAndEndsWithExitCodeOne) {
    struct Case {
        const wchar_t* kind;
        std::wstring className;
        std::wstring messageLine;
    };
    const Case cases[] = {
        // Memory really runs out: straight in the body, in a creation handler and in a window
        // message, the last two raised anew by the error handler and carried out of the creation or
        // the loop.
        {L"oom", L"EOutOfMemory", L"Out of memory."},
        {L"oom-creation", L"EOutOfMemory", L"Out of memory."},
        {L"oom-loop", L"EOutOfMemory", L"Out of memory."},
        {L"full-stop", L"EConvertError", L"Ya termina en punto."},
        {L"empty", L"Exception", L""},
        {L"ansi-what", L"Exception", L"falló la conexión."},
    };
    for (const Case& c : cases) {
        const ChildResult result = RunChild(c.kind);
        EXPECT_EQ(result.exitCode, 1u) << c.kind;
        const std::wstring prefix = L"Exception " + c.className + L" in module ui_last_resort_child.exe at ";
        EXPECT_EQ(result.boxText.substr(0, prefix.size()), prefix) << c.kind;
        // The message box may drop the trailing line break; the message line follows the address.
        const std::size_t lineStart = result.boxText.find(L".\r\n");
        ASSERT_NE(lineStart, std::wstring::npos) << c.kind;
        // The code address as wide as a pointer of the build: eight hexadecimal digits here.
        EXPECT_EQ(lineStart, prefix.size() + 2 * sizeof(void*)) << c.kind;
        std::wstring rest = result.boxText.substr(lineStart + 3);
        while (!rest.empty() && (rest.back() == L'\n' || rest.back() == L'\r'))
            rest.pop_back();
        EXPECT_EQ(rest, c.messageLine) << c.kind;
    }
}

} // namespace
} // namespace zt::ui
