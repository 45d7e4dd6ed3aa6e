# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 toolchain. The -posix
# thread model is the one whose standard library has std::thread, std::mutex and
# std::call_once. Programs are linked statically, so they need only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TORVEX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TORVEX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVEX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVEX_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TORVEX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine, in a prefix of their own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
