# Thin wrapper over the CMake presets.
#   make demo           build the library and run the demo client
#   make test           build and run every test: release, the sanitizer build,
#                       then the Windows builds (see test-windows)
#   make test-windows   cross-build for Windows with mingw-w64: the x86_64 DLL
#                       and its tests, run under Wine, and the i686 DLL and
#                       tests, built and linked only (its export table checked)
.PHONY: demo test test-release test-asan test-windows test-mingw-x64 test-mingw-i686 clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

demo:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bin/zodode_example

test: test-release test-asan test-windows

test-release:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

test-windows: test-mingw-x64 test-mingw-i686

test-mingw-x64:
	cmake --preset mingw-x64
	cmake --build --preset mingw-x64 -j $(JOBS)
	ctest --preset mingw-x64

test-mingw-i686:
	cmake --preset mingw-i686
	cmake --build --preset mingw-i686 -j $(JOBS)
	ctest --preset mingw-i686

clean:
	rm -rf build
