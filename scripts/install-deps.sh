#!/usr/bin/env bash
# Installs the Debian packages this project builds, tests and measures with
# (gawk and mawk run the benchmark's awk peer, perf profiles the core).
# Idempotent: asks apt only for what is missing, and runs `apt-get update`
# once, before the first install.
set -euo pipefail

packages=(
  build-essential cmake g++ git python3 googletest libgtest-dev libmpfr-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  clang libclang-rt-14-dev
  wine64 wine fonts-wine xvfb xdotool x11-utils
  fonts-ipafont-gothic imagemagick librsvg2-bin
  unzip
  gawk mawk linux-perf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
