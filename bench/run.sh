#!/usr/bin/env bash
# Builds Tumbora and its benchmarks in Release mode, measures Tumbora beside the floor (a
# plain Qt program with the calculator's widgets, bench/floor.cpp) and prints the table of
# the README's "Performance" section. Every figure comes from this one run.
#
#   bench/run.sh                 # about 5 minutes on 2 cores
#
# Settings (environment): BUILD_DIR (build-release), STARTS (start-ups of each program
# under X, 31), IDLE_SECONDS (60), CALLGRIND_RUNS (3), RECORD_LINES ("100000 1000000").
# The raw figures are kept in $BUILD_DIR/bench-results/. Benchmarks assert nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build-release}
starts=${STARTS:-31}
idle_seconds=${IDLE_SECONDS:-60}
callgrind_runs=${CALLGRIND_RUNS:-3}
record_lines=${RECORD_LINES:-100000 1000000}

BUILD_DIR=$build_dir BUILD_TYPE=Release CMAKE_ARGS="-DBUILD_TESTING=OFF ${CMAKE_ARGS:-}" \
    bash scripts/build.sh xvfb xauth valgrind pkg-config libxcb1-dev libxcb-damage0-dev python3 \
    >"$build_dir.log" 2>&1 || { cat "$build_dir.log"; exit 1; }
bench=$build_dir/bench
[ -x "$bench/startwatch" ] || { echo "No $bench/startwatch: remove $build_dir and run again." >&2; exit 1; }
tumbora=$build_dir/app/tumbora
floor=$bench/floor
results=$build_dir/bench-results
rm -rf "$results" && mkdir -p "$results"
export XDG_RUNTIME_DIR=$results/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
x_server=(xvfb-run -a -s "-screen 0 1280x800x24")

echo "Start-up and memory under Xvfb: $starts runs of each, alternating..." >&2
"${x_server[@]}" bash -c '
    "$1" -- "$2" >/dev/null 2>&1; "$1" -- "$3" >/dev/null 2>&1   # warm the caches
    for ((i = 0; i < $4; i++)); do
        echo "floor $("$1" -- "$2" 2>/dev/null)"
        echo "tumbora $("$1" -- "$3" 2>/dev/null)"
    done' _ "$bench/startwatch" "$floor" "$tumbora" "$starts" >"$results/startup.txt"

echo "Idle: $idle_seconds s of each, side by side on two X servers..." >&2
"${x_server[@]}" "$bench/startwatch" --settle-ms 2000 --idle-s "$idle_seconds" -- "$floor" \
    >"$results/idle-floor.txt" 2>/dev/null &
sleep 2 # so that the second xvfb-run -a finds the first server's display taken
"${x_server[@]}" "$bench/startwatch" --settle-ms 2000 --idle-s "$idle_seconds" -- "$tumbora" \
    >"$results/idle-tumbora.txt" 2>/dev/null &
wait

echo "Instructions to the first frame (callgrind, offscreen)..." >&2
for program in floor tumbora_firstframe; do
    for ((i = 0; i <= callgrind_runs; i++)); do # run 0 warms the font cache
        QT_QPA_PLATFORM=offscreen BENCH_EXIT_AT_FIRST_FRAME=1 \
            valgrind --tool=callgrind --callgrind-out-file="$results/callgrind.$program.$i" \
            "$bench/$program" 2>&1 | sed -n "s/.*Collected : \([0-9]*\).*/$program $i \1/p"
    done
done >"$results/callgrind.txt"

echo "Commands (QBENCHMARK, offscreen)..." >&2
for program in bench_calculator bench_timetable; do
    QT_QPA_PLATFORM=offscreen "$bench/$program" -median 7 -csv 2>/dev/null | sed "s/^/$program,/"
done >"$results/commands.csv"

echo "Record lines..." >&2
# shellcheck disable=SC2086
"$bench/bench_records" $record_lines >"$results/records.txt"

python3 - "$results" "$idle_seconds" <<'PYTHON'
import csv, re, statistics, sys

results, idle_seconds = sys.argv[1], int(sys.argv[2])
def pairs(line):
    return {k: float(v) for k, v in re.findall(r'(\w+)=([-\d.]+)', line)}

starts = {'floor': [], 'tumbora': []}
ratios = []
lines = open(f'{results}/startup.txt').read().splitlines()
for floor_line, tumbora_line in zip(lines[0::2], lines[1::2]):
    f, t = pairs(floor_line), pairs(tumbora_line)
    if 'frame_ms' in f and 'frame_ms' in t: # a pair where either failed is left out
        starts['floor'].append(f)
        starts['tumbora'].append(t)
        ratios.append(t['frame_ms'] / f['frame_ms'])
frame = {k: statistics.median(r['frame_ms'] for r in v) for k, v in starts.items()}
fastest = {k: min(r['frame_ms'] for r in v) for k, v in starts.items()}
hwm = {k: statistics.median(r['hwm_kib'] for r in v) / 1024 for k, v in starts.items()}
idle = {k: pairs(open(f'{results}/idle-{k}.txt').read()) for k in ('floor', 'tumbora')}
instructions = {'floor': [], 'tumbora_firstframe': []}
for line in open(f'{results}/callgrind.txt'):
    name, run, count = line.split()
    if run != '0':
        instructions[name].append(int(count))
