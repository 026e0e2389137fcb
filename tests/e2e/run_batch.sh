#!/usr/bin/env bash
# The program from the command line, without a window: --help and the other options that end
# at once, the media's mistakes, the curves as data, and pictures for slides drawn off the
# screen (--snapshot, --record), on an Xorg dummy server of its own. Quick enough to run with
# the unit tests.
#
#   run_batch.sh PLANEWAVE3D X11_PROBE [WEBGL_NATIVE]
set -u
set -m  # background jobs keep SIGINT, as a program started from a terminal does
ulimit -c 0

program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
probe=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/checks.sh"
# Under the sanitizers, what the OpenGL driver keeps to the end is not the program's leak.
export LSAN_OPTIONS="suppressions=$here/lsan_suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
source "$here/xorg_dummy.sh"
dummy_display "1920x1200"


DISPLAY= run_plain help --help
expect_eq "--help ends with status 0" "$status" "0"
grep -q '^Usage: planewave3d \[OPTION\]' "$work/help.out" && grep -q -- '--view=VIEW' "$work/help.out" &&
    grep -q '^Exit status:' "$work/help.out" && grep -q 'next view' "$work/help.out"
verdict $? "--help prints the options, the keys and the exit status" "$(head -3 "$work/help.out")"
DISPLAY= run_plain version --version
expect_eq "--version" "$status $(cat "$work/version.out")" "0 planewave3d 0.1.0"

DISPLAY= run_plain materials --materials
expect_eq "--materials without a display ends with status 0" "$status" "0"
grep -q '^seawater  *1 kHz to 100 GHz  *Debye with salinity (Klein & Swift 1977)$' "$work/materials.out" &&
    pass "--materials lists the table" || fail "--materials lists the table" "$(head -3 "$work/materials.out")"
printf '[[scenario]]\ntheta_i = 95\n' >"$work/bad.toml"
for bad in --medium1=seawater --medium2=unobtainium --frequency=5Hz --angle=90 "--lesson=$work/bad.toml"; do
    DISPLAY= run_plain bad "$bad"
    expect_eq "$bad ends with status 2 before any display" "$status" "2"
    expect_eq "$bad: the message names the mistake" "$(head -1 "$work/bad.err" | grep -c -e 'medium 1 must be lossless' -e 'unknown material' -e 'out of range')" "1"
done
expect_eq "a bad lesson: one line, with the file, line and column" "$(cat "$work/bad.err")" \
    "planewave3d: $work/bad.toml:2:11: theta_i 95 is out of range (0 to 89 degrees)"
# scripts/run.sh starts the program in the user's folder, where relative paths are read.
if [ "$program" = "$(cd "$here/../.." && pwd)/build/planewave3d" ]; then
    (cd "$work" && DISPLAY= "$here/../../scripts/run.sh" --lesson=bad.toml >/dev/null 2>"$work/run.err")
    expect_eq "scripts/run.sh: a relative lesson is the user's" "$(tail -1 "$work/run.err")" \
        "planewave3d: bad.toml:2:11: theta_i 95 is out of range (0 to 89 degrees)"
fi

# The curves as data: 901 rows after the header, R + T = 1 in every one.
DISPLAY= run_plain curves --print-curves --medium2=glass --frequency=500THz
expect_eq "--print-curves without a display ends with status 0" "$status" "0"
expect_eq "--print-curves: the header" "$(head -1 "$work/curves.out")" \
    "theta_i_deg,R_par,R_perp,T_par,T_perp,abs_gamma_par,arg_gamma_par_deg,abs_gamma_perp,arg_gamma_perp_deg,abs_tau_par,arg_tau_par_deg,abs_tau_perp,arg_tau_perp_deg"
expect_eq "--print-curves: 901 rows of 13 numbers, 0 to 90 degrees, R + T = 1" \
    "$(awk -F, 'NR > 1 && NF == 13 && ($2 + $4 - 1) ^ 2 < 1e-18 && ($3 + $5 - 1) ^ 2 < 1e-18 { n++; last = $1 } END { print n, last }' "$work/curves.out")" \
    "901 90"

