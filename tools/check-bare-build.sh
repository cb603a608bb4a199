#!/usr/bin/env bash
# Builds and starts the engine the way a newcomer does on a bare machine: `make run` in a fresh
# clone, with every program that the test targets install hidden. The check passes when the
# engine answers "uci" with "uciok".
#
# A PATH without those programs is not enough, because CMake looks in /usr/bin whatever the PATH
# says; so the check runs in a private mount namespace with /dev/null mounted over each of them.
# That needs root (as CI has). Usage: tools/check-bare-build.sh [COMMIT] (default HEAD).
set -euo pipefail
cd "$(dirname "$0")/.."
commit=${1:-HEAD}

if [ "$(id -u)" -ne 0 ] || ! command -v unshare >/dev/null 2>&1; then
  echo "check-bare-build: needs root and unshare (util-linux) to hide the installed tools" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q --no-hardlinks . "$work/morva"
git -C "$work/morva" checkout -q "$commit"

# What make test, make dist, make wasm and make web install beyond the base image.
hidden=(/usr/games/stockfish /usr/games/glaurung /usr/bin/x86_64-w64-mingw32-* /usr/bin/wine*
  /usr/lib/wine/wine64 /usr/bin/qemu-* /usr/bin/aarch64-linux-gnu-* /usr/bin/emcc /usr/bin/em++
  /usr/bin/chromium /usr/bin/zip /usr/bin/valgrind)

# shellcheck disable=SC2016
unshare -m --propagation private bash -c '
  set -euo pipefail
  for program in "${@:2}"; do
    if [ -e "$program" ]; then mount --bind /dev/null "$program"; fi
  done
  cd "$1"
  printf "uci\n" | PATH=/usr/local/bin:/usr/bin:/bin make run >"$1/../session.txt" 2>&1
' check "$work/morva" "${hidden[@]}" || true

if grep -q '^uciok $' "$work/session.txt"; then
  echo "check-bare-build: make run on a bare machine answers uciok"
else
  echo "check-bare-build: make run failed on a bare machine:" >&2
  tail -n 20 "$work/session.txt" >&2
  exit 1
fi
