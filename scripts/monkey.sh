#!/usr/bin/env bash
# The long monkey run: random clicks, drags, keys and waits over every scene of the game, 10,000
# frames from each of its twelve scenes (120,000 in all), checking after every action that no
# assert fired, no transform holds a NaN, the entities stay under the engine's limit, the heap
# stays flat and the settings file stays valid. The tests run the same for 2,000 frames a scene.
#   scripts/monkey.sh [frames per scene] [seed]
# The scenes run side by side in MONKEY_JOBS processes (one per core by default). Builds first,
# like scripts/test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
frames="${1:-10000}"
seed="${2:-}"
"$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
export LIBGL_ALWAYS_SOFTWARE=1
export DUSKVANE_MONKEY_FRAMES="$frames"
if [ -n "$seed" ]; then
  export DUSKVANE_MONKEY_SEED="$seed"
fi
shards="${MONKEY_JOBS:-$(nproc)}"
if [ "$shards" -gt 12 ]; then
  shards=12
fi
status=0
pids=()
for ((shard = 0; shard < shards; shard++)); do
  GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$shard \
    xvfb-run -a -s "-screen 0 1920x1080x24" ./tests/test_playthrough --gtest_filter='EveryScene/Monkey.*' \
    >"monkey-$shard.log" 2>&1 &
  pids+=($!)
done
for ((shard = 0; shard < shards; shard++)); do
  if ! wait "${pids[$shard]}"; then
    status=1
    echo "monkey shard $shard failed:"
    grep -E "Failure|Actual|FAILED" "monkey-$shard.log" || true
  fi
  grep -h "^monkey from" "monkey-$shard.log" || true
done
if [ "$status" -eq 0 ]; then
  echo "every monkey ran its $frames frames per scene cleanly"
fi
exit "$status"
