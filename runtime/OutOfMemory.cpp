#include "runtime/OutOfMemory.h"

#include <exception>

namespace zt {
namespace {

// Made while the program starts, when memory is still to be had. Raising it later goes through
// std::rethrow_exception, which neither copies the object nor its message.
const std::exception_ptr g_outOfMemory = std::make_exception_ptr(EOutOfMemory(kOutOfMemoryMessage));

const EOutOfMemory& ObjectOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const EOutOfMemory& object) {
        return object; // kept alive by g_outOfMemory
    }
}

const EOutOfMemory& g_outOfMemoryObject = ObjectOf(g_outOfMemory);

} // namespace

const EOutOfMemory& OutOfMemoryError() noexcept {
    return g_outOfMemoryObject;
}

void RaiseOutOfMemory() {
    std::rethrow_exception(g_outOfMemory);
}

} // namespace zt
