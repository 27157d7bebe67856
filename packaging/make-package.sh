#!/usr/bin/env bash
# Builds the release package out/JwwTextFlip-<version>.zip: the Windows
# program, the batch file that the host's external-transformation menu picks
# for the window (文字基点_反転.bat, made from packaging/src/JwwTextFlip.bat),
# the three one-click batch files (one flip type each, no window; the four
# names begin with 文字基点_ so that they stand together in the host's file
# list), and the Japanese readme. The batch file and the readme are kept in
# packaging/src as UTF-8 with LF line ends and turned into Shift-JIS (code
# page 932) with CR LF here; a character that Shift-JIS cannot hold stops the
# build instead of being lost.
#
# Usage: packaging/make-package.sh [PATH/TO/JwwTextFlip.exe]
# Without an argument the MinGW-w64 build in build/mingw is used (and built
# when missing). Prints the path of the zip.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

version=$(sed -n 's/^project([^)]*VERSION \([0-9][0-9.]*\).*/\1/p' CMakeLists.txt)
if [ -z "$version" ]; then
  echo "make-package: no project version in CMakeLists.txt" >&2
  exit 1
fi

exe=${1:-build/mingw/app/JwwTextFlip.exe}
if [ ! -f "$exe" ] && [ $# -eq 0 ]; then
  cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/mingw -j "$(nproc)" --target JwwTextFlip >/dev/null
fi
if [ ! -f "$exe" ]; then
  echo "make-package: no program at $exe" >&2
  exit 1
fi

# to_shift_jis SOURCE TARGET: UTF-8 with LF to Shift-JIS with CR LF, checked
# by converting back.
to_shift_jis() {
  local source=$1 target=$2
  if grep -q $'\r' "$source"; then
    echo "make-package: $source must have LF line ends only" >&2
    return 1
  fi
  sed "s/@VERSION@/$version/g" "$source" > "$target.utf8"
  iconv -f UTF-8 -t CP932 "$target.utf8" > "$target.sjis"
  if ! iconv -f CP932 -t UTF-8 "$target.sjis" | cmp -s - "$target.utf8"; then
    echo "make-package: $source does not convert to Shift-JIS without loss" >&2
    return 1
  fi
  sed 's/$/\r/' "$target.sjis" > "$target"
  rm -f "$target.utf8" "$target.sjis"
}

# one_click_bat FLIP_TYPE NAME DESCRIPTION: the one-click batch file of a
# flip type, made from the main one so that their directives stay the same:
# its own description on line 1, and the program started with /flip:N.
one_click_bat() {
  local flip=$1 name=$2 description=$3
  sed -e "1s/.*/REM $description/" \
      -e "s|^start /w JwwTextFlip.exe\$|start /w JwwTextFlip.exe /flip:$flip|" \
      packaging/src/JwwTextFlip.bat >"$stage/$name.utf8.bat"
  to_shift_jis "$stage/$name.utf8.bat" "$stage/$name"
  rm -f "$stage/$name.utf8.bat"
}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/JwwTextFlip.exe"
to_shift_jis packaging/src/JwwTextFlip.bat "$stage/文字基点_反転.bat"
to_shift_jis packaging/src/readme.txt "$stage/readme.txt"
one_click_bat 0 "文字基点_左右反転.bat" "文字基点の反転：左右反転（画面を出さずに、選択した文字の基点をすぐに左右反転します）"
one_click_bat 1 "文字基点_上下反転.bat" "文字基点の反転：上下反転（画面を出さずに、選択した文字の基点をすぐに上下反転します）"
one_click_bat 2 "文字基点_上下左右反転.bat" "文字基点の反転：上下左右反転（画面を出さずに、選択した文字の基点をすぐに上下左右反転します）"

mkdir -p out
zip_path=$root/out/JwwTextFlip-$version.zip
rm -f "$zip_path"
(cd "$stage" && python3 "$root/packaging/make-zip.py" "$zip_path" JwwTextFlip.exe 文字基点_反転.bat \
  文字基点_左右反転.bat 文字基点_上下反転.bat 文字基点_上下左右反転.bat readme.txt)
echo "$zip_path"
