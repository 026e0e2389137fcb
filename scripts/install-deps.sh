#!/usr/bin/env bash
# Installs the Debian packages that planewave3d needs and that are missing.
#   install-deps.sh            to build and run the program
#   install-deps.sh --tests    also to run every test (a dummy X server, xdotool, xwd, weston,
#                              the Windows cross compiler with Wine, emscripten, Chromium,
#                              node and npm, OpenGL ES and EGL for the page's backend,
#                              ImageMagick's Magick++ to read the pictures)
#   install-deps.sh --bench    also to build the benchmarks
#   install-deps.sh --docs     also to make the pictures of docs/
set -euo pipefail

packages=(cmake g++ make libgl1-mesa-dev libglu1-mesa-dev libglut-dev libx11-dev libxrandr-dev
          libtomlplusplus-dev libyaml-cpp-dev gettext libpng-dev libgif-dev libfreetype-dev fonts-dejavu-core
          libgl1-mesa-dri)
for option in "$@"; do
    case "$option" in
        --tests) packages+=(libgtest-dev xserver-xorg-core xserver-xorg-video-dummy xdotool
                            x11-apps x11-xserver-utils valgrind dpkg-dev file
                            desktop-file-utils appstream man-db weston xwayland
                            g++-mingw-w64-x86-64 wine wine64 emscripten chromium
                            libglut-dev libgles-dev libegl-dev libegl-mesa0 tesseract-ocr
                            libmagick++-dev) ;;
        --bench) packages+=(libbenchmark-dev xserver-xorg-core xserver-xorg-video-dummy
                            x11-xserver-utils xdotool) ;;
        --docs) packages+=(xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils) ;;
        *) echo "unknown option $option" >&2; exit 2 ;;
    esac
done

missing=()
# node and npm for the page's tests: Debian's, unless a node with its npm is there already.
if [[ " $* " == *" --tests "* ]]; then
    command -v node >/dev/null || missing+=(nodejs)
    command -v npm >/dev/null || missing+=(npm)
fi
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
