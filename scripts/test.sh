#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite: the native
# tests (with sanitizers), the Windows tests under Wine and the shipped 32-bit files in an
# emulated i386 machine. SKIP_I386_MACHINE=1 skips the emulated machine in a local run
# (ctest then lists that test as skipped); CI always runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j2
count() { ctest --test-dir build -N "$@" | sed -n 's/^Total Tests: //p'; }
echo "Native tests: $(count -LE 'wine|i386_machine'), Windows tests under Wine: $(count -L wine)," \
  "the shipped 32-bit files in an emulated i386 machine: $(count -L i386_machine)" \
  "$([ "${SKIP_I386_MACHINE:-0}" = 1 ] && [ "${CI:-}" != true ] && echo "(skipped: SKIP_I386_MACHINE=1)")"
ctest --test-dir build --output-on-failure -j2 "$@"
