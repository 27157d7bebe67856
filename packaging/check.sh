#!/usr/bin/env bash
# Builds the release package and checks it: the zip holds the program, the
# batch file and the readme under ASCII names; the batch file and the readme
# are Shift-JIS with CR LF line ends only; the batch file keeps the rules the
# host reads it by (check-bat.sh), and that check fails on broken copies of it
# (check-bat-test.sh); the program carries version information matching the
# project version.
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
unzip -q "$zip_path" -d "$unpacked"

names=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
if [ "$names" = "JwwTextFlip.bat JwwTextFlip.exe readme.txt " ]; then
  pass "holds JwwTextFlip.exe, JwwTextFlip.bat and readme.txt"
else
  fail "holds: $names"
fi

f=readme.txt
if [ -f "$unpacked/$f" ] && why=$(shift_jis_crlf "$unpacked/$f"); then
  pass "$f is Shift-JIS with CR LF line ends"
else
  fail "$f: ${why:-missing}"
fi

# The batch file by the rules the host reads it by, and the check itself on
# broken copies of it.
bat=$unpacked/JwwTextFlip.bat
if out=$(bash packaging/check-bat.sh "$bat"); then
  pass "JwwTextFlip.bat keeps the host's rules"
else
  fail "JwwTextFlip.bat breaks the host's rules:"; echo "$out"
fi
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
