#!/usr/bin/env bash
# Configures and builds one build tree.
# Usage: scripts/build.sh <build-dir> [cmake arguments...] [-- <targets...>]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
args=(); targets=()
while (($#)); do
  if [ "$1" = "--" ]; then shift; targets=("$@"); break; fi
  args+=("$1"); shift
done
cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
if ((${#targets[@]})); then
  cmake --build "$dir" --target "${targets[@]}"
else
  cmake --build "$dir"
fi
