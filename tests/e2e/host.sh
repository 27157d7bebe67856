#!/usr/bin/env bash
# End to end through the substitute host: the real Windows program, under
# Wine on a private Xvfb display (:92), flips the bundled sample drawing with
# each flip type. Every run must end with exit code 0 and "hd", every text
# must keep its box, and the picture must be well-formed XML. Then Cancel
# must leave the drawing as it was, and a tampered answer must be caught.
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

well_formed() {
  python3 -c 'import sys, xml.etree.ElementTree as e; e.parse(sys.argv[1])' "$1" 2>/dev/null
}

# run NAME ARGS...: runs the host, leaving its output in $log and exit code in $rc.
run() {
  local name=$1; shift
  log=$work/$name.log
  "$host" --exe "$exe" --drawing samples/sample.txt --xvfb-display "$display" --timeout 240 \
    --workdir "$work/$name" --svg "$work/$name.svg" "$@" >"$log" 2>&1
  rc=$?
}

rm -rf "$work"/flip* "$work"/cancel* "$work"/tampered*
mkdir -p "$work"

for flip in 0 1 2; do
  name=flip$flip
  run "$name" --flip "$flip" --press ok
  if [ "$rc" -eq 0 ] && grep -q '^answer: hd' "$work/$name.log" &&
     grep -q 'every text kept its box' "$work/$name.log" &&
     grep -Eq 'checked, [1-9][0-9]* flipped' "$work/$name.log"; then
    pass "flip type $flip: $(grep '^promise:' "$work/$name.log")"
  else
    fail "flip type $flip (exit code $rc):"; sed 's/^/  /' "$work/$name.log"
  fi
  if well_formed "$work/$name.svg"; then pass "flip type $flip: picture is well-formed"
  else fail "flip type $flip: picture $work/$name.svg is not well-formed XML"; fi
done

run cancel --flip 0 --press cancel
if [ "$rc" -eq 0 ] && grep -q '^answer: hq' "$work/cancel.log" &&
   [ "$(head -c 2 "$work/cancel/JWC_TEMP.TXT")" = hq ]; then
  pass "cancel leaves the drawing unchanged"
else
  fail "cancel (exit code $rc):"; sed 's/^/  /' "$work/cancel.log"
fi

# A tool that moved one text: shift the insertion point of the first "ch"
# text of the honest answer by one unit.
answer=$work/flip2/JWC_TEMP.TXT
if [ -f "$answer" ]; then
  LC_ALL=C awk 'BEGIN { done = 0 } /^ch / && !done { $2 = $2 + 1; done = 1 } { print }' "$answer" \
    >"$work/tampered.txt"
  "$host" --drawing samples/sample.txt --result "$work/tampered.txt" --flip 2 \
    >"$work/tampered.log" 2>&1
  rc=$?
  if [ "$rc" -eq 1 ] && grep -q '^BROKEN text [0-9]* ".*" at .*corner moved' "$work/tampered.log" &&
     [ "$(grep -c '^BROKEN' "$work/tampered.log")" -eq 1 ]; then
    pass "a moved text is caught: $(grep '^BROKEN' "$work/tampered.log")"
  else
    fail "tampered answer (exit code $rc):"; sed 's/^/  /' "$work/tampered.log"
  fi
else
  fail "no answer from flip type 2 to tamper with"
fi

echo "host: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
