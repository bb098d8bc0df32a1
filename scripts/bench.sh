#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; the README keeps their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# Same Release build as the run command.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc)" --target bench_core bench_rapports bench_noteform bench_demarrage
echo "== Class file and averages";      ./build/bench/bench_core
echo "== Reports";                      ./build/bench/bench_rapports
echo "== Mark-entry window";            QT_QPA_PLATFORM=offscreen ./build/bench/bench_noteform
echo "== Start-up (Xvfb)";              xvfb-run -a -s "-screen 0 1024x768x24" ./build/bin/bench_demarrage 20
