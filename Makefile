# Thin wrapper over the CMake presets.
#   make demo              build the library and the zodode tool only (the dist
#                          preset: no tests, no GoogleTest), run `zodode demo`
#   make package           the Debian package of the dist build: build/dist/*.deb
#   make test              build and run every test: every leg below, in order
#   make test-release      the release build's unit, export and tool tests
#   make test-scalar       the same tests with the scalar kernels only (no SSE2)
#   make test-m32          the library and unit tests built with -m32, run natively
#                          (or under qemu-i386 where the kernel runs no 32-bit programs)
#   make test-asan         the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   make test-windows      cross-build for Windows with mingw-w64: the x86_64 DLL
#                          and its tests, run under Wine, and the i686 DLL and
#                          tests, built and linked only (its export table checked)
#   make test-reliability  ThreadSanitizer, Valgrind memcheck and bounded fuzzing
#                          (FUZZ_SECONDS per fuzz target, default 30)
# A leg whose tools are not installed is skipped with a note saying what to
# install, unless ZODODE_REQUIRE_ALL is set (CI sets it: there nothing skips).
.PHONY: demo package test print-test-legs test-windows test-reliability clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 30

# The legs of `make test`, in order; .ci/run times each one. Each leg is a
# preset that is configured, built and tested.
TEST_LEGS = test-release test-scalar test-m32 test-asan test-mingw-x64 test-mingw-i686 test-tsan test-memcheck test-fuzz

# What a leg needs beyond g++, CMake and GoogleTest (a program, or a file of
# the 32-bit libraries), and the Debian packages that bring it.
LEG_TOOLS_mingw-x64 = x86_64-w64-mingw32-g++-posix wine
LEG_PACKAGES_mingw-x64 = g++-mingw-w64-x86-64 wine wine64
LEG_TOOLS_mingw-i686 = i686-w64-mingw32-g++-posix
LEG_PACKAGES_mingw-i686 = g++-mingw-w64-i686
# Where the kernel runs no 32-bit programs, the m32 leg runs its tests under
# qemu-i386 (the build finds it); the probe runs only when the leg does.
M32_RUNNER = $(shell d=$$(mktemp -d) && printf 'int main(void){return 0;}' >$$d/p.c && \
  gcc -m32 $$d/p.c -o $$d/p 2>/dev/null && $$d/p 2>/dev/null || echo qemu-i386; rm -rf $$d)
LEG_TOOLS_m32 = /usr/lib/gcc/x86_64-linux-gnu/12/32/libstdc++.so $(M32_RUNNER)
LEG_PACKAGES_m32 = g++-multilib qemu-user
LEG_TOOLS_memcheck = valgrind
LEG_PACKAGES_memcheck = valgrind
LEG_TOOLS_fuzz = clang++
LEG_PACKAGES_fuzz = clang libclang-rt-14-dev
LEG_CONFIGURE_fuzz = -DZODODE_FUZZ_SECONDS=$(FUZZ_SECONDS)

demo:
	cmake --preset dist
	cmake --build --preset dist -j $(JOBS)
	./build/dist/bin/zodode demo

package:
	cmake --preset dist
	cmake --build --preset dist -j $(JOBS) --target package

test: $(TEST_LEGS)

print-test-legs:
	@echo $(TEST_LEGS)

test-windows: test-mingw-x64 test-mingw-i686

test-reliability: test-tsan test-memcheck test-fuzz

test-%:
	@for tool in $(LEG_TOOLS_$*); do \
	  { command -v $$tool || [ -e $$tool ]; } >/dev/null 2>&1 && continue; \
	  if [ -n "$$ZODODE_REQUIRE_ALL" ]; then echo "test-$*: $$tool is not installed" >&2; exit 1; fi; \
	  echo "test-$*: SKIPPED, $$tool is not installed (apt-get install $(LEG_PACKAGES_$*))"; \
	  exit 0; \
	done; \
	set -e; \
	cmake --preset $* $(LEG_CONFIGURE_$*); \
	cmake --build --preset $* -j $(JOBS); \
	ctest --preset $*

clean:
	rm -rf build
