#!/usr/bin/env bash
# Installs the Debian packages that are missing.
#   install-deps.sh          what building and running the program needs
#   install-deps.sh --tests  that, and what building and running the tests, fuzz
#                            targets and benchmarks needs
# Idempotent: packages already installed are left alone and apt is not run at all
# when nothing is missing.
set -euo pipefail

# Compiler and build tools, Qt 6 (with its SVG module for the vector export), SQLite,
# libpq (the item table on a PostgreSQL server), libjpeg-turbo, libcups (CUPS queues as
# printer ports), and the fonts the barcode text uses.
program=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev
  libsqlite3-dev
  libpq-dev
  libjpeg62-turbo-dev
  libcups2-dev
  fonts-liberation2 fontconfig
)
# GoogleTest and Benchmark; clang's sanitizer runtime; zxing-cpp and zbar to decode symbols;
# djpeg as the JPEG reference; sqlite3 to read tables as another program; Xvfb,
# xclip, xdotool and openbox for the tests on a real X server; libxcb's headers for the
# start-up benchmark, which watches the server's map events; Inkscape as an independent
# metafile reader and writer; valgrind for instruction counts; a CUPS scheduler and
# its tools for the tests' private raw queues (no system service is started); its
# PDF-to-PostScript filters and Ghostscript to render the label pages printed on the
# tests' private PostScript queues; poppler's pdftoppm to render exported PDF files;
# LibreOffice Calc (headless) to open an item export as a spreadsheet and write it back;
# the PostgreSQL server, run by the tests as a private server of their own in a
# temporary folder (the machine's cluster is never touched).
tests=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libzxing-dev zbar-tools
  libjpeg-turbo-progs
  sqlite3
  xvfb xauth xclip x11-utils xdotool openbox libxcb1-dev
  inkscape
  valgrind
  cups cups-client cups-daemon
  cups-filters ghostscript
  poppler-utils
  libreoffice-calc-nogui
  postgresql
)

packages=("${program[@]}")
if [ "${1:-}" = "--tests" ]; then packages+=("${tests[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
