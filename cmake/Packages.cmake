# The packages a Windows user installs: a portable zip and a per-user NSIS installer of the
# program laid out in DIST_DIR, written to build/packages/ by the target `packages` (part
# of ALL), which prints their sizes.
#
# Where this host cannot run 32-bit code (WINDOWS_TEST_ARCH is x86_64), the same two
# packages are also made of the x86-64 copy of the program (build/packages-x86_64/, from the
# same installer script built for amd64): the Wine tests install and unzip those.
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis is missing: run scripts/install-deps.sh")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(PACKAGE_BASENAME TandemoxDictionary-${PROJECT_VERSION})
set(PACKAGES_DIR ${CMAKE_BINARY_DIR}/packages)
set(PACKAGES_X86_64_DIR ${CMAKE_BINARY_DIR}/packages-x86_64)
set(PACKAGE_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/BuildPackages.cmake)
set(INSTALLER_SCRIPT ${CMAKE_SOURCE_DIR}/resources/installer/TandemoxDictionary.nsi)
# The program's icon, drawn by the 32-bit tree's build.
set(PACKAGE_ICON ${CMAKE_BINARY_DIR}/windows-i686/images/app.ico)

# package_command(OUT_VAR nsis_arch program_dir output_dir name_suffix)
function(package_command out nsis_arch program_dir output_dir suffix)
  set(${out}
    COMMAND ${CMAKE_COMMAND}
      -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
      -DPROGRAM_DIR=${program_dir}
      -DSTAGE_DIR=${CMAKE_BINARY_DIR}/package-stage/${nsis_arch}
      -DZIP_FILE=${output_dir}/${PACKAGE_BASENAME}${suffix}-portable.zip
      -DSETUP_FILE=${output_dir}/${PACKAGE_BASENAME}${suffix}-setup.exe
      -DNSIS_ARCH=${nsis_arch}
      -DVERSION=${PROJECT_VERSION}
      -DICON_FILE=${PACKAGE_ICON}
      -DINSTALLER_SCRIPT=${INSTALLER_SCRIPT}
      -DMAKENSIS=${MAKENSIS}
      -P ${PACKAGE_SCRIPT}
    PARENT_SCOPE)
endfunction()

package_command(shipped x86 ${DIST_DIR} ${PACKAGES_DIR} "")
set(package_commands ${shipped})
set(package_dependencies windows-i686 articles help_page)
set(ZIP_UNDER_TEST ${PACKAGES_DIR}/${PACKAGE_BASENAME}-portable.zip)
set(PROGRAM_UNDER_TEST ${DIST_DIR})
if(WINDOWS_TEST_ARCH STREQUAL x86_64)
  package_command(x86_64 amd64 ${DIST_X86_64} ${PACKAGES_X86_64_DIR} "-x86_64")
  list(APPEND package_commands ${x86_64})
  list(APPEND package_dependencies windows-x86_64 dist_x86_64_layout)
  set(ZIP_UNDER_TEST ${PACKAGES_X86_64_DIR}/${PACKAGE_BASENAME}-x86_64-portable.zip)
  set(PROGRAM_UNDER_TEST ${DIST_X86_64})
endif()

# The script stages the files and remakes a package only when something in it changed.
add_custom_target(packages ALL ${package_commands}
  DEPENDS ${PACKAGE_SCRIPT} ${INSTALLER_SCRIPT}
  COMMENT "Packages: portable zip and installer"
  VERBATIM)
add_dependencies(packages ${package_dependencies})

# The shipped zip holds exactly the program's files; the copy that runs here is unzipped
# afresh for the Wine test that starts the program from it (tests/win/packages_test.cpp).
add_test(NAME Packages.PortableZipHoldsExactlyTheProgramAndItsFiles
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/packages/check_portable_zip.py
                 --program-dir ${DIST_DIR} --source-dir ${CMAKE_SOURCE_DIR}
                 ${PACKAGES_DIR}/${PACKAGE_BASENAME}-portable.zip)
add_test(NAME Packages.UnzipPortableCopyForWine
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/packages/check_portable_zip.py
                 --program-dir ${PROGRAM_UNDER_TEST} --source-dir ${CMAKE_SOURCE_DIR}
                 --unzip-to ${CMAKE_BINARY_DIR}/packages-test/portable ${ZIP_UNDER_TEST})
set_tests_properties(Packages.UnzipPortableCopyForWine PROPERTIES FIXTURES_SETUP portable_copy)
