#!/usr/bin/env bash
# Replays command sessions against the engine under valgrind's memcheck: no memory error, no
# leak (memory lost, or reachable only through the inside of a block), one of the engine's own
# exit statuses (1 after "quit" or a fatal table message, 0 at end of input), and, where a recorded reply sits beside a
# session (<name>.out next to <name>.in), the same reply byte for byte with rates masked.
# A session that ends without "quit" leaves the table allocated, still reachable from its
# pointer, as the engine returns at end of input without releasing it: that is no leak.
#   memcheck_sessions.sh ENGINE SESSION...
set -u
engine=$1
shift
if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind is not installed: run tools/install-deps.sh (or apt-get install valgrind)"
  exit 1
fi
# A status of its own, so that memcheck's findings are told apart from the engine's own exit.
MEMCHECK_FOUND=99
failures=0
count=0
for session in "$@"; do
  count=$((count + 1))
  name=$(basename "$session")
  log=$(mktemp)
  reply=$(mktemp)
  valgrind --quiet --error-exitcode=$MEMCHECK_FOUND --leak-check=full \
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible \
    --log-file="$log" "$engine" <"$session" >"$reply"
  status=$?
  verdict=ok
  if [ "$status" -eq $MEMCHECK_FOUND ]; then
    verdict="memcheck found errors or leaks:
$(cat "$log")"
  elif [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; then
    verdict="exit status $status, not one of the engine's own (0 or 1)
$(cat "$log")"
  elif [ -f "${session%.in}.out" ] && ! sed 's/ nps [^ ]*/ nps <rate>/g' "$reply" | cmp -s - "${session%.in}.out"; then
    verdict="reply differs from ${session%.in}.out"
  fi
  rm -f "$log" "$reply"
  echo "[$count/$#] $name: $verdict"
  [ "$verdict" = ok ] || failures=$((failures + 1))
done
echo "$failures of $# sessions failed under memcheck"
[ "$failures" -eq 0 ]
