#!/usr/bin/env bash
# Installs what is missing, builds everything, runs a short bounded pass of each fuzzer, then every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
bash scripts/fuzz.sh --smoke
# Last, so that the test summary closes the output.
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
