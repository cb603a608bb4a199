#!/usr/bin/env bash
# Runs one fuzz target for a fixed time and prints one line: its executions, their rate and
# whether it found anything. The full libFuzzer log and any finding stay in the work folder.
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
stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
findings=$(find "$work/findings" -type f | wc -l)
summary="$name: $(stat number_of_executed_units) executions in ${seconds} s, $(stat average_exec_per_sec) exec/s, corpus $(find "$work/corpus" -type f | wc -l) inputs, $findings findings"
echo "$summary" | tee "$work/summary.txt"
if [ $status -ne 0 ] || [ "$findings" -ne 0 ]; then
  tail -n 40 "$log"
  echo "$name found a fault: the input is in $work/findings. Minimize it with"
  echo "  $program -minimize_crash=1 -runs=100000 <input>"
  echo "and keep the result in tests/fuzz/regressions/$name/, where make test replays it."
  exit 1
fi
