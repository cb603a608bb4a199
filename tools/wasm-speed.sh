#!/usr/bin/env bash
# The WebAssembly engines' speed beside the native engine's, measured side by side: `bench`
# of each engine in turn, ROUNDS times (default 7), and the median of each one's nodes per
# second with its share of the native figure. Run after `make` and `make wasm`.
# Usage: tools/wasm-speed.sh [ROUNDS] [DEPTH]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:-7}"
depth="${2:-5}"
names=(native "node morva.js" "node morva-async.js")
commands=("build/release/morva" "node build/wasm/morva.js" "node build/wasm/morva-async.js")
for engine in build/release/morva build/wasm/morva.js build/wasm/morva-async.js; do
  [ -e "$engine" ] || { echo "$engine is missing: run make and make wasm first" >&2; exit 1; }
done

declare -a rates
for ((round = 1; round <= rounds; ++round)); do
  for i in "${!commands[@]}"; do
    rate=$(${commands[$i]} bench "$depth" </dev/null | awk '/^Nodes\/second:/ { print $2 }')
    rates[$i]="${rates[$i]:-} $rate"
  done
  echo "round $round of $rounds:${rates[0]##* } ${rates[1]##* } ${rates[2]##* }" >&2
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
native=$(median "${rates[0]}")
shared=$(median "${rates[1]}")
for i in "${!commands[@]}"; do
  awk -v name="${names[$i]}" -v rate="$(median "${rates[$i]}")" -v native="$native" -v shared="$shared" -v i="$i" 'BEGIN {
    printf "%-20s %9d nodes/s  %5.1f%% of native", name, rate, 100 * rate / native
    if (i == 2) printf "  %5.1f%% of node morva.js", 100 * rate / shared
    printf "\n"
  }'
done
