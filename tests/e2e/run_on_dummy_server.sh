#!/usr/bin/env bash
# Runs a command on a fresh Xorg dummy server (1920x1200) and passes on its exit status.
#   run_on_dummy_server.sh COMMAND [ARGUMENT...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xorg_dummy.sh"
dummy_display "1920x1200"
"$@"
