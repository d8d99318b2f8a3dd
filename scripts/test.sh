#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual X server (real OpenGL
# through Mesa llvmpipe). Benchmarks are built but not run here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$@"
cd "${BUILD_DIR:-$root/build}"
export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure --timeout 600 -j "$(nproc)"
