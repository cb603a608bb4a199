#!/usr/bin/env bash
# The Debian package, built as a distribution builds it: `dpkg-buildpackage -b -us -uc` in a copy
# of the source. Its build must run the unit and protocol tests and no other (the pinned bench
# node count among them); the package must carry the VERSION file's version and hold the engine
# as /usr/games/morva, its manual page in section 6 and the docs, nothing else; lintian must
# report no error and hardening-check must pass on the engine, which is built for plain x86-64
# (no popcnt instruction).
#   check_debian_package.sh WORK-DIR   (the copy of the source and the package go under WORK-DIR)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
fail() { echo "$1" >&2; exit 1; }
for program in dpkg-buildpackage dh lintian hardening-check objdump; do
  command -v "$program" >/dev/null || fail "$program is missing: run \`make deps\`"
done
# The make that may run ctest must not hand its job server down to the package's build.
unset MAKEFLAGS MFLAGS MAKELEVEL

version=$(head -n 1 "$source_dir/VERSION")
tree=$work/morva-$version
rm -rf "$work"
mkdir -p "$tree"
# The files of the source as they stand, what a source release holds: no build folders, nothing
# that git ignores.
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$source_dir" ls-files -z --cached --others --exclude-standard | tar -C "$source_dir" --null -T - --ignore-failed-read -cf - 2>/dev/null
else
  tar -C "$source_dir" --exclude=./build --exclude=node_modules -cf - .
fi | tar -C "$tree" -xf -

started=$(date +%s)
(cd "$tree" && DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc) >"$work/build.log" 2>&1 ||
  { tail -n 60 "$work/build.log" >&2; fail "dpkg-buildpackage -b -us -uc failed; the whole log: $work/build.log"; }
echo "package built in $(($(date +%s) - started)) s"

# ctest's summary of the package build's tests: every test passed, and they were the unit and
# protocol tests only.
grep -q '^100% tests passed' "$work/build.log" || fail "the package's build ran no tests, or not all passed"
labels=$(awk '/^Label Time Summary:/ { on = 1; next } on && NF == 0 { exit } on { printf "%s ", $1 }' "$work/build.log")
[ "$labels" = "protocol unit " ] || fail "the package's build ran the tests labelled '$labels', not the unit and protocol tests"

deb=$(ls "$work"/morva_"$version"_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not VERSION's $version: update debian/changelog"
echo "dpkg -c $(basename "$deb"):"
dpkg -c "$deb" | tee "$work/contents.txt"
grep -Eq '^-rwxr-xr-x root/root .* \./usr/games/morva$' "$work/contents.txt" || fail "no executable /usr/games/morva owned by root"
grep -q ' \./usr/share/man/man6/morva\.6\.gz$' "$work/contents.txt" || fail "no manual page in section 6"
unexpected=$(awk '$1 !~ /^d/ { print $6 }' "$work/contents.txt" |
  grep -Ev '^\./usr/games/morva$|^\./usr/share/man/man6/morva\.6\.gz$|^\./usr/share/doc/morva/(copyright|changelog\.gz|README\.md\.gz|THIRD-PARTY-NOTICES\.gz)$' || true)
[ -z "$unexpected" ] || fail "files the package should not hold: $unexpected"

lintian --fail-on error "$work"/morva_"$version"_*.changes || fail "lintian reports errors"
echo "lintian: no errors"

dpkg-deb -x "$deb" "$work/root"
engine=$work/root/usr/games/morva
# Control-flow protection needs start files of the C library built for it, which Debian 12's are
# not (they lack the IBT and SHSTK properties), and dpkg-buildflags does not ask for it there.
hardening-check --nocfprotection "$engine" || fail "hardening-check fails on /usr/games/morva"
popcnt=$(objdump -d "$engine" | grep -c popcnt || true)
[ "$popcnt" -eq 0 ] || fail "/usr/games/morva holds $popcnt popcnt instructions: Debian's amd64 baseline has none"
echo "package checked: $(basename "$deb")"
