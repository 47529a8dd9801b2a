# The shipped 32-bit files run in an emulated i386 Debian machine under 32-bit Wine
# (scripts/i386-machine/): the installer and the portable zip installed, driven and
# uninstalled, the i686 build of the Windows tests run (each executable in one process,
# a case that fails there again on its own), and the program's
# start-up timed next to a minimal 32-bit window program. The machine's image is built on
# first use and kept in build/i386-machine/ (rebuilt when its inputs change).
#
# SKIP_I386_MACHINE=1 in the environment skips it for a local run; ctest then reports the
# test as skipped, and CI runs it all the same. -DI386_MACHINE_TEST=OFF leaves it out of a
# build tree altogether.
option(I386_MACHINE_TEST "Run the shipped 32-bit files in an emulated i386 machine" ON)
if(NOT I386_MACHINE_TEST)
  message(STATUS "The emulated i386 machine test is left out (I386_MACHINE_TEST=OFF)")
  return()
endif()
add_test(NAME I386Machine.ShippedPackagesAndTestsRunUnder32BitWine
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/i386-machine/run-tests.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
# It boots a machine of two processors: alone, so that the other tests' timings are not
# disturbed and the machine gets both cores.
set_tests_properties(I386Machine.ShippedPackagesAndTestsRunUnder32BitWine PROPERTIES
  TIMEOUT 4800 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE LABELS i386_machine)
