#!/usr/bin/env bash
# Installs the Debian packages Kestrelview needs, but only those that are
# missing. Run as root (or with sudo available).
#
#   scripts/install-deps.sh          what the programs need to build and run
#   scripts/install-deps.sh --tests  that and the tools the tests use
set -euo pipefail

# To build the programs and run them: Qt with its translations of the
# dialogs' buttons, OSMesa, GLU's tessellator, a font with Japanese glyphs,
# the JSON, glTF and DXF libraries; xdotool lets scripts/run.sh ask whether
# a display answers.
packages=(
  cmake g++ make pkgconf
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libxcb1-dev
  libosmesa6-dev libglu1-mesa-dev
  fonts-ipafont-gothic
  nlohmann-json3-dev libtinygltf-dev libdxflib-dev
  xdotool
)

if [ "${1:-}" = --tests ]; then
  # Every tool the test command uses, in this one list: the checks of the
  # tree, the test and benchmark libraries, clang for the fuzzers, the window
  # under Xvfb, the install's checks, the real readers of the exports and the
  # real DXF drawings with their second reader.
  packages+=(
    git clang-format clang-tidy
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb x11-apps imagemagick
    desktop-file-utils man-db groff-base
    assimp-utils
    python3-ezdxf librecad-data
    chromium
  )
  # chromium opens the exported web pages, driven by Playwright; node and npm
  # run it and the glTF Validator. Debian's only where none works
  # already: a node installed from elsewhere may refuse Debian's npm.
  command -v node >/dev/null 2>&1 || packages+=(nodejs)
  npm --version >/dev/null 2>&1 || packages+=(npm)
elif [ $# -gt 0 ]; then
  echo "usage: scripts/install-deps.sh [--tests]" >&2
  exit 2
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
