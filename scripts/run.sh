#!/usr/bin/env bash
# Installs what is missing, builds and starts Zelvora. On a machine without
# a display it runs the program under a virtual X server for a few seconds
# and saves a screenshot.
#
# The receiver: scripts/run.sh --device /dev/ttyUSB0 (or ZELVORA_COM1=...)
# puts a real receiver on COM1. Without one, the receiver simulator stands
# in on COM1 for as long as the program runs, on a line as slow as the
# receiver's real one (9600 baud); ZELVORA_SIMULATOR_OPTIONS replaces its
# line options (see build/bin/pcrsim --help).
set -euo pipefail
cd "$(dirname "$0")/.."

device=${ZELVORA_COM1:-}
while (($#)); do
  case "$1" in
    --device) device=${2:?--device needs a device path}; shift 2 ;;
    --device=*) device=${1#--device=}; shift ;;
    -h|--help) sed -n '2,10s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) echo "run.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
  esac
done

scripts/setup.sh
scripts/build.sh
build=${ZELVORA_BUILD_DIR:-build}
program="$build/program/zelvora"

if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR=$(mktemp -d)
  chmod 700 "$XDG_RUNTIME_DIR"
fi

sim_pid=
sim_dir=
stop_simulator() {
  if [[ -n $sim_pid ]]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  [[ -z $sim_dir ]] || rm -rf "$sim_dir"
}
if [[ -z $device ]]; then
  sim_dir=$(mktemp -d)
  trap stop_simulator EXIT
  trap 'exit 130' INT TERM
  sim_options=${ZELVORA_SIMULATOR_OPTIONS-"--baud 9600 --settle 10"}
  # shellcheck disable=SC2086 # the options are words
  "$build/bin/pcrsim" --link "$sim_dir/pcr1000" $sim_options >"$sim_dir/terminal" &
  sim_pid=$!
  for _ in $(seq 50); do
    [[ -L $sim_dir/pcr1000 ]] && break
    sleep 0.1
  done
  [[ -L $sim_dir/pcr1000 ]] || { echo "run.sh: the receiver simulator did not start" >&2; exit 1; }
  device=$sim_dir/pcr1000
  echo "Receiver simulator on $(head -n1 "$sim_dir/terminal") as COM1 ($sim_options)"
fi
export ZELVORA_COM1=$device

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  "$program"
  exit
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