ir = {k: statistics.median(v) for k, v in instructions.items()}
commands = {(row[0], row[1]): float(row[4]) for row in csv.reader(open(f'{results}/commands.csv'))}
records = [pairs(line) for line in open(f'{results}/records.txt')]

def ms(value): return f'{value:.1f} ms'
def us(value): return f'{value * 1000:.1f} µs' if value < 1 else ms(value)
rows = [
    ('Start-up: launch to painted window, Xvfb: median (fastest) of %d' % len(ratios),
     '%s (%s)' % (ms(frame['tumbora']), ms(fastest['tumbora'])),
     '%s (%s)' % (ms(frame['floor']), ms(fastest['floor'])),
     '%.2f median of the pairs\' ratios (%.2f)' % (statistics.median(ratios), fastest['tumbora'] / fastest['floor']),
     '≤ 1.10'),
    ('Instructions to the first frame, offscreen (callgrind)',
     f"{ir['tumbora_firstframe'] / 1e6:.1f} M", f"{ir['floor'] / 1e6:.1f} M",
     '%.3f' % (ir['tumbora_firstframe'] / ir['floor']), '≤ 1.10'),
    ('Peak resident memory (VmHWM, median)', f"{hwm['tumbora']:.1f} MiB", f"{hwm['floor']:.1f} MiB",
     '%+.1f MiB' % (hwm['tumbora'] - hwm['floor']), '≤ +2 MiB'),
    (f'Idle {idle_seconds} s, window open: processor time',
     ms(idle['tumbora']['idle_cpu_ms']), ms(idle['floor']['idle_cpu_ms']),
     '%+.1f ms' % (idle['tumbora']['idle_cpu_ms'] - idle['floor']['idle_cpu_ms']), '≤ +10 ms'),
    (f'Idle {idle_seconds} s: wake-ups (voluntary context switches)',
     '%d (%.1f/s)' % (idle['tumbora']['idle_wakeups'], idle['tumbora']['idle_wakeups'] / idle_seconds),
     '%d (%.1f/s)' % (idle['floor']['idle_wakeups'], idle['floor']['idle_wakeups'] / idle_seconds),
     '%+d' % (idle['tumbora']['idle_wakeups'] - idle['floor']['idle_wakeups']), 'own timers ≤ 1/min'),
]
calc, table = 'bench_calculator', 'bench_timetable'
for label, key, target in [
        ('Calculator: opening (window built and load)', (calc, 'createAndLoad'), '(start-up)'),
        ('Calculator: load', (calc, 'formLoad'), '< 1 ms'),
        ('Calculator: grade count 1 ↔ 15 (Combo1)', (calc, 'changeGradeCount'), '< 1 ms'),
        ('Calculator: computeMean (Command2, the mean)', (calc, 'computeMean'), '< 20 µs'),
        ('Timetable: load (five day files)', (table, 'formLoad'), '< 1 ms'),
        ('Timetable: day change (F1 ↔ F5)', (table, 'changeDay'), '< 1 ms')]:
    rows.append((label, us(commands[key]), '', '', target))
rows.append(('Calculator: save, two files (Запиши!)', us(commands[(calc, 'save')]),
             us(commands[(calc, 'saveFloor')]) + ' (QSaveFile alone)',
             '%.2f' % (commands[(calc, 'save')] / commands[(calc, 'saveFloor')]), '< 1 ms'))
rows.append(('Timetable: save, one day file', us(commands[(table, 'save')]), '', '', '< 1 ms'))
for r in records:
    rows.append(('Record lines read field by field: %d lines, %.1f MB' % (r['lines'], r['bytes'] / 1e6),
                 '%.0f MB/s (%.1f ns a line)' % (r['reader_mb_s'], r['reader_ns_per_line']),
                 '%.0f MB/s (memchr scan)' % r['scan_mb_s'], '%.2f' % r['ratio'], '≥ 0.25'))
r = records[-1]
rows.append(('Record lines: a line read, %d lines' % r['lines'],
             '%.1f ns = %.1f scan + %.1f QString + %.1f parsing, decoding' % (
                 r['reader_ns_per_line'], r['scan_ns_per_line'], r['qstring_ns_per_line'],
                 r['reader_ns_per_line'] - r['scan_ns_per_line'] - r['qstring_ns_per_line']),
             '%.1f ns (scan)' % r['scan_ns_per_line'], '', ''))
if len(records) >= 2:
    growth = (records[-1]['reader_ns_per_line'] * records[-1]['lines']) / (records[0]['reader_ns_per_line'] * records[0]['lines'])
    rows.append(('Record lines: time for %d× the lines' % (records[-1]['lines'] / records[0]['lines']),
                 '%.1f×' % growth, '', '', 'linear'))

print('| figure | Tumbora | floor | ratio | target |')
print('|---|---|---|---|---|')
for row in rows:
    print('| ' + ' | '.join(row) + ' |')
PYTHON
