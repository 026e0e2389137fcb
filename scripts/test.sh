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

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLANEWAVE_WERROR=ON \
      -DPLANEWAVE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
# The randomised input test draws a frame after every event: a tenth of its events here.
(cd build-sanitize && PLANEWAVE_FUZZ_EVENTS=10000 ctest --output-on-failure -LE e2e)