# The curves against frequency: 481 rows, 1 kHz to 1 PHz, R + T = 1 in every one.
DISPLAY= run_plain spectrum --print-spectrum --medium2=water --angle=30
expect_eq "--print-spectrum: status 0, its header, 481 rows of 14 from 1 kHz to 1 PHz, R + T = 1" \
    "$status $(head -1 "$work/spectrum.out" | cut -d, -f1-3) $(awk -F, 'NR == 2 { first = $1 } NR > 1 && NF == 14 && ($3 + $5 - 1) ^ 2 < 1e-18 && ($4 + $6 - 1) ^ 2 < 1e-18 { n++; last = $1 } END { print n, first, last }' "$work/spectrum.out")" \
    "0 frequency_hz,theta_i_deg,R_par 481 1000 1000000000000000"
# Each material's refractive index from the program's own Gamma at normal incidence,
# n2 = (1 - Gamma) / (1 + Gamma): the check values of the models' sources.
for check in "glass 508.7268THz 1.51673 0.0000" "silica 508.7268THz 1.45840 0.0000" \
    "water 508.7268THz 1.33335 0.0000" "copper 241.79892THz 0.32620 -8.2419"; do
    read -r name hz n kappa <<<"$check"
    DISPLAY= run_plain n2 --print-curves --medium2="$name" --frequency="$hz"
    expect_eq "--print-curves: n2 of $name at $hz" "$(awk -F, 'NR == 2 { g = $8; p = $9 * atan2(0, -1) / 180
        gr = g * cos(p); gi = g * sin(p); d = (1 + gr) ^ 2 + gi ^ 2
        printf "%.5f %.4f", ((1 - gr) * (1 + gr) - gi * gi) / d, -2 * gi / d }' "$work/n2.out")" "$n $kappa"
done
# And within the sources' own tolerance, n - j kappa = sqrt(eps) of their check values of eps
# (copper's kappa from its skin depth, c / (omega delta)).
for check in "water 10GHz 8.05148 2.03627 0.005" "water 1GHz 8.94546 0.247612 0.005" \
    "seawater 1GHz 9.65532 4.65029 0.03" "glass 10GHz 2.51213 0.0281562 0.001" \
    "concrete 10GHz 2.29173 0.10973 0.001" "wet-soil 5GHz 4.00712 0.545023 0.001" \
    "copper 1GHz 22829.4 22829.4 0.001"; do
    read -r name hz n kappa tolerance <<<"$check"
    DISPLAY= run_plain n2 --print-curves --medium2="$name" --frequency="$hz"
    awk -F, -v n="$n" -v k="$kappa" -v t="$tolerance" 'NR == 2 { g = $8; p = $9 * atan2(0, -1) / 180
        gr = g * cos(p); gi = g * sin(p); d = (1 + gr) ^ 2 + gi ^ 2
        rn = ((1 - gr) * (1 + gr) - gi * gi) / d; rk = 2 * gi / d
        exit !((rn - n) ^ 2 <= (t * n) ^ 2 && (rk - k) ^ 2 <= (t * k) ^ 2) }' "$work/n2.out"
    verdict $? "--print-curves: n2 of $name at $hz within $tolerance of $n - j$kappa"
done

# A broken refractive index file: one line naming its place, status 2, no display needed.
printf 'DATA:\n  - type: formula 7\n' >"$work/broken.yml"
DISPLAY= run_plain broken-file --medium2="$work/broken.yml"
expect_eq "--medium2=FILE.yml, broken: status 2 and one line at its place" "$status $(cat "$work/broken-file.err")" \
    "2 planewave3d: $work/broken.yml:2:11: unsupported data type 'formula 7' (tabulated nk, tabulated n, tabulated k, formula 1 or formula 2)"

# The total field as data: copper at normal incidence, 128 x 128 points, medium 2 flat; a
# quantity it does not know gets one line and status 2.
DISPLAY= run_plain map --print-field-map=e2 --medium2=copper --angle=0
expect_eq "--print-field-map: status 0, the header, 16384 points, medium 2's half flat" \
    "$status $(awk -F, 'NR == 1 { h = $0 } NR > 1 && NF == 3 { n++; flat += $2 >= 0 && $3 == 0 } END { print h, n, flat }' "$work/map.out")" \
    "0 x_m,z_m,value 16384 8192"
