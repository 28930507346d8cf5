#!/usr/bin/env bash
# The installed package as a client sees it: install the build into a
# temporary prefix, build examples/ as a separate project against it once with
# find_package and once with pkg-config, and run the results and the
# installed tool.
#   consume_install.sh BUILD_DIR SOURCE_DIR WORKDIR [CXX]
set -euo pipefail
build=$1 source=$2 work=$3 cxx=${4:-c++}
prefix="$work/prefix"

rm -rf "$work" && mkdir -p "$work"
cmake --install "$build" --prefix "$prefix" > "$work/install.log"

library=$(find "$prefix" -name 'libzodode32.so.*.*' | head -n 1)
soname=$(readelf -d "$library" | sed -n 's/.*SONAME.*\[\(.*\)\]/\1/p')
[ "$soname" = libzodode32.so.1 ] || { echo "SONAME is '$soname'"; exit 1; }
[ -f "$prefix/share/man/man1/zodode.1" ] || { echo "zodode.1 not installed"; exit 1; }
for header in zString.h zSubString.h zWString.h zodode_export.h; do
  [ -f "$prefix/include/zodode32/$header" ] || { echo "$header not installed"; exit 1; }
done

echo "== find_package"
cmake -S "$source/examples" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release > "$work/configure.log"
cmake --build "$work/cmake-build" > "$work/build.log"
"$work/cmake-build/zodode_example" | tee "$work/cmake-run.txt"

echo "== pkg-config"
export PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name zodode32.pc)")"
[ "$(pkg-config --modversion zodode32)" = 1.0.0 ]
# shellcheck disable=SC2046  # the flags are words
"$cxx" -std=c++11 "$source/examples/example.cpp" -o "$work/pc-example" \
  $(pkg-config --cflags --libs zodode32) -Wl,-rpath,"$(pkg-config --variable=libdir zodode32)"
"$work/pc-example" > "$work/pc-run.txt"
cmp "$work/cmake-run.txt" "$work/pc-run.txt"

echo "== installed tool"
"$prefix/bin/zodode" demo > "$work/demo.txt"
grep -q "Hello There" "$work/demo.txt"
echo "installed package consumed with find_package and with pkg-config"
