#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit and drawing tests,
# the end-to-end tests on real X servers and on a Wayland compositor, a short session under
# valgrind, the unit and drawing tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the page for a browser in headless Chromium, the Windows build
# under Wine, and the Debian package.
# The package is installed and its program tested end to end in CI (CI=true) or when
# PLANEWAVE_TEST_PACKAGE=1, since that installs it on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
jobs=$(nproc)
# No test may leave a file in the source tree: what is there besides the build folders is
# noted now and held against what is there at the end.
stray() { git ls-files --others --exclude='/build*/' --exclude='/out/' --exclude='node_modules/' 2>/dev/null || true; }
before_tests=$(stray)
appstreamcli validate --no-net packaging/planewave3d.metainfo.xml

cmake --preset release -DPLANEWAVE_WERROR=ON >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release

# The randomised input test draws a frame after every event: the preset runs a tenth of them.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize

# The page for a browser: built with emscripten, its physics tests under node, the page in
# headless Chromium against the desktop's pictures. Before the Windows build, whose zip carries it.
scripts/build-web.sh --tests
npm ci --prefix tests/web --no-audit --no-fund
bash tests/web/run_web.sh build/planewave3d

# The Windows build, cross-compiled with mingw-w64, under Wine on a dummy X server.
if command -v x86_64-w64-mingw32-g++ >/dev/null && command -v wine >/dev/null; then
    cmake --preset windows-cross >/dev/null
    cmake --build --preset windows-cross -j "$jobs"
    echo "Windows build under Wine:"
    bash tests/e2e/run_wine.sh build-windows/planewave3d.exe build/tests/x11_probe
fi

(cd build && cpack -G DEB >/dev/null)
package=$(ls build/planewave3d_*.deb)
echo "Debian package: $package"
if [ "${CI:-}" = "true" ] || [ "${PLANEWAVE_TEST_PACKAGE:-}" = "1" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "./$package"
    desktop-file-validate /usr/share/applications/planewave3d.desktop
    appstreamcli validate --no-net /usr/share/metainfo/org.planewave3d.planewave3d.metainfo.xml
    man -l --warnings=w /usr/share/man/man1/planewave3d.1.gz >/dev/null
    for language in de fr es; do
        man -l --warnings=w "/usr/share/man/$language/man1/planewave3d.1.gz" >/dev/null
    done
    # whatis in German reads the short description of the German page.
    zgrep -q '^planewave3d \\- animierte stereoskopische' /usr/share/man/de/man1/planewave3d.1.gz
    echo "installed program, end to end:"
    bash tests/e2e/run_e2e.sh /usr/bin/planewave3d build/tests/x11_probe
    bash tests/e2e/run_batch.sh /usr/bin/planewave3d build/tests/x11_probe
fi

left=$(comm -13 <(echo "$before_tests") <(stray))
if [ -n "$left" ]; then
    echo "FAIL the tests left files in the source tree: $left"
    exit 1
fi
