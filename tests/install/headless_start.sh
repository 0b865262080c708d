# Sourced by the install and package tests: starts a Zelvora command as a
# user would meet it, on a private X server with the given home and nothing
# of the test's environment that points the program elsewhere.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start_zelvora HOME COMMAND...: runs COMMAND until Zelvora's main window
# is mapped (at most 60 s), then ends it. Fails when the window never came.
# The window is found on the X server, from outside the program: a
# top-level window titled "Zelvora" of class ("zelvora" "Zelvora").
start_zelvora() {
  local home=$1
  shift
  mkdir -p "$home"
  local runtime
  runtime=$(mktemp -d)
  chmod 700 "$runtime"
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$runtime/display" 2>/dev/null &
  local xvfb=$!
  for _ in $(seq 100); do
    [[ -s $runtime/display ]] && break
    sleep 0.1
  done
  [[ -s $runtime/display ]] || fail "Xvfb did not start"
  local display=":$(head -n1 "$runtime/display")"
  env -u ZELVORA_PROGRAM_FOLDER -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u ZELVORA_COM1 \
    HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$display" QT_QPA_PLATFORM=xcb \
    "$@" >"$runtime/output" 2>&1 &
  local program=$!
  local shown=1 window
  for _ in $(seq 600); do
    window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/"Zelvora": \("zelvora" "Zelvora"\)/ {print $1; exit}')
    if [[ -n $window ]] && DISPLAY=$display xwininfo -id "$window" 2>/dev/null | grep -q "Map State: IsViewable"; then
      shown=0
      break
    fi
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  if ((shown)); then
    echo "--- output of $*:" >&2
    cat "$runtime/output" >&2
  fi
  rm -rf "$runtime"
  return $shown
}
