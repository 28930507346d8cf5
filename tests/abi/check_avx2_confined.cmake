# Fails when an instruction of the AVX encoding (a mnemonic starting with "v")
# lies in a function of LIBRARY whose demangled name does not name the AVX2
# set. Only kernels_avx2.cpp is compiled for AVX2; any other function holding
# such an instruction (another file built so, or an inline function of a
# shared header whose AVX2 copy the linker kept) would fault on a processor
# without AVX2.
cmake_policy(VERSION 3.25)

if(NOT LIBRARY OR NOT OBJDUMP)
  message(FATAL_ERROR "usage: cmake -DLIBRARY=... -DOBJDUMP=... -P check_avx2_confined.cmake")
endif()

execute_process(
  COMMAND ${OBJDUMP} -d -C --no-show-raw-insn ${LIBRARY}
  COMMAND awk [[
    /^[0-9a-f]+ <.*>:$/ { name = $0; sub(/^[0-9a-f]+ </, "", name); sub(/>:$/, "", name); next }
    $2 ~ /^v/ { if (name ~ /avx2/) inside++; else if (!(name in seen)) { seen[name] = 1; print name } }
    END { print "instructions in the AVX2 set: " inside }]]
  OUTPUT_VARIABLE report RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} or awk failed (${status})")
endif()
string(REGEX MATCH "instructions in the AVX2 set: ([0-9]+)" total "${report}")
set(inside "${CMAKE_MATCH_1}")
string(REGEX REPLACE "instructions in the AVX2 set: [0-9]+\n?$" "" outside "${report}")
if(NOT outside STREQUAL "")
  message(FATAL_ERROR "AVX instructions outside the AVX2 set, in:\n${outside}")
endif()
# A disassembly that shows none at all means the check looked in the wrong place.
if(NOT inside GREATER 0)
  message(FATAL_ERROR "no AVX instructions found in ${LIBRARY}: is the AVX2 set built?")
endif()
message(STATUS "${inside} AVX instructions, all in the AVX2 set")
