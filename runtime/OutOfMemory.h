#pragma once
// The process's single out-of-memory error, made at program start so that raising it needs no memory.
#include "runtime/Exceptions.h"

namespace zt {

// The one out-of-memory error object ("Out of memory").
const EOutOfMemory& OutOfMemoryError() noexcept;

// Raises that very object, not a copy: catch it by reference.
[[noreturn]] void RaiseOutOfMemory();

} // namespace zt
