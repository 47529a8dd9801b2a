# The fuzz targets: libFuzzer needs clang, so they build in a tree of their own
# (build/fuzz) with clang++ and AddressSanitizer and UndefinedBehaviorSanitizer,
# from the same core sources. ctest runs each target briefly (label "fuzz");
# scripts/fuzz.sh runs them for longer.
include(ExternalProject)

find_program(FUZZ_CXX NAMES clang++-14 clang++)
if(NOT FUZZ_CXX)
  message(FATAL_ERROR "clang++ is missing (needed for the fuzz targets): run scripts/install-deps.sh")
endif()

# clang alone is not enough: the fuzzer runtime comes in a package of its own.
if(NOT FUZZ_CXX_LINKS_LIBFUZZER)
  set(fuzz_probe ${CMAKE_BINARY_DIR}/CMakeFiles/fuzz_probe)
  file(WRITE ${fuzz_probe}.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${FUZZ_CXX} -fsanitize=fuzzer,address,undefined ${fuzz_probe}.cpp -o ${fuzz_probe}
                  RESULT_VARIABLE fuzz_probe_result OUTPUT_QUIET ERROR_VARIABLE fuzz_probe_error)
  if(NOT fuzz_probe_result EQUAL 0)
    message(FATAL_ERROR "${FUZZ_CXX} cannot link libFuzzer with the sanitizers (${fuzz_probe_error}): "
                        "run scripts/install-deps.sh")
  endif()
  set(FUZZ_CXX_LINKS_LIBFUZZER ON CACHE INTERNAL "${FUZZ_CXX} links libFuzzer")
endif()
message(STATUS "Fuzz targets: ${FUZZ_CXX}")

ExternalProject_Add(fuzz
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
  BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
  CMAKE_ARGS
    -DCMAKE_CXX_COMPILER=${FUZZ_CXX}
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
    -DPROGRAM_VERSION=${PROJECT_VERSION}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# Hand the fuzz tree's tests to this tree's ctest run.
file(WRITE ${CMAKE_BINARY_DIR}/fuzz_tests.cmake "subdirs(\"${CMAKE_BINARY_DIR}/fuzz\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/fuzz_tests.cmake)
