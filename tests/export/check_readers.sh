#!/usr/bin/env bash
# Exports drawings with kestrelview-render and has real readers check them:
# the Khronos glTF Validator must find no error and no warning in the .glb
# and .gltf of the example house, of every guide drawing and of a 100 x 100
# grid of rooms; assimp must read the house's .glb, .gltf and .obj with as
# many faces as the export wrote triangles. Installs node, npm and assimp when
# they are missing rather than skip.
# Usage: check_readers.sh RENDER_TOOL SOURCE_DIR WORK_DIR
set -euo pipefail
shopt -s inherit_errexit
tool=$1
source=$2
work=$(mkdir -p "$3" && cd "$3" && pwd)

bash "$source/tests/export/node_packages.sh" "$source" "$work" assimp
cp "$source/tests/export/validate.js" "$work/"

# export NAME DRAWING_FOLDER: writes NAME.glb, NAME.gltf and NAME.obj into
# $work/out and prints the number of triangles the export reported.
mkdir -p "$work/out"
export_drawing() {
  local name=$1 folder=$2 report
  report=$("$tool" --export "$work/out/$name.glb" --export "$work/out/$name.gltf" \
    --export "$work/out/$name.obj" "$folder")
  echo "$report" | sed -n 's/^exported \([0-9]*\) triangles.*/\1/p'
}

status=0
glb_files=()

triangles=$(export_drawing house "$source/examples/house")
glb_files+=("$work/out/house.glb" "$work/out/house.gltf")
for format in glb gltf obj; do
  faces=$(assimp info "$work/out/house.$format" -r | sed -n 's/^Faces: *\([0-9]*\)/\1/p')
  echo "assimp: house.$format has $faces faces, the export wrote $triangles triangles"
  if [ -z "$triangles" ] || [ "$triangles" -eq 0 ] || [ "$faces" != "$triangles" ]; then
    status=1
  fi
done

guide="$work/guide"
mkdir -p "$guide"
cp "$source/docs/guide/material.txt" "$source/docs/guide/material2.txt" "$guide/"
for drawing in "$source"/docs/guide/*.txt; do
  name=$(basename "$drawing" .txt)
  case "$name" in material | material2) continue ;; esac
  cp "$drawing" "$guide/temp.txt"
  export_drawing "guide-$name" "$guide" >/dev/null
  glb_files+=("$work/out/guide-$name.glb" "$work/out/guide-$name.gltf")
done

grid="$work/grid"
bash "$source/tests/export/grid_drawing.sh" 100 "$source" "$grid"
export_drawing grid "$grid" >/dev/null
glb_files+=("$work/out/grid.glb" "$work/out/grid.gltf")

(cd "$work" && node validate.js "${glb_files[@]}") || status=1
if [ $status -eq 0 ]; then
  echo "check_readers: every file passed the validator and assimp"
fi
exit $status
