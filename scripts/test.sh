#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   ./scripts/test.sh               normal (Debug) build, every test
#   ./scripts/test.sh --sanitizers  the same, then again built with AddressSanitizer
#                                   and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)

passe() {
  local dossier=$1; shift
  cmake -S . -B "$dossier" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@"
  cmake --build "$dossier" -j "$jobs"
  ctest --test-dir "$dossier" --output-on-failure -j "$jobs"
}

passe build-tests
if [ "${1:-}" = "--sanitizers" ]; then
  passe build-san -DVESTREL_SANITIZE=ON
fi
