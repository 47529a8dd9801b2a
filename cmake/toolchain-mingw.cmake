# Cross-compiles the Windows program with mingw-w64. MINGW_ARCH picks the target:
# i686 (the shipped 32-bit program) or x86_64 (the same sources, for running the
# Windows tests on hosts whose kernel cannot execute 32-bit code).
set(MINGW_ARCH "i686" CACHE STRING "mingw-w64 target architecture (i686 or x86_64)")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_ARCH})
set(triple ${MINGW_ARCH}-w64-mingw32)
# The posix-thread compilers: GoogleTest needs std::mutex, which the win32-thread ones lack.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# ctest runs every test executable through Wine; a cache variable so -D can override it.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh"
    CACHE FILEPATH "Runs a Windows test executable")
