#!/usr/bin/env bash
# Feeds check-bat.sh broken copies of a good batch file and expects each to
# fail for its own reason: the check must catch what would make the host
# select nothing, skip layer groups, show no prompt or not read the file.
#
# Usage: packaging/check-bat-test.sh GOOD.bat
# The good file must hold the directives #h3, #hc, #g1, #zc, #zz, #zw, #ht30, #e.
set -uo pipefail
export LC_ALL=C
here=$(dirname "$0")
good=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name | program that turns the good file (stdin) into the broken one | words expected
cases=(
  "no range directive|sed '/^REM #h3/d'|not exactly one of #h1..#h4"
  "two range directives|sed 's/^REM #g1/REM #h1/'|not exactly one of #h1..#h4"
  "#hc not right after #h3|awk '/^REM #hc/ { hc = \$0; next } { print } /^REM #g1/ { print hc }'|#hc is not on the line right after #h3"
  "no #g1|sed '/^REM #g1/d'|no #g1"
  "no #zc|sed '/^REM #zc/d'|no #zc"
  "no #ht30|sed '/^REM #ht30/d'|no #ht30"
  "#ht3 for #ht30|sed 's/^REM #ht30/REM #ht3/'|#ht3: the host hands those entities over without erasing"
  "LF line ends|tr -d '\r'|a line without CR LF"
  "not Shift-JIS|sed '1s/^REM /REM \xff/'|not valid Shift-JIS"
  "# after the 10th byte|sed 's/^REM #zz/REM        #zz/'|after the 10th byte"
  "a directive after #e|awk '/^REM #zw/ { zw = \$0; next } { print } /^REM #e/ { print zw }'|a directive after #e"
  "an undocumented directive|sed 's/^REM #zz/REM #zx/'|#zx is no directive the host documents"
  "no start /w|sed 's,^start /w ,start ,'|no \"start /w"
)

passed=0
failed=0
if out=$(bash "$here/check-bat.sh" "$good"); then
  passed=$((passed + 1))
else
  echo "FAIL batch file check: the good file fails:"; echo "$out"; failed=$((failed + 1))
fi
for c in "${cases[@]}"; do
  IFS='|' read -r name program words <<<"$c"
  broken=$work/broken.bat
  bash -c "$program" <"$good" >"$broken"
  if cmp -s "$good" "$broken"; then
    echo "FAIL batch file check: \"$name\" left the file unchanged"; failed=$((failed + 1))
  elif out=$(bash "$here/check-bat.sh" "$broken"); then
    echo "FAIL batch file check: $name passes"; failed=$((failed + 1))
  elif [[ $out != *"$words"* ]]; then
    echo "FAIL batch file check: $name fails, but not with \"$words\":"; echo "$out"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done
echo "batch file check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
