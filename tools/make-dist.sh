#!/usr/bin/env bash
# Packs the release archives into OUT-DIR (build/dist for `make dist`) from three executables:
#   tools/make-dist.sh OUT-DIR LINUX-X86-64-ENGINE LINUX-AARCH64-ENGINE WINDOWS-ENGINE
# Each archive holds one folder, morva-VERSION, with the engine, README.md, MACHINES.txt (which
# machines it is for, from dist/), LICENSE and THIRD-PARTY-NOTICES; the Linux ones also hold
# the manual page, morva.6. SHA256SUMS lists the three archives.
#
# The archives are reproducible: their entries are sorted, owned by root, dated at the last
# commit (or the VERSION file's date outside git) and the compressors leave out names and times,
# so the same tree gives the same SHA256SUMS.
set -euo pipefail

if [ $# -ne 4 ]; then
  echo "usage: tools/make-dist.sh OUT-DIR LINUX-X86-64-ENGINE LINUX-AARCH64-ENGINE WINDOWS-ENGINE (\`make dist\` runs it)" >&2
  exit 2
fi
for engine in "$2" "$3" "$4"; do
  if [ ! -f "$engine" ]; then
    echo "tools/make-dist.sh: $engine is missing: run \`make dist\`, which builds it" >&2
    exit 1
  fi
done
out=$(realpath -m "$1")
engines=("$(realpath "$2")" "$(realpath "$3")" "$(realpath "$4")")
cd "$(dirname "$0")/.."

version=$(head -n 1 VERSION)
if ! [[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "tools/make-dist.sh: VERSION holds '$version'; write the release number there, like 1.0.0" >&2
  exit 1
fi
epoch=$(git log -1 --format=%ct 2>/dev/null || stat -c %Y VERSION)
# zip stores local times: the same tree must give the same bytes in every time zone.
export TZ=UTC LC_ALL=C

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$out"
# Only what an earlier run wrote goes; anything else in OUT-DIR stays.
rm -f "$out"/morva-*-linux-*.tar.gz "$out"/morva-*-windows-*.zip "$out/SHA256SUMS"
folder=morva-$version

# stage NAME ENGINE ENGINE-NAME [windows]: the archive's folder for the platform NAME, with
# dated entries. For Windows the texts get carriage returns before their line feeds, as Windows
# editors expect, and the licence texts end in .txt, which Windows opens on a double click.
stage() {
  local dir=$stage/$1/$folder
  mkdir -p "$dir"
  install -m 0755 "$2" "$dir/$3"
  install -m 0644 README.md "$dir/README.md"
  install -m 0644 "dist/$1.txt" "$dir/MACHINES.txt"
  if [ "${4:-}" = windows ]; then
    install -m 0644 LICENSE "$dir/LICENSE.txt"
    install -m 0644 THIRD-PARTY-NOTICES "$dir/THIRD-PARTY-NOTICES.txt"
    sed -i 's/$/\r/' "$dir/README.md" "$dir"/*.txt
  else
    install -m 0644 LICENSE THIRD-PARTY-NOTICES dist/morva.6 "$dir"
  fi
  chmod 0755 "$dir"
  find "$stage/$1" -exec touch -h -d "@$epoch" {} +
}

tarball() { # tarball NAME ENGINE
  stage "$1" "$2" morva
  echo "packing $out/$folder-$1.tar.gz"
  tar --format=gnu --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$epoch" \
    -C "$stage/$1" -cf - "$folder" | gzip -9 -n > "$out/$folder-$1.tar.gz"
}

tarball linux-x86-64 "${engines[0]}"
tarball linux-aarch64 "${engines[1]}"

stage windows-x86-64 "${engines[2]}" morva.exe windows
echo "packing $out/$folder-windows-x86-64.zip"
# Entries named one by one in sorted order; -X leaves out the owners and the extra time fields.
(cd "$stage/windows-x86-64" && zip -q -X -9 "$out/$folder-windows-x86-64.zip" \
  "$folder/" "$folder/LICENSE.txt" "$folder/MACHINES.txt" "$folder/README.md" \
  "$folder/THIRD-PARTY-NOTICES.txt" "$folder/morva.exe")

(cd "$out" && sha256sum "$folder-linux-x86-64.tar.gz" "$folder-linux-aarch64.tar.gz" \
  "$folder-windows-x86-64.zip" > SHA256SUMS)
echo "written to $out:"
(cd "$out" && ls -l --time-style=+ SHA256SUMS "$folder"-*)
