# `make install` into a staging folder (DESTDIR) under PREFIX /usr/local: the engine must land
# in bin and answer "uci", the README in share/doc/morva. BUILD_DIR is the build to install.
set(stage ${WORK_DIR}/install-stage)
file(REMOVE_RECURSE ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${stage}
  ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr/local RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(engine ${stage}/usr/local/bin/morva)
if(NOT EXISTS ${stage}/usr/local/share/doc/morva/README.md)
  message(FATAL_ERROR "the README is not in share/doc/morva")
endif()
file(WRITE ${WORK_DIR}/uci.in "uci\nquit\n")
execute_process(COMMAND ${engine} INPUT_FILE ${WORK_DIR}/uci.in OUTPUT_VARIABLE output TIMEOUT 30)
if(NOT output MATCHES "^id name Morva_b2_5 Debug\n.*uciok \n$")
  message(FATAL_ERROR "the installed engine answered \"uci\" with:\n${output}")
endif()
file(REMOVE_RECURSE ${stage})
