#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

if [ -x scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh --smoke
fi
