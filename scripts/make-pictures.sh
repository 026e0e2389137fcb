#!/usr/bin/env bash
# Makes the pictures in docs/ with the program itself, off the screen (--snapshot, --record),
# on an Xorg server with the dummy video driver: no window appears.
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
start_server DISPLAY "1920x1200"
export DISPLAY

# example NAME ARGS...: a lesson of one scenario (the examples' values), for the options below.
example() {
    local name=$1
    shift
    printf 'title = "%s"\n[[scenario]]\n' "$name" >"$work/$name.toml"
    printf '%s\n' "$@" >>"$work/$name.toml"
}
example "linear example 1" 'name = "TE wave at the Brewster angle"' theta_i=31.806 ex_mag=0 \
    ey_mag=78 'phi_y = -90' 'frequency = 3.85e8' 'medium1 = { eps_r = 2.6 }' \
    'medium2 = { eps_r = 1 }'
example "linear example 3" 'name = "lossy medium 2"' theta_i=40 ex_mag=15 ey_mag=20 \
    'phi_x = -30' 'phi_y = 150' 'medium2 = { eps_r = 10, sigma = 0.3 }'
example "circular example 0" 'name = "total internal reflection"' theta_i=53.13 ex_mag=5 \
    ey_mag=5 'phi_y = -90' 'frequency = 3.18e8' 'medium1 = { eps_r = 2.25 }' \
    'medium2 = { eps_r = 1 }'
example "elliptical example 1" 'name = "into a conductor"' theta_i=30 ex_mag=10 ey_mag=6 \
    'phi_y = -90' 'frequency = 1e10' 'medium2 = { eps_r = 8, sigma = 8 }'
example "TM at Brewster" 'name = "TM wave at the Brewster angle of glass"' theta_i=56.6 \
    ex_mag=1 ey_mag=0 'frequency = "500 THz"' 'medium2 = "glass"'
lesson() { echo "--lesson=$work/$1.toml"; }

# picture NAME OPTIONS...: a still of time sample 31, mono in 1280x720 unless the options say.
picture() {
    local name=$1
    shift
    build/planewave3d --snapshot="docs/$name.png" --frame=31 --view=mono --window=1280x720 "$@"
}

mkdir -p docs
picture stereo-window --view=sbs --window=1280x640
picture tangential-fields --tangential
picture linear-lossy "$(lesson "linear example 3")"
picture circular-total-reflection "$(lesson "circular example 0")"
picture elliptical-conductor "$(lesson "elliptical example 1")"
picture readout-brewster --readout "$(lesson "linear example 1")"
for view in mono anaglyph cross; do
    picture "view-$view" --view="$view"
done
# The Fresnel curves: a dielectric at its Brewster angle, total internal reflection, a conductor.
picture curves-power-glass --curves --medium2=glass --frequency=500THz --angle=56
picture curves-phase-total-reflection --curves=amplitude --medium1=glass --medium2=vacuum \
    --frequency=500THz --angle=60
picture curves-power-copper --curves --medium2=copper --frequency=1GHz --angle=30
# Against frequency: seawater, a mirror for radio and clear in light.
picture curves-spectrum-seawater --curves=spectrum --readout --medium2=seawater \
    --frequency=500THz --angle=30
# The magnetic field and the flow of energy.
picture magnetic-field --magnetic
picture poynting-total-reflection --magnetic --poynting "$(lesson "circular example 0")"
picture magnetic-conductor --magnetic --poynting "$(lesson "elliptical example 1")"
# The projector theme and the colour-blind palette, with the readout and the curves.
picture theme-projector --theme=projector --readout --curves --magnetic --poynting
picture palette-colour-blind --palette=colour-blind --tangential --magnetic --poynting
# The total field in the plane of incidence: the standing wave in front of copper, the
# evanescent wave beyond the critical angle, no pattern at the Brewster angle.
picture field-map-copper --field-map=e2 --readout --medium2=copper --frequency=1GHz --angle=0
picture field-map-evanescent --field-map=e2 --readout --medium1=glass --medium2=vacuum \
    --frequency=500THz --angle=60
picture field-map-brewster --field-map=hy --readout "$(lesson "TM at Brewster")"
# For slides, and the software centres' screenshot: the readout and the curves at glass.
picture slides-glass --readout --curves --medium2=glass --frequency=500THz --angle=56

# One period of the start-up scenario, one picture from between the eyes.
build/planewave3d --record=docs/one-period.gif --view=mono --window=480x270
# The page in a browser (scripts/build-web.sh), as headless Chromium shows it.
if [ -f build-web/planewave3d.html ] && command -v chromium >/dev/null; then
    chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
        --hide-scrollbars --window-size=1280,720 --virtual-time-budget=3000 \
        --screenshot="$PWD/docs/web-page.png" \
        "file://$PWD/build-web/planewave3d.html?view=mono&frame=31&readout&curves&medium2=glass&frequency=500THz&angle=56" \
        2>/dev/null
fi
echo "pictures written to docs/"
