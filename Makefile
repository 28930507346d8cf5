# Thin wrapper over the CMake presets.
#   make demo   build the library and run the demo client
#   make test   build and run every test (release, then the sanitizer build)
#   make test-reliability   ThreadSanitizer, Valgrind memcheck and bounded fuzzing
#                           (FUZZ_SECONDS per fuzz target, default 30)
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

.PHONY: test-reliability test-tsan test-memcheck test-fuzz

FUZZ_SECONDS ?= 30

test-reliability: test-tsan test-memcheck test-fuzz

test-tsan:
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan

test-memcheck:
	cmake --preset memcheck
	cmake --build --preset memcheck -j $(JOBS)
	ctest --preset memcheck

test-fuzz:
	cmake --preset fuzz -DZODODE_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz

clean:
	rm -rf build
