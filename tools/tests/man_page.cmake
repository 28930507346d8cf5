# The manual page against the tool: every command that `zodode --help` lists
# has a section headed by its usage line exactly as `zodode COMMAND --help`
# gives it, and the page names the exit statuses and --version.
#   ZODODE, RUN_PREFIX (as in run_case.cmake), PAGE (zodode.1)
cmake_minimum_required(VERSION 3.25)

file(READ "${PAGE}" page)
# troff escapes: \- is a minus sign, \e a backslash.
string(REPLACE "\\-" "-" page "${page}")
string(REPLACE "\\e" "\\" page "${page}")

execute_process(COMMAND ${RUN_PREFIX} "${ZODODE}" --help OUTPUT_VARIABLE overview
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zodode --help failed: ${status}")
endif()
string(REGEX REPLACE ".*\ncommands:\n" "" listing "${overview}")
string(REGEX REPLACE "\n\n.*" "" listing "${listing}")
string(REGEX REPLACE "  ([a-z0-9]+) [^\n]*\n?" "\\1;" names "${listing}")
list(REMOVE_ITEM names "")

set(failures)
set(count 0)
foreach(name IN LISTS names)
  math(EXPR count "${count} + 1")
  execute_process(COMMAND ${RUN_PREFIX} "${ZODODE}" ${name} --help OUTPUT_VARIABLE help)
  string(REGEX MATCH "^usage: ([^\n]*)" usage "${help}")
  set(heading ".SS \"${CMAKE_MATCH_1}\"")
  string(FIND "${page}" "${heading}" at)
  if(at EQUAL -1)
    list(APPEND failures "no section ${heading} for ${name}")
  endif()
endforeach()
if(count LESS 9)
  list(APPEND failures "only ${count} commands found in zodode --help")
endif()
foreach(needle ".SH EXIT STATUS\n.TP\n.B 0\n" "\n.B 1\n" "\n.B 2\n" "--version" "--strict"
               "--quiet" "NUL" "CR LF" "byte-order mark")
  string(FIND "${page}" "${needle}" at)
  if(at EQUAL -1)
    list(APPEND failures "the page lacks '${needle}'")
  endif()
endforeach()
if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "zodode.1:\n  ${text}")
endif()
