#!/usr/bin/env bash
# Checks one batch file for the host's external-transformation menu by the
# rules the host reads it by: Shift-JIS with CR LF line ends; the first line
# a "REM" description (the host's file dialog shows it); a directive is a
# "REM #..." line with its "#" within the line's first 10 bytes (a "#"
# further on is not read), and every directive is one the host documents;
# #jww; exactly one of #h1..#h4 with #hc and its prompt on the very next
# line; #g1 and #zc; #ht10, #ht20, #ht30 and #ht40, so that no block, curve,
# dimension figure or solid is handed over, and none of #ht1..#ht4, which
# would hand one over without erasing it, so that the answer drew it twice;
# #e after every directive; and "start /w" of the program, so that the host
# waits for it before it reads the answer.
#
# Usage: packaging/check-bat.sh FILE [PROGRAM]   (PROGRAM: JwwTextFlip.exe)
# Prints "PASS batch file: FILE" or one "FAIL batch file: FILE: ..." line per
# broken rule; exits 0 when every rule holds, 1 otherwise.
set -uo pipefail
source "$(dirname "$0")/text-checks.sh"
export LC_ALL=C

file=$1
program=${2:-JwwTextFlip.exe}
problems=()
problem() { problems+=("$*"); }

# The directives the host's references list (#hc takes the rest of its line).
known='^(jw|jww|cd|hf|h[0-4]|hp|hc|ht[1-4]|ht[1-4]0|g[01]|zs|bz|hr|h/|gn|zz|zk|zw|zc|e|c|f|c&&|f&&|[0-9]{1,2}(#|-|ln|ci|ch)?)$'

if [ ! -f "$file" ]; then
  echo "FAIL batch file: $file: missing"
  exit 1
fi
why=$(shift_jis_crlf "$file") || problem "$why"

mapfile -t lines < <(tr -d '\r' < "$file")
if ! [[ ${lines[0]:-} =~ ^[Rr][Ee][Mm]\ +[^\ ] ]] || [[ ${lines[0]:0:10} == *"#"* ]]; then
  problem "line 1 is not a REM description"
fi

names=()   # directive names in order
numbers=() # their line numbers
ended=0
started=0
for ((i = 1; i < ${#lines[@]}; i++)); do
  line=${lines[$i]}
  n=$((i + 1))
  if [[ ${line:0:10} == *"#"* ]]; then
    if [ "$ended" -eq 1 ]; then
      problem "line $n: a directive after #e"
    elif [[ $line =~ ^[Rr][Ee][Mm]\ +#(hc|[^\ ]+)(.*)$ ]]; then
      name=${BASH_REMATCH[1]}
      prompt=${BASH_REMATCH[2]}
      [[ $name =~ $known ]] || problem "line $n: #$name is no directive the host documents"
      if [ "$name" = hc ] && [[ ! $prompt =~ [^\ ] ]]; then
        problem "line $n: #hc has no prompt"
      fi
      names+=("$name")
      numbers+=("$n")
      [ "$name" = e ] && ended=1
    else
      problem "line $n: \"#\" within the first 10 bytes of a line that is no REM directive"
    fi
  elif [[ $line =~ ^[Rr][Ee][Mm]\ .*# ]] && [ "$ended" -eq 0 ]; then
    problem "line $n: \"#\" after the 10th byte: the host does not read it as a directive"
  elif [[ ${line,,} == "start /w ${program,,}" ]]; then
    [ "$ended" -eq 1 ] || problem "line $n: the program is started before #e"
    started=1
  fi
done

count() { local c=0 x; for x in "${names[@]}"; do [[ $x =~ ^($1)$ ]] && c=$((c + 1)); done; echo $c; }
[ "$(count jww)" -ge 1 ] || problem "no #jww"
[ "$(count 'h[0-4]')" -eq 1 ] || problem "not exactly one of #h1..#h4 (found $(count 'h[0-4]'))"
[ "$(count h0)" -eq 0 ] || problem "#h0 selects nothing"
[ "$(count g1)" -ge 1 ] || problem "no #g1"
[ "$(count zc)" -ge 1 ] || problem "no #zc"
for n in 1 2 3 4; do
  [ "$(count "ht${n}0")" -ge 1 ] || problem "no #ht${n}0: the host hands those entities over"
  [ "$(count "ht$n")" -eq 0 ] || problem "#ht$n: the host hands those entities over without erasing them"
done
[ "$ended" -eq 1 ] || problem "no #e"
[ "$started" -eq 1 ] || problem "no \"start /w $program\" after #e"
for k in "${!names[@]}"; do
  if [[ ${names[$k]} =~ ^h[1-4]$ ]]; then
    next=$((k + 1))
    if [ "${names[$next]:-}" != hc ] || [ "${numbers[$next]}" -ne $((numbers[k] + 1)) ]; then
      problem "#hc is not on the line right after #${names[$k]}"
    fi
  fi
done

if [ ${#problems[@]} -eq 0 ]; then
  echo "PASS batch file: $file"
  exit 0
fi
for p in "${problems[@]}"; do echo "FAIL batch file: $file: $p"; done
exit 1
