#pragma once
// Watches, from a thread of its own, a call on the test's thread that waits in a message loop (a message
// box, the application's loop): answers the message boxes it shows and bounds it, since such a call
// would otherwise wait for ever when its box or its end never comes.
#include <atomic>
#include <chrono>
#include <functional>
#include <stop_token>
#include <string>
#include <thread>
#include <windows.h>

namespace zt::test {

class ModalCallWatch {
public:
    // Watches `thread` for visible dialog boxes ("#32770") and presses OK on each; `look` sees a box
    // first, on the watching thread. A watch still running after `bound` means that the call under
    // test did not return in time, and nothing from outside can make it return: the test program says
    // what it waited for and ends with exit code 1.
    ModalCallWatch(DWORD thread, std::chrono::milliseconds bound, std::string what,
                   std::function<void(HWND box)> look = {});
    ~ModalCallWatch() = default; // stops the watch
    ModalCallWatch(const ModalCallWatch&) = delete;
    ModalCallWatch& operator=(const ModalCallWatch&) = delete;

    // Called once the call under test has returned: stops the watch and gives the number of boxes
    // answered.
    int Finish();

private:
    void Watch(const std::stop_token& stop);

    const DWORD thread_;
    const std::chrono::milliseconds bound_;
    const std::string what_;
    const std::function<void(HWND)> look_;
    std::atomic<int> answered_{0};
    std::jthread watcher_; // last: it starts once everything it reads is there
};

} // namespace zt::test
