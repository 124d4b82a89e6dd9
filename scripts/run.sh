#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program; without any display it starts on a virtual one so the
# command still works on a bare machine (stop it with Ctrl-C).
set -euo pipefail
program=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting on a virtual X display (xvfb-run). Stop with Ctrl-C." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
