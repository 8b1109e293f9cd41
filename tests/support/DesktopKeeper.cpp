// Holds the default desktop open for a whole test run. Wine closes that desktop once no process
// uses it; the next test that needs a window then starts a new desktop process, which inherits
// that test's output and keeps CTest waiting on it long after the test has ended. The keeper is
// started with its input and output away from the runner and ends with the Wine server.
// Argument: a file to create once this process uses the desktop.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    MSG message;
    // A message queue and the desktop window make this process a user of the desktop.
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    if (GetDesktopWindow() == nullptr)
        return 1;
    const HANDLE ready = CreateFileW(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE)
        CloseHandle(ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    return 0;
}
