# Cross build for 64-bit Windows with Debian's mingw-w64 toolchain (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The executable must run on a bare Windows machine, so the compiler's runtime goes inside
# it. The search keeps a move list on the stack at every level and can go well over a hundred
# levels deep, far past the default 1 MB stack of a Windows program. Symbols are of no use to
# the people who run it and would triple its size. Without the link time in its header, the
# same source gives the same executable, and the release archive the same checksum.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--stack,67108864 -s -Wl,--no-insert-timestamp")
