# Compares the demangled symbols that LIBRARY exports with the list in EXPECTED,
# one per line. Fails on a symbol exported but not listed (a leak of an internal
# helper or a template instantiation) and on a listed symbol that is missing.
# With -DUPDATE=ON it rewrites EXPECTED instead.
#
# A shared object is read with `nm -DC --defined-only` (NM); a DLL's export
# table with `objdump -p` (OBJDUMP), its names demangled by CXXFILT.
cmake_policy(VERSION 3.25)

if(NOT LIBRARY OR NOT EXPECTED)
  message(FATAL_ERROR "usage: cmake -DLIBRARY=... -DEXPECTED=... "
                      "[-DNM=...] [-DOBJDUMP=... -DCXXFILT=...] [-DUPDATE=ON] "
                      "-P check_exports.cmake")
endif()

function(run_tool out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status})")
  endif()
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# "<address> <type> <name>" lines; the version node (type A) is not a symbol.
function(elf_exports out)
  if(NOT NM)
    set(NM nm)
  endif()
  run_tool(lines ${NM} -DC --defined-only ${LIBRARY})
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) (.+)$" AND NOT CMAKE_MATCH_1 STREQUAL "A")
      list(APPEND names "${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

# The "[Ordinal/Name Pointer] Table" of `objdump -p` lists "[ <n>] <name>";
# "DLL Name: <file>" lines name the DLLs imported from, set in IMPORTS.
function(pe_exports out)
  if(NOT OBJDUMP OR NOT CXXFILT)
    message(FATAL_ERROR "a DLL needs -DOBJDUMP=... and -DCXXFILT=...")
  endif()
  run_tool(lines ${OBJDUMP} -p ${LIBRARY})
  set(mangled "")
  set(imports "")
  set(in_table OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
      list(APPEND imports "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
      set(in_table ON)
    elseif(in_table AND line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      list(APPEND mangled "${CMAKE_MATCH_1}")
    elseif(in_table)
      set(in_table OFF)
    endif()
  endforeach()
  set(names "")
  if(mangled)
    # Export names carry no leading underscore, also on i686 where symbols do.
    run_tool(names ${CXXFILT} --no-strip-underscore ${mangled})
    list(FILTER names EXCLUDE REGEX "^$")
  endif()
  set(${out} "${names}" PARENT_SCOPE)
  set(IMPORTS "${imports}" PARENT_SCOPE)
endfunction()

# Objects and their storage cross the DLL boundary both ways, so the DLL must
# take the C++ runtime from the shared libstdc++-6.dll, as its clients do; a
# statically linked copy would bring its own allocator and its own heap.
function(require_shared_runtime)
  string(TOLOWER "${IMPORTS}" imports)
  if(NOT "libstdc++-6.dll" IN_LIST imports)
    message(FATAL_ERROR "${LIBRARY} does not import libstdc++-6.dll "
                        "(imports: ${IMPORTS}); is the C++ runtime linked statically?")
  endif()
endfunction()

if(LIBRARY MATCHES "\\.[dD][lL][lL]$")
  pe_exports(actual)
  require_shared_runtime()
else()
  elf_exports(actual)
endif()
list(REMOVE_DUPLICATES actual)
list(SORT actual)

if(UPDATE)
  string(REPLACE ";" "\n" text "${actual}")
  file(WRITE ${EXPECTED} "${text}\n")
  return()
endif()

file(STRINGS ${EXPECTED} expected)
set(extra ${actual})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${actual})
if(extra OR missing)
  string(REPLACE ";" "\n  " extra_text "${extra}")
  string(REPLACE ";" "\n  " missing_text "${missing}")
  message(FATAL_ERROR "exported surface differs from ${EXPECTED}\n"
                      "exported but not listed:\n  ${extra_text}\n"
                      "listed but not exported:\n  ${missing_text}")
endif()
list(LENGTH actual count)
message(STATUS "${count} exported symbols, as listed")
