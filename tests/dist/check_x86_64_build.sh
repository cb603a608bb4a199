#!/usr/bin/env bash
# `make ARCH=x86-64` in the source root, as a distribution whose baseline is plain x86-64 builds
# the engine: first with the hardening flags a distribution sets (CPPFLAGS, CXXFLAGS, LDFLAGS),
# which must reach the engine (fortified and stack-protected calls, immediate binding); then
# without them in the same build folder, which must rebuild it without them. That engine must
# hold no popcnt instruction. (The tests that depend on this one run it under qemu on a processor
# without POPCNT: the reference sessions and the pinned bench node count.)
#   check_x86_64_build.sh WORK-DIR   (the build folder is WORK-DIR/build)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
fail() { echo "$1" >&2; exit 1; }
# The make that may run ctest must not hand its job server down to this one.
unset MAKEFLAGS MFLAGS MAKELEVEL
mkdir -p "$work"
engine=$work/build/morva

build() { # build [VARIABLE=VALUE...]
  (cd "$source_dir" && make ARCH=x86-64 RELEASE="$work/build" "$@") >"$work/make.log" 2>&1 ||
    { tail -n 40 "$work/make.log" >&2; fail "make ARCH=x86-64 $* failed"; }
}
hardening() { # what of the distribution's flags the engine shows
  local shown=""
  nm -D "$engine" | grep -q ' U __stack_chk_fail' && shown+="stack-protector "
  nm -D "$engine" | grep -Eq ' U __[a-z]+_chk' && shown+="fortify "
  readelf -d "$engine" | grep -q 'BIND_NOW' && shown+="bindnow "
  echo "$shown"
}

build CPPFLAGS=-D_FORTIFY_SOURCE=2 CXXFLAGS=-fstack-protector-strong LDFLAGS=-Wl,-z,now
[ "$(hardening)" = "stack-protector fortify bindnow " ] ||
  fail "CPPFLAGS, CXXFLAGS and LDFLAGS did not all reach the engine: it shows only '$(hardening)'"
build
[ -z "$(hardening)" ] || fail "without the flags the engine was not rebuilt: it still shows '$(hardening)'"

popcnt=$(objdump -d "$engine" | grep -c popcnt || true)
[ "$popcnt" -eq 0 ] || fail "the ARCH=x86-64 engine holds $popcnt popcnt instructions"
echo "make ARCH=x86-64: the distribution's flags reach the engine and leave with a rebuild;" \
  "no popcnt instruction in $engine"
