#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need (as root).
set -euo pipefail
pkgs=(cmake g++ make qt6-base-dev libgl-dev zlib1g-dev libbenchmark-dev fonts-dejavu-core)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
