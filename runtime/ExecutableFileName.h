#pragma once
#include <string>

namespace zt {

// The full path of the file from which the running process was started.
std::wstring ExecutableFileName();

} // namespace zt
