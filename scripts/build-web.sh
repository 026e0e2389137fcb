#!/usr/bin/env bash
# Builds planewave3d for the browser: build-web/planewave3d.html, one self-contained file (its
# script and WebAssembly inlined) that works opened from file:// and from any static host and
# requests nothing but itself. Installs Debian's emscripten when it is missing; uses its prebuilt
# system libraries only.
#   scripts/build-web.sh              the page
#   scripts/build-web.sh --tests      also the physics tests, for node (build-web/physics_test.js)
set -euo pipefail
cd "$(dirname "$0")/.."
missing=()
command -v em++ >/dev/null || missing+=(emscripten)
command -v g++ >/dev/null || missing+=(g++)
dpkg-query -W -f='${Status}' libglut-dev 2>/dev/null | grep -q "install ok installed" || missing+=(libglut-dev)
dpkg-query -W -f='${Status}' libtomlplusplus-dev 2>/dev/null | grep -q "install ok installed" || missing+=(libtomlplusplus-dev)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
export NODE_PATH=/usr/share/nodejs  # for emscripten's own tools

out=build-web
mkdir -p "$out/include/web"
# toml++'s headers alone, not the rest of the build machine's include folder.
[ -e "$out/include/toml++" ] || ln -s /usr/include/toml++ "$out/include/toml++"
# The axis letters' strokes from the installed toolkit: the page has no toolkit to ask.
g++ -O1 -o "$out/stroke_letters" web/tools/stroke_letters.cpp -lglut
"$out/stroke_letters" >"$out/include/web/stroke_letters.h"

# giflib writes the page's recordings, built as the Windows build builds it: from Debian's
# source package, its library alone (cmake/giflib/CMakeLists.txt names the same files).
giflib="$out/giflib"
[ -f "$giflib/gif_lib.h" ] || bash scripts/fetch-debian-source.sh giflib "$giflib"
giflib_objects=()
for part in egif_lib gifalloc gif_err gif_hash openbsd-reallocarray quantize; do
    [ "$giflib/$part.o" -nt "$giflib/$part.c" ] || emcc -O2 -c "$giflib/$part.c" -o "$giflib/$part.o"
    giflib_objects+=("$giflib/$part.o")
done

version=$(sed -n 's/^project(planewave3d VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
flags=(-std=c++17 -O2 -fexceptions -Wall -Wextra -I. -I"$out/include" -I"$giflib" -DTOML_HEADER_ONLY=1
       "-DPLANEWAVE_VERSION=\"$version\"")
# The core without the reader of refractive index files: the page reads no files; its
# catalogues of translations built in, as a table made from po/*.po.
core_sources=()
for f in core/*.cpp; do [ "$f" = core/material_file.cpp ] || core_sources+=("$f"); done
scene_sources=()
for f in scene/*.cpp; do [ "$f" = scene/translate_gettext.cpp ] || scene_sources+=("$f"); done
python3 scripts/po_table.py "$out/include/translations.inc" po/*.po
sources=(physics/*.cpp "${scene_sources[@]}" "${core_sources[@]}" platform/atomic_file.cpp
         platform/gif_file.cpp web/meshes.cpp web/shell.cpp web/webgl_backend.cpp
         web/material_file_none.cpp)
em++ "${flags[@]}" "${sources[@]}" "${giflib_objects[@]}" -o "$out/planewave3d.js" --no-entry \
    -sENVIRONMENT=web -sMODULARIZE=1 -sEXPORT_NAME=Planewave -sSINGLE_FILE=1 \
    -sALLOW_MEMORY_GROWTH=1 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 \
    -sEXPORTED_RUNTIME_METHODS=ccall,HEAPU8

# Emscripten's own page breaks at -O1 and above: the script goes into the page's template.
python3 - "$out/planewave3d.js" web/page.html "$out/planewave3d.html" <<'PY'
import sys
script, template, target = sys.argv[1:]
js = open(script, encoding="utf-8").read().replace("</script", "<\\/script")
page = open(template, encoding="utf-8").read()
marker = "<!-- PLANEWAVE_SCRIPT -->"
assert marker in page
open(target, "w", encoding="utf-8").write(page.replace(marker, "<script>\n" + js + "\n</script>"))
PY
size=$(stat -c %s "$out/planewave3d.html")
echo "$out/planewave3d.html: $size bytes"
[ "$size" -le $((3 * 1024 * 1024)) ] || { echo "the page is over 3 MiB" >&2; exit 1; }

if [ "${1:-}" = "--tests" ]; then
    # The physics tests under node, with googletest built from Debian's sources.
    gtest=/usr/src/googletest/googletest
    em++ -std=c++17 -O1 -I. -I"$gtest/include" -I"$gtest" tests/physics_test.cpp \
        physics/*.cpp "$gtest/src/gtest-all.cc" "$gtest/src/gtest_main.cc" \
        -o "$out/physics_test.js" -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1
fi
