#!/usr/bin/env bash
# Installs Kestrelview for the current user under ~/.local, the XDG place for
# a user's own programs: the window writes DOZ_TEMP.TXT into its own folder at
# every close, so that folder must be the user's own (~/.local/bin).
#
#   scripts/install.sh              install what is missing, build in Release
#                                   in build-install/, install into ~/.local
#   scripts/install.sh --uninstall  remove exactly what the install wrote
#
# KV_INSTALL_BUILD=FOLDER installs from an already configured build folder
# instead, as it is (the tests use their own build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
prefix=${HOME:?HOME is not set}/.local
list_folder=$prefix/share/kestrelview
list=$list_folder/installed-files.txt
programs=(kestrelview kestrelview-render kestrelview-dxf)

if [ "${1:-}" = --uninstall ]; then
  if ! [ -f "$list" ]; then
    echo "install.sh: Kestrelview is not installed ($list is missing)" >&2
    exit 1
  fi
  # Only files under the prefix: the list is the user's to edit.
  while IFS= read -r file; do
    case $file in "$prefix"/*) rm -f -- "$file" ;; esac
  done <"$list"
  rm -f -- "$prefix/bin/DOZ_TEMP.TXT" "$list"
  rmdir --ignore-fail-on-non-empty -- "$list_folder"
  # The documentation folder is Kestrelview's own; the shared ones stay.
  [ -d "$prefix/share/doc/kestrelview" ] && find "$prefix/share/doc/kestrelview" -depth -type d -empty -delete
  echo "Kestrelview removed from $prefix."
  exit 0
fi
if [ $# -gt 0 ]; then
  echo "usage: scripts/install.sh [--uninstall]" >&2
  exit 2
fi

bash "$root/scripts/install-deps.sh"
build=${KV_INSTALL_BUILD:-}
if [ -z "$build" ]; then
  build=$root/build-install
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKV_TESTS=OFF
fi
cmake --build "$build" -j"$(nproc)" --target "${programs[@]}"
cmake --install "$build" --prefix "$prefix"

# Files from an earlier install stay on the list, so that uninstall finds
# those a newer version no longer installs.
mkdir -p "$list_folder"
{ [ -f "$list" ] && cat "$list"; cat "$build/install_manifest.txt"; echo; } | grep -v '^$' | sort -u >"$list.new"
mv "$list.new" "$list"

cat <<EOF

Kestrelview is installed in $prefix/bin.
In the CAD host's external-tool setting, enter the command
    $prefix/bin/kestrelview
to be started in the drawing's folder (where the host writes temp.txt).
At every close the window writes an empty DOZ_TEMP.TXT into $prefix/bin.
Remove it all again with: scripts/install.sh --uninstall
EOF
case ":$PATH:" in
  *":$prefix/bin:"*) ;;
  *) echo "
$prefix/bin is not on your PATH. Add it, for example with this line in ~/.profile:
    PATH=\"\$HOME/.local/bin:\$PATH\"
then log in again." ;;
esac
