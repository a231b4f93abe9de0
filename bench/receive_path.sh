#!/usr/bin/env bash
# Measures the whole receive path: the simulated module streaming at 11 520 bytes a second
# (a full 115200 bit/s line) into the terminal's window for 60 s with the default 50 ms
# poll, and then the same time idle with the port open. Uses the running X display, or a
# private Xvfb when there is none.
#   bench/receive_path.sh [seconds]   (after a build in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bin=build/bench/receive_path
sim=build/sim/varmo-sim
if [ -z "${DISPLAY:-}" ]; then
  display=:$((90 + RANDOM % 9))
  Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb' EXIT
  export DISPLAY=$display
  sleep 1
fi
echo "== streaming 11520 B/s for ${seconds}s"
QT_QPA_PLATFORM=xcb "$bin" "$seconds" 11520 "$sim"
echo "== streaming, cut into packets that are read and dropped (no rows shown)"
QT_QPA_PLATFORM=xcb "$bin" "$seconds" 11520 "$sim" packets
echo "== idle with the port open for ${seconds}s"
QT_QPA_PLATFORM=xcb "$bin" "$seconds" 0 "$sim"
