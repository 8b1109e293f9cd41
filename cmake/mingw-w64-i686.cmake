# The shipped build: 32-bit Windows, because the workstation's database engine exists only as a
# 32-bit library. Floating point in SSE2 registers, as the 64-bit test host build has it: x87
# arithmetic would round intermediate results differently (the progress dialog's times round
# halves). The stack is realigned where SSE needs it: Windows keeps 32-bit stacks 4-byte aligned.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZT_TRIPLET i686-w64-mingw32)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
