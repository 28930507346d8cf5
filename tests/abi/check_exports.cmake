# Compares the demangled dynamic symbols that LIBRARY defines with the list in
# EXPECTED, one per line. Fails on a symbol exported but not listed (a leak of
# an internal helper or a template instantiation) and on a listed symbol that
# is missing. With -DUPDATE=ON it rewrites EXPECTED instead.
if(NOT LIBRARY OR NOT EXPECTED)
  message(FATAL_ERROR "usage: cmake -DLIBRARY=... -DEXPECTED=... -P check_exports.cmake")
endif()
if(NOT NM)
  set(NM nm)
endif()

execute_process(COMMAND ${NM} -DC --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(actual "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>"; the version node (type A) is not a symbol of ours.
  if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) (.+)$")
    if(NOT CMAKE_MATCH_1 STREQUAL "A")
      list(APPEND actual "${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()
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
