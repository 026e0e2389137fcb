# The end-to-end scripts' checks and waits. Source this file; it counts in passed and failed.
passed=0
failed=0

pass() { passed=$((passed + 1)); echo "ok   $1"; }
fail() { failed=$((failed + 1)); echo "FAIL $1${2:+: $2}"; }
verdict() {  # STATUS NAME [DETAIL]: passed when the status (of the checks just run) is 0
    if [ "$1" = 0 ]; then pass "$2"; else fail "$2" "$3"; fi
}
expect_eq() {  # NAME ACTUAL EXPECTED
    if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "got '$2', expected '$3'"; fi
}

# wait_exit PID [SECONDS]: the exit status, 124 (and the process killed) after SECONDS (10).
wait_exit() {
    for _ in $(seq $((${2:-10} * 10))); do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            return $?
        fi
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null
    return 124
}

# run_plain NAME ARGS...: runs $program to its end without input, its output in $work/NAME.out
# and .err; sets status.
run_plain() {
    local name=$1
    shift
    "$program" "$@" >"$work/$name.out" 2>"$work/$name.err" </dev/null
    status=$?
}

# no_part_files DIR: nothing half-written left there.
no_part_files() { [ -z "$(find "$1" -name '*.part' 2>/dev/null)" ]; }

# The summary line, and the status of the script.
report() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
