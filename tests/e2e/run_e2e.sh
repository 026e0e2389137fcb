#!/usr/bin/env bash
# End-to-end tests of the real program on real X servers: Xorg with the dummy video driver,
# whose RandR modes can be switched and restored like those of a real display.
#
#   run_e2e.sh PLANEWAVE3D X11_PROBE
#
# Starts its own servers on free display numbers and stops them at the end.
set -u
set -m  # background jobs keep SIGINT, as a program started from a terminal does
ulimit -c 0  # the crashes below are deliberate: no core files

program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")  # absolute: some checks change folder
probe=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/checks.sh"
source "$here/xorg_dummy.sh"

# --- the program --------------------------------------------------------------------------

# start_program NAME [ARGS...]: runs the program in the background; sets pid and wid (its
# window, whose title names the view). Without a window manager an ordinary window would sit at
# (-1, -1), a pixel off the screen: with options, the toolkit's own -geometry puts it at the
# corner.
start_program() {
    local name=$1
    shift
    "$program" "$@" ${1:+-geometry +0+0} >"$work/$name.out" 2>"$work/$name.err" </dev/null &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^3D TV' 2>/dev/null | head -n 1)
    # The first frames must be on the screen before anything is measured.
    sleep 1
}

press() {
    xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key "$@"
}

shot() { xwd -silent -id "$wid" -out "$1"; }
# differ A B: how many pixels differ between two pictures.
differ() { "$probe" compare "$1" "$2" | awk '{ print $3 }'; }
# escape: ESC, and the program's exit status once it has ended.
escape() {
    press Escape
    wait_exit "$pid"
}
# shot_after FILE KEY...: the picture once the keys have had 0.4 s to show.
shot_after() {
    local file=$1
    shift
    press "$@"
    sleep 0.4
    shot "$file"
}

# gone PID: true once the process has ended (or is a zombie), within 2 s.
gone() {
    for _ in $(seq 20); do
        if [ ! -e "/proc/$1" ] || grep -q '^State:[[:space:]]*Z' "/proc/$1/status" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# mode_back_within_2s: true once the display is back in 1920x1200, within 2 s.
mode_back_within_2s() {
    for _ in $(seq 20); do
        [ "$(current_mode)" == "1920x1200" ] && return 0
        sleep 0.1
    done
    return 1
}

# --- a display with a 16:9 mode of its width ------------------------------------------------

dummy_display "1920x1200" "1920x1080"
expect_eq "server starts in 1920x1200" "$(current_mode)" "1920x1200"

# watching FILE: the mode watcher has written the mode it started in (within 5 s).
watching() {
    for _ in $(seq 50); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
}
"$probe" watch-modes >"$work/modes.txt" &
watcher=$!
watching "$work/modes.txt"
start_program console
if cmp -s "$work/console.out" "$here/expected_console.txt"; then
    pass "console text byte for byte"
else
    fail "console text byte for byte" "$(diff <(cat -A "$here/expected_console.txt") <(cat -A "$work/console.out") | head -5)"
fi
expect_eq "mode while running" "$(current_mode)" "1920x1080"
[ -n "$wid" ] && pass "window '3D TV' opens" || fail "window '3D TV' opens"
geometry=$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null | tr '\n' ' ')
expect_eq "window at (0, 32), 1920x960" "$geometry" "WINDOW=$wid X=0 Y=32 WIDTH=1920 HEIGHT=960 SCREEN=0 "

# The picture: both halves hold a scene, and they differ only by the parallax.
# On a loaded machine the first frames may take a while: wait up to 10 s for the scene.
for _ in $(seq 20); do
    shot "$work/a.xwd"
    read -r _ background _ left _ right _ differing _ shift _ < <("$probe" scene "$work/a.xwd")
    [ "${left:-0}" -gt 5000 ] && break
    sleep 0.5
done
[ "${left:-0}" -gt 5000 ] && [ "${right:-0}" -gt 5000 ] && pass "scene in both halves" ||
    fail "scene in both halves" "left ${left:-?} right ${right:-?} pixels"
# Same scene, seen from 0.075 scene units apart: about as many pixels, moved a few pixels.
[ "${differing:-0}" -gt 0 ] && [ "${shift:-99}" -le 12 ] &&
    [ $((left - right)) -lt $((left / 20)) ] && [ $((right - left)) -lt $((left / 20)) ]
