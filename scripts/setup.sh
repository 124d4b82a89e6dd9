#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs every Debian package the build, the program and its tests need.
# Idempotent: when everything is present it only checks and returns.
# Usage: scripts/setup.sh [extra-package ...]
set -euo pipefail

packages=(
  # build, and the C++'s formatter (make lint)
  cmake g++ make pkg-config clang-format
  qt6-base-dev libcups2-dev libfontconfig-dev
  # fuzzing (libFuzzer) and sanitizers
  clang libclang-rt-dev
  # fonts the window names, through their Debian stand-ins; Qt's own texts
  # in the session's language
  fontconfig fonts-ipafont-gothic fonts-motoya-l-maruberi qt6-translations-l10n
  # the Japanese session the window is tested in
  locales
  # real-window tests, and what a screen reader reads of them (AT-SPI on a
  # session bus of the test's own)
  xvfb xauth xdotool dbus-daemon at-spi2-core
  # printing through a private CUPS scheduler with a PDF printer
  cups cups-client printer-driver-cups-pdf poppler-utils
  # install and package checks
  desktop-file-utils appstream dpkg-dev lintian
  # the web edition: the core compiled to WebAssembly, its icons and font
  # subsets, tested in the three engines its users run: Chromium (Blink),
  # Firefox ESR (Gecko) and WebKitGTK's MiniBrowser through its WebDriver
  emscripten chromium firefox-esr webkit2gtk-driver librsvg2-bin python3-fonttools python3-brotli
)
# Node.js and npm: the machine's own where it has them (a Node from outside
# Debian brings its own npm, which Debian's npm package would fight).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
need_root() {
  if [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
    echo "setup: need root or sudo to $1" >&2
    exit 1
  fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  need_root "install ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The users' session: a Japanese locale, generated where the machine lacks it.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "setup: generating the locale ja_JP.UTF-8"
  need_root "generate the locale ja_JP.UTF-8"
  "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The browser tests' npm packages, exactly as the lock file has them.
web=$(cd "$(dirname "$0")/../web" && pwd)
if [ ! -f "$web/node_modules/.package-lock.json" ] || [ "$web/package-lock.json" -nt "$web/node_modules/.package-lock.json" ]; then
  echo "setup: installing the web tests' npm packages"
  (cd "$web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
