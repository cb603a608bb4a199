#!/usr/bin/env bash
# The WebAssembly engines' speed beside the native engine's, measured side by side: `bench`
# of each engine in turn, ROUNDS times (default 7), and the median of each one's nodes per
# second. The shares are the medians of each round's own ratios: on a machine shared with other
# work the load changes from one round to the next far more than within one, so a round's
# engines, run back to back, are compared under about the same load. Each round starts with a
# different engine, so that none is always the one run first. Run after `make` and `make wasm`.
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

count=${#commands[@]}
declare -a rates of_native of_shared
for ((round = 1; round <= rounds; ++round)); do
  declare -a rate
  for ((k = 0; k < count; ++k)); do
    i=$(((k + round) % count))
    rate[$i]=$(${commands[$i]} bench "$depth" </dev/null | awk '/^Nodes\/second:/ { print $2 }')
  done
  for ((i = 0; i < count; ++i)); do
    rates[$i]="${rates[$i]:-} ${rate[$i]}"
    of_native[$i]="${of_native[$i]:-} $(awk -v a="${rate[$i]}" -v b="${rate[0]}" 'BEGIN { print 100 * a / b }')"
    of_shared[$i]="${of_shared[$i]:-} $(awk -v a="${rate[$i]}" -v b="${rate[1]}" 'BEGIN { print 100 * a / b }')"
  done
  echo "round $round of $rounds: ${rate[*]}" >&2
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for ((i = 0; i < count; ++i)); do
  awk -v name="${names[$i]}" -v rate="$(median "${rates[$i]}")" -v native="$(median "${of_native[$i]}")" \
    -v shared="$(median "${of_shared[$i]}")" -v i="$i" 'BEGIN {
    printf "%-20s %9d nodes/s  %5.1f%% of native", name, rate, native
    if (i == 2) printf "  %5.1f%% of node morva.js", shared
    printf "\n"
  }'
done
