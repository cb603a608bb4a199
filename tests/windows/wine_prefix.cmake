# Run by CTest around the Windows tests, with STEP set to "prepare" or "finish".
# prepare: the executable must have been built; programs that an interrupted earlier run left
# in the tests' wine prefix are ended, and the prefix is made (its first start takes a while,
# the tests then start fast).
# finish: ends the wine server of the prefix and every program still running under it.
execute_process(COMMAND "${WINESERVER}" -k OUTPUT_QUIET ERROR_QUIET)
if(STEP STREQUAL "finish")
  return()
endif()
if(NOT EXISTS "${WINDOWS_ENGINE}")
  message(FATAL_ERROR "${WINDOWS_ENGINE} is missing: build it with `make windows`")
endif()
if(NOT EXISTS "${PIPE_HOST}")
  message(FATAL_ERROR "${PIPE_HOST} is missing: the mingw-w64 compiler did not build it")
endif()
execute_process(COMMAND "${WINE}" wineboot --init RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET TIMEOUT 240)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wineboot failed in $ENV{WINEPREFIX}: ${result}")
endif()
