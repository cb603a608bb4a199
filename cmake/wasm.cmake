# The WebAssembly engine, built with emscripten: build/wasm/morva.js runs under Node
# (`node morva.js`, a UCI engine on standard input and output) and as a browser worker.
#
# - SINGLE_FILE embeds the module, so that Node never fetches a .wasm file by URL and the
#   browser loads one file.
# - The standard streams are the host glue's (io/host_wasm.js): FORCE_FILESYSTEM keeps the
#   stream devices it replaces, and EXIT_RUNTIME lets "quit" and the end of input end Node
#   with the engine's exit status.
# - The hash table may grow to the advertised maximum and beyond; a size that does not fit
#   in 4 GiB gets the engine's own "no memory" answer.
set(MORVA_WASM_HOST ${PROJECT_SOURCE_DIR}/io/input_queue_wasm.js ${PROJECT_SOURCE_DIR}/io/host_wasm.js)
target_link_options(morva PRIVATE
  -sENVIRONMENT=node,worker
  -sSINGLE_FILE=1
  -sFORCE_FILESYSTEM=1
  -sEXIT_RUNTIME=1
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=64MB
  -sMAXIMUM_MEMORY=4GB
  -sTOTAL_STACK=8MB
  "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/io/input_queue_wasm.js"
  "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/io/host_wasm.js")
set_property(TARGET morva APPEND PROPERTY LINK_DEPENDS ${MORVA_WASM_HOST})
# Debian's emscripten runs its JavaScript optimiser with the system's node, which finds
# Debian's acorn only through NODE_PATH.
set_property(TARGET morva PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
