#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DCMAKE_BUILD_TYPE=Release
cd "$root/build"
exec ./duskvane
