#!/usr/bin/env bash
# End to end through the substitute host: the release package (its batch
# files and its program, under Wine on a private Xvfb display, :92) flips the
# bundled sample drawing with each flip type. Every batch file is run as the
# host runs it: by the command processor (wine cmd /c) in the folder that
# holds it, the program and JWC_TEMP.TXT, so that its own lines start the
# program. The host hands over only the texts, as the batch file asks; every
# run of the window's batch file must end with exit code 0 and "hd", every
# text must keep its box, every non-text entity of the drawing must be there
# after it, once, and the picture must be well-formed XML. The three one-click
# batch files must give, without the window, the same answer as OK with their
# flip type, byte for byte. Broken copies must fail: one that starts a
# program that is not there, one that starts none, one that starts the
# program with another flip type, and one with #ht3 for #ht30 (the dimension
# figure handed over but not erased comes back twice). Then Cancel must leave
# the drawing as it was, and tampered answers (a moved text, a dropped text)
# must be caught.
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
package_bat=$work/package/文字基点_反転.bat

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

rm -rf "$work"/flip* "$work"/one-click* "$work"/cancel* "$work"/tampered* "$work"/broken*

for flip in 0 1 2; do
  name=flip$flip
  run "$name" --bat "$package_bat" --flip "$flip" --press ok
  if [ "$rc" -eq 0 ] && grep -q '^command processor: cmd /c ' "$work/$name.log" &&
     grep -q '^answer: hd' "$work/$name.log" &&
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
  if [ "$rc" -eq 0 ] && grep -q "^command processor: cmd /c ${one_click[$flip]}" "$work/$name.log" &&
     grep -q "^tool argument: /flip:$flip" "$work/$name.log" &&
     grep -q 'every text kept its box' "$work/$name.log" &&
     cmp -s "$work/flip$flip/JWC_TEMP.TXT" "$work/$name/JWC_TEMP.TXT" &&
     [ ! -e "$work/$name/JwwTextFlip.dat" ]; then
    pass "${one_click[$flip]}: the same answer as OK with flip type $flip, no settings file"
  else
    fail "${one_click[$flip]} (exit code $rc):"; sed 's/^/  /' "$work/$name.log"
  fi
done

# Broken copies of the batch files, made from the package's Shift-JIS bytes.
# broken NAME SOURCE SED-PROGRAM EXIT-CODE WORDS PRESS: the copy run must end
# with EXIT-CODE and print WORDS.
mkdir -p "$work/broken"
broken() {
  local name=$1 source=$2 program=$3 code=$4 words=$5 press=$6
  local bat=$work/broken/$name.bat
  LC_ALL=C sed "$program" "$source" >"$bat"
  if cmp -s "$bat" "$source"; then fail "broken copy $name is no different"; return; fi
  run "broken-$name" --bat "$bat" --flip 1 --press "$press"
  if [ "$rc" -eq "$code" ] && grep -q "$words" "$work/broken-$name.log"; then
    pass "broken copy $name: $(grep -m1 "$words" "$work/broken-$name.log")"
  else
    fail "broken copy $name (exit code $rc, expected $code and \"$words\"):"
    sed 's/^/  /' "$work/broken-$name.log"
  fi
}
updown=$work/package/${one_click[1]}
broken wrong-program "$updown" 's,^start /w JwwTextFlip.exe,start /w JwwTextFlop.exe,' 3 \
  'is as the host wrote it' none
broken no-program "$updown" '/^start /d' 3 'is as the host wrote it' none
broken dimension-figures-twice "$package_bat" 's/^REM #ht30/REM #ht3/' 1 \
  '^BROKEN .*drawn twice' ok
# Another flip type than the name says: the host's answer differs from OK's.
broken wrong-flip "$updown" 's,/flip:1,/flip:0,' 0 'tool argument: /flip:0' none
if cmp -s "$work/flip1/JWC_TEMP.TXT" "$work/broken-wrong-flip/JWC_TEMP.TXT"; then
  fail "broken copy wrong-flip gives the same answer as OK with flip type 1"
else
  pass "broken copy wrong-flip: its answer differs from OK with flip type 1"
fi

run cancel --bat "$package_bat" --flip 0 --press cancel
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
