#!/usr/bin/env bash
# The real program under Xvfb with an accessibility bus, worked through AT-SPI against the
# simulated module. Usage: run.sh TERMINAL SIM
set -euo pipefail
terminal=$1
sim=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 110 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
export XDG_CONFIG_HOME=$work
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$sim" --port 1 --links "$work/varmo-terminal/ports" >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -L "$work/varmo-terminal/ports/COM1" ] && [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.05
done

status=0
timeout 60 dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  sleep 1
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >"$2/terminal.log" 2>&1 &
  term=$!
  /usr/bin/python3 "$3/read_reply.py"
  result=$?
  kill $term $launcher 2>/dev/null
  exit $result
' _ "$terminal" "$work" "$here" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- simulator"; cat "$work/sim.log"
  echo "--- terminal"; cat "$work/terminal.log" 2>/dev/null || true
fi
grep -q 'rx \$01M\\r' "$work/sim.log" || { echo "FAIL: the module did not receive the command"; status=1; }
exit "$status"
