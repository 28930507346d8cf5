#!/usr/bin/env bash
# The Debian package: build it with cpack from BUILD_DIR, unpack it into a
# scratch root (dpkg -x, no installation), check what it holds, and run the
# tool and the example client built against it with find_package and with
# pkg-config. Exit status 77 (skipped) without dpkg, unless ZODODE_REQUIRE_ALL
# is set (CI).
#   deb_package.sh CPACK BUILD_DIR SOURCE_DIR WORKDIR [CXX]
set -euo pipefail
cpack=$1 build=$2 source=$3 work=$4 cxx=${5:-c++}

if ! command -v dpkg > /dev/null; then
  [ -n "${ZODODE_REQUIRE_ALL:-}" ] && { echo "dpkg not found, and ZODODE_REQUIRE_ALL is set"; exit 1; }
  echo "SKIPPED: dpkg not found (a Debian system builds and unpacks the package)"
  exit 77
fi

rm -rf "$work" && mkdir -p "$work"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log"
deb=$(find "$work/out" -maxdepth 1 -name 'zodode32_*.deb')
[ -n "$deb" ] || { cat "$work/cpack.log"; echo "no .deb made"; exit 1; }
[ "$(dpkg-deb -f "$deb" Package)" = zodode32 ]
root="$work/root"
dpkg -x "$deb" "$root"

for file in bin/zodode lib/libzodode32.so.1 lib/libzodode32.so include/zodode32/zString.h \
            include/zodode32/zWString.h lib/cmake/zodode32/zodode32Config.cmake \
            lib/pkgconfig/zodode32.pc share/man/man1/zodode.1; do
  [ -e "$root/usr/$file" ] || { echo "the package lacks /usr/$file"; exit 1; }
done

echo "== the tool from the package"
"$root/usr/bin/zodode" demo > "$work/demo.txt"
grep -q "Hello There" "$work/demo.txt"
[ "$(printf 'f' | "$root/usr/bin/zodode" base64)" = "Zg==" ]

echo "== the example, with find_package"
cmake -S "$source/examples" -B "$work/example" -DCMAKE_PREFIX_PATH="$root/usr" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_BUILD_TYPE=Release > "$work/configure.log"
cmake --build "$work/example" > "$work/build.log"
"$work/example/zodode_example" > "$work/cmake-run.txt"

echo "== the example, with pkg-config"
export PKG_CONFIG_PATH="$root/usr/lib/pkgconfig"
# shellcheck disable=SC2046  # the flags are words
"$cxx" -std=c++11 "$source/examples/example.cpp" -o "$work/pc-example" \
  $(pkg-config --cflags --libs zodode32)
LD_LIBRARY_PATH="$root/usr/lib" "$work/pc-example" > "$work/pc-run.txt"
cmp "$work/cmake-run.txt" "$work/pc-run.txt"
echo "$(basename "$deb") unpacked; its tool and the example run from it"
