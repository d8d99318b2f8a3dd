#!/usr/bin/env bash
# Makes docs/screenshot.png, the README's picture: builds, then plays a level of the real game
# under a virtual X server (software OpenGL) and saves a frame a few seconds after its opening.
#   scripts/screenshot.sh [scene] [out.png] [seconds]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
scene="${1:-Resources/Level_AbandonedHouse.json}"
out="${2:-$root/docs/screenshot.png}"
seconds="${3:-3}"
"$root/scripts/build.sh"
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -s "-screen 0 1920x1080x24" "${BUILD_DIR:-$root/build}/tools/screenshot/screenshot" "$scene" "$out" "$seconds"
