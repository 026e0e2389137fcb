#!/usr/bin/env bash
# Installs what is missing, builds planewave3d into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target planewave3d -j "$(nproc)"
exec build/planewave3d "$@"
