# Starts (ACTION=start) or ends (ACTION=stop) one Wine session around a test
# run under Wine: cmake -DACTION=... -DWINE=... -DWINESERVER=... -P wine_session.cmake
#
# Without it every test process finds no server, starts Wine's system
# processes again (seconds each) and hands them its output pipe, so ctest waits
# for them to end too. A persistent server with the system processes already
# running, their standard streams on the null device, lets each test start in a
# fraction of a second. The server ends a minute after its last client even if
# the stop step never runs.
if(NOT ACTION OR NOT WINE OR NOT WINESERVER)
  message(FATAL_ERROR "usage: cmake -DACTION=start|stop -DWINE=... -DWINESERVER=... "
                      "-P wine_session.cmake")
endif()

function(quietly)
  execute_process(COMMAND ${ARGN} INPUT_FILE /dev/null OUTPUT_FILE /dev/null
                  ERROR_FILE /dev/null RESULT_VARIABLE status)
  set(status ${status} PARENT_SCOPE)
endfunction()

# A server left by an earlier run (or by test discovery) would keep its own
# lifetime; this prefix's session is replaced by a persistent one.
quietly(${WINESERVER} -k)
if(ACTION STREQUAL "stop")
  return()
endif()
quietly(${WINESERVER} -p60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wineserver -p60 failed (${status})")
endif()
quietly(${WINE} wineboot)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wine wineboot failed (${status}); is WINEPREFIX writable?")
endif()
message(STATUS "Wine session ready in $ENV{WINEPREFIX}")
