#!/usr/bin/env bash
# Checks that every project include names "folder/file.h" and that each
# folder includes only from itself and the folders it may depend on. The
# allowed arrows are read from the architecture table in README.md (the
# "Includes from" column), so they are written down once.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed
while IFS='|' read -r _ folder _ includes _; do
  folder=$(echo "$folder" | tr -d ' `/')
  [ -n "$folder" ] || continue
  allowed[$folder]=$(echo "$includes" | tr -d '`/' | tr ',' ' ')
done < <(sed -n '/^## Architecture/,/^## /p' README.md | grep -E '^\| `[a-z]+/`')

if [ ${#allowed[@]} -eq 0 ]; then
  echo "check-includes: no architecture table found in README.md" >&2
  exit 1
fi

status=0
while IFS= read -r file; do
  folder=${file%%/*}
  if [ -z "${allowed[$folder]+set}" ]; then
    echo "$file: folder $folder/ is not in the README's architecture table"
    status=1
    continue
  fi
  while IFS=: read -r line include; do
    target=${include%%/*}
    if [ "$target" = "$include" ]; then
      echo "$file:$line: include \"$include\" does not name its folder"
      status=1
    elif [ "$target" != "$folder" ] && [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "$file:$line: $folder/ may not include from $target/ (\"$include\")"
      status=1
    fi
  done < <(grep -noE '^#include "[^"]+"' "$file" | sed -E 's/^([0-9]+):#include "(.*)"$/\1:\2/')
done < <(git ls-files -co --exclude-standard '*.cpp' '*.h')
[ $status -eq 0 ] && echo "check-includes: every include follows the architecture"
exit $status
