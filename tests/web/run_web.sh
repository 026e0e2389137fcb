#!/usr/bin/env bash
# The browser build's tests: the physics tests under node, then the page in headless Chromium
# against the desktop program's snapshots of the same frames (made here on an Xorg dummy server).
#
#   run_web.sh PLANEWAVE3D     after scripts/build-web.sh --tests and npm ci in tests/web
set -u
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$root/tests/e2e/xorg_dummy.sh"

echo "physics tests under node:"
node --no-experimental-fetch "$root/build-web/physics_test.js" || exit 1

dummy_display "1920x1200"
picture=(--window=1280x720 --frame=30)
"$program" --snapshot="$work/mono.png" --view=mono "${picture[@]}" &&
    "$program" --snapshot="$work/sbs.png" "${picture[@]}" &&
    "$program" --snapshot="$work/lossy.png" --view=mono --medium2=seawater --frequency=100MHz \
        --magnetic --poynting "${picture[@]}" &&
    "$program" --snapshot="$work/map.png" --view=sbs --medium2=glass --frequency=500THz --angle=30 \
        --field-map=ey "${picture[@]}" || exit 1

cd "$root" || exit 1
PLANEWAVE_PAGE="$root/build-web/planewave3d.html" PLANEWAVE_DESKTOP="$work" \
    node --test "$here/"
