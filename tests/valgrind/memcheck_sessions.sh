#!/usr/bin/env bash
# Replays command sessions against the engine under valgrind's memcheck: no memory error, no
# leak (memory lost, or reachable only through the inside of a block), one of the engine's own
# exit statuses (1 after "quit" or a fatal table message, 0 at end of input), and, where a recorded reply sits beside a
# session (<name>.out next to <name>.in), the same reply byte for byte with rates masked.
# A session that ends without "quit" leaves the table allocated, still reachable from its
# pointer, as the engine returns at end of input without releasing it: that is no leak.
# A session with a recorded reply is fed as the protocol tests feed it: after each "go" line the
# next line waits for "bestmove", since a line that arrives during a search (a "quit") is read
# there, and under valgrind every search is slow enough to meet it. Other sessions are fed
# whole, byte for byte.
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
# How long one search may take under valgrind before the session counts as hung.
SEARCH_LIMIT_S=300

# feed_paced SESSION REPLY PID: writes the session's lines to standard output, each line after
# a go line only once REPLY holds one more "bestmove" (or the engine has ended).
feed_paced() {
  local searches=0 line waited
  while IFS= read -r line || [ -n "$line" ]; do
    printf '%s\n' "$line"
    [[ $line == go* ]] || continue
    searches=$((searches + 1))
    waited=0
    until [ "$(grep -c '^bestmove' "$2")" -ge $searches ] || ! kill -0 "$3" 2>/dev/null; do
      sleep 0.1
      waited=$((waited + 1))
      if [ $waited -ge $((SEARCH_LIMIT_S * 10)) ]; then
        echo "no bestmove ${SEARCH_LIMIT_S} s after \"$line\"" >&2
        return 1
      fi
    done
  done <"$1"
}
failures=0
count=0
for session in "$@"; do
  count=$((count + 1))
  name=$(basename "$session")
  log=$(mktemp)
  reply=$(mktemp)
  memcheck=(valgrind --quiet --error-exitcode=$MEMCHECK_FOUND --leak-check=full
    --show-leak-kinds=definite,indirect,possible --errors-for-leak-kinds=definite,indirect,possible
    --log-file="$log" "$engine")
  if [ -f "${session%.in}.out" ]; then
    input=$(mktemp -u)
    mkfifo "$input"
    "${memcheck[@]}" <"$input" >"$reply" &
    engine_pid=$!
    feed_paced "$session" "$reply" "$engine_pid" >"$input" || kill "$engine_pid" 2>/dev/null
    wait "$engine_pid"
    status=$?
    rm -f "$input"
  else
    "${memcheck[@]}" <"$session" >"$reply"
    status=$?
  fi
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
