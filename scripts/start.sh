#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. The build also puts
# empty tables beside the program (never overwriting existing ones), so the first start works.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
bash scripts/build.sh build
exec build/bin/BarcodePrint
