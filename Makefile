# Thin wrapper over the CMake presets.
#   make demo              build the library and the zodode tool, run `zodode demo`
#   make test              build and run every test: every leg below, in order
#   make test-release      the release build's unit, export and tool tests
#   make test-asan         the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   make test-windows      cross-build for Windows with mingw-w64: the x86_64 DLL
#                          and its tests, run under Wine, and the i686 DLL and
#                          tests, built and linked only (its export table checked)
#   make test-reliability  ThreadSanitizer, Valgrind memcheck and bounded fuzzing
#                          (FUZZ_SECONDS per fuzz target, default 30)
.PHONY: demo test print-test-legs test-release test-asan clean
.PHONY: test-windows test-mingw-x64 test-mingw-i686
.PHONY: test-reliability test-tsan test-memcheck test-fuzz

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

# The legs of `make test`, in order; .ci/run times each one.
TEST_LEGS = test-release test-asan test-mingw-x64 test-mingw-i686 test-tsan test-memcheck test-fuzz

demo:
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	./build/release/bin/zodode demo

test: $(TEST_LEGS)

print-test-legs:
	@echo $(TEST_LEGS)

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
