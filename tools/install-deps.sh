#!/usr/bin/env bash
# Installs every Debian package that building, running and testing KIVO needs.
# Checks first, so a second run on a ready machine does nothing and takes about a second.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake pkg-config
  qt6-base-dev qt6-base-dev-tools
  qt6-qpa-plugins
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fontconfig
  xvfb xauth
  poppler-utils imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "error: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
