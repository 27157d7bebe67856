#!/usr/bin/env bash
# Tries the release package out on the bundled sample drawing: builds the
# Windows program (MinGW-w64 cross build), the release zip and the substitute
# host (native), unpacks the zip, and lets the substitute host obey the zip's
# batch file: it hands the program the sample's texts as the host CAD program
# would, with the flip type "上下左右反転" (both) and OK pressed, puts the
# answer in their place, checks that every text kept its place and every other
# entity stayed, and leaves a before/after picture of the whole drawing.
# Without a display the program runs on a private Xvfb server. Safe to run
# again; the Wine prefix is kept for speed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

bash scripts/install-deps.sh

echo "=== building the substitute host (build/native)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$jobs" --target jwhost

echo "=== building the Windows program (build/mingw)"
cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/mingw -j "$jobs" --target JwwTextFlip

echo "=== building the release package"
zip_path=$(bash packaging/make-package.sh build/mingw/app/JwwTextFlip.exe)
echo "$zip_path"
out=out/sample
rm -rf "$out/package"
mkdir -p "$out/package"
LC_ALL=C.UTF-8 unzip -q "$zip_path" -d "$out/package"

echo "=== running the package on samples/sample.txt"
status=0
build/native/tools/jwhost --exe "$out/package/JwwTextFlip.exe" --drawing samples/sample.txt \
  --flip 2 --press "${JWHOST_PRESS:-ok}" --workdir "$out/work" \
  --svg "$out/before-after.svg" --png "$out/before-after.png" || status=$?

echo
if [ -f "$out/before-after.png" ]; then
  echo "before/after picture: $root/$out/before-after.png"
fi
if [ -f "$out/before-after.svg" ]; then
  echo "before/after picture (SVG): $root/$out/before-after.svg"
fi
echo "the tool's answer: $root/$out/work/JWC_TEMP.TXT (Shift-JIS)"
exit "$status"
