#!/usr/bin/env bash
# Runs one fuzz target for a fixed time and prints one line: its executions, their rate by the
# wall clock and by the processor time the target got (the fairer figure on a loaded machine),
# and whether it found anything. The full libFuzzer log and any finding stay in the work folder.
#   run_target.sh NAME PROGRAM SECONDS WORK_FOLDER SEED_FOLDER... [-- LIBFUZZER_OPTION...]
set -u
name=$1 program=$2 seconds=$3 work=$4
shift 4
folders=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do folders+=("$1"); shift; done
[ $# -gt 0 ] && shift
mkdir -p "$work/corpus" "$work/findings"
log=$work/fuzz.log
"$program" -max_total_time="$seconds" -print_final_stats=1 -timeout=20 -rss_limit_mb=2048 \
  -artifact_prefix="$work/findings/" "$@" "$work/corpus" "${folders[@]}" >"$log" 2>&1
status=$?
# The processor time of the finished target: the second line of `times`, user and system.
times >"$work/times.txt"
cpu=$(tail -n 1 "$work/times.txt" | awk '{ split($1, u, /[ms]/); split($2, s, /[ms]/); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }')
stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
findings=$(find "$work/findings" -type f | wc -l)
executions=$(stat number_of_executed_units)
summary="$name: $executions executions in ${seconds} s, $(stat average_exec_per_sec) exec/s, \
$(awk -v n="${executions:-0}" -v t="$cpu" 'BEGIN { printf "%.0f", (t > 0 ? n / t : 0) }') exec/s of processor time, corpus $(find "$work/corpus" -type f | wc -l) inputs, $findings findings"
echo "$summary" | tee "$work/summary.txt"
if [ $status -ne 0 ] || [ "$findings" -ne 0 ]; then
  tail -n 40 "$log"
  echo "$name found a fault: the input is in $work/findings. Minimize it with"
  echo "  $program -minimize_crash=1 -runs=100000 <input>"
  echo "and keep the result in tests/fuzz/regressions/$name/, where make test replays it."
  exit 1
fi
