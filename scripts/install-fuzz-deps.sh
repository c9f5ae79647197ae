#!/usr/bin/env bash
# Installs what the fuzz targets need beyond ./scripts/install-deps.sh: clang with its libFuzzer
# and sanitizer runtimes (Debian 12 packages). Only ./test.sh --fuzz calls it.
set -euo pipefail

packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "Install clang and its libFuzzer runtime (Debian: ${missing[*]}) to build the fuzz targets." >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Installing ${missing[*]} needs root and sudo is not available; run this script as root." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
