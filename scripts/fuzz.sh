#!/usr/bin/env bash
# Fuzzes every loader that reads files a user can damage (settings, scene, prefab, spritesheet
# layout and format, image, sound) with libFuzzer. Needs clang; builds into build-fuzz/ (or
# $FUZZ_BUILD_DIR) with AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   scripts/fuzz.sh [seconds per loader, default 60] [loader ...]
#
# Each loader starts from its real files (the game's data) and tests/fixtures/fuzz/<loader>/.
# The grown corpus stays in build-fuzz/corpus/<loader>/; an input that crashes, hangs or takes
# too much memory lands in build-fuzz/findings/<loader>/. Commit a small finding to
# tests/fixtures/fuzz/<loader>/ once it is mended: the test suite replays that folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-60}"
shift || true
loaders=("$@")
if [ ${#loaders[@]} -eq 0 ]; then
  loaders=(settings scene prefab layout format image sound)
fi
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh needs clang (Debian: apt-get install clang)" >&2
  exit 1
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDUSKVANE_FUZZ=ON -DDUSKVANE_SANITIZE=ON -DDUSKVANE_BENCH=OFF >/dev/null
targets=(resources)
if cmake --build "$build" --target help | grep -q '^assets:'; then targets+=(assets); fi
for loader in "${loaders[@]}"; do targets+=("fuzz_$loader"); done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

# The real files of each kind, found by name below the built Resources folder.
seeds_of() {
  case "$1" in
    settings) ;;
    scene) find "$build/Resources" -maxdepth 1 -name '*.json'; find "$root/tests/fixtures/scenes" -name '*.json' ;;
    prefab) echo "$build/Resources/Prefab.json"; echo "$root/tests/fixtures/Prefab.json" ;;
    layout) find "$build/Resources/animation" -name layout.json ;;
    format) find "$build/Resources/animation" -name format.json ;;
    image) find "$build/Resources/images" "$build/Resources/animation" -name '*.png' -size -2M ;;
    sound) find "$build/Resources/audio" -type f -size -2M ;;
  esac
  find "$root/tests/fixtures/fuzz/$1" -type f 2>/dev/null || true
}

cd "$build"
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
for loader in "${loaders[@]}"; do
  corpus="$build/corpus/$loader"
  findings="$build/findings/$loader"
  mkdir -p "$corpus" "$findings"
  seeds_of "$loader" | while read -r file; do
    [ -f "$file" ] && cp "$file" "$corpus/seed-$(sha1sum "$file" | cut -c1-16)"
  done
  echo "== $loader: $seconds s"
  "$build/tests/fuzz_$loader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -max_len=1048576 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" 2>"$build/fuzz-$loader.log" ||
    { echo "   finding in $findings (log: $build/fuzz-$loader.log)"; tail -n 30 "$build/fuzz-$loader.log"; exit 1; }
  grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$build/fuzz-$loader.log" | sed 's/^/   /' || true
done
