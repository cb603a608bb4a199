#!/usr/bin/env bash
# Installs what the tests need and the base image lacks, only when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each need is a package and a command or file that shows it is there.
needs=()
bare_needs=()
need() { needs+=("$1=$2"); }
# The same, installed without the package's recommendations (hundreds of megabytes that no test uses).
need_bare() { bare_needs+=("$1=$2"); }
present() { # present COMMAND-OR-FILE, where the file may be a pattern
  command -v "$1" >/dev/null 2>&1 && return 0
  local file
  for file in $1; do [ -e "$file" ] && return 0; done
  return 1
}
absent() { # absent NEED...: the packages of the needs that are not there
  for pair in "$@"; do present "${pair#*=}" || echo "${pair%%=*}"; done
}
need cmake cmake
need g++ g++
need libgtest-dev /usr/include/gtest/gtest.h
# The fuzz target: clang with libFuzzer and the sanitizer runtimes.
need clang clang++
need libclang-rt-dev '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a'
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
# The browser test of the page (tests/web), and python3's http.server as the plain web host of
# the browser and npm tests.
need chromium /usr/bin/chromium
need python3 python3
# The Debian package's test (tests/dist): the build tools, lintian, and hardening-check from
# devscripts. (qemu-user's qemu-x86_64 runs the engines on a processor without POPCNT.)
need_bare dpkg-dev dpkg-buildpackage
need_bare debhelper dh
need_bare lintian lintian
need_bare devscripts hardening-check

mapfile -t missing < <(absent "${needs[@]}")
mapfile -t missing_bare < <(absent "${bare_needs[@]}")
if [ $((${#missing[@]} + ${#missing_bare[@]})) -gt 0 ]; then
  echo "installing: ${missing[*]} ${missing_bare[*]}"
  apt-get update
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
  fi
  if [ ${#missing_bare[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing_bare[@]}"
  fi
fi
# apt can report a package as installed whose files are gone: every test needs what is listed
# here, so stop now, naming it, rather than let the tests fail (or skip) one by one later.
mapfile -t still_missing < <(absent "${needs[@]}" "${bare_needs[@]}")
if [ ${#still_missing[@]} -gt 0 ]; then
  for pair in "${needs[@]}" "${bare_needs[@]}"; do
    present "${pair#*=}" || echo "tools/install-deps.sh: ${pair#*=} is missing although its package, ${pair%%=*}, was installed" >&2
  done
  echo "tools/install-deps.sh: the tests cannot run without ${still_missing[*]}: reinstall with \`apt-get install --reinstall ${still_missing[*]}\`" >&2
  exit 1
fi

if [ ! -d tests/games/node_modules ]; then
  (cd tests/games && npm ci --no-audit --no-fund)
fi

# The WebAssembly engine and the page (make wasm, make web-build).
bash tools/install-web-deps.sh web
