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

# picture NAME KEYS...: presses the keys, lets the clock run on for 3 s, pauses there and
# takes the window.
picture() {
    local name=$1
    shift
    [ $# -eq 0 ] || press "$@"
    sleep 3
    press space
    sleep 0.3
    xwd -silent -id "$wid" -out "$work/$name.xwd"
    convert "$work/$name.xwd" -resize 1280x "docs/$name.png"
    press space
}

mkdir -p docs
picture stereo-window
picture tangential-fields bar
press bar
picture linear-lossy l l l l               # linear example 3: into a lossy medium
picture circular-total-reflection c        # circular example 0: beyond the critical angle
picture elliptical-conductor e e           # elliptical example 1: into a good conductor

# One period of the left eye of the start-up scenario, as fast as the screen can be read.
press e                                    # elliptical example 2: the start-up scenario
sleep 0.5
frames=()
end=$(($(date +%s%N) + 10100000000))
while [ "$(date +%s%N)" -lt "$end" ]; do
    frame="$work/period-$(printf %04d ${#frames[@]}).xwd"
    xwd -silent -id "$wid" -out "$frame"
    frames+=("$frame")
done
delay=$((1010 / ${#frames[@]}))  # hundredths of a second, so the loop lasts one period
small=()
for frame in "${frames[@]}"; do  # one at a time: ImageMagick's memory limit
    convert "$frame" -crop 960x960+0+0 +repage -resize 400x400 "${frame%.xwd}.png"
    small+=("${frame%.xwd}.png")
done
convert -delay "$delay" -loop 0 "${small[@]}" -layers Optimize docs/one-period-left-eye.gif

press Escape
wait "$program" || true

# The readout (key h) of linear example 1, at the Brewster angle, in an ordinary window.
build/planewave3d --window --view=mono -geometry +0+0 >/dev/null </dev/null &
program=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^3D TV" | head -n 1)
picture readout-brewster l l h
press Escape
wait "$program" || true

# The views without a 3D television, each in an ordinary 1280x720 window.
for view in mono anaglyph cross; do
    build/planewave3d --window --view="$view" -geometry +0+0 >/dev/null </dev/null &
    program=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^3D TV" | head -n 1)
    picture "view-$view"
    press Escape
    wait "$program" || true
done
echo "pictures written to docs/"
