# Fails when an engine source includes a header of a folder above its own: app, then uci, then
# search, then eval and movegen (side by side), then board, with io at the bottom.
#   cmake -DROOT=<source folder> -P tests/layers.cmake
set(RANK_app 6)
set(RANK_uci 5)
set(RANK_search 4)
set(RANK_eval 3)
set(RANK_movegen 3)
set(RANK_board 2)
set(RANK_io 1)
set(FOLDERS app uci search eval movegen board io)

set(FAULTS "")
foreach(folder IN LISTS FOLDERS)
  file(GLOB sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
      if(NOT DEFINED RANK_${target})
        continue()
      endif()
      if(RANK_${target} GREATER RANK_${folder} OR
         (RANK_${target} EQUAL RANK_${folder} AND NOT target STREQUAL folder))
        file(RELATIVE_PATH name ${ROOT} ${source})
        string(APPEND FAULTS "  ${name}: ${line}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(FAULTS)
  message(FATAL_ERROR "Includes that point up or sideways:\n${FAULTS}")
endif()
