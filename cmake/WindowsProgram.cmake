# A mingw-w64 tree: the Windows program and, when asked, its tests run through Wine.
option(LAY_OUT_DIST "Copy the program into DIST_DIR" ON)
option(BUILD_WINDOWS_TESTS "Build the Windows tests (run by ctest under Wine)" OFF)

find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_compile_options(-Wall -Wextra -Werror -fstack-protector-strong -D_FORTIFY_SOURCE=2 -O2)
# Everything the mingw runtime provides is linked in, so the program imports only the
# system's own DLLs and runs on a bare Windows; ASLR and NX are switched on.
add_link_options(-static -static-libgcc -static-libstdc++ -fstack-protector-strong
                 -Wl,--dynamicbase,--nxcompat)
if(MINGW_ARCH STREQUAL "x86_64")
  add_link_options(-Wl,--high-entropy-va)
endif()
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_subdirectory(src)
add_subdirectory(bench/win)

if(BUILD_WINDOWS_TESTS)
  # GoogleTest from Debian's sources, built for Windows with the posix-thread compilers.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
  add_subdirectory(tests/win)
endif()