verdict $? "halves differ only by the small parallax" "${differing:-?} pixels differ, centre moves ${shift:-?} px"
sleep 0.35
shot "$work/b.xwd"
[ "$(differ "$work/a.xwd" "$work/b.xwd")" -gt 0 ] && pass "the wave moves" || fail "the wave moves"

shot_after "$work/c.xwd" space
sleep 0.5
shot "$work/d.xwd"
expect_eq "paused frames are identical" "$(differ "$work/c.xwd" "$work/d.xwd")" "0"
shot_after "$work/e.xwd" l
[ "$(differ "$work/d.xwd" "$work/e.xwd")" -gt 0 ] && pass "'l' changes the picture" || fail "'l' changes the picture"
shot_after "$work/f.xwd" bar
[ "$(differ "$work/e.xwd" "$work/f.xwd")" -gt 0 ] && pass "'|' shows the tangential fields" || fail "'|' shows the tangential fields"
# The readout: in the lower right corner of each half, the same in both, the scene beside it
# with every field arrow still in view; gone again with h.
shot_after "$work/g.xwd" h
read -r _ corner _ < <("$probe" match "$work/f.xwd" 480 480 480 480 r "$work/g.xwd" 480 480 r)
read -r _ _ _ gold_without < <("$probe" shades "$work/f.xwd" 255 214 0)
read -r _ _ _ gold_with < <("$probe" shades "$work/g.xwd" 255 214 0)
[ "${corner:-0}" -gt 20000 ] && [ "${gold_with:-0}" -gt $((${gold_without:-0} / 4)) ]
verdict $? "h shows the readout in the lower right corner, beside the arrows" "${corner:-?} pixels there, arrows ${gold_without:-?} then ${gold_with:-?}"
read -r _ _ _ iou _ shift < <("$probe" match "$work/g.xwd" 480 480 480 480 r "$work/g.xwd" 1440 480 r)
[ "${iou:-0}" -ge 90 ] && [ "${shift:-1}" -eq 0 ]
verdict $? "the readout lies alike in both halves (no parallax)" "overlap ${iou:-?} % at ${shift:-?} px"
shot_after "$work/h.xwd" h
expect_eq "h again hides it" "$(differ "$work/f.xwd" "$work/h.xwd")" "0"

# The Fresnel curves (g): in the column at the right of each half, the same in both; power,
# amplitude and phase, then gone.
shot_after "$work/power.xwd" g
read -r _ corner _ < <("$probe" match "$work/h.xwd" 480 480 480 480 r "$work/power.xwd" 480 480 r)
[ "${corner:-0}" -gt 50000 ] && pass "g shows the curves at the right" ||
    fail "g shows the curves at the right" "${corner:-?} pixels there"
# Inside the opaque panel (369x443 pixels from (585, 506) of each half), pixel for pixel.
read -r _ differing _ < <("$probe" match "$work/power.xwd" 590 510 350 430 r "$work/power.xwd" 1550 510 r)
expect_eq "the curves are the same in both halves" "$differing" "0"
shot_after "$work/phase.xwd" g
[ "$(differ "$work/power.xwd" "$work/phase.xwd")" -gt 1000 ] &&
    pass "g again: amplitude and phase" || fail "g again: amplitude and phase"
shot_after "$work/spectrum.xwd" g
[ "$(differ "$work/phase.xwd" "$work/spectrum.xwd")" -gt 1000 ] &&
    pass "g a third time: against frequency" || fail "g a third time: against frequency"
shot_after "$work/no-curves.xwd" g
expect_eq "g a fourth time hides them" "$(differ "$work/h.xwd" "$work/no-curves.xwd")" "0"
# The magnetic field (m) and the Poynting vectors (p) come and go.
for key in m p; do
    shot_after "$work/with-$key.xwd" "$key"
    shot_after "$work/without-$key.xwd" "$key"
    [ "$(differ "$work/h.xwd" "$work/with-$key.xwd")" -gt 500 ] &&
        [ "$(differ "$work/h.xwd" "$work/without-$key.xwd")" -eq 0 ] &&
        pass "$key shows and hides its arrows" || fail "$key shows and hides its arrows"
done

guardian=$(pgrep -P "$pid")
[ -n "$guardian" ] && pass "a guardian process watches over the mode" ||
    fail "a guardian process watches over the mode"
escape
expect_eq "ESC ends with status 0" "$?" "0"
expect_eq "ESC restores the mode" "$(current_mode)" "1920x1200"
sleep 0.5
kill "$watcher"
wait "$watcher" 2>/dev/null
expect_eq "the mode changes twice in all: switched, restored once" "$(tr '\n' ' ' <"$work/modes.txt")" \
    "1920x1200 1920x1080 1920x1200 "
