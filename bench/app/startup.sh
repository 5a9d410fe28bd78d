#!/usr/bin/env bash
# Start-up time of the program: from process start to its main window being mapped on
# an X server, watched from outside (xev on the root window), with an item table of
# 100,000 rows beside the program. Prints each run and the median in milliseconds.
#
#   bench/app/startup.sh [build/bin/BarcodePrint] [runs]
#
# Needs Xvfb, xev (x11-utils) and sqlite3; starts an Xvfb server of its own.
set -euo pipefail

program=$(realpath "${1:-build/bin/BarcodePrint}")
runs=${2:-15}
rows=100000
tools=$(dirname "$program")

work=$(mktemp -d)
cleanup() {
  [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The program keeps its tables beside itself: a copy of it in a folder of its own.
cp "$program" "$work/BarcodePrint"
"$tools/mktables" "$work" >/dev/null
sqlite3 "$work/Barmas.DAT" "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < $rows - 1)
  INSERT INTO Barmas (FBarcode, FName, FSP, FBarQty)
  SELECT CAST(5000000000000 + 7919 * i AS TEXT), 'Item number ' || i, 0.25 * (i % 400), 1 FROM n;"

exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -u "$displayfd" display
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

times=()
for ((run = 1; run <= runs; run++)); do
  events="$work/events.$run"
  : >"$events"
  stdbuf -oL xev -root -event substructure >"$events" 2>/dev/null &
  watcher=$!
  sleep 0.3  # the watcher selects its events before the program starts
  start=$(now_ms)
  "$work/BarcodePrint" 2>>"$work/program.log" &
  app=$!
  mapped=""
  for ((wait = 0; wait < 5000; wait++)); do
    if grep -q '^MapNotify' "$events"; then mapped=$(now_ms); break; fi
    sleep 0.001
  done
  kill "$app" "$watcher" 2>/dev/null || true
  wait "$app" "$watcher" 2>/dev/null || true
  [[ -n "$mapped" ]] || { echo "run $run: the window was never mapped" >&2; exit 1; }
  times+=($((mapped - start)))
  echo "run $run: $((mapped - start)) ms"
done

median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
echo "median of $runs runs: $median ms (item table of $rows rows)"
