#!/usr/bin/env bash
# The Windows program under Wine against the same pipeline built as a console
# program (jwwpipeline.exe) under the same Wine, on one drawing, flip type 2:
# the program's time from pressing Enter in its window (driven with xdotool on
# a private Xvfb display, as the end-to-end tests drive it) to the end of its
# process, and the console program's time as a whole process, start included;
# the native console program too, for scale. All must save the same bytes.
# Prints the medians and the ratio of the first two.
#
#   bash bench/exe-under-wine.sh DRAWING [RUNS]
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
drawing=$(realpath "$1")
runs=${2:-3}
exe=$root/build/mingw/app/JwwTextFlip.exe
console=$root/build/mingw/bench/jwwpipeline.exe
native=$root/build/bench/bench/jwwpipeline
work=$root/build/bench-wine
window_name='^文字基点の反転$'

cmake -S "$root" -B "$root/build/mingw" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/mingw" -j 2 --target JwwTextFlip jwwpipeline >/dev/null
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/bench" -j 2 --target jwwpipeline >/dev/null

rm -rf "$work"
mkdir -p "$work"
# shellcheck source=tests/e2e/wine-session.sh
source "$root/tests/e2e/wine-session.sh"
trap wine_session_end EXIT
wine_session_start "$work"

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run of the native console pipeline, process start included; its
# answer is the one the others must give.
native_run() {
  local start end
  cp "$drawing" "$work/expected.txt"
  start=$(now)
  "$native" "$work/expected.txt" 2
  end=$(now)
  elapsed "$start" "$end"
}

# One run of the Windows program: lays out its folder with the drawing and a
# settings file that selects flip type 2, waits for the window, presses Enter
# and prints the seconds until the process has ended.
exe_run() {
  local dir=$work/exe pid window start end
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$exe" "$dir/JwwTextFlip.exe"
  cp "$drawing" "$dir/JWC_TEMP.TXT"
  printf '0\r\n0\r\n2\r\n' >"$dir/JwwTextFlip.dat"
  (cd / && exec wine "$dir/JwwTextFlip.exe" >/dev/null 2>&1) &
  pid=$!
  window=$(timeout 300 xdotool search --sync --onlyvisible --name "$window_name" | head -n 1)
  xdotool windowfocus --sync "$window"
  start=$(now)
  xdotool key Return
  wait "$pid"
  end=$(now)
  cmp -s "$work/expected.txt" "$dir/JWC_TEMP.TXT" || { echo "the program's answer differs" >&2; return 1; }
  elapsed "$start" "$end"
}

# One run of the console pipeline under Wine, process start included.
console_run() {
  local dir=$work/console start end
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$drawing" "$dir/JWC_TEMP.TXT"
  start=$(now)
  wine "$console" "$(winepath -w "$dir/JWC_TEMP.TXT" 2>/dev/null)" 2 >/dev/null 2>&1
  end=$(now)
  cmp -s "$work/expected.txt" "$dir/JWC_TEMP.TXT" || { echo "the console answer differs" >&2; return 1; }
  elapsed "$start" "$end"
}

exe_times=()
console_times=()
native_times=()
for _ in $(seq "$runs"); do
  native_times+=("$(native_run)")
  console_times+=("$(console_run)")
  exe_times+=("$(exe_run)")
done
exe_median=$(median "${exe_times[@]}")
console_median=$(median "${console_times[@]}")

echo "| $(basename "$drawing"), flip type 2 | median s | runs (s) |"
echo "|---|---:|---|"
echo "| JwwTextFlip.exe under Wine, Enter to end of process | $exe_median | ${exe_times[*]} |"
echo "| jwwpipeline.exe under Wine, whole process | $console_median | ${console_times[*]} |"
echo "| jwwpipeline native, whole process | $(median "${native_times[@]}") | ${native_times[*]} |"
awk -v e="$exe_median" -v c="$console_median" \
  'BEGIN { printf "\n.exe / pipeline: %.2f (target 1.5 or less)\n", e / c }'
