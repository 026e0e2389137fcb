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

program=$1
probe=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
servers=()
passed=0
failed=0

cleanup() {
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

pass() { passed=$((passed + 1)); echo "ok   $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1${2:+: $2}"; }
expect_eq() {  # NAME ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "got '$2', expected '$3'"; fi
}

source "$here/xorg_dummy.sh"

# --- the program --------------------------------------------------------------------------

# start_program NAME: runs the program in the background; sets pid and wid (its window).
start_program() {
    local name=$1
    "$program" >"$work/$name.out" 2>"$work/$name.err" </dev/null &
    pid=$!
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^3D TV$' 2>/dev/null | head -n 1)
    # The first frames must be on the screen before anything is measured.
    sleep 1
}

# wait_exit PID: the exit status, 124 after 10 s.
wait_exit() {
    for _ in $(seq 100); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            return $?
        fi
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null
    return 124
}

press() {
    xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key "$@"
}

shot() { xwd -silent -id "$wid" -out "$1"; }

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

start_server DISPLAY "1920x1200" "1920x1080" || exit 1
export DISPLAY
expect_eq "server starts in 1920x1200" "$(current_mode)" "1920x1200"

"$probe" watch-modes >"$work/modes.txt" &
watcher=$!
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
    read -r _ background _ left _ right _ differing _ shift < <("$probe" scene "$work/a.xwd")
    [ "${left:-0}" -gt 5000 ] && break
    sleep 0.5
done
[ "${left:-0}" -gt 5000 ] && [ "${right:-0}" -gt 5000 ] && pass "scene in both halves" ||
    fail "scene in both halves" "left ${left:-?} right ${right:-?} pixels"
# Same scene, seen from 0.075 scene units apart: about as many pixels, moved a few pixels.
[ "${differing:-0}" -gt 0 ] && [ "${shift:-99}" -le 12 ] &&
    [ $((left - right)) -lt $((left / 20)) ] && [ $((right - left)) -lt $((left / 20)) ] &&
    pass "halves differ only by the small parallax" ||
    fail "halves differ only by the small parallax" "${differing:-?} pixels differ, centre moves ${shift:-?} px"
sleep 0.35
shot "$work/b.xwd"
[ "$("$probe" diff "$work/a.xwd" "$work/b.xwd")" -gt 0 ] && pass "the wave moves" || fail "the wave moves"

press space
sleep 0.4
shot "$work/c.xwd"
sleep 0.5
shot "$work/d.xwd"
expect_eq "paused frames are identical" "$("$probe" diff "$work/c.xwd" "$work/d.xwd")" "0"
press l
sleep 0.4
shot "$work/e.xwd"
[ "$("$probe" diff "$work/d.xwd" "$work/e.xwd")" -gt 0 ] && pass "'l' changes the picture" || fail "'l' changes the picture"
press bar
sleep 0.4
shot "$work/f.xwd"
[ "$("$probe" diff "$work/e.xwd" "$work/f.xwd")" -gt 0 ] && pass "'|' shows the tangential fields" || fail "'|' shows the tangential fields"

guardian=$(pgrep -P "$pid")
[ -n "$guardian" ] && pass "a guardian process watches over the mode" ||
    fail "a guardian process watches over the mode"
press Escape
wait_exit "$pid"
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

# --- a display without a 16:9 mode of its width ----------------------------------------------

start_server DISPLAY "1680x1050" || exit 1
expect_eq "second server starts in 1680x1050" "$(current_mode)" "1680x1050"
coproc FAILING { "$program" 2>"$work/failure.err"; echo "status $?"; }
sleep 2
if kill -0 "$FAILING_PID" 2>/dev/null; then pass "waits for a line"; else fail "waits for a line"; fi
[ -z "$(xdotool search --name '^3D TV$' 2>/dev/null)" ] && pass "no window on failure" || fail "no window on failure"
echo >&"${FAILING[1]}"
output=$(timeout 10 cat <&"${FAILING[0]}")
expected=$(cat "$here/expected_failure.txt")
expect_eq "failure message and status 0" "$output" "${expected}status 0"
expect_eq "failure leaves the mode untouched" "$(current_mode)" "1680x1050"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
