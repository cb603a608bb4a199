#!/usr/bin/env bash
# Builds and starts the engine the way a newcomer does on a bare machine: `make run` in a fresh
# clone, with every program that the test targets install hidden. The check passes when the
# engine answers "uci" with "uciok". Then, in the same clone, `make test` with GoogleTest hidden
# (its headers, libraries and CMake files, as on a machine where its installation is broken):
# it must stop within two minutes with a message that names it, and so must the configuration
# of the tests' build by itself.
#
# A PATH without those programs is not enough, because CMake looks in /usr/bin whatever the PATH
# says; so the checks run in private mount namespaces with /dev/null (or an empty folder) mounted
# over each of them. That needs root (as CI has). Usage: tools/check-bare-build.sh [COMMIT]
# (default HEAD).
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

# hiding COMMAND PATH...: runs the shell COMMAND in the clone with each PATH that exists hidden,
# a file behind /dev/null and a folder behind an empty one.
mkdir "$work/empty"
hiding() {
  # shellcheck disable=SC2016
  unshare -m --propagation private bash -c '
    set -euo pipefail
    for path in "${@:4}"; do
      if [ -d "$path" ]; then mount --bind "$2" "$path"; elif [ -e "$path" ]; then mount --bind /dev/null "$path"; fi
    done
    cd "$1"
    eval "$3"
  ' hiding "$work/morva" "$work/empty" "$@"
}

hiding 'printf "uci\n" | PATH=/usr/local/bin:/usr/bin:/bin make run' "${hidden[@]}" >"$work/session.txt" 2>&1 || true
if grep -q '^uciok $' "$work/session.txt"; then
  echo "check-bare-build: make run on a bare machine answers uciok"
else
  echo "check-bare-build: make run failed on a bare machine:" >&2
  tail -n 20 "$work/session.txt" >&2
  exit 1
fi

gtest=(/usr/include/gtest /usr/src/googletest /usr/src/gtest /usr/lib/x86_64-linux-gnu/cmake/GTest
  /usr/lib/x86_64-linux-gnu/libgtest.a /usr/lib/x86_64-linux-gnu/libgtest_main.a)
names_it='(GoogleTest|libgtest-dev).*(missing|not found)|(missing|not found).*(GoogleTest|libgtest-dev)'
for what in "make test" "cmake --preset release-tests"; do
  status=0
  hiding "timeout 120 $what" "${gtest[@]}" >"$work/gtest.txt" 2>&1 || status=$?
  if [ "$status" -eq 0 ] || [ "$status" -eq 124 ] || ! grep -Eq "$names_it" "$work/gtest.txt"; then
    echo "check-bare-build: $what with GoogleTest hidden did not stop with a message that names it (status $status):" >&2
    tail -n 20 "$work/gtest.txt" >&2
    exit 1
  fi
  echo "check-bare-build: $what with GoogleTest hidden stops: $(grep -E -m 1 "$names_it" "$work/gtest.txt")"
done
