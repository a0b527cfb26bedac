#!/usr/bin/env bash
# Installs the Debian packages Kestrelview needs to build, test and run,
# but only those that are missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
  cmake g++ make pkgconf git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libtinygltf-dev
  assimp-utils
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libxcb1-dev
  libosmesa6-dev libglu1-mesa-dev
  fonts-ipafont-gothic
  xvfb xdotool x11-apps imagemagick
  desktop-file-utils man-db groff-base
  clang-format clang-tidy
  libdxflib-dev python3-ezdxf librecad-data
  chromium
)
# chromium opens the exported web pages in the tests, driven by Playwright;
# node and npm run it and the glTF Validator. Debian's node and npm only where
# none works already: a node installed from elsewhere may refuse Debian's npm.
command -v node >/dev/null 2>&1 || packages+=(nodejs)
npm --version >/dev/null 2>&1 || packages+=(npm)

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
