#!/usr/bin/env bash
# Builds the release package and checks it: the zip holds the program, the
# window's batch file and the three one-click batch files, all four named
# 文字基点_... so that they stand together in the host's file list (their
# Japanese names in Shift-JIS for Windows' Explorer and in UTF-8 for every
# other archiver), and the readme; the readme is Shift-JIS with CR LF line
# ends only; every batch file keeps the rules the host reads it by
# (check-bat.sh) and starts the program as its name says, and that check
# fails on broken copies of the window's one (check-bat-test.sh); the program
# carries version information matching the project version, with the
# readme's licence holder and licence, the product named as the window is,
# and an icon at every size Windows shows (16, 24, 32, 48 and 256 pixels).
# That each batch file, run by the command processor, gets the window's
# answer is tests/e2e/host.sh's check.
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
window_bat=文字基点_反転.bat
expected_names="JwwTextFlip.exe readme.txt $(printf '%s\n' "${!one_click[@]}" "$window_bat" |
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
bat=$unpacked/$window_bat
if out=$(bash packaging/check-bat.sh "$bat"); then
  pass "$window_bat keeps the host's rules and starts JwwTextFlip.exe"
else
  fail "$window_bat breaks the host's rules:"; echo "$out"
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
# The licence holder and the licence, as the readme's copyright line names them.
holder=$(iconv -f CP932 -t UTF-8 "$unpacked/readme.txt" 2>/dev/null |
  sed -n 's/^Copyright (c) [0-9]* \(.*\)\r$/\1/p' | head -1)
licence=$(iconv -f CP932 -t UTF-8 "$unpacked/readme.txt" 2>/dev/null | grep -m1 -o '^MIT License')
# The version resource holds its keys and values as UTF-16 strings: each key
# followed by its value, after padding to a 4-byte boundary.
if why=$(python3 - "$exe" "$version" "$holder" "$licence" 2>&1 <<'PY'
import re, sys
data = open(sys.argv[1], "rb").read()
version, holder, licence = sys.argv[2:5]
def value(key):
    k = (key + "\0").encode("utf-16-le")
    at = data.find(k)
    if at < 0:
        return None
    at += len(k)
    while data[at:at + 2] == b"\0\0":
        at += 2
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le")
wanted = {"FileVersion": version, "ProductVersion": version, "ProductName": "文字基点の反転"}
faults = ["%s is %r, not %r" % (k, value(k), v) for k, v in wanted.items() if value(k) != v]
company, copyright = value("CompanyName"), value("LegalCopyright")
if not holder or company != holder:
    faults.append("CompanyName is %r, not the readme's licence holder %r" % (company, holder))
if not holder or not copyright or holder not in copyright or licence not in copyright:
    faults.append("LegalCopyright %r does not name %r and %r" % (copyright, holder, licence))
if faults:
    sys.exit("; ".join(faults))
PY
); then
  pass "JwwTextFlip.exe carries version information $version, 文字基点の反転, $holder, $licence"
else
  fail "JwwTextFlip.exe version information: ${why:-missing}"
fi

# The icon: one image for each size Windows shows it at (small icons at 100%
# and 150%, 32 and 48 pixel views, large icons).
sizes=$(python3 packaging/icon-sizes.py "$exe" 2>&1 | paste -sd ' ')
if [ "$sizes" = "16 24 32 48 256" ]; then
  pass "JwwTextFlip.exe has its icon at $sizes pixels"
else
  fail "JwwTextFlip.exe icon sizes: $sizes (expected 16 24 32 48 256)"
fi

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
