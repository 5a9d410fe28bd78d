#!/usr/bin/env bash
# Installs what is missing for the tests, builds the program with its tests twice
# (a plain Release build, as a user's, and one with AddressSanitizer and UBSan),
# warnings as errors, and runs every test of both builds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh --tests
strict=(-DBARCODEPRINT_WERROR=ON -DBARCODEPRINT_TESTS=ON)
bash scripts/build.sh build "${strict[@]}" -DCMAKE_BUILD_TYPE=Release -DBARCODEPRINT_BENCH=ON
bash scripts/build.sh build-asan "${strict[@]}" -DBARCODEPRINT_SANITIZE=ON -DBARCODEPRINT_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
(cd build-asan && ctest --output-on-failure -j2 --timeout 900) || status=1
(cd build && ctest --output-on-failure -j2 --timeout 900) || status=1
# The log's tail is often all that is kept of a run: name the failures of both builds there.
for dir in build-asan build; do
  failed="$dir/Testing/Temporary/LastTestsFailed.log"
  if [ -s "$failed" ]; then
    echo "Failed in $dir:"
    sed 's/^/  /' "$failed"
    echo "Run again in $dir, to tell a steady failure from a passing one:"
    (cd "$dir" && ctest --rerun-failed --output-on-failure --timeout 900) || true
  fi
done
exit $status
