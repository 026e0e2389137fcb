#!/usr/bin/env bash
# Takes the pictures in docs/ from the real program, on an Xorg server with the dummy video
# driver (1920x1200, switched to 1920x1080 by the program as on a real display).
#   scripts/make-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --docs
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target planewave3d -j "$(nproc)"

work=$(mktemp -d)
servers=()
trap 'kill "${servers[@]}" 2>/dev/null; rm -rf "$work"' EXIT
source tests/e2e/xorg_dummy.sh
start_server DISPLAY "1920x1200" "1920x1080"
export DISPLAY

build/planewave3d >/dev/null </dev/null &
program=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^3D TV$' | head -n 1)
press() { xdotool windowfocus --sync "$wid"; xdotool key "$@"; }

# picture NAME KEYS...: presses the keys, lets the clock run to frame 31 of the period, pauses
# there and takes the window.
picture() {
    local name=$1
    shift
    [ $# -eq 0 ] || press "$@"
    sleep 3.1
    press space
    sleep 0.3
    xwd -silent -id "$wid" -out "$work/$name.xwd"
    convert "$work/$name.xwd" -resize 1280x "docs/$name.png"
    press space
}

mkdir -p docs
picture stereo-window
press Escape
wait "$program" || true
echo "pictures written to docs/"
