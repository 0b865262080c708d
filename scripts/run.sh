#!/usr/bin/env bash
# Installs what is missing, builds and starts Zelvora. On a machine without
# a display it runs the program under a virtual X server for a few seconds
# and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
build=${ZELVORA_BUILD_DIR:-build}
program="$build/program/zelvora"

if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
fi

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$program"
fi

scripts/setup.sh imagemagick x11-apps
shot="$PWD/$build/zelvora-screenshot.png"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
  "$1" & pid=$!
  sleep "${ZELVORA_SCREENSHOT_DELAY:-4}"
  xwd -root -silent | convert xwd:- "$2"
  kill $pid; wait $pid 2>/dev/null || true
' _ "$program" "$shot"
echo "No display: ran Zelvora under Xvfb and saved a screenshot to $shot"
