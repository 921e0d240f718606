# Sourced by the benchmark scripts: start_xvfb WORK_DIR NAME starts an Xvfb server of its own,
# exports DISPLAY for it and stops it (and removes WORK_DIR) when the script exits.
start_xvfb() {
  local work=$1 name=$2
  xvfb_pid=
  trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; rm -rf "'"$work"'"' EXIT
  # -displayfd: the server picks a free display and writes its number once it accepts clients;
  # -noreset: it does not restart (and refuse clients for a moment) when the last one leaves.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -br 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  [ -s "$work/display" ] || { echo "$name: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
  unset WAYLAND_DISPLAY
}
