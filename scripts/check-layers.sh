#!/usr/bin/env bash
# The layers, held to their order by their includes, and the core held to
# standard C++.
#
# Every folder under common/, transfer/, flip/, platform/, app/, bench/,
# fuzz/ and tools/ belongs to one row below: the row that names it, or else
# the row of the nearest folder above it, when that row is written FOLDER/...
# (the folder and its subfolders). A folder that belongs to no row fails: a
# new layer gets a row before it gets code.
#
# A row is a layer. Its files may include the standard library, any file of
# their own layer, and, of the layers their row names, the public header
# alone: the layer's one door, which the others include and nothing else of
# it ("*": any header, for a layer with no inner parts; "-": nothing, for the
# platform's adapters, which only plug in). The rows are also the layers'
# link lines (CMakeLists.txt, transfer/CMakeLists.txt, which the build checks
# by linking each layer alone, cmake/JwwLayer.cmake). The tests (tests/) are
# in no row: they may include any header, to test a layer's inner parts.
#
# And the core is portable: no file under common/, transfer/ or flip/
# includes a header that is neither the standard library's nor the project's
# own.
#
#   bash scripts/check-layers.sh [ROOT]       checks the tree at ROOT (default: this one)
#   bash scripts/check-layers.sh --self-test  plants, in every row and in a subfolder of
#                                             it, an include of every layer it may not use
#                                             and of an inner header of every layer it may,
#                                             a folder in no row, and platform headers
#                                             across the core, and expects each named
# Exit code 0 when every folder has its row, every include keeps to its row
# and the core includes no platform header; otherwise each fault is printed
# (FILE: PATH for an include, FOLDER/: in no row) and the exit code is 1.
set -euo pipefail

#      layer                  its public header             the layers it may include
rules=(
  "common/exact/...       common/exact/ExactNumbers.h   -"
  "common                 common/MyFunc.h               common/exact"
  "transfer/seams/...     transfer/seams/JwwSeams.h     -"
  "transfer/store/...     transfer/store/JwwStore.h     transfer/seams common"
  "transfer/read/...      transfer/read/JwwReader.h     transfer/store transfer/seams common"
  "transfer/write/...     transfer/write/JwwWriter.h    transfer/store transfer/seams common common/exact"
  "transfer               transfer/JwwGaibu.h           transfer/read transfer/write transfer/store transfer/seams"
  "flip/...               *                             transfer common"
  "platform               -                             -"
  "platform/posix/...     -                             transfer/seams"
  "platform/portable/...  -                             transfer/seams"
  "app/...                *                             flip transfer transfer/seams common"
  "bench/...              *                             app flip transfer common"
  "fuzz/...               *                             flip transfer transfer/seams common"
  "tools/...              *                             flip transfer common"
)
# The window and the fuzz targets plug file operations of their own into the
# file seam (the wide-character API, files in memory), hence the seams in
# their rows; everything else above transfer/ reaches it through JwwGaibu.h.

# The folders the rows cover, and all of the project's own folders: an
# include path under any other first folder (a system header written with
# quotes) is not judged by the rows.
row_roots="common transfer flip platform app bench fuzz tools"
own_roots="$row_roots tests crossbuild"

# The core's folders, and the headers of the C++20 standard library (with
# the C library's under both names), the only ones the core may include
# besides its own: any other ties it to a platform (<sys/stat.h>,
# <unistd.h>, <windows.h>, <fcntl.h>, <pthread.h>, a compiler's intrinsics).
core_roots="common transfer flip"
standard_headers=" algorithm any array atomic barrier bit bitset charconv chrono codecvt compare
  complex concepts condition_variable coroutine deque exception execution filesystem format
  forward_list fstream functional future initializer_list iomanip ios iosfwd iostream istream
  iterator latch limits list locale map memory memory_resource mutex new numbers numeric optional
  ostream queue random ranges ratio regex scoped_allocator semaphore set shared_mutex
  source_location span sstream stack stdexcept stop_token streambuf string string_view strstream
  syncstream system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set
  utility valarray variant vector version
  cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp csignal cstdarg
  cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype
  assert.h ctype.h errno.h fenv.h float.h inttypes.h limits.h locale.h math.h setjmp.h signal.h
  stdarg.h stddef.h stdint.h stdio.h stdlib.h string.h time.h uchar.h wchar.h wctype.h "

