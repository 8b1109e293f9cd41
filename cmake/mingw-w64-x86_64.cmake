# The test host build: 64-bit Windows, with the posix-threads variant of MinGW-w64 (GoogleTest needs
# std::mutex, which the win32-threads variant lacks). It runs the tests under 64-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZT_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZT_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZT_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZT_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZT_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
