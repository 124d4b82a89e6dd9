#!/usr/bin/env bash
# Installs every Debian package the build, the program and its tests need.
# Idempotent: when everything is present it only checks and returns.
# Usage: scripts/setup.sh [extra-package ...]
set -euo pipefail

packages=(
  # build
  cmake g++ make pkg-config
  qt6-base-dev libcups2-dev libfontconfig-dev
  # fuzzing (libFuzzer) and sanitizers
  clang libclang-rt-dev
  # fonts the window names, through their Debian stand-ins
  fontconfig fonts-ipafont-gothic fonts-motoya-l-maruberi
  # real-window tests
  xvfb xauth xdotool
  # printing through a private CUPS scheduler with a PDF printer
  cups cups-client printer-driver-cups-pdf poppler-utils
  # install and package checks
  desktop-file-utils appstream dpkg-dev
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
