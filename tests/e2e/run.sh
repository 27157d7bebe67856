#!/usr/bin/env bash
# End-to-end tests of the Windows program: each case lays out a folder with
# the .exe, a transfer file and a settings file, runs the program under Wine
# in a virtual X display, drives the window with xdotool as a user would and
# compares the files left behind byte for byte with the expected ones.
#
# The program is build/mingw/app/JwwTextFlip.exe (built here if missing);
# JWW_E2E_EXE names another. The texts of its status line and of its message
# boxes are read from their windows by window_text.exe, built beside it.
# Cases are listed in cases.txt; JWW_E2E_ONLY, a regular expression, picks
# some of them by name. Making a file or a folder unwritable (lock:) takes
# root: it marks it immutable. Another Windows program holding the transfer
# file open (hold) is hold_file.exe, built beside it too.
set -euo pipefail
export LC_ALL=C.UTF-8

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
exe=${JWW_E2E_EXE:-$root/build/mingw/app/JwwTextFlip.exe}
window_text=$root/build/mingw/tests/e2e/window_text.exe
hold_file=$root/build/mingw/tests/e2e/hold_file.exe
work=$root/build/e2e
caption=文字基点の反転
window_name="^$caption\$"
message_text_id=65535     # the message box's text control, as Windows numbers it
label_id=111              # LabelA1, the status line (app/FormDesign.h)
big_texts=300000          # its flip outlasts keys sent together with Enter
case_timeout=30           # seconds a case may take before it counts as hung

if [ ! -f "$exe" ] || [ ! -f "$window_text" ] || [ ! -f "$hold_file" ]; then
  cmake -S "$root" -B "$root/build/mingw" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$root/build/mingw" -j 2 --target JwwTextFlip window_text hold_file >/dev/null
fi

# A run cut short may have left a case locked.
if [ -d "$work/cases" ]; then chattr -R -i "$work/cases" 2>/dev/null || true; fi
rm -rf "$work"
mkdir -p "$work"

# shellcheck source=tests/e2e/wine-session.sh
source "$here/wine-session.sh"
trap wine_session_end EXIT
wine_session_start "$work"

# The long drawing and what OK makes of it.
python3 - "$work" "$big_texts" <<'PY'
import sys
work, n = sys.argv[1], int(sys.argv[2])
font = "<ＭＳ ゴシック>".encode("cp932")
open(work + "/big.txt", "wb").write(b"lg1\r\nly2\r\n" + b'ch 0 0 1 0 "AB\r\n' * n)
open(work + "/big-confirmed.txt", "wb").write(
    b"hd\r\nlg1\r\nly2\r\ncn1\r\ncc2\r\ncn\"$" + font + b"\r\n" + b'ch 3 0 1 0 "AB\r\n' * n)
PY

# The sample drawing with an end-of-file mark at the start of its line 170
# (statements follow it: the file was not read to its end) and after its last
# line (an old-style end of file).
sample=$root/samples/sample.txt
{ sed -n '1,169p' "$sample"; printf '\x1a\r\n'; sed -n '170,$p' "$sample"; } >"$work/sample-mark-inside.txt"
{ cat "$sample"; printf '\x1a\r\n'; } >"$work/sample-mark-at-end.txt"

trim() { local s=$1; s=${s#"${s%%[![:space:]]*}"}; printf '%s' "${s%"${s##*[![:space:]]}"}"; }

# Puts at `path` what `content` says: a file of cases/, the long drawing, the
# sample with an end-of-file mark, a folder, a FIFO, an unreadable file, an
# empty file, bytes, or nothing.
lay_out() {
  local content=$1 path=$2
  case $content in
    none) ;;
    empty) : >"$path" ;;
    folder) mkdir "$path" ;;
    fifo) mkfifo "$path" ;;
    read-error) ln -s /proc/self/mem "$path" ;;  # opens, but reading fails
    big|sample-mark-*) cp "$work/$content.txt" "$path" ;;
    *.txt) cp "$here/cases/$content" "$path" ;;
    *) printf '%b' "$content" >"$path" ;;
  esac
}

# Checks the file at `path` against the expectation; prints why not.
check_file() {
  local expected=$1 path=$2 before=$3
  case $expected in
    none) [ ! -e "$path" ] || { echo "$path exists"; return 1; } ;;
    folder) [ -d "$path" ] || { echo "$path is no longer a folder"; return 1; } ;;
    fifo) [ -p "$path" ] || { echo "$path is no longer a FIFO"; return 1; } ;;
    same) cmp -s "$before" "$path" || { echo "$path changed"; return 1; } ;;
    big|big-*) cmp -s "$work/$expected.txt" "$path" || { echo "$path differs from $expected"; return 1; } ;;
    *.txt) cmp -s "$here/cases/$expected" "$path" || { echo "$path differs from $expected"; return 1; } ;;
    *) printf '%b' "$expected" >"$path.expected"
       cmp -s "$path.expected" "$path" || { echo "$path differs from '$expected'"; return 1; } ;;
  esac
}

