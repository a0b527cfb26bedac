#!/usr/bin/env bash
# Writes a grid of N x N rooms of 1000 units, walls from 0 to 3 m on every
# grid line, with the example house's material table, into FOLDER: 8N(N+1)
# triangles of walls and 4N^2 of slabs.
# Usage: grid_drawing.sh N SOURCE_DIR FOLDER
set -euo pipefail
mkdir -p "$3"
cp "$2/examples/house/material.txt" "$3/"
awk -v n="$1" 'BEGIN {
  for (j = 0; j <= n; j++) for (i = 0; i < n; i++) printf " %d %d %d %d\n", i * 1000, j * 1000, (i + 1) * 1000, j * 1000
  for (i = 0; i <= n; i++) for (j = 0; j < n; j++) printf " %d %d %d %d\n", i * 1000, j * 1000, i * 1000, (j + 1) * 1000
  for (j = 0; j <= n; j++) for (i = 0; i <= n; i++) printf "ch %d %d \"3,0\n", i * 1000, j * 1000
}' >"$3/temp.txt"
