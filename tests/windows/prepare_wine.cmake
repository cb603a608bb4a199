# Run by CTest before the Windows tests: the executable must have been built, and the wine
# prefix is made once (its first start takes a while; the tests themselves then start fast).
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
