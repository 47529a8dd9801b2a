#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite: the native
# tests (with sanitizers) and the Windows tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build -j2
echo "Native tests: $(ctest --test-dir build -N -LE wine | sed -n 's/^Total Tests: //p'), Windows tests under Wine: $(ctest --test-dir build -N -L wine | sed -n 's/^Total Tests: //p')"
ctest --test-dir build --output-on-failure -j2 "$@"