# Makes the case folder `dir` or its transfer file unwritable, even for root.
lock() {
  local what=$1 dir=$2
  case $what in
    file) chattr +i "$dir/JWC_TEMP.TXT" ;;
    folder) chattr +i "$dir" ;;
    *) echo "unknown lock $what"; return 1 ;;
  esac
}

unlock() {
  chattr -i "$1" 2>/dev/null || true
  if [ -e "$1/JWC_TEMP.TXT" ]; then chattr -i "$1/JWC_TEMP.TXT" 2>/dev/null || true; fi
}

# Another Windows program opens the transfer file in the case folder `dir` for
# writing and holds it until `release`.
hold() {
  local dir=$1 waited=0
  (cd / && exec wine "$hold_file" "$(winepath -w "$dir/JWC_TEMP.TXT")" \
    "$(winepath -w "$dir/release")" >"$dir.hold" 2>/dev/null) &
  echo $! >"$dir.hold.pid"
  until grep -q held "$dir.hold" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 100 ] || { echo "hold_file did not hold the file"; return 1; }
  done
}

# Lets the holder go and waits until it has closed the file.
release() {
  local dir=$1 pid
  [ -f "$dir.hold.pid" ] || return 0
  pid=$(<"$dir.hold.pid")
  touch "$dir/release"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
  rm -f "$dir/release" "$dir.hold.pid"
}

# Reads the text of control `id` of the window of class `class` (owned by a
# window of class `owner`, "-" for none) into `out` and compares it with the
# file `expected` of cases/, in which {folder} stands for the case folder as
# the program names it.
check_text() {
  local class=$1 id=$2 owner=$3 expected=$4 out=$5 dir=$6 want got
  wine "$window_text" "$class" "$caption" "$id" "$owner" >"$out" 2>"$out.err" </dev/null ||
    { echo "$class $id: $(cat "$out.err")"; return 1; }
  want=$(<"$here/cases/$expected")
  want=${want//"{folder}"/"$(winepath -w "$dir" 2>/dev/null)\\"}
  got=$(<"$out")
  [ "$got" = "$want" ] || { printf '%s reads:\n%s\nexpected:\n%s\n' "$class $id" "$got" "$want"; return 1; }
}

# Screenshot of the window, checked; prints the client area's origin.
screenshot() {
  local window=$1 png=$2
  import -window "$window" "$png"
  convert "$png" -depth 8 "rgb:$png.rgb"
  python3 "$here/check_window.py" $(identify -format '%w %h' "$png") "$png.rgb"
}

run_step() {
  local step=$1 window=$2 dir=$3 origin
  case $step in
    key:*) xdotool key $(tr ',' ' ' <<<"${step#key:}") ;;
    burst:*) xdotool key --delay 0 $(tr ',' ' ' <<<"${step#burst:}") ;;
    burst-hold:*)
      set -- $(tr ',' ' ' <<<"${step#burst-hold:}")
      xdotool key --delay 0 "${@:1:$#-1}" keydown "${!#}" ;;
    shot) screenshot "$window" "$dir/window.png" >"$dir/shot.txt" || { cat "$dir/shot.txt"; return 1; } ;;
    release) release "$dir" ;;
    status:*) check_text TForm1 "$label_id" JwwTextFlipApplication "${step#status:}" "$dir.status.txt" "$dir" ;;
    message:*)
      check_text '#32770' "$message_text_id" "$([ -n "$window" ] && echo TForm1 || echo -)" \
        "${step#message:}" "$dir.message.txt" "$dir" ;;
    click-memo)
      origin=$(screenshot "$window" "$dir/memo.png") || { echo "$origin"; return 1; }
      set -- $origin
      xdotool mousemove --window "$window" $(($2 + 300)) $(($3 + 60)) click 1 ;;
    *) echo "unknown step $step"; return 1 ;;
  esac
}

