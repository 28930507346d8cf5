# A 32-bit build on 64-bit Linux (preset m32) runs its tests natively where
# the kernel runs 32-bit programs, and under qemu-i386 where it does not
# (some virtual machines leave that out of their kernels). The emulator is
# set before any target exists, so every test binary inherits it.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT CMAKE_CROSSCOMPILING
   AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_HOST_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  try_run(zodode_runs_32 zodode_builds_32 ${PROJECT_BINARY_DIR}/runs_32
          ${CMAKE_CURRENT_LIST_DIR}/runs_32.cpp)
  if(NOT zodode_runs_32 STREQUAL "0")
    find_program(ZODODE_QEMU_I386 qemu-i386)
    if(NOT ZODODE_QEMU_I386)
      message(FATAL_ERROR "This kernel runs no 32-bit programs; the tests of a 32-bit build "
                          "run under qemu-i386 (apt-get install qemu-user)")
    endif()
    message(STATUS "32-bit programs do not run here: the tests run under ${ZODODE_QEMU_I386}")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZODODE_QEMU_I386})
  endif()
endif()
