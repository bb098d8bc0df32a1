#!/usr/bin/env bash
# Sets up, builds and runs every test: first a normal build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer (skip it with VESTREL_SANS_SANITIZERS=1).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build-tests -j "$jobs"
ctest --test-dir build-tests --output-on-failure -j "$jobs"

if [ "${VESTREL_SANS_SANITIZERS:-0}" != 1 ]; then
  cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVESTREL_SANITIZE=ON
  cmake --build build-san -j "$jobs"
  ctest --test-dir build-san --output-on-failure -j "$jobs"
fi
