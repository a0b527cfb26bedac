#!/usr/bin/env bash
# Checks the .desktop file and manual pages, the file list of an install, and a per-user
# install into a scratch HOME: its programs run, then uninstalled. Usage: install_test.sh BUILD VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/xvfb.sh"
build=$1 version=$2 programs=(kestrelview kestrelview-render kestrelview-dxf)
work=$(mktemp -d) viewer_pid= && home=$work/home bin=$work/home/.local/bin
trap '[ -n "$viewer_pid" ] && kill "$viewer_pid"; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
desktop-file-validate "$root/app/kestrelview.desktop" || fail "kestrelview.desktop does not validate"
for page in "$root"/docs/man/*.1 "$root"/docs/man/ja/*.1; do
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) && [ -z "$warnings" ] || fail "$page: $warnings"
done
cmake --install "$build" --prefix "$work/prefix" >/dev/null
expected=(bin/kestrelview{,-render,-dxf} share/applications/kestrelview.desktop
  share/icons/hicolor/{48x48/apps/kestrelview.png,256x256/apps/kestrelview.png,scalable/apps/kestrelview.svg}
  share/man/{,ja/}man1/kestrelview{,-render,-dxf}.1
  share/doc/kestrelview/{user-guide.md,examples/house/{temp,material,material2}.txt,examples/dxf-plan/{plan.dxf,make_plan.py}}
  share/doc/kestrelview/images/{window,dxf-plan,dxf-flat-{corner,none,plan},guide-{base-heights,base-heights-flat,check,check-plan,colours,cut,heights,panel,plan-view,slabs,turntable,view-above,viewer,web-page}}.png
  share/doc/kestrelview/guide/{base-heights,check,colours,heights,material,material2,slabs,view-above}.txt)
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$work/prefix" && find . ! -type d | sed 's|^\./||' | sort) ||
  fail "the install into a prefix differs from the expected files (< expected, > installed)"
mkdir "$home"
HOME=$home KV_INSTALL_BUILD=$build bash "$root/scripts/install.sh" >"$work/install.log" || fail "$(cat "$work/install.log")"
for program in "${programs[@]}"; do
  [ "$("$bin/$program" --version)" = "$program $version" ] || fail "$program --version does not print $version"
  # Every option the help lists (the window has only --version) is in both manual pages.
  options=--version
  [ "$program" = kestrelview ] || options=$("$bin/$program" --help | grep -o -- '--[a-z-]*' | sort -u)
  for option in $options; do
    for page in "$home"/.local/share/man/{,ja/}man1/$program.1; do
      grep -qF -- "${option//-/\\-}" "$page" || fail "$page does not mention $option"
    done
  done
done
# The examples as the manual pages and the guide name them: installed.
examples=$home/.local/share/doc/kestrelview/examples
cp -r "$examples/house" "$work/house"
(cd "$work/house" && "$bin/kestrelview-render" --output x.png >/dev/null) || fail "kestrelview-render failed"
[ "$(identify -format %m%wx%h "$work/house/x.png")" = PNG400x300 ] || fail "no 400 by 300 PNG from kestrelview-render"
# The bridge finds the companion installed beside it.
"$bin/kestrelview-dxf" "$examples/dxf-plan/plan.dxf" --out "$work/plan" --output "$work/plan.png" >/dev/null &&
  [ "$(identify -format %m%wx%h "$work/plan.png")" = PNG400x300 ] || fail "no 400 by 300 PNG from kestrelview-dxf"
start_xvfb "$work" || fail "no X server"
# Qt's file dialog keeps its settings in the user's config folder: not the install's.
(cd "$work/house" && exec env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$work/config" "$bin/kestrelview") \
  >"$work/viewer.log" 2>&1 &
viewer_pid=$!
window=$(kestrelview_window) || fail "no window titled Kestrelview appeared: $(cat "$work/viewer.log")"
close_kestrelview "$window" "$viewer_pid" || fail "the window did not close on its close button"
viewer_pid=
[ -f "$bin/DOZ_TEMP.TXT" ] && [ ! -s "$bin/DOZ_TEMP.TXT" ] || fail "no empty DOZ_TEMP.TXT in $bin"
HOME=$home bash "$root/scripts/install.sh" --uninstall >/dev/null
[ -z "$(find "$home" ! -type d)" ] || fail "left after --uninstall: $(find "$home" ! -type d)"
