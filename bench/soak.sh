#!/usr/bin/env bash
# Runs the real program on an Xorg dummy server for FRAMES timer frames (10 a second) and
# reports the GLU quadrics alive and the resident memory after 100 frames and at the end.
#   bench/soak.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-5000}
cd "$(dirname "$0")/.."
work=$(mktemp -d)
servers=()
trap 'kill "${program:-}" "${servers[@]}" 2>/dev/null; rm -rf "$work"' EXIT
source tests/e2e/xorg_dummy.sh
start_server DISPLAY "1920x1200" "1920x1080"
export DISPLAY

LD_PRELOAD="$build/bench/libquadric_census.so" "$build/planewave3d" >/dev/null 2>"$work/census" \
    </dev/null &
program=$!
resident() { awk '/VmRSS/ { print $2 " KiB" }' "/proc/$program/status"; }
alive() { tail -n 1 "$work/census" | awk '{ print $3 }'; }

sleep 10.1  # frame 2 at start, then 10 a second
echo "after 100 frames: $(alive) quadric(s) alive, $(resident) resident"
sleep "$(awk -v f="$frames" 'BEGIN { print (f - 100) / 10 }')"
echo "after $frames frames: $(alive) quadric(s) alive, $(resident) resident"
echo "quadric census: $(grep -c . "$work/census") change(s) in the whole run"
