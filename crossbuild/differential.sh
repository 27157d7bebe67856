#!/usr/bin/env bash
# The cross-build differential: the confirmed run (bench/PipelineConsole.cpp)
# built natively and built with MinGW-w64 (run under Wine) reads, flips with
# each flip type and writes the same generated drawings; every output must be
# the same bytes. The
# drawings (generate_drawings.py) hold texts in every direction at
# coordinates zero, near zero and large, and numbers that take every route
# of the number reading and the real form.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
native=$root/build/native/bench/jwwpipeline
windows=$root/build/mingw/bench/jwwpipeline.exe
work=$root/build/crossbuild
drawings=60

if [ ! -x "$native" ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/native -j 2 --target jwwpipeline >/dev/null
fi
if [ ! -f "$windows" ]; then
  cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/mingw -j 2 --target jwwpipeline >/dev/null
fi

rm -rf "$work/drawings" "$work/native" "$work/windows"
mkdir -p "$work/drawings" "$work/native" "$work/windows"
python3 crossbuild/generate_drawings.py "$work/drawings" "$drawings"

# One job list per build, with paths relative to $work (which both builds
# see the same way); each output starts as a copy of its drawing and is
# flipped in place, as the tool flips JWC_TEMP.TXT.
: >"$work/native.jobs"
: >"$work/windows.jobs"
for input in "$work"/drawings/*.txt; do
  name=$(basename "$input" .txt)
  for flip in 0 1 2; do
    for build in native windows; do
      cp "$input" "$work/$build/$name-flip$flip.txt"
      echo "$flip $build/$name-flip$flip.txt" >>"$work/$build.jobs"
    done
  done
done

(cd "$work" && "$native" --jobs native.jobs)
# A Wine prefix of our own, kept between runs; one Wine start for all jobs.
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
(cd "$work" && wine "$windows" --jobs windows.jobs)

same=0
different=0
for output in "$work"/native/*.txt; do
  name=$(basename "$output")
  head -c 2 "$output" | grep -q '^hd' || { echo "crossbuild: $name was not confirmed" >&2; exit 1; }
  if cmp -s "$output" "$work/windows/$name"; then
    same=$((same + 1))
  else
    different=$((different + 1))
    if [ "$different" -le 5 ]; then
      echo "crossbuild: $name differs between the native and the Windows build:"
      diff <(tr -d '\r' <"$output") <(tr -d '\r' <"$work/windows/$name") | head -6 | sed 's/^/  /'
    fi
  fi
done
echo "crossbuild: $drawings drawings x 3 flip types: $same outputs identical, $different different"
[ "$different" -eq 0 ] && [ "$same" -eq $((drawings * 3)) ]
