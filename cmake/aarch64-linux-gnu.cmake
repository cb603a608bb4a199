# Cross build for 64-bit ARM Linux with Debian's cross compiler (g++-aarch64-linux-gnu).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CROSS_PREFIX aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${CROSS_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${CROSS_PREFIX}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${CROSS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Linked statically, the executable runs on any 64-bit ARM Linux whatever its C and C++
# libraries, and qemu-aarch64 runs it on an x86-64 machine without a copy of the ARM ones.
# Symbols are of no use to the people who run it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s")