# The rows, by index: each layer's folder, whether its subfolders belong to
# it, its public header and what it may include; row_index maps a folder to
# its row.
declare -a layer_folder layer_covers layer_door layer_uses
declare -A row_index
for i in "${!rules[@]}"; do
  read -r folder door uses <<<"${rules[$i]}"
  layer_covers[i]=0
  if [[ $folder == */... ]]; then
    folder=${folder%/...}
    layer_covers[i]=1
  fi
  layer_folder[i]=$folder
  layer_door[i]=$door
  layer_uses[i]=" ${uses/#-/} "
  row_index[$folder]=$i
done

# row_of DIR: sets `row` to the index of the row that DIR belongs to, or to
# -1 when it belongs to none (a folder outside the rows' folders, or one
# under a row that does not take its subfolders).
row_of() {
  local up=$1 found
  row=-1
  if [[ -n ${row_index[$up]+set} ]]; then
    row=${row_index[$up]}
    return
  fi
  while [[ $up == */* ]]; do
    up=${up%/*}
    if [[ -n ${row_index[$up]+set} ]]; then
      found=${row_index[$up]}
      ((layer_covers[found])) && row=$found
      return
    fi
  done
}

# source_files ROOT FOLDER...: the C++ sources under each FOLDER that
# exists at ROOT, NUL-separated.
source_files() {
  local root=$1 folder
  shift
  for folder in "$@"; do
    [ -d "$root/$folder" ] && find "$root/$folder" -type f \( -name '*.h' -o -name '*.hpp' -o \
      -name '*.cpp' -o -name '*.cc' -o -name '*.inc' \) -print0
  done
  return 0
}

# includes ROOT FOLDER...: every include of the sources under the FOLDERs, one
# a line as FILE QUOTE PATH, FILE relative to ROOT and QUOTE the opening
# quote (" or <).
includes() {
  local root=$1
  shift
  source_files "$root" "$@" | xargs -0 -r grep -H '^[[:space:]]*#[[:space:]]*include' |
    sed -n "s|^$root/\([^:]*\):[[:space:]]*#[[:space:]]*include[[:space:]]*\([\"<]\)\([^\">]*\)[\">].*|\1 \2 \3|p"
}

# check ROOT: prints every folder at ROOT in no row and every include that
# leaves its row; false when there is one.
check() {
  local root=$1 wrong=0 dir file quote path own other
  while IFS= read -r dir; do
    row_of "$dir"
    if ((row < 0)); then
      echo "$dir/: in no row"
      wrong=1
    fi
  done < <(for folder in $row_roots; do
    [ -d "$root/$folder" ] && find "$root/$folder" -type d -printf '%P\n' | sed "s|^|$folder/|;s|/$||"
  done)
  while read -r file quote path; do
    [[ $path == */* ]] || continue  # a bare name is found beside the file
    [[ " $own_roots " == *" ${path%%/*} "* ]] || continue
    row_of "${file%/*}"
    own=$row
    ((own < 0)) && continue  # its folder is named above
    row_of "${path%/*}"
    other=$row
    ((other == own)) && continue
    if ((other >= 0)) && [[ ${layer_uses[own]} == *" ${layer_folder[other]} "* ]]; then
      [[ ${layer_door[other]} == "*" || ${layer_door[other]} == "$path" ]] && continue
    fi
    echo "$file: $path"
    wrong=1
  done < <(includes "$root" $row_roots)
  return $wrong
}