# E_y at time sample 1 unless --frame says otherwise.
DISPLAY= run_plain map-ey --print-field-map=ey --angle=30
DISPLAY= run_plain map-ey-1 --print-field-map=ey --angle=30 --frame=1
DISPLAY= run_plain map-ey-26 --print-field-map=ey --angle=30 --frame=26
expect_eq "--print-field-map=ey: sample 1 unless --frame=N" \
    "$(cmp -s "$work/map-ey.out" "$work/map-ey-1.out"; echo $?) $(cmp -s "$work/map-ey.out" "$work/map-ey-26.out"; echo $?)" "0 1"
DISPLAY= run_plain bad-map --print-field-map=ex
expect_eq "--print-field-map=ex: status 2 and the values" "$status $(head -1 "$work/bad-map.err")" \
    "2 planewave3d: --print-field-map: invalid quantity 'ex' (ey, hy or e2)"

# The field map at the top of the column (its colours from 890, 64 to 1140, 312): E_y moves with
# the frame, the mean of |E|^2 does not, and without the map the place holds none of it.
map=(--window=1280x720 --view=mono --medium2=glass --frequency=500THz --angle=30)
for q in ey e2; do
    for f in 1 26; do "$program" --snapshot="$work/map-$q-$f.png" "${map[@]}" --field-map=$q --frame=$f; done
done
"$program" --snapshot="$work/map-none.png" "${map[@]}" --frame=1
region=(8 890 64 250 248)
read -r _ _ ey_moved _ < <("$probe" compare "$work/map-ey-1.png" "$work/map-ey-26.png" "${region[@]}")
read -r _ _ e2_moved _ < <("$probe" compare "$work/map-e2-1.png" "$work/map-e2-26.png" "${region[@]}")
read -r _ _ _ _ map_far _ < <("$probe" compare "$work/map-e2-1.png" "$work/map-none.png" "${region[@]}")
expect_eq "--field-map: E_y animated, mean |E|^2 still, in its place (blocks of 8 x 8 off)" \
    "$((${ey_moved:-0} > 900)) ${e2_moved:-?} $((${map_far:-0} > 900))" "1 0 1"

# One period without a window: frame k is the snapshot of time sample k + 1, the palette's
# colours aside (a 480x270 picture, 100 frames).
small=(--view=sbs --window=480x270 --readout)
"$program" --record="$work/period.gif" "${small[@]}"
expect_eq "--record ends with status 0" "$?" "0"
expect_eq "--record: 100 frames, looping forever, 10/100 s each" \
    "$("$probe" gif-info "$work/period.gif")" "frames 100 loop 0 delays 10-10"
for k in 0 36 99; do
    "$program" --snapshot="$work/sample.png" --frame=$((k + 1)) "${small[@]}"
    read -r size _ _ _ far _ < <("$probe" compare "$work/period.gif:$k" "$work/sample.png")
    [ "$size" = 480x270 ] && [ "${far:-9999}" -lt 650 ]
    verdict $? "--record: frame $k is time sample $((k + 1))" "$size, $far pixels far off"
done
read -r _ _ differing _ < <("$probe" compare "$work/period.gif:0" "$work/period.gif:50")
[ "${differing:-0}" -gt 100 ] && pass "--record: the wave moves" || fail "--record: the wave moves"

# A target that cannot be written: one line, status 1, nothing left behind.
touch "$work/not-a-folder"
mkdir "$work/a-folder"
for target in "$work/no/such/folder/x.png" "$work/not-a-folder/x.gif" "$work/a-folder"; do
    option=--snapshot
    [ "${target%.gif}" != "$target" ] && option=--record
    "$program" "$option=$target" --window=320x180 >"$work/bad-target.out" 2>&1
    status=$?
    [ "$status" = 1 ] && [ "$(wc -l <"$work/bad-target.out")" = 1 ] &&
        grep -q "^planewave3d: cannot write '$target'" "$work/bad-target.out"
    verdict $? "$option to $target: one line, status 1" "status $status: $(head -2 "$work/bad-target.out")"