gone "$guardian" && pass "the guardian is gone after ESC" || fail "the guardian is gone after ESC"

# Every other way out puts the mode back as well.
for signal in TERM INT HUP; do
    start_program "sig$signal"
    expect_eq "mode switched before SIG$signal" "$(current_mode)" "1920x1080"
    kill -s "$signal" "$pid"
    wait_exit "$pid"
    status=$?
    expect_eq "SIG$signal ends the program by that signal" "$status" "$((128 + $(kill -l "$signal")))"
    expect_eq "SIG$signal restores the mode" "$(current_mode)" "1920x1200"
done

# Deaths the program cannot act on: its guardian puts the mode back.
for signal in KILL SEGV ABRT; do
    start_program "death$signal"
    expect_eq "mode switched before SIG$signal" "$(current_mode)" "1920x1080"
    guardian=$(pgrep -P "$pid")
    kill -s "$signal" "$pid"
    wait_exit "$pid"
    mode_back_within_2s && pass "after SIG$signal the guardian puts the mode back within 2 s" ||
        fail "after SIG$signal the guardian puts the mode back within 2 s" "$(current_mode)"
    [ -n "$guardian" ] && gone "$guardian" && pass "no process left behind after SIG$signal" ||
        fail "no process left behind after SIG$signal" "guardian '$guardian'"
done

start_program close
"$probe" close "$wid"
wait_exit "$pid"
expect_eq "closing the window ends with status 0" "$?" "0"
expect_eq "closing the window restores the mode" "$(current_mode)" "1920x1200"

start_program killed
xdotool windowkill "$wid" 2>/dev/null  # the toolkit loses its connection and exits
wait_exit "$pid"
expect_eq "losing the toolkit's connection restores the mode" "$(current_mode)" "1920x1200"

# --- options and views ------------------------------------------------------------------------


for bad in --bogus --view=stereo --window=10x10 --window=wide; do
    run_plain bad "$bad"
    expect_eq "$bad ends with status 2" "$status" "2"
    expect_eq "$bad: nothing on standard output" "$(cat "$work/bad.out")" ""
    expect_eq "$bad: one line and the usage hint" "$(sed -n '1s/:.*//p;2p' "$work/bad.err")" \
        "planewave3d
Try 'planewave3d --help' for more information."
done
expect_eq "bad options leave the mode alone" "$(current_mode)" "1920x1200"

# still_scene: both magnitudes down to 0, so that the arrows vanish and every frame is alike.
still_scene() {
    press --repeat 16 alt+x
    press --repeat 20 alt+y
    sleep 0.5
}
title() { xdotool getwindowname "$wid" 2>/dev/null; }

"$probe" watch-modes >"$work/window-modes.txt" &
watcher=$!
watching "$work/window-modes.txt"
start_program window --window
expect_eq "--window: the mode is left alone while running" "$(current_mode)" "1920x1200"
geometry=$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
expect_eq "--window: an ordinary 1280x720 window" "$geometry" "WIDTH=1280 HEIGHT=720 "
expect_eq "--window: title of the side by side view" "$(title)" "3D TV"
press v
sleep 0.3
expect_eq "v: the next view, named in the title" "$(title)" "3D TV — mono"
press v v v
sleep 0.3
expect_eq "v four times: side by side again" "$(title)" "3D TV"
escape
expect_eq "--window: ESC ends with status 0" "$?" "0"
sleep 0.3
kill "$watcher"
wait "$watcher" 2>/dev/null
expect_eq "--window: the mode was never changed" "$(tr '\n' ' ' <"$work/window-modes.txt")" "1920x1200 "

# Anaglyph and crossed pictures of the same still scene, one eye in a 960x540 picture each.
start_program anaglyph --window=960x540 --view=anaglyph
expect_eq "anaglyph: the title names the view" "$(title)" "3D TV — anaglyph"
still_scene
shot "$work/anaglyph.xwd"
escape
start_program cross --window=1920x540 --view=cross
still_scene
shot "$work/cross.xwd"
escape
read -r _ differing _ iou _ shift < <("$probe" match "$work/anaglyph.xwd" 0 0 960 540 r "$work/anaglyph.xwd" 0 0 g)
[ "${iou:-0}" -ge 85 ] && [ "${shift#-}" -le 10 ] && [ "${differing:-0}" -gt 0 ]
verdict $? "anaglyph: red and green hold the same scene, shifted" "overlap ${iou:-?} % at ${shift:-?} px"
read -r _ differing _ < <("$probe" match "$work/cross.xwd" 0 0 960 540 g "$work/anaglyph.xwd" 0 0 g)
expect_eq "cross: the left half is the right eye's picture (the anaglyph's cyan)" "$differing" "0"
read -r _ differing _ < <("$probe" match "$work/cross.xwd" 960 0 960 540 r "$work/anaglyph.xwd" 0 0 r)
expect_eq "cross: the right half is the left eye's picture (the anaglyph's red)" "$differing" "0"

