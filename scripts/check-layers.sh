#!/usr/bin/env bash
# The core's layers, held to their order by their includes: a file under
# one of the folders below may include the standard library and the folders
# its row names, nothing else of the project. The same rules are the layers'
# link lines (CMakeLists.txt, transfer/CMakeLists.txt), which the build
# checks by linking each layer alone (cmake/JwwLayer.cmake). And the core is
# portable: no file anywhere under common/, transfer/ or flip/ includes a
# header that is neither the standard library's nor the project's own.
#
#   bash scripts/check-layers.sh [ROOT]       checks the tree at ROOT (default: this one)
#   bash scripts/check-layers.sh --self-test  plants, for every row, an include of each
#                                             folder it may not use, and platform headers
#                                             across the core, and expects each named
# Exit code 0 when every include keeps to its row and the core includes no
# platform header; otherwise each wrong one is printed as FILE: PATH and the
# exit code is 1.
set -euo pipefail

# A folder (its own files, not its subfolders) and the folders it may include.
rules=(
  "common/exact     common/exact"
  "common           common common/exact"
  "transfer/seams   transfer/seams"
  "transfer/store   transfer/store transfer/seams common"
  "transfer/read    transfer/read transfer/store transfer/seams common"
  "transfer/write   transfer/write transfer/store transfer/seams common common/exact"
  "transfer         transfer transfer/read transfer/write transfer/store transfer/seams"
  "flip             flip transfer transfer/read transfer/write transfer/store transfer/seams common"
)

# The project's own folders: an include path under any other first folder
# (a system header written with quotes) is not judged by the rows.
own_roots="common transfer flip platform app bench fuzz tools tests crossbuild"

# The core's folders, each with every subfolder, and the headers of the
# C++20 standard library (with the C library's under both names), the only
# ones the core may include besides its own: any other ties it to a
# platform (<sys/stat.h>, <unistd.h>, <windows.h>, <fcntl.h>, <pthread.h>,
# a compiler's intrinsics).
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

# check ROOT: prints every wrong include under ROOT; false when there is one.
check() {
  local root=$1 wrong=0 row folder allowed file path dir
  for row in "${rules[@]}"; do
    read -r folder allowed <<<"$row"
    for file in "$root/$folder"/*.h "$root/$folder"/*.cpp; do
      [ -f "$file" ] || continue
      while read -r path; do
        case $path in
          */*) dir=${path%/*} ;;
          *) dir=$folder ;;  # a bare name is found beside the file
        esac
        [[ " $own_roots " == *" ${dir%%/*} "* ]] || continue
        [[ " $allowed " == *" $dir "* ]] && continue
        echo "${file#"$root"/}: $path"
        wrong=1
      done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\([^">]*\)[">].*/\1/p' "$file")
    done
  done
  return $wrong
}

# check_platform ROOT: prints every include in a source file anywhere under
# the core's folders at ROOT that is neither a standard header nor the
# project's own (a path under one of its folders, which the rows judge, or a
# bare name found beside the file); false when there is one.
check_platform() {
  local root=$1 wrong=0 file quote path
  while IFS= read -r -d '' file; do
    while read -r quote path; do
      if [ "$quote" = '"' ]; then
        [[ " $own_roots " == *" ${path%%/*} "* && $path == */* ]] && continue
        [[ $path != */* && -f ${file%/*}/$path ]] && continue
      fi
      [[ $standard_headers == *[[:space:]]"${path}"[[:space:]]* ]] && continue
      echo "${file#"$root"/}: $path"
      wrong=1
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\(["<]\)\([^">]*\)[">].*/\1 \2/p' "$file")
  done < <(for core in $core_roots; do
    [ -d "$root/$core" ] && find "$root/$core" -type f \( -name '*.h' -o -name '*.hpp' -o \
      -name '*.cpp' -o -name '*.cc' -o -name '*.inc' \) -print0
  done)
  return $wrong
}

# The self-test's steps, on the tree at $tmp, counting in $failures (both
# the self-test's own). fresh FOLDER: an empty tree but for FOLDER.
fresh() {
  rm -rf "${tmp:?}"/*
  mkdir -p "$tmp/$1"
}

# expect_passed CHECK WHAT: CHECK passes the tree.
expect_passed() {
  local out
  if ! out=$("$1" "$tmp"); then
    echo "self-test: $2: an allowed include refused: $out"
    failures=$((failures + 1))
  fi
}

# expect_caught CHECK FOLDER FILE INCLUDE NAMED: in a tree holding FOLDER/FILE
# with `#include INCLUDE` alone, CHECK fails and names exactly that include
# as NAMED.
expect_caught() {
  local out
  fresh "$2"
  echo "#include $4" >"$tmp/$2/$3"
  if out=$("$1" "$tmp") || [ "$out" != "$2/$3: $5" ]; then
    echo "self-test: $2 including $4 not caught as such: ${out:-nothing}"
    failures=$((failures + 1))
  fi
}

# For every row and every folder of the rules it may not include, a tree
# holding one file that does must fail with exactly that include named; a
# file that includes every folder its row allows must pass. Platform
# headers, with either quotes, in each core folder, in a subfolder of it and
# in a subfolder no row names, must each be named; standard headers of both
# kinds and a bare name beside the file pass.
self_test() {
  local tmp row folder allowed other place header failures=0
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  for row in "${rules[@]}"; do
    read -r folder allowed <<<"$row"
    fresh "$folder"
    for other in $allowed; do echo "#include \"$other/Allowed.h\""; done >"$tmp/$folder/Planted.h"
    expect_passed check "$folder"
    for other in "${rules[@]%% *}" platform/posix app; do
      [[ " $allowed " == *" $other "* ]] ||
        expect_caught check "$folder" Planted.h "\"$other/Forbidden.h\"" "$other/Forbidden.h"
    done
  done
  for place in common common/exact transfer transfer/seams transfer/any flip flip/any; do
    fresh "$place"
    printf '#include <%s>\n' cstdio thread stdint.h >"$tmp/$place/Planted.h"
    echo '#include "Beside.h"' >>"$tmp/$place/Planted.h"
    : >"$tmp/$place/Beside.h"
    expect_passed check_platform "$place"
    for header in sys/stat.h sys/types.h unistd.h windows.h fcntl.h pthread.h io.h immintrin.h; do
      expect_caught check_platform "$place" Planted.cpp "<$header>" "$header"
      expect_caught check_platform "$place" Planted.cpp "\"$header\"" "$header"
    done
  done
  [ "$failures" -eq 0 ] &&
    echo "self-test: every forbidden include and platform header caught, every allowed one passed"
  [ "$failures" -eq 0 ]
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
  status=0
  check "$root" || status=1
  check_platform "$root" || status=1
  [ "$status" -eq 0 ] && echo "layers: every include keeps to its layer; the core includes no platform header"
  exit "$status"
fi
