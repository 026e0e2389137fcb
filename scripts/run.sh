#!/usr/bin/env bash
# Installs what is missing, builds planewave3d into build/ and starts it in the folder it was
# started from, where the keys s, w and r save and relative paths (--lesson=my.toml) are read.
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)
(
    cd "$project"
    scripts/install-deps.sh
    cmake --preset release >/dev/null
    cmake --build --preset release --target planewave3d -j "$(nproc)"
)
exec "$project/build/planewave3d" "$@"
