#!/usr/bin/env bash
# Builds the release package and checks it: the zip holds the program, the
# batch file and the readme under ASCII names; the batch file and the readme
# are Shift-JIS with CR LF line ends only; the batch file's first line is a
# REM description, its host directives stand each on a "REM #" line in the
# right order, and the program is started and waited for; the program carries
# version information matching the project version.
set -uo pipefail
cd "$(dirname "$0")/.."

passed=0
failed=0
pass() { echo "PASS package: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL package: $*"; failed=$((failed + 1)); }

zip_path=$(bash packaging/make-package.sh "$@") || { echo "FAIL package: not built"; exit 1; }
pass "built $zip_path"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip_path" -d "$unpacked"

names=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
if [ "$names" = "JwwTextFlip.bat JwwTextFlip.exe readme.txt " ]; then
  pass "holds JwwTextFlip.exe, JwwTextFlip.bat and readme.txt"
else
  fail "holds: $names"
fi

# shift_jis_crlf FILE: valid Shift-JIS (survives a round trip) with CR LF only.
shift_jis_crlf() {
  local f=$1
  [ -s "$f" ] || { echo "empty"; return 1; }
  iconv -f CP932 -t UTF-8 "$f" > "$f.utf8" 2>/dev/null || { echo "not valid Shift-JIS"; return 1; }
  iconv -f UTF-8 -t CP932 "$f.utf8" | cmp -s - "$f" || { echo "Shift-JIS round trip differs"; return 1; }
  # Every LF preceded by CR, every CR followed by LF, and a line end at the end.
  if LC_ALL=C grep -q $'[^\r]$' "$f" 2>/dev/null || LC_ALL=C grep -q '^$' "$f"; then
    echo "a line without CR LF"; return 1
  fi
  if [ "$(LC_ALL=C tr -cd '\r' < "$f" | wc -c)" -ne "$(LC_ALL=C tr -cd '\n' < "$f" | wc -c)" ]; then
    echo "a CR without LF"; return 1
  fi
  [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || { echo "no CR LF at the end"; return 1; }
  if [ "$(LC_ALL=C tr -d '\r\n' < "$f" | LC_ALL=C tr -cd '\000-\037\177' | wc -c)" -ne 0 ]; then
    echo "control characters"; return 1
  fi
  return 0
}

for f in JwwTextFlip.bat readme.txt; do
  if [ -f "$unpacked/$f" ] && why=$(shift_jis_crlf "$unpacked/$f"); then
    pass "$f is Shift-JIS with CR LF line ends"
  else
    fail "$f: ${why:-missing}"
  fi
done

# The batch file is read as the host reads it: Shift-JIS bytes.
export LC_ALL=C
bat=$unpacked/JwwTextFlip.bat
if [ -f "$bat" ]; then
  mapfile -t lines < <(tr -d '\r' < "$bat")
  if [[ ${lines[0]} == "REM "* && ${lines[0]} != *"#"* && ${#lines[0]} -gt 8 ]]; then
    pass "first line is the description: $(printf '%s' "${lines[0]}" | iconv -f CP932 -t UTF-8)"
  else
    fail "first line is not a REM description: ${lines[0]}"
  fi
  expected=(jww cd zc zz zw hc e)
  found=()
  start_line=-1
  bad=""
  for i in "${!lines[@]}"; do
    line=${lines[$i]}
    # A directive is a REM line with "#" within its first 10 bytes.
    head10=$(printf '%s' "$line" | head -c 10)
    if [[ $head10 == *"#"* ]]; then
      if [[ $line =~ ^REM\ \#([a-z]+)(\ (.*))?$ ]]; then
        found+=("${BASH_REMATCH[1]}")
        if [ "${BASH_REMATCH[1]}" = hc ] && [ -z "${BASH_REMATCH[3]}" ]; then bad="#hc has no prompt"; fi
        if [ "$start_line" -ge 0 ]; then bad="a directive after the start line"; fi
      else
        bad="malformed directive line: $line"
      fi
    elif [[ $line =~ ^start\ /w\ JwwTextFlip\.exe$ ]]; then
      start_line=$i
    elif [ "$i" -gt 0 ]; then
      bad="unexpected line: $line"
    fi
  done
  if [ -z "$bad" ] && [ "${found[*]}" = "${expected[*]}" ]; then
    pass "directives ${found[*]/#/#} each on a REM # line, in order"
  else
    fail "directives: ${found[*]} ${bad}"
  fi
  if [ "$start_line" -gt 0 ] && [ "$start_line" -eq $((${#lines[@]} - 1)) ]; then
    pass "last line starts JwwTextFlip.exe and waits for it"
  else
    fail "no closing 'start /w JwwTextFlip.exe' line"
  fi
fi

version=$(sed -n 's/^project([^)]*VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
exe=$unpacked/JwwTextFlip.exe
# The version resource holds its keys and values as UTF-16 strings.
has_version_info() {
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
wanted = ["VS_VERSION_INFO", "FileVersion", "ProductVersion", sys.argv[2]]
sys.exit(0 if all((w + "\0").encode("utf-16-le") in data for w in wanted) else 1)
PY
}
if [ -f "$exe" ] && has_version_info "$exe" "$version"; then
  pass "JwwTextFlip.exe carries version information $version"
else
  fail "JwwTextFlip.exe has no version information for $version"
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
