#!/usr/bin/env bash
# Installs what building and running the program needs, builds the program and its
# table tool (no tests, no benchmarks) and starts it. The build also puts empty tables
# beside the program (never overwriting existing ones), so the first start works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DBARCODEPRINT_TESTS=OFF -DBARCODEPRINT_BENCH=OFF -- BarcodePrint mktables
exec build/bin/BarcodePrint
