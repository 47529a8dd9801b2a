#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite: the native
# tests (with sanitizers) and the Windows tests under Wine; with I386_MACHINE=1 also the
# shipped 32-bit files in an emulated i386 machine (15 to 30 minutes more without KVM).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DI386_MACHINE_TEST="$([ "${I386_MACHINE:-0}" = 1 ] && echo ON || echo OFF)"
cmake --build build -j2
count() { ctest --test-dir build -N "$@" | sed -n 's/^Total Tests: //p'; }
echo "Native tests: $(count -LE 'wine|i386_machine'), Windows tests under Wine: $(count -L wine)," \
  "the shipped 32-bit files in an emulated i386 machine: $(count -L i386_machine)" \
  "$([ "${I386_MACHINE:-0}" = 1 ] || echo "(not asked for: I386_MACHINE=1 runs it)")"
ctest --test-dir build --output-on-failure -j2 "$@"
