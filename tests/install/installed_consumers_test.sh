#!/usr/bin/env bash
# Installs the build into a staging prefix and moves the tree elsewhere, as a package
# would be unpacked; then builds and runs the examples/ consumers against the moved tree
# alone (the C one through pkg-config, the C++ one through find_package) and runs the
# installed tool. Each loads the sample list by default path, beside the library.
#
# usage: installed_consumers_test.sh BUILD_DIR SCRATCH_DIR VERSION CC CXX GENERATOR [FLAGS]
set -euo pipefail
build=$1 scratch=$2 version=$3 cc=$4 cxx=$5 generator=$6 flags=${7:-}
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
failures=0

expect() {  # expect WHAT EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$scratch/staged" >/dev/null
mv "$scratch/staged" "$scratch/prefix"
prefix=$scratch/prefix
# Neither the text files nor the binaries' search paths may name the build tree or the
# staging prefix (debug information may: it says where the sources were compiled).
paths=$(grep -rlIF -e "$build" -e "$scratch/staged" "$prefix" || true)
for binary in "$prefix"/bin/* "$prefix"/lib*/libchatsieve.so.*.*; do
  readelf -d "$binary" | grep -E 'R(UN)?PATH' | grep -qF -e "$build" -e "$scratch/staged" &&
    paths+=" $binary"
done
expect "installed files naming the build tree" "" "$paths"

# pkg-config sees the moved tree only.
export PKG_CONFIG_LIBDIR
PKG_CONFIG_LIBDIR=$(dirname "$(find "$prefix" -name chatsieve.pc)")
expect "pkg-config version" "$version" "$(pkg-config --modversion chatsieve)"
# shellcheck disable=SC2046,SC2086  # the flags are lists of words
"$cc" $flags $(pkg-config --cflags chatsieve) "$examples/pkg-config/screen_line.c" \
  -o "$scratch/screen_line" $(pkg-config --libs chatsieve)
expect "C consumer" "libchatsieve $version: listed" \
  "$(LD_LIBRARY_PATH=$(pkg-config --variable=libdir chatsieve) "$scratch/screen_line")"

cmake -S "$examples/find-package" -B "$scratch/find-package" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF >/dev/null
cmake --build "$scratch/find-package" >/dev/null
expect "C++ consumer" "libchatsieve $version: gg, you *.*.*.*" "$("$scratch/find-package/mask_line")"

expect "installed tool" "listed	병신" "$("$prefix/bin/chatsieve" check 병신 || true)"
expect "installed lexicon files" "allowed.txt family.txt hate.txt insult.txt lookalikes.txt profanity.txt sexual.txt" \
  "$(ls "$prefix"/share/chatsieve/lexicon/ko | tr '\n' ' ' | sed 's/ $//')"
expect "installed tool's versions" "chatsieve $version libchatsieve $version" \
  "$("$prefix/bin/chatsieve" version | tr '\n' ' ' | sed 's/ $//')"

[ "$failures" -eq 0 ] && echo "installed consumers: all passed"
exit "$failures"
