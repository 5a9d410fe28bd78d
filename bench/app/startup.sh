#!/usr/bin/env bash
# Runs the start-up benchmark on an X server of its own (Xvfb, no window manager: the
# time is the program's, not a window manager's). Build first: build/bin/bench_startup.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  "$build/bin/bench_startup"
