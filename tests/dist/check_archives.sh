#!/usr/bin/env bash
# The release archives from stand-in engines, packed twice: a second later, in another time zone
# and with another umask, the archives must come out byte for byte the same. Each must hold the
# one folder morva-VERSION with the engine unchanged, the README, MACHINES.txt, the licence and
# the third-party notices (with CRLF and .txt names for Windows), the Linux ones the manual
# page, and SHA256SUMS must check.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for program in tar zip unzip sha256sum; do
  command -v "$program" >/dev/null || { echo "$program is missing: run \`make deps\`" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'x86-64 engine\n' > "$work/morva-x86-64"
printf 'aarch64 engine\n' > "$work/morva-aarch64"
printf 'windows engine\n' > "$work/morva.exe"
pack() { bash "$source_dir/tools/make-dist.sh" "$1" "$work/morva-x86-64" "$work/morva-aarch64" "$work/morva.exe" >/dev/null; }

(umask 022 && TZ=UTC pack "$work/first")
sleep 2
(umask 077 && TZ=Pacific/Kiritimati pack "$work/second")
cmp "$work/first/SHA256SUMS" "$work/second/SHA256SUMS" || { echo "packing twice gave different archives" >&2; exit 1; }
(cd "$work/first" && sha256sum --quiet -c SHA256SUMS)

folder=morva-$(head -n 1 "$source_dir/VERSION")
fail() { echo "$1" >&2; exit 1; }
check_folder() { # check_folder ARCHIVE-LISTING FILE-NAME...
  local listing=$1 wanted=$folder/
  shift
  for name in "$@"; do wanted+=" $folder/$name"; done
  [ "$(echo $listing)" = "$wanted" ] || fail "entries '$(echo $listing)', wanted '$wanted'"
}
for platform in linux-x86-64 linux-aarch64; do
  archive=$work/first/$folder-$platform.tar.gz
  check_folder "$(tar tzf "$archive")" LICENSE MACHINES.txt README.md THIRD-PARTY-NOTICES morva morva.6
  tar tvzf "$archive" "$folder/morva" | grep -q '^-rwxr-xr-x 0/0 ' || fail "$platform: engine not executable by all or not owned by root"
  [ "$(tar xzOf "$archive" "$folder/morva")" = "${platform#linux-} engine" ] || fail "$platform: wrong engine"
done
archive=$work/first/$folder-windows-x86-64.zip
check_folder "$(unzip -Z1 "$archive")" LICENSE.txt MACHINES.txt README.md THIRD-PARTY-NOTICES.txt morva.exe
[ "$(unzip -p "$archive" "$folder/morva.exe")" = "windows engine" ] || fail "windows: wrong engine"
unzip -p "$archive" "$folder/MACHINES.txt" | head -n 1 | grep -q $'\r$' || fail "windows: text without CRLF"
cmp -s <(unzip -p "$archive" "$folder/LICENSE.txt") <(sed 's/$/\r/' "$source_dir/LICENSE") ||
  fail "windows: LICENSE.txt is not the source's LICENSE with CRLF"
[ "$(ls "$work/first")" = "$(printf '%s\n' SHA256SUMS "$folder"-linux-aarch64.tar.gz "$folder"-linux-x86-64.tar.gz "$folder"-windows-x86-64.zip)" ] ||
  fail "unexpected files: $(ls "$work/first")"
echo "archives reproducible and complete"
