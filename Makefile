# Thin wrapper over the CMake presets.
#   make demo   build the library and run the demo client
#   make test   build and run every test (release, then the sanitizer build)
.PHONY: demo test test-release test-asan clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

demo:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bin/zodode_example

test: test-release test-asan

test-release:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release

test-asan:
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan

clean:
	rm -rf build
