#!/usr/bin/env bash
# Runs a test program on a real X server: Xvfb on a free display, the
# window tests told to use it instead of the offscreen platform.
# Usage: under_xvfb.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb.sh"
work=$(mktemp -d)
trap '[ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$work"' EXIT
start_xvfb "$work"
KV_TEST_PLATFORM=xcb "$@"
