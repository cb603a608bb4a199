#!/usr/bin/env bash
# The engine built for x86-64-v2 on a processor without SSE4.2 and POPCNT (qemu's qemu64 model),
# started as a chess program starts it and with arguments: each time one line on standard error
# that names what the processor lacks, nothing on standard output, and exit status 2, where it
# used to die on an illegal instruction. On the first processor with both (qemu's Nehalem) the
# same engine must run: the check must not turn away a processor that can run it.
#   check_processor.sh ENGINE QEMU-X86_64
set -euo pipefail
engine=$1
qemu=$2
fail() { echo "$1" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for arguments in "" "bench 1"; do
  status=0
  # shellcheck disable=SC2086
  printf 'uci\n' | QEMU_CPU=qemu64 "$qemu" "$engine" $arguments >"$work/out" 2>"$work/err" || status=$?
  what="morva${arguments:+ $arguments} on qemu64"
  [ "$status" -eq 2 ] || fail "$what ended with status $status, not 2: $(cat "$work/err")"
  [ ! -s "$work/out" ] || fail "$what wrote to standard output: $(head -c 300 "$work/out")"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what did not write one line on standard error: $(cat "$work/err")"
  grep -q 'lacks.* SSE4\.2.* POPCNT' "$work/err" || fail "$what did not name SSE4.2 and POPCNT: $(cat "$work/err")"
done
QEMU_CPU=Nehalem "$qemu" "$engine" perft 3 | grep -q '^Nodes searched: 8902$' ||
  fail "the engine does not run on qemu's Nehalem, which has SSE4.2 and POPCNT"
echo "on qemu64: $(cat "$work/err")"
