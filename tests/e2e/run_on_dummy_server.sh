#!/usr/bin/env bash
# Runs a command on a fresh Xorg dummy server (1920x1200) and passes on its exit status.
#   run_on_dummy_server.sh COMMAND [ARGUMENT...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
servers=()
trap 'kill "${servers[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
source "$here/xorg_dummy.sh"
start_server DISPLAY "1920x1200" || exit 1
export DISPLAY
"$@"
