#!/usr/bin/env bash
# The program on a Wayland desktop, through Xwayland: Debian's weston with its headless backend
# and its Xwayland module, offering one 1920x1200 output.
#
#   run_wayland.sh PLANEWAVE3D X11_PROBE
#
# Xwayland carries out RandR mode changes only as an emulation for the fullscreen windows of
# the client that asked: the mode reported to everybody else stays, and the screen resize that
# a real switch needs is refused. So the default start must take its failure path cleanly, and
# --window must work.
set -u
program=$1
probe=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
compositor=""
cleanup() {
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

source "$here/checks.sh"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --width=1920 --height=1200 --xwayland \
    --socket="planewave3d-test-$$" --idle-time=0 --log="$work/weston.log" >/dev/null 2>&1 &
compositor=$!
DISPLAY=""
for _ in $(seq 100); do
    DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null)
    [ -n "$DISPLAY" ] && xrandr --current >/dev/null 2>&1 && break
    sleep 0.1
done
if [ -z "$DISPLAY" ]; then
    echo "weston with Xwayland did not start"
    tail -20 "$work/weston.log"
    exit 1
fi
export DISPLAY
current_mode() { xrandr --current | awk '/\*/ { print $1; exit }'; }
expect_eq "Xwayland offers 1920x1200" "$(current_mode)" "1920x1200"

# The default start: Xwayland refuses the switch, and the failure path is clean.
coproc FAILING { "$program" 2>"$work/failure.err"; echo "status $?"; }
exec {failing_out}<&"${FAILING[0]}"  # kept open should the coprocess end first
sleep 2
kill -0 "$FAILING_PID" 2>/dev/null && pass "waits for a line" || fail "waits for a line"
[ -z "$(xdotool search --name '^3D TV' 2>/dev/null)" ] && pass "no window" || fail "no window"
echo >&"${FAILING[1]}"
output=$(timeout 10 cat <&"$failing_out")
expect_eq "the failure message and status 0" "$output" "$(cat "$here/expected_failure.txt")status 0"
expect_eq "the mode untouched" "$(current_mode)" "1920x1200"

# --window works.
"$program" --window >"$work/window.out" 2>"$work/window.err" </dev/null &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^3D TV$' 2>/dev/null | head -n 1)
[ -n "$wid" ] && pass "--window: the window opens" || fail "--window: the window opens"
scene=0
for _ in $(seq 20); do
    sleep 0.5
    xwd -silent -id "$wid" -out "$work/window.xwd" 2>/dev/null || continue
    read -r _ _ _ left _ right _ < <("$probe" scene "$work/window.xwd")
    scene=$((${left:-0} + ${right:-0}))
    [ "$scene" -gt 5000 ] && break
done
[ "$scene" -gt 5000 ] && pass "--window: the scene is drawn" ||
    fail "--window: the scene is drawn" "$scene scene pixels"
# Xwayland does not pass XTEST's keys on to its windows: the key goes to the window directly.
xdotool key --window "$wid" Escape 2>/dev/null
wait_exit "$pid"
expect_eq "--window: ESC ends with status 0" "$?" "0"
expect_eq "--window: the mode untouched" "$(current_mode)" "1920x1200"

report
