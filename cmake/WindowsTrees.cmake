# Drives the mingw-w64 builds from the native tree:
#  - windows-i686: the shipped 32-bit program, laid out in DIST_DIR;
#  - windows-x86_64: the same sources built for x86-64, only when this host's kernel cannot
#    execute 32-bit code (Wine's 32-bit loader then fails), so that the Windows tests still
#    run under Wine against the program's real code.
# ctest runs the Windows tests of whichever tree can run them, through Wine.
include(ExternalProject)

execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-loader.sh
                OUTPUT_VARIABLE WINE_LOADER OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE wine_result)
if(NOT wine_result EQUAL 0)
  message(FATAL_ERROR "Wine is missing or cannot run here: run scripts/install-deps.sh")
endif()
if(WINE_LOADER MATCHES "wine64$")
  set(WINDOWS_TEST_ARCH x86_64)
else()
  set(WINDOWS_TEST_ARCH i686)
endif()
message(STATUS "Windows tests: ${WINDOWS_TEST_ARCH} build under ${WINE_LOADER}")

find_program(XVFB_RUN xvfb-run)
if(NOT XVFB_RUN)
  message(FATAL_ERROR "xvfb-run is missing: run scripts/install-deps.sh")
endif()

set(WINE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-test)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
# The same prefix on screens scaled to 150 % and 200 %, for the layout tests at 144 and 192
# DPI; a test picks one by setting DICTIONARY_TEST_DPI (cmake/wine-run.sh.in).
add_custom_target(wine_test_prefix ALL
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${WINE_TEST_PREFIX} headless
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${WINE_TEST_PREFIX}-dpi144 headless 144
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${WINE_TEST_PREFIX}-dpi192 headless 192
  COMMENT "Wine test prefixes" VERBATIM)

# Sessions of their own for the tests of the clipboard, the hot-key and the notification
# area (cmake/wine-run-own.sh.in says why).
set(WINE_OWN_HEADLESS_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-own-headless)
set(WINE_OWN_DESKTOP_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-own-desktop)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run-own.sh.in ${CMAKE_BINARY_DIR}/wine-run-own.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
add_custom_target(wine_own_prefixes ALL
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${WINE_OWN_HEADLESS_PREFIX} headless
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-wine-prefix.sh ${WINE_OWN_DESKTOP_PREFIX} virtual-desktop
  DEPENDS wine_test_prefix
  COMMENT "Wine prefixes for the clipboard, hot-key and notification area tests" VERBATIM)

function(add_windows_tree arch build_tests dist_dir)
  ExternalProject_Add(windows-${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows-${arch}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw.cmake
      -DMINGW_ARCH=${arch}
      -DCMAKE_BUILD_TYPE=Release
      -DVENDOR_HOST=${VENDOR_HOST}
      -DDIST_DIR=${dist_dir}
      -DBUILD_WINDOWS_TESTS=${build_tests}
      -DCMAKE_CROSSCOMPILING_EMULATOR=${CMAKE_BINARY_DIR}/wine-run.sh
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_CONFIGURE ON
    USES_TERMINAL_BUILD ON)
endfunction()

if(WINDOWS_TEST_ARCH STREQUAL i686)
  add_windows_tree(i686 ON ${DIST_DIR})
else()
  # The i686 tests are built all the same: the emulated i386 machine runs them
  # (cmake/I386Machine.cmake).
  add_windows_tree(i686 ON ${DIST_DIR})
  # The x86-64 copy of the program sits in a folder of its own that shares the articles and
  # help of the real layout, so it can be run here just as the shipped program would be.
  set(DIST_X86_64 ${CMAKE_BINARY_DIR}/dist-x86_64)
  add_windows_tree(x86_64 ON ${DIST_X86_64})
  add_custom_target(dist_x86_64_layout ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_X86_64} ${DIST_DIR}/Articles ${DIST_DIR}/Help
    COMMAND ${CMAKE_COMMAND} -E create_symlink ../dist/Articles ${DIST_X86_64}/Articles
    COMMAND ${CMAKE_COMMAND} -E create_symlink ../dist/Help ${DIST_X86_64}/Help
    VERBATIM)
  # One compiler at a time: the machine has two cores and each tree builds in parallel.
  add_dependencies(windows-x86_64 windows-i686)
endif()

# Hand the Windows tree's tests to this tree's ctest run.
file(WRITE ${CMAKE_BINARY_DIR}/windows_tests.cmake
     "subdirs(\"${CMAKE_BINARY_DIR}/windows-${WINDOWS_TEST_ARCH}\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows_tests.cmake)
