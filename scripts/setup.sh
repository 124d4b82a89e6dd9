#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages a task needs, by named groups; idempotent:
# when everything is present it only checks and returns.
# Usage: scripts/setup.sh [GROUP ...]   (no group: test, which is everything)
#   program  build the program and show its window (make run)
#   display  a virtual X display, only where there is no display (make run)
#   web      build the web edition and serve it (make web, make run-web)
#   test     every suite, the linters, the sanitizers, the package (make test)
set -euo pipefail

# Build and run the window: the compiler, CMake, Qt's Widgets and Print
# Support, the headers of libcups and fontconfig, the fonts the window
# names through their Debian stand-ins, Qt's own texts in the session's
# language.
program=(
  cmake g++ make pkg-config
  qt6-base-dev libcups2-dev libfontconfig-dev
  fontconfig fonts-ipafont-gothic fonts-motoya-l-maruberi qt6-translations-l10n
)
display=(xvfb xauth)
# The web edition: the core compiled to WebAssembly, its icons, its font
# subsets (from the same fonts), built and served by Node.
web=(
  cmake make emscripten esbuild librsvg2-bin python3-fonttools python3-brotli
  fonts-ipafont-gothic fonts-motoya-l-maruberi
)
# Everything the tests need beyond those: the C++'s formatter, fuzzing and
# sanitizers; the Japanese session; real windows and what a screen reader
# reads of them; printing through a private CUPS scheduler with a PDF
# printer; install and package checks; the three browser engines.
test=(
  clang-format clang libclang-rt-dev
  locales
  xdotool dbus-daemon at-spi2-core
  cups cups-client printer-driver-cups-pdf poppler-utils
  desktop-file-utils appstream dpkg-dev lintian
  chromium firefox-esr webkit2gtk-driver
)

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(test)
packages=()
node=false
tests=false
for group in "${groups[@]}"; do
  case $group in
    program) packages+=("${program[@]}") ;;
    display)
      if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        packages+=("${display[@]}")
      fi
      ;;
    web)
      packages+=("${web[@]}")
      node=true
      ;;
    test)
      packages+=("${program[@]}" "${display[@]}" "${web[@]}" "${test[@]}")
      node=true
      tests=true
      ;;
    *)
      echo "setup: no group $group (program, display, web, test)" >&2
      exit 2
      ;;
  esac
done
# Node.js 20 or later and npm: the machine's own where it has them (a Node
# from outside Debian brings its own npm, which Debian's npm package would
# fight); otherwise Debian's npm, which then fetches Node's own build from
# the npm registry, since Debian 12's Node is 18 (below).
NODE_VERSION=20.20.2
node_major() { node --version 2>/dev/null | sed -E 's/^v([0-9]+).*/\1/' || true; }
if $node && { ! command -v node >/dev/null || ! command -v npm >/dev/null; }; then
  packages+=(nodejs npm)
fi

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
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

if $node && [ "$(node_major)" -lt 20 ] 2>/dev/null; then
  echo "setup: installing Node.js $NODE_VERSION from the npm registry (this Node is $(node --version))"
  need_root "install Node.js $NODE_VERSION"
  "${sudo[@]}" npm install -g --no-audit --no-fund --loglevel=error \
    "node-linux-$(dpkg --print-architecture | sed 's/amd64/x64/')@$NODE_VERSION"
  hash -r
fi

$tests || exit 0

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
