#!/usr/bin/env bash
# Tries the release package out on the bundled sample drawing: builds the
# Windows program (MinGW-w64 cross build), the release zip and the substitute
# host (native), unpacks the zip, and lets the substitute host play the host
# CAD program with each of the zip's four batch files: it hands the program
# the sample's texts as the batch file's directives ask, runs the batch file
# through the command processor (cmd /c, under Wine) in the folder that holds
# it, the program and JWC_TEMP.TXT, waits for the batch file, puts the answer
# in place of what it handed over, and checks that every text kept its place,
# every other entity stayed, once. The window's batch file runs once per flip
# type with OK pressed; each one-click batch file must answer exactly as the
# window did with its flip type. The run with "上下左右反転" (both) leaves a
# before/after picture of the whole drawing. Without a display the program
# runs on a private Xvfb server. Safe to run again; the Wine prefix is kept
# for speed.
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
rm -rf "$out/package" "$out"/window-* "$out"/one-click-* "$out"/before-after.*
mkdir -p "$out/package"
LC_ALL=C.UTF-8 unzip -q "$zip_path" -d "$out/package"

status=0
results=()
# host NAME BATCH-FILE ARGS...: the substitute host with the package's program
# and BATCH-FILE, in the folder $out/NAME.
host() {
  local name=$1 bat=$2; shift 2
  echo
  echo "=== $bat ($name)"
  if build/native/tools/jwhost --exe "$out/package/JwwTextFlip.exe" --bat "$out/package/$bat" \
    --drawing samples/sample.txt --workdir "$out/$name" "$@"; then
    results+=("ok      $bat ($name)")
  else
    results+=("FAILED  $bat ($name): exit code $?")
    status=1
  fi
}

one_click=(文字基点_左右反転.bat 文字基点_上下反転.bat 文字基点_上下左右反転.bat)
for flip in 0 1 2; do
  pictures=()
  [ "$flip" -eq 2 ] && pictures=(--svg "$out/before-after.svg" --png "$out/before-after.png")
  host "window-$flip" 文字基点_反転.bat --flip "$flip" --press "${JWHOST_PRESS:-ok}" \
    "${pictures[@]}"
  host "one-click-$flip" "${one_click[$flip]}" --press none
  if cmp -s "$out/window-$flip/JWC_TEMP.TXT" "$out/one-click-$flip/JWC_TEMP.TXT"; then
    results+=("ok      ${one_click[$flip]} answers as the window with flip type $flip")
  else
    results+=("FAILED  ${one_click[$flip]} answers otherwise than the window with flip type $flip")
    status=1
  fi
done

echo
echo "=== summary"
printf '%s\n' "${results[@]}"
if [ -f "$out/before-after.png" ]; then
  echo "before/after picture: $root/$out/before-after.png"
fi
if [ -f "$out/before-after.svg" ]; then
  echo "before/after picture (SVG): $root/$out/before-after.svg"
fi
echo "the tool's answers: $root/$out/*/JWC_TEMP.TXT (Shift-JIS)"
exit "$status"
