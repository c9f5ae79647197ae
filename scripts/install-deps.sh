#!/usr/bin/env bash
# Installs the Debian 12 packages that Korvell Inductors needs to build, test and run,
# and only those that are missing. Safe to run again: it does nothing when all are present.
#   scripts/install-deps.sh              the packages of the build, the tests and the program
#   scripts/install-deps.sh PACKAGE...   those packages instead (./test.sh --fuzz asks for clang)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins
  libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation xvfb xauth poppler-utils
  desktop-file-utils appstream dpkg-dev
  ngspice libcairo2-dev python3-jsonschema
  clang-format python3
)
if [ $# -gt 0 ]; then
  packages=("$@")
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "This machine has no apt-get. Install these packages (Debian 12 names) by other means:" >&2
  printf '  %s\n' "${missing[@]}" >&2
  echo "A C++20 compiler, CMake 3.25, Ninja, Qt 6 Widgets, CLI11, nlohmann-json, GoogleTest and Google Benchmark are required." >&2
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

# One line says what is installed; apt's own output goes to a log, shown only when apt fails.
log="${TMPDIR:-/tmp}/korvell-install-deps.log"
echo "Installing ${#missing[@]} Debian packages (log: $log): ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! { "${as_root[@]}" apt-get update -q &&
       "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  echo "Installing the packages failed; the end of $log:" >&2
  tail -n 25 "$log" >&2
  exit 1
fi
