# The WebAssembly engines, built with emscripten.
#
# - build/wasm/morva.js reads its input from a queue in shared memory, filled by another
#   thread; under Node (`node morva.js`, a UCI engine on standard input and output) and as a
#   browser worker, where browsers grant shared memory only to cross-origin isolated pages.
# - build/wasm/morva-async.js needs no shared memory: it hands control back to its host's
#   event loop at each of the search's input checks (emscripten's ASYNCIFY). It runs under
#   Node and as a worker of any page.
# - build/wasm/morva-web.js is the same engine as a browser worker only, with none of the Node
#   glue, which bundlers could not resolve.
#
# - SINGLE_FILE embeds the module, so that Node never fetches a .wasm file by URL and the
#   browser loads one file.
# - The standard streams are the host glue's (io/host_wasm.js): FORCE_FILESYSTEM keeps the
#   stream devices it replaces, and EXIT_RUNTIME lets "quit" and the end of input end Node
#   with the engine's exit status.
# - The hash table may grow to the advertised maximum and beyond; a size that does not fit
#   in 4 GiB gets the engine's own "no memory" answer.
# - The move ordering's SSE code becomes WebAssembly SIMD (emscripten's SSE headers), which
#   every current browser and Node run.
# - The engine's own code is compiled for link-time optimisation, which wasm-ld then does
#   across its files. The link itself stays an ordinary one: linked with -flto, emscripten
#   would take its link-time-optimised system libraries, which fail to link in Debian's build
#   ("attempt to add bitcode file after LTO").
set(MORVA_WASM_COMPILE_OPTIONS -msimd128 -msse4.1 -flto)
target_compile_options(morva_core PRIVATE ${MORVA_WASM_COMPILE_OPTIONS})
target_compile_options(morva PRIVATE ${MORVA_WASM_COMPILE_OPTIONS})

function(morva_wasm_engine target environment)
  target_link_options(${target} PRIVATE
    -msimd128
    -sENVIRONMENT=${environment}
    -sSINGLE_FILE=1
    -sFORCE_FILESYSTEM=1
    -sEXIT_RUNTIME=1
    -sALLOW_MEMORY_GROWTH=1
    -sINITIAL_MEMORY=64MB
    -sMAXIMUM_MEMORY=4GB
    -sTOTAL_STACK=8MB)
  foreach(script IN LISTS ARGN)
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${PROJECT_SOURCE_DIR}/io/${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/io/${script})
  endforeach()
  # Debian's emscripten runs its JavaScript optimiser with the system's node, which finds
  # Debian's acorn only through NODE_PATH.
  set_property(TARGET ${target} PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
endfunction()

morva_wasm_engine(morva node,worker input_queue_wasm.js host_wasm.js host_node_wasm.js host_shared_input_wasm.js)

# Only the calls that can reach the two input imports keep their place across a pause, and no
# call through a pointer does: the search's other calls stay as fast as without ASYNCIFY. The
# saved stack of a deep search with its capture lines needs more room than the default.
foreach(target IN ITEMS morva_async morva_web)
  add_executable(${target} ${ENTRY_SOURCES})
  target_link_libraries(${target} PRIVATE morva_core)
  target_compile_options(${target} PRIVATE ${MORVA_WASM_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE
    -sASYNCIFY=1
    "-sASYNCIFY_IMPORTS=['HostInputReady','ReadHostInput']"
    -sASYNCIFY_IGNORE_INDIRECT=1
    -sASYNCIFY_STACK_SIZE=65536)
endforeach()
set_target_properties(morva_async PROPERTIES OUTPUT_NAME morva-async)
morva_wasm_engine(morva_async node,worker host_wasm.js host_node_wasm.js host_async_input_wasm.js)
set_target_properties(morva_web PROPERTIES OUTPUT_NAME morva-web)
morva_wasm_engine(morva_web worker host_wasm.js host_async_input_wasm.js)
