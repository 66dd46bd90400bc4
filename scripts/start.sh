#!/usr/bin/env bash
# Installs what is missing, builds Tesvora and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tesvora

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
No display found (DISPLAY is not set), so the window cannot be shown here.
Tesvora is built at build/src/app/tesvora. To run it without a screen, under a virtual display:
  apt-get install -y xvfb xauth && xvfb-run -a -s "-screen 0 1280x800x24" build/src/app/tesvora
MSG
  exit 1
fi
exec build/src/app/tesvora "$@"
