#!/usr/bin/env bash
# The testing frameworks' build: `make -j EXE=PATH CXX=clang++` in the source root must leave a
# clang-built engine at PATH (its folder made) whose `bench` ends with the two lines they read.
# Then `make run` on that build must call the engine's "quit" (exit status 1) a success.
#   check_exe_build.sh WORK-DIR   (the build folder and the engine go under WORK-DIR)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1" >&2; exit 1; }
# The make that may run ctest must not hand its job server down to this one.
unset MAKEFLAGS MFLAGS MAKELEVEL

engine=$work/engines/morva-test
(cd "$source_dir" && make -j EXE="$engine" CXX=clang++ EXE_BUILD="$work/build") >"$work/make.log" 2>&1 ||
  { cat "$work/make.log" >&2; fail "make EXE=... CXX=clang++ failed"; }
readelf -p .comment "$engine" | grep -q 'clang version' || fail "the engine was not built by clang++"

bench=$(cd "$work" && "$engine" bench)
tail -n 2 <<<"$bench" | tr '\n' '|' | grep -Eqx 'Nodes searched: [0-9]+\|Nodes/second: [0-9]+\|' ||
  fail "bench did not end with the two lines:"$'\n'"$bench"

(cd "$source_dir" && printf 'uci\nquit\n' | make -s run RELEASE="$work/build" >/dev/null) ||
  fail "make run failed after quit"
echo "built with clang++ at $engine; bench: $(tail -n 2 <<<"$bench" | tr '\n' ' ')"
