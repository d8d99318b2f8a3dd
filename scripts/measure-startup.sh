#!/usr/bin/env bash
# Starts the game under a virtual X server (Mesa llvmpipe) with a throw-away home whose settings
# ask for the start-up timing, and reports: the game's own " Initialization took" line, the time
# from launch to the first buffer swap (through a small preloaded shim), and the resident memory
# of the logo scene a few seconds in. Then it asks the game to close with SIGTERM.
#   scripts/measure-startup.sh [build folder] [runs]     (default: build-release, 3 runs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-release}" && pwd)"
runs="${2:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Notes the wall clock of the first glfwSwapBuffers against the launch time the script exports.
cat >"$work/firstframe.c" <<'SHIM'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
typedef struct GLFWwindow GLFWwindow;
void glfwSwapBuffers(GLFWwindow* window)
{
    static void (*real)(GLFWwindow*) = 0;
    static int seen = 0;
    if (!real)
        real = (void (*)(GLFWwindow*))dlsym(RTLD_NEXT, "glfwSwapBuffers");
    real(window);
    if (!seen++)
    {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        const char* launched = getenv("MEASURE_LAUNCH_NS");
        long long start = launched ? atoll(launched) : 0;
        long long ns = (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
        fprintf(stderr, " First frame after %.1fms\n", (ns - start) / 1e6);
    }
}
SHIM
cc -shared -fPIC -O2 -o "$work/firstframe.so" "$work/firstframe.c" -ldl

mkdir -p "$work/home/Documents/Duskvane"
cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
set -u
cd "$build"
for i in \$(seq 1 $runs); do
    printf '{"PeformanceOutput": true}' >"$work/home/Documents/Duskvane/config.json"
    export MEASURE_LAUNCH_NS=\$(date +%s%N)
    HOME="$work/home" LD_PRELOAD="$work/firstframe.so" ./duskvane >"$work/out.txt" 2>&1 &
    pid=\$!
    sleep 3
    grep -E 'VmHWM|VmRSS' /proc/\$pid/status | tr -s ' \t' ' ' | paste -sd' '
    kill -TERM \$pid
    wait \$pid
    grep -E "Initialization took|First frame" "$work/out.txt" | paste -sd" "
done
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1920x1080x24" "$work/run.sh"
