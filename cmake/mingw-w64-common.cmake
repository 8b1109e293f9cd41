# What both toolchain files share: the posix-threads variant of MinGW-w64 (GoogleTest needs
# std::mutex, which the win32-threads variant lacks) for ZT_TRIPLET, and Wine to run tests.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZT_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZT_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZT_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZT_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
