#!/usr/bin/env bash
# The long scripted plays, which the test suite skips: the Farmhouse, the Warehouse and the
# Town Hall won by a scripted squad, the Town Hall lost by a careless one, and the whole game
# from the logo to the credits. Each takes minutes of software rendering; they run side by side.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
cd "${BUILD_DIR:-$root/build}"
export LIBGL_ALWAYS_SOFTWARE=1 DUSKVANE_LONG_PLAYS=1
status=0
pids=()
filters=('LevelWin.TheFarmhouse*' 'LevelWin.TheWarehouse' 'LevelWin.TheTownHall' 'LevelLoss.*' 'WholeGame.*')
for i in "${!filters[@]}"; do
  xvfb-run -a -s "-screen 0 1920x1080x24" ./tests/test_playthrough --gtest_filter="${filters[$i]}" \
    >"long-play-$i.log" 2>&1 &
  pids+=($!)
done
for i in "${!filters[@]}"; do
  if wait "${pids[$i]}"; then
    echo "passed: ${filters[$i]}"
  else
    status=1
    echo "failed: ${filters[$i]} (see long-play-$i.log)"
  fi
done
exit "$status"