done
no_part_files "$work" && pass "nothing half-written left behind" || fail "nothing half-written left behind"
# No display to open: the one named, else the environment's; the message names it.
for display in "DISPLAY=:917" "DISPLAY=:917 -display :918" "DISPLAY="; do
    read -r variable option name <<<"$display"
    # shellcheck disable=SC2086  # the option is words
    env "$variable" "$program" --snapshot="$work/none.png" $option $name >"$work/no-display.out" 2>&1
    expect_eq "--snapshot without a display ($display): status 1, one line naming it" \
        "$? $(cat "$work/no-display.out") $([ -e "$work/none.png" ] && echo file)" \
        "1 planewave3d: cannot open the X display '${name:-${variable#DISPLAY=}}': pictures need one, though no window is shown "
done
DISPLAY=:917 run_plain no-window --window
expect_eq "--window without a display: status 1, that one line and nothing before it" \
    "$status $(cat "$work/no-window.out")|$(cat "$work/no-window.err")" \
    "1 |planewave3d: cannot open the X display ':917': a window needs one"

# --- themes and palettes ----------------------------------------------------------------------

# Each look's background, and its field arrows in the table's colour as the light shades it; a
# lesson may choose the look, the command line over it.
printf 'theme = "projector"\npalette = "colour-blind"\n[[scenario]]\n' >"$work/look.toml"
for look in "808080 255 214 0 --theme=classic" "FAFAF5 153 115 0 --theme=projector" \
    "FAFAF5 132 125 36 --theme=projector --palette=colour-blind" \
    "808080 255 183 0 --palette=colour-blind" "FAFAF5 132 125 36 --lesson=$work/look.toml" \
    "808080 255 183 0 --lesson=$work/look.toml --theme=classic"; do
    read -r background r g b options <<<"$look"
    # shellcheck disable=SC2086  # the options are words
    "$program" --snapshot="$work/look.png" --window=640x360 --frame=30 $options
    read -r _ corner _ shaded < <("$probe" shades "$work/look.png" "$r" "$g" "$b")
    [ "$corner" = "$background" ] && [ "${shaded:-0}" -gt 1000 ]
    verdict $? "$options: background $background, field arrows $r $g $b" "$corner, $shaded pixels"
done

# Panels beside the wave: the README's slide at 1280x720 keeps its scene in the 742 pixels left
# of the panels' column, every arrow pixel of a picture of that size there.
slide=(--view=mono --frame=30 --medium2=glass --frequency=500THz --angle=56)
"$program" --snapshot="$work/bare.png" --window=742x720 "${slide[@]}"
"$program" --snapshot="$work/slide.png" --window=1280x720 "${slide[@]}" --readout --curves
read -r _ _ _ bare < <("$probe" shades "$work/bare.png" 255 214 0)
read -r _ _ _ slide < <("$probe" shades "$work/slide.png" 255 214 0)
[ "${bare:-0}" -gt 1000 ] && [ "${slide:-0}" = "$bare" ]
verdict $? "the readout and the curves leave every arrow in view" "${bare:-?} gold pixels, then ${slide:-?}"
# OCR reads every number of the slide's readout whole, each as often as it stands there: no digit,
# decimal point or minus sign lost.
numbers=(56.0000 0.80 1.00 2.2992 1.5163 248.45 0.00 33.1441 56.5953 -0.5953 0.0063 180.0 0.3885 180.0
         0.6636 0.0 0.6115 0.0 0.0000 1.0000 0.1509 0.8491 0.0920 0.9080 1.0000 0.0920 0.9080 1.0000)
ocr=$(tesseract "$work/slide.png" - 2>&1)
misread=""
while read -r times number; do
    read_times=$(grep -oE -- "(^|[^0-9])${number//./\\.}([^0-9]|$)" <<<"$ocr" | wc -l)
    [ "$read_times" -ge "$times" ] || misread+=" $number"
done < <(printf '%s\n' "${numbers[@]}" | sort | uniq -c)
expect_eq "OCR reads the readout's numbers whole" "${misread:- none}" " none"
# The readout in the locale's language (its catalogue installed with the program, found beside
# it in the build folder), English under C; the locales need not be generated.
for check in "de_DE.UTF-8 Frequenz Grenzwinkel Aufruf:" "fr_FR.UTF-8 critique aucun Usage :" \
    "es_ES.UTF-8 frecuencia ninguno Uso:" "C frequency critical Usage:"; do
    read -r locale first second usage <<<"$check"
    LANG=$locale LC_ALL= LANGUAGE= run_plain help-lang --help
    expect_eq "LANG=$locale: --help begins '$usage'" "$(head -c ${#usage} "$work/help-lang.out")" "$usage"
    LANG=$locale LC_ALL= LANGUAGE= "$program" --snapshot="$work/lang.png" --window=1280x720 --view=mono --readout
    text=$(tesseract "$work/lang.png" - 2>/dev/null)
    grep -q "$first" <<<"$text" && grep -q "$second" <<<"$text"
    verdict $? "LANG=$locale: the readout says '$first' and '$second'" "$(grep -m1 -i -e freq -e frec <<<"$text")"
