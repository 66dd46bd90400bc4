#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each, seeded with the test fixtures.
#   scripts/fuzz.sh --smoke        every target for a short, bounded time (what CI runs)
#   scripts/fuzz.sh [SECONDS]      every target for SECONDS each (default 600)
#   scripts/fuzz.sh SECONDS xlsx   one target
# A crash leaves crash-* in build-fuzz/; copy it to tests/fixtures/fuzz/<format>/ with a name saying
# what it does, so it is replayed on every run from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
[ "${1:-}" = "--smoke" ] && seconds=${FUZZ_SMOKE_SECONDS:-20} && shift
[[ "${1:-}" =~ ^[0-9]+$ ]] && seconds=$1 && shift
formats=("${@:-xlsx ods xls csv}")
read -r -a formats <<<"${formats[*]}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTESVORA_BUILD_FUZZ=ON -DTESVORA_BUILD_GUI=OFF -DTESVORA_BUILD_TESTS=OFF -DTESVORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target $(printf 'fuzz_%s ' "${formats[@]}")

seed_patterns() {
  case "$1" in
    xlsx) echo "*.xlsx *.xlsm" ;;
    ods) echo "*.ods" ;;
    xls) echo "*.xls" ;;
    csv) echo "*.csv *.txt" ;;
  esac
}

# FreeXL leaks a few KB on some damaged files; that is its bug, not a crash of ours.
leak_option() {
  [ "$1" = xls ] && echo "-detect_leaks=0"
  return 0
}
leak_env() {
  if [ "$1" = xls ]; then echo "ASAN_OPTIONS=detect_leaks=0"; else echo "ASAN_OPTIONS=${ASAN_OPTIONS:-}"; fi
}

for format in "${formats[@]}"; do
  corpus="build-fuzz/corpus-$format"
  mkdir -p "$corpus"
  for pattern in $(seed_patterns "$format"); do
    find tests/fixtures data -type f -name "$pattern" -size -2M -exec cp {} "$corpus/" \; 2>/dev/null || true
  done
  # Inputs that once crashed a reader are replayed first; any failure stops the run.
  if [ -d "tests/fixtures/fuzz/$format" ] && [ -n "$(ls -A "tests/fixtures/fuzz/$format")" ]; then
    env "$(leak_env "$format")" "build-fuzz/fuzz/fuzz_$format" -rss_limit_mb=4096 $(leak_option "$format") tests/fixtures/fuzz/"$format"/*
  fi
  echo "== fuzz_$format for ${seconds}s"
  log="build-fuzz/fuzz_$format.log"
  if ! (cd build-fuzz && env "$(leak_env "$format")" "fuzz/fuzz_$format" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 $(leak_option "$format") \
      "corpus-$format") >"$log" 2>&1; then
    cat "$log"
    echo "fuzz_$format found a failing input (see build-fuzz/crash-* or the log above)" >&2
    exit 1
  fi
  grep -E "^(Done|#[0-9]+ +DONE)" "$log" | tail -n 1
done
echo "fuzzing finished without a crash"
