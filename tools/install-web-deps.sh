#!/usr/bin/env bash
# Installs what the WebAssembly engine and the page need, only when it is missing:
#   tools/install-web-deps.sh wasm   Debian's emscripten and the acorn its optimiser runs with
#   tools/install-web-deps.sh web    that, and the npm packages of the page and of the tests (esbuild,
#                                    chess.js, puppeteer-core, typescript) from web/package-lock.json
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-web}"

missing=()
if ! command -v emcc >/dev/null 2>&1; then missing+=(emscripten); fi
if [ ! -e /usr/share/nodejs/acorn/package.json ]; then missing+=(node-acorn); fi
if ! command -v node >/dev/null 2>&1; then missing+=(nodejs); fi
if [ "$mode" = web ] && ! command -v npm >/dev/null 2>&1; then missing+=(npm); fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  # Another installation may hold the package lock for a while.
  while command -v fuser >/dev/null 2>&1 && fuser /var/lib/dpkg/lock-frontend >/dev/null 2>&1; do
    echo "waiting for another package installation to finish"
    sleep 5
  done
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi

# npm ci again when the lock file has changed since the last install.
if [ "$mode" = web ] && { [ ! -e web/node_modules/.package-lock.json ] ||
                          [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; }; then
  (cd web && npm ci --no-audit --no-fund)
fi
