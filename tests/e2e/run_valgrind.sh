#!/usr/bin/env bash
# A short real session under valgrind's memcheck on an Xorg dummy server: start-up, a few
# seconds of frames, a key, ESC. Passes when no block is definitely lost that the program's own
# code allocated (the OpenGL and X libraries keep a few of their own until the end).
#   run_valgrind.sh PLANEWAVE3D
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xorg_dummy.sh"
dummy_display "1920x1200" "1920x1080"

valgrind --leak-check=full --show-leak-kinds=definite --num-callers=40 --child-silent-after-fork=yes \
    --log-file="$work/memcheck.log" "$program" >/dev/null 2>&1 </dev/null &
pid=$!
wid=$(timeout 300 xdotool search --sync --onlyvisible --name '^3D TV$' | head -n 1)
sleep 20  # some frames under valgrind
xdotool windowfocus --sync "$wid"
xdotool key l
sleep 5
xdotool key Escape
for _ in $(seq 1200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid"
status=$?

# For each definitely lost block, the first frame after the allocator is its owner.
name=$(basename "$program")
owners=$(awk -v name="$name" '
    /definitely lost in loss record/ { record = 1; next }
    record && /(malloc|calloc|realloc|operator new)/ { next }
    record && /by 0x|at 0x/ { print; record = 0 }
' "$work/memcheck.log" | grep -c "$name" || true)
grep -E "definitely lost:|ERROR SUMMARY" "$work/memcheck.log"
if [ "$status" -eq 0 ] && [ "$owners" -eq 0 ]; then
    echo "1 passed, 0 failed"
else
    echo "exit status $status, $owners definite leak(s) allocated by $name"
    grep -A12 "definitely lost in loss record" "$work/memcheck.log" | head -60
    echo "0 passed, 1 failed"
    exit 1
fi
