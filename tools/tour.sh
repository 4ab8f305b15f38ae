#!/usr/bin/env bash
# A screenshot tour: runs the reader under Xvfb on the sample book, drives it
# through its main states and writes one PNG per state into a folder.
#
#   tools/tour.sh [OUTDIR]      (default ./tour; NIVARA_BUILD_DIR, default ./build)
#
# Prints the folder at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(realpath -m "${NIVARA_BUILD_DIR:-$root/build}")"
out="$(realpath -m "${1:-tour}")"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build"
fi
cmake --build "$build" -j"$(nproc)" --target nivara-tour sample_book

mkdir -p "$out"
# The reader opens namaz.mdb from the folder it starts in.
cd "$build/sample"
status=0
QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/nivara-tour" "$out" || status=$?
echo "$out"
exit "$status"
