#!/usr/bin/env bash
# Converts real drawings from Debian's librecad-data with CONVERTER and
# compares each file's count of straight segments with ezdxf's. Every file
# matches; there are no known differences.
set -euo pipefail
convert=$1
library=/usr/share/librecad/library
mapfile -t files < <(find "$library/plan" -name '*.dxf' | sort
    ls "$library"/misc/*.dxf "$library"/templates/*.dxf "$library"/block/*.dxf "$library"/sheets/*.dxf)
[ "${#files[@]}" -ge 50 ] || { echo "librecad-data is not installed"; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
while read -r expected file; do
    if ! summary=$("$convert" --force --out "$out" "$file" 2>&1); then
        echo "FAIL $file: $summary"; failed=1; continue
    fi
    got=$(sed -n 's/^segments: .*(straight \([0-9]*\),.*/\1/p' <<< "$summary")
    [ "$got" = "$expected" ] || { echo "FAIL $file: straight $got, ezdxf $expected"; failed=1; }
done < <(/usr/bin/python3 "$(dirname "$0")/count_straight.py" "${files[@]}")
echo "${#files[@]} drawings converted"
exit $failed