# Runs one case; prints why it failed, if it did.
run_case() {
  local name=$1 transfer=$2 settings=$3 steps=$4 transfer_after=$5 settings_after=$6
  local dir="$work/cases/作業フォルダ_$name" pid window= step waited=0 status
  local arguments=() exit_expected= window_expected=yes locks=() held=
  for step in $steps; do
    case $step in
      args:*) arguments+=("${step#args:}") ;;
      exit:*) exit_expected=${step#exit:} ;;
      no-window) window_expected= ;;
      lock:*) locks+=("${step#lock:}") ;;
      hold) held=yes ;;
    esac
  done
  mkdir -p "$dir"
  cp "$exe" "$dir/JwwTextFlip.exe"
  lay_out "$transfer" "$dir/JWC_TEMP.TXT"
  lay_out "$settings" "$dir/JwwTextFlip.dat"
  [ -f "$dir/JwwTextFlip.dat" ] && cp "$dir/JwwTextFlip.dat" "$dir/settings.before"
  for step in "${locks[@]}"; do lock "$step" "$dir" || return 1; done
  if [ -n "$held" ]; then hold "$dir" || return 1; fi
  (cd / && exec wine "$dir/JwwTextFlip.exe" "${arguments[@]}" >/dev/null 2>&1) &
  pid=$!
  if [ -n "$window_expected" ]; then
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "$window_name" | head -n 1) || true
    if [ -z "$window" ]; then echo "window did not appear"; return 1; fi
    xdotool windowfocus --sync "$window"
  fi
  for step in $steps; do
    case $step in
      args:*|exit:*|no-window|lock:*|hold) ;;
      *) run_step "$step" "$window" "$dir" || return 1 ;;
    esac
  done
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$waited" -ge $((case_timeout * 10)) ]; then
      echo "still running after ${case_timeout}s"
      return 1
    fi
  done
  status=0
  wait "$pid" || status=$?
  release "$dir"
  if [ -n "$exit_expected" ] && [ "$status" != "$exit_expected" ]; then
    echo "exit code $status, expected $exit_expected"
    return 1
  fi
  check_file "$transfer_after" "$dir/JWC_TEMP.TXT" "" || return 1
  check_file "$settings_after" "$dir/JwwTextFlip.dat" "$dir/settings.before" || return 1
  if compgen -G "$dir/JWC_TEMP.TXT.new*" >/dev/null; then echo "a temporary file is left"; return 1; fi
}

passed=0
failed=0
mkdir -p "$work/cases"

# The program must run on a bare Windows: it may import Windows' own DLLs only.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
foreign=$(grep -v -x -E 'kernel32\.dll|user32\.dll|gdi32\.dll|msvcrt\.dll|comctl32\.dll|advapi32\.dll' \
  <<<"$imports" || true)
if [ -n "$imports" ] && [ -z "$foreign" ]; then
  echo "PASS system-dlls-only"
  passed=$((passed + 1))
else
  echo "FAIL system-dlls-only: imports $(tr '\n' ' ' <<<"${foreign:-nothing}")"
  failed=$((failed + 1))
fi

# Windows refuses to start a program whose manifest is not well-formed. The
# manifest asks for the styled common controls, runs as the invoker and
# declares no DPI awareness: the layout is in fixed pixels, Windows scales it.
if why=$(python3 - "$exe" 2>&1 <<'PY'
import re, sys, xml.etree.ElementTree as ET
found = re.search(rb"<\?xml.*?</assembly>", open(sys.argv[1], "rb").read(), re.S)
if not found:
    sys.exit("no manifest")
try:
    tags = [(e.tag.split("}")[-1], e.attrib) for e in ET.fromstring(found.group(0)).iter()]
except ET.ParseError as error:
    sys.exit("manifest is not well-formed: %s" % error)
if not any(t == "assemblyIdentity" and a.get("name") == "Microsoft.Windows.Common-Controls"
           and a.get("version") == "6.0.0.0" for t, a in tags):
    sys.exit("no common controls 6")
if not any(t == "requestedExecutionLevel" and a.get("level") == "asInvoker" for t, a in tags):
    sys.exit("not asInvoker")
if sum(t == "supportedOS" for t, a in tags) != 4:
    sys.exit("not Windows 7, 8, 8.1 and 10/11")
if any(t.lower().startswith("dpiaware") for t, a in tags):
    sys.exit("declares DPI awareness")
PY
); then
  echo "PASS manifest"
  passed=$((passed + 1))
else
  echo "FAIL manifest: $why"
  failed=$((failed + 1))
fi

while IFS='|' read -r name transfer settings steps transfer_after settings_after; do
  name=$(trim "$name")
  case $name in ''|'#'*) continue ;; esac
  [[ $name =~ ${JWW_E2E_ONLY:-.} ]] || continue
  # The case's output goes to a file: Wine's processes outlive a case and
  # would hold a pipe open.
  log="$work/cases/$name.log"
  result=0
  run_case "$name" "$(trim "$transfer")" "$(trim "$settings")" "$(trim "$steps")" \
    "$(trim "$transfer_after")" "$(trim "$settings_after")" </dev/null >"$log" 2>&1 || result=$?
  unlock "$work/cases/作業フォルダ_$name"
  release "$work/cases/作業フォルダ_$name"
  if [ "$result" -eq 0 ]; then
    echo "PASS $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name: $(tr '\n' ' ' <"$log")"
    failed=$((failed + 1))
    # Whatever the failed case left running goes, so the next starts clean.
    wineserver -k 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
  fi
  xdotool keyup Escape || true   # a case may have left the key held down
done <"$here/cases.txt"

echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
