#!/usr/bin/env bash
# Installs what the tests need and the base image lacks, only when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
need() { # need PACKAGE COMMAND-OR-FILE
  if ! command -v "$2" >/dev/null 2>&1 && [ ! -e "$2" ]; then missing+=("$1"); fi
}
need cmake cmake
need g++ g++
need libgtest-dev /usr/include/gtest/gtest.h
# The fuzz target: clang with libFuzzer and the sanitizer runtimes.
need clang clang++
need libclang-rt-dev "$(ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null | head -n 1)"
need libbenchmark-dev /usr/include/benchmark/benchmark.h
# Memcheck over protocol sessions (tests/valgrind).
need valgrind valgrind
# Opponents and referee of the test games (tests/games).
need stockfish /usr/games/stockfish
need glaurung /usr/games/glaurung
need nodejs node
need npm npm
# The Windows build (make windows) and the wine run of its tests.
need g++-mingw-w64-x86-64 x86_64-w64-mingw32-g++-posix
need wine wine
need wine64 /usr/lib/wine/wine64
# The ARM64 build (make aarch64) and the qemu run of its tests; zip for the release archives
# and unzip for their test.
need g++-aarch64-linux-gnu aarch64-linux-gnu-g++
need qemu-user qemu-aarch64
need zip zip
need unzip unzip
# The check that the installed manual page renders (groff-base: man-db's renderer, without man).
need groff-base groff
# The browser test of the page (tests/web).
need chromium /usr/bin/chromium

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

if [ ! -d tests/games/node_modules ]; then
  (cd tests/games && npm ci --no-audit --no-fund)
fi

# The WebAssembly engine and the page (make wasm, make web-build).
bash tools/install-web-deps.sh web
