# Run by CTest before the ARM64 tests: the executable must have been built and qemu must run it,
# or every test would fail without saying why.
if(NOT EXISTS "${ENGINE}")
  message(FATAL_ERROR "${ENGINE} is missing: build it with `make aarch64`")
endif()
execute_process(COMMAND "${QEMU}" "${ENGINE}" perft 1 RESULT_VARIABLE result OUTPUT_VARIABLE output
  ERROR_VARIABLE output TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${QEMU} cannot run ${ENGINE} (${result}): ${output}\n"
    "install qemu-user (`make deps` does) and rebuild the engine with `make aarch64`")
endif()
