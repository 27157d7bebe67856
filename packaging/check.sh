#!/usr/bin/env bash
# Builds the release package and checks it: the zip holds the program, the
# main batch file, the three one-click batch files (their Japanese names in
# Shift-JIS for Windows' Explorer and in UTF-8 for every other archiver) and
# the readme; the readme is Shift-JIS with CR LF line ends only; every batch
# file keeps the rules the host reads it by (check-bat.sh) and starts the
# program as its name says, and that check fails on broken copies of the main
# one (check-bat-test.sh); the program carries version information matching
# the project version.
set -uo pipefail
cd "$(dirname "$0")/.."
source packaging/text-checks.sh

passed=0
failed=0
pass() { echo "PASS package: $*"; passed=$((passed + 1)); }
fail() { echo "FAIL package: $*"; failed=$((failed + 1)); }

zip_path=$(bash packaging/make-package.sh "$@") || { echo "FAIL package: not built"; exit 1; }
pass "built $zip_path"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
LC_ALL=C.UTF-8 unzip -q "$zip_path" -d "$unpacked"

# The one-click batch files: name and the program's option.
declare -A one_click=([文字基点_左右反転.bat]=/flip:0 [文字基点_上下反転.bat]=/flip:1
                      [文字基点_上下左右反転.bat]=/flip:2)
expected_names="JwwTextFlip.bat JwwTextFlip.exe readme.txt $(printf '%s\n' "${!one_click[@]}" |
  LC_ALL=C sort | tr '\n' ' ')"
names=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
if [ "$names" = "$expected_names" ]; then
  pass "holds $names"
else
  fail "holds: $names"
fi
if why=$(python3 - "$zip_path" <<'PY'
import struct, sys, zipfile, zlib
for info in zipfile.ZipFile(sys.argv[1]).infolist():
    raw = info.filename.encode("cp437")  # the stored bytes: no UTF-8 flag is set
    if info.flag_bits & 0x800:
        sys.exit("%r is flagged UTF-8" % info.filename)
    if raw.isascii():
        continue
    name = raw.decode("cp932")
    tag, size, version, crc = struct.unpack_from("<HHBI", info.extra)
    if tag != 0x7075 or version != 1 or crc != zlib.crc32(raw) or \
            info.extra[9:4 + size].decode("utf-8") != name:
        sys.exit("%s has no matching UTF-8 name" % name)
PY
); then
  pass "the Japanese names are Shift-JIS, with their UTF-8 form beside them"
else
  fail "$why"
fi

f=readme.txt
if [ -f "$unpacked/$f" ] && why=$(shift_jis_crlf "$unpacked/$f"); then
  pass "$f is Shift-JIS with CR LF line ends"
else
  fail "$f: ${why:-missing}"
fi

# Every batch file by the rules the host reads it by, and the check itself on
# broken copies of the main one.
bat=$unpacked/JwwTextFlip.bat
if out=$(bash packaging/check-bat.sh "$bat"); then
  pass "JwwTextFlip.bat keeps the host's rules"
else
  fail "JwwTextFlip.bat breaks the host's rules:"; echo "$out"
fi
for name in "${!one_click[@]}"; do
  if out=$(bash packaging/check-bat.sh "$unpacked/$name" "JwwTextFlip.exe ${one_click[$name]}"); then
    pass "$name keeps the host's rules and starts JwwTextFlip.exe ${one_click[$name]}"
  else
    fail "$name breaks the host's rules:"; echo "$out"
  fi
done
if out=$(bash packaging/check-bat-test.sh "$bat"); then
  pass "${out##*$'\n'}"
else
  fail "the batch file check misses a broken copy:"; echo "$out"
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
