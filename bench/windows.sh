#!/usr/bin/env bash
# Start-up on Windows, under Wine: Tumbora.exe beside the floor (bench/floor.cpp) built for
# Windows, each started in turn by bench/startwatch on a private Xvfb, as bench/run.sh does
# on Linux. Prints the table row. Needs what scripts/windows.sh needs (run it first, as root)
# and startwatch from the Linux benchmark build (bench/run.sh, or built here).
#
#   bench/windows.sh     # STARTS pairs (31); the raw figures in build-windows-bench/bench-results/
set -euo pipefail
cd "$(dirname "$0")/.."

starts=${STARTS:-31}
build_dir=build-windows-bench
startwatch=${STARTWATCH:-build-release/bench/startwatch}
if [ ! -x "$startwatch" ]; then
    BUILD_DIR=build-release BUILD_TYPE=Release CMAKE_ARGS="-DBUILD_TESTING=OFF" \
        bash scripts/build.sh xvfb xauth pkg-config libxcb1-dev libxcb-damage0-dev python3 >/dev/null
fi
bash scripts/windows-build.sh "$build_dir" -DBUILD_TESTING=OFF >/dev/null
results=$build_dir/bench-results
rm -rf "$results" && mkdir -p "$results"

# One Wine server for all the starts, as a Windows session has its services running.
export WINEPREFIX=${WINEPREFIX:-${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}/wine}
wineserver -k 2>/dev/null || true
wine=$PWD/scripts/wine-run.sh
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    wineserver -p
    "$1" -- "$2" "$3" >/dev/null 2>&1; "$1" -- "$2" "$4" >/dev/null 2>&1   # warm the caches
    for ((i = 0; i < $5; i++)); do
        echo "floor $("$1" -- "$2" "$3" 2>/dev/null)"
        echo "tumbora $("$1" -- "$2" "$4" 2>/dev/null)"
    done
    wineserver -k' _ "$startwatch" "$wine" "$build_dir/floor.exe" "$build_dir/Tumbora.exe" \
    "$starts" >"$results/startup.txt"

python3 - "$results/startup.txt" <<'PYTHON'
import re, statistics, sys

starts, ratios = {'floor': [], 'tumbora': []}, []
lines = open(sys.argv[1]).read().splitlines()
for floor_line, tumbora_line in zip(lines[0::2], lines[1::2]):
    f, t = (float(m.group(1)) if (m := re.search(r'frame_ms=([\d.]+)', l)) else None for l in (floor_line, tumbora_line))
    if f and t: # a pair where either failed is left out
        starts['floor'].append(f)
        starts['tumbora'].append(t)
        ratios.append(t / f)
median = {k: statistics.median(v) for k, v in starts.items()}
fastest = {k: min(v) for k, v in starts.items()}
print('| Start-up on Windows (Wine): launch to painted window, Xvfb: median (fastest) of %d | %.1f ms (%.1f ms) | %.1f ms (%.1f ms) | %.2f median of the pairs\' ratios (%.2f) | ≤ 1.10 |' % (
    len(ratios), median['tumbora'], fastest['tumbora'], median['floor'], fastest['floor'],
    statistics.median(ratios), fastest['tumbora'] / fastest['floor']))
PYTHON