done
LANG=C LC_ALL= LANGUAGE=de run_plain help-c --help
cmp -s "$work/help-c.out" "$here/expected_help.txt"
verdict $? "LANG=C, even with LANGUAGE=de: --help byte for byte in English"
# The files' and the display's messages too, from below the core.
LANG=de_DE.UTF-8 LC_ALL= LANGUAGE= run_plain folder-de "--snapshot=$work"
expect_eq "LANG=de: a folder in the picture's way" "$status $(cat "$work/folder-de.err")" \
    "1 planewave3d: '$work' lässt sich nicht schreiben: unverändert gelassen, es ist keine reguläre Datei"
LANG=es_ES.UTF-8 LC_ALL= LANGUAGE= DISPLAY= run_plain display-es "--snapshot=$work/x.png"
expect_eq "LANG=es: no display for a picture" "$status $(cat "$work/display-es.err")" \
    "1 planewave3d: no se puede abrir la pantalla X '': las imágenes la necesitan, aunque no se muestre ninguna ventana"

# An empty lesson says so, before any display.
: >"$work/empty.toml"
DISPLAY= run_plain empty-lesson "--lesson=$work/empty.toml"
expect_eq "an empty lesson: status 2, one line" "$status $(cat "$work/empty-lesson.err")" \
    "2 planewave3d: $work/empty.toml: the file is empty: no [[scenario]] in it"


# Batch pictures ended from outside remove their partial file and end by the signal.
for signal in INT TERM HUP; do
    mkdir "$work/batch-$signal"
    "$program" --record="$work/batch-$signal/period.gif" --window=1280x720 --readout 2>/dev/null &
    pid=$!
    for _ in $(seq 100); do
        [ -n "$(ls -A "$work/batch-$signal")" ] && break
        sleep 0.1
    done
    sleep 0.3
    kill -s "$signal" "$pid"
    wait_exit "$pid" 30
    status=$?
    expect_eq "--record ended by SIG$signal: its status, nothing left" \
        "$status $(ls -A "$work/batch-$signal")" "$((128 + $(kill -l "$signal"))) "
done

# The page's WebGL2 backend run natively on OpenGL ES 3: the desktop's snapshot of the same
# frame, at most B of its blocks of 4 x 4 pixels off by more than 32 levels on average, and at
# most P of its pixels (where the stipple's dots fall a pixel apart).
if [ -n "${3:-}" ]; then
    while read -r blocks pixels size options parameters; do
        "$program" --snapshot="$work/desktop.png" --window="$size" ${options//,/ }
        "$3" "$work/page.png" ${size/x/ } $parameters
        read -r compared _ _ _ far _ < <("$probe" compare "$work/desktop.png" "$work/page.png" 4)
        read -r _ _ _ _ far_pixels _ < <("$probe" compare "$work/desktop.png" "$work/page.png")
        [ "$compared" = "$size" ] && [ "${far:-999999}" -le "$blocks" ] &&
            [ "${far_pixels:-999999}" -le "$pixels" ]
        verdict $? "the page's picture of $parameters" "$compared, $far blocks, $far_pixels pixels far off"
    done <<'CASES'
4 450 640x360 --view=sbs,--frame=37,--magnetic,--poynting view=sbs frame=37 magnetic=1 poynting=1
40 1600 640x360 --view=anaglyph,--frame=12,--theme=projector,--tangential view=anaglyph frame=12 theme=projector tangential=1
4 500 640x360 --view=mono,--frame=80,--medium2=seawater,--palette=colour-blind view=mono frame=80 medium2=seawater palette=colour-blind
6 600 480x480 --view=cross,--frame=5 view=cross frame=5
6 560 640x360 --view=mono,--frame=5,--theme=projector view=mono frame=5 theme=projector
CASES
fi

report
