#!/usr/bin/env bash
# The engine built for x86-64-v2 on a processor without SSE4.2 and POPCNT (qemu's qemu64 model),
# started as a chess program starts it: one line on standard error that names what the
# processor lacks, nothing on standard output, and exit status 2, where it used to die on an
# illegal instruction. On the first processor with both (qemu's Nehalem) the
# same engine must run: the check must not turn away a processor that can run it.
#   check_processor.sh ENGINE QEMU-X86_64
set -euo pipefail
engine=$1
qemu=$2
fail() { echo "$1" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
printf 'uci\n' | QEMU_CPU=qemu64 "$qemu" "$engine" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "morva on qemu64 ended with status $status, not 2: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "morva on qemu64 wrote to standard output: $(head -c 300 "$work/out")"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "morva on qemu64 did not write one line on standard error: $(cat "$work/err")"
grep -q 'lacks.* SSE4\.2.* POPCNT' "$work/err" || fail "morva on qemu64 did not name SSE4.2 and POPCNT: $(cat "$work/err")"
QEMU_CPU=Nehalem "$qemu" "$engine" perft 3 | grep -q '^Nodes searched: 8902$' ||
  fail "the engine does not run on qemu's Nehalem, which has SSE4.2 and POPCNT"
echo "on qemu64: $(cat "$work/err")"
