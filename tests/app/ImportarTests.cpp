// The generator run in the test's own process, where the progress dialog can be watched to its end.
#include "Workstation.h"
#include "app/UGnImcon.h"
#include "progress/UINFOP50.h"
#include "tests/support/Bytes.h"
#include "tests/support/ModalCallWatch.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <string>
#include <windows.h>

namespace zt::app::test {
namespace {

// The counter the progress dialog shows at the moment it is destroyed, seen from a hook on this
// thread: the dialog's last state, not a sample of it.
class LastCounterSeen {
public:
    LastCounterSeen() : hook_(SetWindowsHookExW(WH_CBT, Watch, nullptr, GetCurrentThreadId())) {
        counter_.clear();
        destroyed_ = 0;
    }
    ~LastCounterSeen() { UnhookWindowsHookEx(hook_); }
    LastCounterSeen(const LastCounterSeen&) = delete;
    LastCounterSeen& operator=(const LastCounterSeen&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    const std::wstring& Counter() const { return counter_; }
    int DialogsDestroyed() const { return destroyed_; }

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_DESTROYWND) {
            // The dialog's controls go before the dialog itself: the counter is read as it goes.
            const HWND window = reinterpret_cast<HWND>(wParam);
            const HWND dialog = GetAncestor(window, GA_ROOT);
            wchar_t className[32] = {};
            if (GetClassNameW(dialog, className, 32) != 0 && std::wcscmp(className, L"TFrmInfoP50") == 0) {
                wchar_t text[64] = {};
                GetWindowTextW(window, text, 64);
                if (window == dialog)
                    ++destroyed_;
                else if (std::wcsstr(text, L" de ") != nullptr)
                    counter_ = text;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::wstring counter_;
    static inline int destroyed_ = 0;
    HHOOK hook_;
};

TEST(Importar, TheWorkedExamplesDialogEndsAtTwoOfThree) {
    CreateDirectoryW(L"C:\\zentor", nullptr);
    CreateDirectoryW(L"C:\\zentor\\version", nullptr);
    const e2e::Workstation station(
        e2e::Alias("NOMINA", "MSSQL", {"SERVER NAME=SRVDATOS", "DATABASE NAME=Nomina"}) +
        e2e::Alias("CONTABLE", "MSSQL", {"SERVER NAME=SRVCONTA", "DATABASE NAME=Conta"}) +
        e2e::Alias("Zentor7", "MSSQL", {"SERVER NAME=  SRVDATOS\\PRODUCCION ", "DATABASE NAME=GENTE"}));
    // The engine is found in the current folder, where the workstation has it.
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(station.Folder().c_str()));

    ui::Application application;
    FrmGnImcon = std::make_unique<TFrmGnImcon>();
    FrmGnImcon->CargarAliasBDE();
    ASSERT_EQ(FrmGnImcon->ChkLBAlias.Count(), 3u);
    FrmGnImcon->ChkLBAlias.SetChecked(1, false);
    {
        const LastCounterSeen seen;
        ASSERT_TRUE(seen.Hooked());
        zt::test::ModalCallWatch watch(GetCurrentThreadId(), std::chrono::seconds(60),
                                       "Importar to show its message box and return");
        FrmGnImcon->Importar();
        EXPECT_EQ(watch.Finish(), 1) << "message boxes answered";
        EXPECT_EQ(seen.DialogsDestroyed(), 1);
        EXPECT_EQ(seen.Counter(), L"2 de 3") << "the counter the dialog showed when it went";
    }
    EXPECT_EQ(zt::test::ReadBytes(L"C:\\zentor\\version\\Conexiones.ini"),
              e2e::CrLf({"[NOMINA]", "DriverID=MSSQL", "Server=SRVDATOS", "DataBase=Nomina",
                         "User_Name=", "Password=", "", "[Zentor7]", "DriverID=MSSQL",
                         "Server=SRVDATOS\\PRODUCCION", "DataBase=GENTE", "User_Name=", "Password=", ""}));
    FrmGnImcon.reset();
    SetCurrentDirectoryW(previous);
}

} // namespace
} // namespace zt::app::test
