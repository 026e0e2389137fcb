#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit and drawing tests,
# the end-to-end tests on real X servers, and the unit and drawing tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPLANEWAVE_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DPLANEWAVE_WERROR=ON \
      -DPLANEWAVE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -LE e2e)
