#pragma once
// Every wait of the driver polls for its condition with a bound and names what it waited for.
#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace zt::e2e {

class TimeoutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The process whose window a wait was for ended first (a crash, or a program that gave up): what it
// never shows is not waited for.
class ProcessEndedError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using std::chrono::milliseconds;
inline constexpr milliseconds kDefaultBound{20000};

// Polls probe() until its result converts to true and returns that result; after the bound it
// throws TimeoutError naming `what`.
template <class Probe>
auto WaitFor(Probe probe, std::string_view what, milliseconds bound = kDefaultBound) -> decltype(probe()) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        auto result = probe();
        if (static_cast<bool>(result))
            return result;
        if (std::chrono::steady_clock::now() >= deadline)
            throw TimeoutError("timed out after " + std::to_string(bound.count()) + " ms waiting for " +
                               std::string(what));
        std::this_thread::sleep_for(milliseconds(10));
    }
}

} // namespace zt::e2e