# check_platform ROOT: prints every include in a source file anywhere under
# the core's folders at ROOT that is neither a standard header nor the
# project's own (a path under one of its folders, which the rows judge, or a
# bare name found beside the file); false when there is one.
check_platform() {
  local root=$1 wrong=0 file quote path
  while read -r file quote path; do
    if [ "$quote" = '"' ]; then
      [[ " $own_roots " == *" ${path%%/*} "* && $path == */* ]] && continue
      [[ $path != */* && -f $root/${file%/*}/$path ]] && continue
    fi
    [[ $standard_headers == *[[:space:]]"${path}"[[:space:]]* ]] && continue
    echo "$file: $path"
    wrong=1
  done < <(includes "$root" $core_roots)
  return $wrong
}

# The self-test plants its cases in one tree and compares what the check
# prints with what each case must give. plant FILE INCLUDE... writes FILE
# (relative to $tmp) with those includes; expect LINE adds a line that the
# check must print.
plant() {
  local file=$tmp/$1 include
  shift
  mkdir -p "${file%/*}"
  for include in "$@"; do echo "#include $include"; done >"$file"
}
expect() { expected+=("$1"); }

# expect_output CHECK WHAT: CHECK prints exactly the expected lines for the
# tree at $tmp, in any order, and fails exactly when it should.
expect_output() {
  local out=() status=0
  mapfile -t out < <("$1" "$tmp" || echo "exit code $?")
  [ ${#expected[@]} -gt 0 ] && expected+=("exit code 1")
  if [ "$(printf '%s\n' "${out[@]}" | sort)" != "$(printf '%s\n' "${expected[@]}" | sort)" ]; then
    echo "self-test: $2: expected and printed differ:"
    diff <(printf '%s\n' "${expected[@]}" | sort) <(printf '%s\n' "${out[@]}" | sort) || true
    failures=$((failures + 1))
  fi
}

# door_of I: a header of layer I as another layer would include it: its
# door, or any of its headers where it has no single one.
door_of() {
  case ${layer_door[$1]} in
    "*" | -) echo "${layer_folder[$1]}/Any.h" ;;
    *) echo "${layer_door[$1]}" ;;
  esac
}

# For every row, in its folder and in a subfolder of it (one that belongs to
# it, or one that must fail as in no row): a file with every include the row
# allows (a door of each layer it uses, an inner header of its own layer, a
# name beside it) must pass; a file including the door of each layer it may
# not use, an inner header of each layer it may use, a file of the tests or
# of a folder in no row must each be named.
self_test_rows() {
  local i j place places n allowed
  expected=()
  for i in "${!layer_folder[@]}"; do
    places=${layer_folder[i]}
    if ((layer_covers[i])); then
      places+=" ${layer_folder[i]}/detail"
    else
      plant "${layer_folder[i]}/unrowed/Planted.h" '"common/MyFunc.h"'
      expect "${layer_folder[i]}/unrowed/: in no row"
    fi
    for place in $places; do
      allowed=("\"${layer_folder[i]}/Inner.h\"" '"Beside.h"' '<vector>')
      for j in "${!layer_folder[@]}"; do
        [[ ${layer_uses[i]} == *" ${layer_folder[j]} "* && ${layer_door[j]} != "-" ]] &&
          allowed+=("\"$(door_of "$j")\"")
      done
      plant "$place/Allowed.h" "${allowed[@]}"
      n=0
      for j in "${!layer_folder[@]}"; do
        ((j == i)) && continue
        n=$((n + 1))
        if [[ ${layer_uses[i]} != *" ${layer_folder[j]} "* ]]; then
          plant "$place/Forbidden$n.h" "\"$(door_of "$j")\""
          expect "$place/Forbidden$n.h: $(door_of "$j")"
        elif [[ ${layer_door[j]} != "*" ]]; then
          plant "$place/Inner$n.h" "\"${layer_folder[j]}/Inner.h\""
          expect "$place/Inner$n.h: ${layer_folder[j]}/Inner.h"
        fi
      done
      plant "$place/Test.h" '"tests/reader/reader_support.h"'
      expect "$place/Test.h: tests/reader/reader_support.h"
      plant "$place/Unrowed.h" '"transfer/unrowed/Planted.h"'
      expect "$place/Unrowed.h: transfer/unrowed/Planted.h"
    done
  done
  expect_output check "the rows"
}

# Platform headers, with either quotes, in each core folder, in a subfolder
# of it and in a subfolder no row names, must each be named; standard
# headers of both kinds and a bare name beside the file pass.
self_test_platform() {
  local place header n=0
  expected=()
  for place in common common/exact transfer transfer/seams transfer/any flip flip/any; do
    plant "$place/Allowed.h" '<cstdio>' '<thread>' '<stdint.h>' '"Beside.h"' '"transfer/JwwGaibu.h"'
    : >"$tmp/$place/Beside.h"
    for header in sys/stat.h sys/types.h unistd.h windows.h fcntl.h pthread.h io.h immintrin.h; do
      n=$((n + 1))
      plant "$place/Angle$n.cpp" "<$header>"
      expect "$place/Angle$n.cpp: $header"
      plant "$place/Quoted$n.cpp" "\"$header\""
      expect "$place/Quoted$n.cpp: $header"
    done
  done
  expect_output check_platform "the core's headers"
}

self_test() {
  local tmp failures=0 expected
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  self_test_rows
  rm -rf "${tmp:?}"/*
  self_test_platform
  # A tree without the rows' folders has nothing to name.
  rm -rf "${tmp:?}"/*
  expected=()
  expect_output check "an empty tree"
  [ "$failures" -eq 0 ] && echo "self-test: every folder in no row, forbidden include," \
    "inner header reached from outside and platform header caught, every allowed one passed"
  [ "$failures" -eq 0 ]
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
  status=0
  check "$root" || status=1
  check_platform "$root" || status=1
  [ "$status" -eq 0 ] && echo "layers: every folder in its row, every include keeps to its row;" \
    "the core includes no platform header"
  exit "$status"
fi