# Mono across the full width: one picture, where side by side has two alike halves.
start_program mono --view=mono
expect_eq "mono: the mode switched as without options" "$(current_mode)" "1920x1080"
shot "$work/mono.xwd"
escape
read -r _ _ _ iou_mono _ < <("$probe" match "$work/mono.xwd" 0 0 960 960 r "$work/mono.xwd" 960 0 r)
read -r _ _ _ iou_sbs _ < <("$probe" match "$work/a.xwd" 0 0 960 960 r "$work/a.xwd" 960 0 r)
[ "${iou_mono:-100}" -lt 50 ] && [ "${iou_sbs:-0}" -ge 85 ]
verdict $? "mono: one picture across the window" "halves overlap ${iou_mono:-?} % (side by side ${iou_sbs:-?} %)"

# A resized window keeps the picture's shape: the box round the traces keeps its proportions.
start_program resize --window --view=mono
shot "$work/before.xwd"
read -r box_w box_h < <("$probe" trace-box "$work/before.xwd")
xdotool windowsize "$wid" 1600 600
sleep 1
shot "$work/after.xwd"
read -r after_w after_h < <("$probe" trace-box "$work/after.xwd")
geometry=$(xdotool getwindowgeometry --shell "$wid" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
expect_eq "resized to 1600x600" "$geometry" "WIDTH=1600 HEIGHT=600 "
# Width over height, in hundredths, before and after: within 4 %.
before=$((100 * ${box_w:-0} / ${box_h:-1}))
after=$((100 * ${after_w:-0} / ${after_h:-1}))
[ "$before" -gt 0 ] && [ $((100 * after)) -ge $((96 * before)) ] && [ $((100 * after)) -le $((104 * before)) ]
verdict $? "a resize keeps the picture's shape" "traces ${box_w:-?}x${box_h:-?}, then ${after_w:-?}x${after_h:-?}"
escape
expect_eq "--window: the mode is left alone after" "$(current_mode)" "1920x1200"

# --- media, frequency and lessons -------------------------------------------------------------

# A lesson of two still scenarios (no incident field, so every frame is alike), stepped with
# Page Down: its readout is that of a lesson that starts on the second one, but for the first
# line, which names the lesson and the step.
still='ex_mag = 0\ney_mag = 0\ntheta_i = 30\nmedium1 = "air"\n'
printf "title = \"Two\"\n[[scenario]]\n$still\n[[scenario]]\n${still}medium2 = \"seawater\"\nfrequency = \"100 MHz\"\n" >"$work/two.toml"
printf "title = \"One\"\n[[scenario]]\n${still}medium2 = \"seawater\"\nfrequency = \"100 MHz\"\n" >"$work/one.toml"
start_program lesson --window --view=mono "--lesson=$work/two.toml"
shot_after "$work/lesson-1.xwd" h
shot_after "$work/lesson-2.xwd" Next
shot_after "$work/lesson-2-again.xwd" Next
shot_after "$work/lesson-1-again.xwd" Prior
escape
start_program lesson-one --window --view=mono "--lesson=$work/one.toml"
shot_after "$work/one.xwd" h
escape
[ "$(differ "$work/lesson-1.xwd" "$work/lesson-2.xwd")" -gt 0 ] &&
    pass "Page Down steps to the lesson's next scenario" || fail "Page Down steps to the lesson's next scenario"
expect_eq "Page Down at the end stays there" "$(differ "$work/lesson-2.xwd" "$work/lesson-2-again.xwd")" "0"
expect_eq "Page Up goes back" "$(differ "$work/lesson-1.xwd" "$work/lesson-1-again.xwd")" "0"
read -r first last < <("$probe" diff-rows "$work/lesson-2.xwd" "$work/one.xwd")
[ "${first:-none}" != none ] && [ "$first" -gt 250 ] && [ $((last - first)) -lt 14 ]
verdict $? "the readout shows the second scenario, its first line naming the step" "rows ${first:-?} to ${last:-?} differ"

# --- pictures for slides -----------------------------------------------------------------------

# wait_for_line FILE TEXT [SECONDS]: true once FILE holds a line with TEXT, within SECONDS (30).
wait_for_line() {
    for _ in $(seq $((${3:-30} * 10))); do
        grep -q "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# One frame off the screen is the window's picture of that frame: llvmpipe rounds the blending
# into the window's buffer and into a framebuffer object of its own a level apart at most.
picture=(--view=mono --window=960x540 --frame=37 --magnetic --curves=amplitude)
"$program" --snapshot="$work/frame-37.png" "${picture[@]}" >"$work/snapshot.out" 2>&1
expect_eq "--snapshot ends with status 0, quietly" "$? $(cat "$work/snapshot.out")" "0 "
mkdir -p "$work/keys"
cd "$work/keys" || exit 1  # where s and r write
start_program keys "${picture[@]}"
cd - >/dev/null || exit 1
shot "$work/window-37.xwd"
read -r size _ _ _ far _ worst < <("$probe" compare "$work/frame-37.png" "$work/window-37.xwd")
[ "$size" = 960x540 ] && [ "${far:-1}" -eq 0 ] && [ "${worst:-9}" -le 2 ]
verdict $? "--snapshot: the window's picture of the same frame" "$size, $far far, worst $worst"
press s
wait_for_line "$work/keys.out" "picture saved to" 10 &&
    read -r _ _ _ _ far _ worst < <("$probe" compare "$work/window-37.xwd" "$work/keys"/planewave3d-*.png) &&
    [ "${far:-1}" -eq 0 ] && [ "${worst:-9}" -le 2 ] &&
    pass "s saves the window's picture" || fail "s saves the window's picture" "$(tail -1 "$work/keys.out")"
press r
wait_for_line "$work/keys.out" "recording saved to" 40 &&
    expect_eq "r records one period: 100 frames, looping, 10 a second" \
        "$("$probe" gif-info "$work/keys"/planewave3d-*.gif)" "frames 100 loop 0 delays 10-10" ||
    fail "r records one period" "$(tail -1 "$work/keys.out")"
escape
recorded=$(ls "$work/keys"/planewave3d-*.gif)
read -r _ _ _ _ far _ < <("$probe" compare "$recorded:0" "$work/frame-37.png")
[ "${far:-999999}" -lt 2600 ] && pass "the recording starts at the frame on the screen" ||
    fail "the recording starts at the frame on the screen" "$far pixels far off"
no_part_files "$work/keys" && pass "nothing half-written left by the keys" ||
    fail "nothing half-written left by the keys"

# --- nothing of the user's is lost ---------------------------------------------------------------

# state FILE...: the bytes and the mode of each file, to hold against after.
state() { for f in "$@"; do printf '%s %s\n' "$(stat -c '%a %U' "$f")" "$(md5sum <"$f")"; done; }

# Files of another user's that this user cannot read, in a folder both may write to: the tests
# run as root, so the program runs as nobody (a copy of it, where nobody may run it).
shared=$(mktemp -d)
chmod 755 "$shared"
mkdir "$shared/bin" "$shared/folder"
cp "$program" "$shared/bin/planewave3d"
chown nobody "$shared/folder"
printf 'title = "Mine"\n' >"$shared/folder/planewave3d-saved.toml"
# The names s would take in the next seconds, taken by files it cannot read.
for s in 0 1 2 3 4 5 6 7 8 9; do
    printf 'mine' >"$shared/folder/planewave3d-$(date -d "+$s seconds" +%Y%m%d-%H%M%S).png"
done
printf 'mine' >"$shared/folder/unreadable.png"
chmod 000 "$shared"/folder/*
theirs=("$shared"/folder/*)
before=$(state "${theirs[@]}")
cd "$shared/folder" || exit 1
setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$shared/folder" \
    "$shared/bin/planewave3d" --window=640x360 -geometry +0+0 >"$work/nobody.out" 2>"$work/nobody.err" </dev/null &
pid=$!
cd - >/dev/null || exit 1
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^3D TV' 2>/dev/null | head -n 1)
sleep 1
press w
press s
wait_for_line "$work/nobody.out" "picture saved to" 10
escape
expect_eq "w: an unreadable saved lesson is left alone, and says why" "$(cat "$work/nobody.err")" \
    "planewave3d-saved.toml: left alone, it cannot be read: Permission denied"
saved=$(sed -n 's/^picture saved to //p' "$work/nobody.out")
[ -n "$saved" ] && [ "$(stat -c %U "$saved")" = nobody ] && pass "s: the picture takes a free name" ||
    fail "s: the picture takes a free name" "$(cat "$work/nobody.out" | tail -2)"
expect_eq "w and s: the files they cannot read stay as they were" "$(state "${theirs[@]}")" "$before"
setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$shared/folder" \
    "$shared/bin/planewave3d" --snapshot="$shared/folder/unreadable.png" --window=320x180 2>"$work/unreadable.err"
expect_eq "--snapshot onto a file it cannot read: status 1, one line" "$? $(cat "$work/unreadable.err")" \
    "1 planewave3d: cannot write '$shared/folder/unreadable.png': left alone, it cannot be read: Permission denied"
expect_eq "--snapshot: the file it cannot read stays as it was" "$(state "${theirs[@]}")" "$before"
rm -rf "$shared"

# w appends to an empty saved lesson; a recording that the input would change is cancelled
# (the scenario, here), and ESC in the middle of one leaves nothing either.
mkdir "$work/own"
: >"$work/own/planewave3d-saved.toml"
cd "$work/own" || exit 1
start_program own --window=640x360
cd - >/dev/null || exit 1
press w
press r
wait_for_line "$work/own.out" "recording one period" 5
press i
wait_for_line "$work/own.out" "recording cancelled" 5
press r
sleep 1
escape
expect_eq "w appends to an empty saved lesson" "$(grep -c '^\[\[scenario\]\]' "$work/own/planewave3d-saved.toml")" "1"
expect_eq "i while r records cancels the recording" "$(grep -c '^recording cancelled (the scenario changed), nothing saved$' "$work/own.out")" "1"
expect_eq "cancelled and ended recordings leave nothing" "$(ls -A "$work/own")" "planewave3d-saved.toml"

# o fits the scene: at 89 degrees the waves run off the picture, and after o nothing drawn
# touches its edge.
start_program steep --window --view=mono --angle=89
shot "$work/steep.xwd"
shot_after "$work/fitted.xwd" o
escape
read -r _ _ _ _ _ _ _ _ _ _ _ steep_edge < <("$probe" scene "$work/steep.xwd")
read -r _ _ _ _ _ _ _ _ _ _ _ fitted_edge < <("$probe" scene "$work/fitted.xwd")
[ "${steep_edge:-0}" -gt 0 ] && [ "${fitted_edge:-1}" = 0 ]
verdict $? "o: at 89 degrees nothing drawn touches the picture's edge" "${steep_edge:-?} then ${fitted_edge:-?} pixels"
# z magnifies medium 2's arrows: seawater's, nearly nothing at 100 MHz, more than double the
# picture's gold from x 10 to x 100 and again to x 1000 (the caption's column, alike at each,
# takes a little from medium 1's).
start_program sea --window --view=mono --frame=30 --medium2=seawater --frequency=100MHz
gold=""
for _ in 10 100 1000; do
    shot_after "$work/sea.xwd" z
    read -r _ _ _ shaded < <("$probe" shades "$work/sea.xwd" 255 214 0)
    gold+=" ${shaded:-0}"
done
escape
read -r gold_10 gold_100 gold_1000 <<<"$gold"
[ "${gold_10:-0}" -gt 1000 ] && [ "$gold_100" -gt $((2 * gold_10)) ] &&
    [ "$gold_1000" -gt $((2 * gold_100)) ]
verdict $? "z: medium 2's arrows grow with each press" "gold pixels$gold"

# --- a display without a 16:9 mode of its width ----------------------------------------------

start_server DISPLAY "1680x1050" || exit 1
expect_eq "second server starts in 1680x1050" "$(current_mode)" "1680x1050"
coproc FAILING { "$program" 2>"$work/failure.err"; echo "status $?"; }
exec {failing_out}<&"${FAILING[0]}"  # kept open should the coprocess end first
sleep 2
if kill -0 "$FAILING_PID" 2>/dev/null; then pass "waits for a line"; else fail "waits for a line"; fi
[ -z "$(xdotool search --name '^3D TV$' 2>/dev/null)" ] && pass "no window on failure" || fail "no window on failure"
echo >&"${FAILING[1]}"
output=$(timeout 10 cat <&"$failing_out")
expected=$(cat "$here/expected_failure.txt")
expect_eq "failure message and status 0" "$output" "${expected}status 0"
expect_eq "failure leaves the mode untouched" "$(current_mode)" "1680x1050"

report
