#!/usr/bin/env bash
# The core's layers, held to their order by their includes: a file under
# one of the folders below may include the standard library and the folders
# its row names, nothing else of the project. The same rules are the layers'
# link lines (CMakeLists.txt, transfer/CMakeLists.txt), which the build
# checks by linking each layer alone (cmake/JwwLayer.cmake).
#
#   bash scripts/check-layers.sh [ROOT]       checks the tree at ROOT (default: this one)
#   bash scripts/check-layers.sh --self-test  plants, for every row, an include of each
#                                             folder it may not use and expects it named
# Exit code 0 when every include keeps to its row; otherwise each wrong one
# is printed as FILE: PATH and the exit code is 1.
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
# (a system header written with quotes) is not judged.
own_roots="common transfer flip app bench fuzz tools tests crossbuild"

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

# For every row and every folder of the rules it may not include, a tree
# holding one file that does must fail with exactly that include named; a
# file that includes every folder its row allows must pass.
self_test() {
  local tmp row folder allowed other out failures=0
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' RETURN
  for row in "${rules[@]}"; do
    read -r folder allowed <<<"$row"
    rm -rf "${tmp:?}"/*
    mkdir -p "$tmp/$folder"
    for other in $allowed; do echo "#include \"$other/Allowed.h\""; done >"$tmp/$folder/Planted.h"
    if ! out=$(check "$tmp"); then
      echo "self-test: $folder: an allowed include refused: $out"
      failures=$((failures + 1))
    fi
    for other in "${rules[@]%% *}" app; do
      [[ " $allowed " == *" $other "* ]] && continue
      rm -rf "${tmp:?}"/*
      mkdir -p "$tmp/$folder"
      echo "#include \"$other/Forbidden.h\"" >"$tmp/$folder/Planted.h"
      if out=$(check "$tmp") || [ "$out" != "$folder/Planted.h: $other/Forbidden.h" ]; then
        echo "self-test: $folder including $other not caught as such: ${out:-nothing}"
        failures=$((failures + 1))
      fi
    done
  done
  [ "$failures" -eq 0 ] && echo "self-test: every forbidden include caught, every allowed one passed"
  [ "$failures" -eq 0 ]
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  check "${1:-$(cd "$(dirname "$0")/.." && pwd)}" && echo "layers: every include keeps to its layer"
fi
