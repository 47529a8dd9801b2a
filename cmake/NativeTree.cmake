# The native (Linux, g++) tree: portable core, its tests, tools and benchmarks, and the
# Windows trees it drives.
find_package(GTest REQUIRED)
include(GoogleTest)

set(NATIVE_WARNINGS -Wall -Wextra -Werror)
set(SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)

# Tests and the core they test run with AddressSanitizer and UndefinedBehaviorSanitizer;
# tools and benchmarks link the plain release build of the core instead.
function(enable_sanitizers target)
  target_compile_options(${target} PRIVATE ${SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${SANITIZER_FLAGS})
endfunction()

function(add_native_test_executable target)
  add_executable(${target} ${ARGN})
  target_compile_options(${target} PRIVATE ${NATIVE_WARNINGS})
  target_link_libraries(${target} PRIVATE dictionary_core GTest::gtest_main)
  enable_sanitizers(${target})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST)
endfunction()

add_subdirectory(src)
add_subdirectory(tests/native)
add_subdirectory(tools)
foreach(dir tools/article_builder tools/learner_check tests/native/article_builder tests/native/word_search bench)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()

option(ARTICLES_FROM_SAMPLE "Install the small sample dictionary instead of building the real one" OFF)
if(ARTICLES_FROM_SAMPLE OR NOT EXISTS ${CMAKE_SOURCE_DIR}/cmake/Articles.cmake)
  add_custom_target(articles ALL DEPENDS sample_articles_in_dist)
else()
  include(cmake/Articles.cmake)
endif()

# The help page, laid out beside the program as the Help menu and toolbar open it.
set(HELP_PAGE ${CMAKE_SOURCE_DIR}/resources/help/Help.EN.html)
add_custom_target(help_page ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}/Help
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${HELP_PAGE} ${DIST_DIR}/Help/
  DEPENDS ${HELP_PAGE} VERBATIM)

include(cmake/WindowsTrees.cmake)
include(cmake/Fuzz.cmake)

add_test(NAME ProgramBinary.IsHardenedPe32GuiImportingOnlySystemDlls
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-pe.sh ${DIST_DIR}/TandemoxDictionary.exe)

# The toolbar strips and icons of every scale are sound as Windows reads them, the checker
# notices damaged files, and the 100 % images are the ones shipped before the other scales.
add_test(NAME Images.EveryScaleDrawnSoundAndTheUnscaledOnesUnchanged
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/draw_images.py --self-test)

add_test(NAME HelpPage.IsInstalledWhole
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-help-page.py ${DIST_DIR}/Help/Help.EN.html)

# The house style (.clang-format) holds for every tracked C++ file; scripts/format.sh applies
# it. Without clang-format the test fails, saying so, rather than being skipped.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(NOT CLANG_FORMAT)
  message(WARNING "clang-format not found: the HouseStyle tests will fail; install it with scripts/install-deps.sh")
endif()
add_test(NAME HouseStyle.EveryCppFileIsFormatted
         COMMAND ${CMAKE_COMMAND} -E env CLANG_FORMAT=${CLANG_FORMAT}
                 ${CMAKE_SOURCE_DIR}/scripts/check-format.sh)
# The check names unformatted files, passes formatted ones, looks at tracked files only, and
# formatting keeps <windows.h> ahead of the Windows headers that need it.
add_test(NAME HouseStyle.CheckCatchesUnformattedFilesAndFormattingKeepsIncludeOrder
         COMMAND ${CMAKE_COMMAND} -E env CLANG_FORMAT=${CLANG_FORMAT}
                 ${CMAKE_SOURCE_DIR}/scripts/check-format.sh --self-test)

include(cmake/Packages.cmake)
include(cmake/I386Machine.cmake)
