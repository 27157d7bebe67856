# Checks shared by the package's file checks; sourced, not run.

# shift_jis_crlf FILE: valid Shift-JIS (survives a round trip) with CR LF
# line ends only and no other control characters. On failure prints why and
# returns 1.
shift_jis_crlf() {
  local f=$1 utf8
  [ -s "$f" ] || { echo "empty"; return 1; }
  utf8=$(mktemp)
  if ! iconv -f CP932 -t UTF-8 "$f" > "$utf8" 2>/dev/null; then
    rm -f "$utf8"; echo "not valid Shift-JIS"; return 1
  fi
  if ! iconv -f UTF-8 -t CP932 "$utf8" | cmp -s - "$f"; then
    rm -f "$utf8"; echo "Shift-JIS round trip differs"; return 1
  fi
  rm -f "$utf8"
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
