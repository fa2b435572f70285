#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, when
# any is missing.
set -euo pipefail
packages=(g++ cmake make pkg-config libgtest-dev liballegro4-dev libfreetype-dev
  fonts-liberation xvfb xdotool imagemagick x11-utils)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" </dev/null
