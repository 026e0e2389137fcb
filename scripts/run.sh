#!/usr/bin/env bash
# Installs what is missing, builds planewave3d into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target planewave3d -j "$(nproc)"
exec build/planewave3d "$@"
