#!/usr/bin/env bash
# Installs the built library into a scratch prefix, then builds and runs a
# separate project against it, once through CMake and once through pkg-config.
set -euo pipefail
build_dir=$1
source_dir=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
cmake -S "$source_dir" -B "$scratch/build" -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/build" >/dev/null
LD_LIBRARY_PATH="$scratch/prefix/lib" "$scratch/build/consumer" | grep -qx "mode ended: yes"
LD_LIBRARY_PATH="$scratch/prefix/lib" "$scratch/build/consumer_test" >/dev/null

# As the README builds with pkg-config: the library found through the rpath.
export PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig"
# shellcheck disable=SC2046
c++ -std=c++17 "$source_dir/main.cpp" -o "$scratch/by-pkg-config" $(pkg-config --cflags --libs QELmodC) \
  -Wl,-rpath,"$(pkg-config --variable=libdir QELmodC)"
env -u LD_LIBRARY_PATH "$scratch/by-pkg-config" | grep -qx "mode ended: yes"
echo "consumer project built and ran against the installed tree"
