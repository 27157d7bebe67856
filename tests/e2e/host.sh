#!/usr/bin/env bash
# End to end through the substitute host: the release package (its batch
# file and its program, under Wine on a private Xvfb display, :92) flips the
# bundled sample drawing with each flip type. The host hands over only the
# texts, as the batch file asks; every run must end with exit code 0 and
# "hd", every text must keep its box, every non-text entity of the drawing
# must be there after it, and the picture must be well-formed XML. The three
# one-click batch files must give, without the window, the same answer as OK
# with their flip type, byte for byte. Then Cancel must leave the drawing as
# it was, and tampered answers (a moved text, a dropped text) must be caught.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
host=${JWHOST:-$root/build/native/tools/jwhost}
exe=${JWW_EXE:-$root/build/mingw/app/JwwTextFlip.exe}
work=$root/build/e2e-host
display=${JWHOST_E2E_DISPLAY:-:92}
export JWHOST_WINEPREFIX=$work/wineprefix
unset DISPLAY

if [ ! -x "$host" ]; then
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build build/native -j 2 --target jwhost >/dev/null
fi
if [ ! -f "$exe" ]; then
  cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null && cmake --build build/mingw -j 2 --target JwwTextFlip >/dev/null
fi

passed=0
failed=0
pass() { echo "PASS $*"; passed=$((passed + 1)); }
fail() { echo "FAIL $*"; failed=$((failed + 1)); }

# The package as a user unpacks it: jwhost obeys the batch file beside the program.
rm -rf "$work/package"
mkdir -p "$work/package"
if ! zip_path=$(bash packaging/make-package.sh "$exe") || ! LC_ALL=C.UTF-8 unzip -q "$zip_path" -d "$work/package"; then
  echo "FAIL the release package could not be built or unpacked"
  exit 1
fi
package_exe=$work/package/JwwTextFlip.exe
package_bat=$work/package/JwwTextFlip.bat

well_formed() {
  python3 -c 'import sys, xml.etree.ElementTree as e; e.parse(sys.argv[1])' "$1" 2>/dev/null
}

# run NAME ARGS...: runs the host, leaving its output in $log and exit code in $rc.
run() {
  local name=$1; shift
  log=$work/$name.log
  "$host" --exe "$package_exe" --drawing samples/sample.txt --xvfb-display "$display" --timeout 240 \
    --workdir "$work/$name" --svg "$work/$name.svg" "$@" >"$log" 2>&1
  rc=$?
}

rm -rf "$work"/flip* "$work"/one-click* "$work"/cancel* "$work"/tampered*

for flip in 0 1 2; do
  name=flip$flip
  run "$name" --flip "$flip" --press ok
  if [ "$rc" -eq 0 ] && grep -q '^answer: hd' "$work/$name.log" &&
     grep -q 'every text kept its box' "$work/$name.log" &&
     grep -Eq 'checked, [1-9][0-9]* flipped' "$work/$name.log" &&
     grep -Eq '^non-text entities after: ([1-9][0-9]*) of the drawing.s \1 ' "$work/$name.log"; then
    pass "flip type $flip: $(grep '^promise:' "$work/$name.log"); $(grep '^non-text' "$work/$name.log")"
  else
    fail "flip type $flip (exit code $rc):"; sed 's/^/  /' "$work/$name.log"
  fi
  if well_formed "$work/$name.svg"; then pass "flip type $flip: picture is well-formed"
  else fail "flip type $flip: picture $work/$name.svg is not well-formed XML"; fi
done

# The one-click batch files, by flip type: the program starts with /flip:N.
one_click=(文字基点_左右反転.bat 文字基点_上下反転.bat 文字基点_上下左右反転.bat)
for flip in 0 1 2; do
  name=one-click$flip
  run "$name" --bat "$work/package/${one_click[$flip]}" --press none
  if [ "$rc" -eq 0 ] && grep -q "^tool argument: /flip:$flip" "$work/$name.log" &&
     grep -q 'every text kept its box' "$work/$name.log" &&
     cmp -s "$work/flip$flip/JWC_TEMP.TXT" "$work/$name/JWC_TEMP.TXT" &&
     [ ! -e "$work/$name/JwwTextFlip.dat" ]; then
    pass "${one_click[$flip]}: the same answer as OK with flip type $flip, no settings file"
  else
    fail "${one_click[$flip]} (exit code $rc):"; sed 's/^/  /' "$work/$name.log"
  fi
done

run cancel --flip 0 --press cancel
if [ "$rc" -eq 0 ] && grep -q '^answer: hq' "$work/cancel.log" &&
   [ "$(head -c 2 "$work/cancel/JWC_TEMP.TXT")" = hq ]; then
  pass "cancel leaves the drawing unchanged"
else
  fail "cancel (exit code $rc):"; sed 's/^/  /' "$work/cancel.log"
fi

# check_tampered NAME AWK-PROGRAM WORDS...: the honest answer of flip type 2,
# changed by the program must be caught with one BROKEN line for each of WORDS.
check_tampered() {
  local name=$1 program=$2; shift 2
  local answer=$work/flip2/JWC_TEMP.TXT log=$work/$name.log word ok=1
  if [ ! -f "$answer" ]; then fail "no answer from flip type 2 to tamper with"; return; fi
  LC_ALL=C awk "$program" "$answer" >"$work/$name.txt"
  "$host" --drawing samples/sample.txt --bat "$package_bat" --result "$work/$name.txt" --flip 2 \
    --workdir "$work/$name" >"$log" 2>&1
  rc=$?
  for word in "$@"; do grep -q "^BROKEN .*$word" "$log" || ok=0; done
  if [ "$rc" -eq 1 ] && [ "$ok" -eq 1 ] && [ "$(grep -c '^BROKEN' "$log")" -eq $# ]; then
    pass "$name is caught: $(grep '^BROKEN' "$log" | tr '\n' ' ')"
  else
    fail "$name (exit code $rc):"; sed 's/^/  /' "$log"
  fi
}
# A tool that moved one text: the first "ch" text shifted by one unit.
check_tampered tampered-moved 'BEGIN { done = 0 } /^ch / && !done { $2 = $2 + 1; done = 1 } { print }' \
  'text [0-9]* ".*" at .*corner moved'
# A tool that lost one text: the last "ch" line left out.
check_tampered tampered-dropped \
  '{ line[NR] = $0; if ($0 ~ /^ch /) last = NR } END { for (i = 1; i <= NR; i++) if (i != last) print line[i] }' \
  'missing from the result' '1 lost'

echo "host: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
