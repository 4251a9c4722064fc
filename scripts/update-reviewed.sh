#!/usr/bin/env bash
# Re-makes the reviewed pictures and texts in tests/reviewed after a deliberate change of
# what the windows show: runs the tests that compare with them (the pictures at 100 % and
# 200 %) and keeps what they drew or wrote. Look at every file that changed
# (git status tests/reviewed) before committing it. A test that fails otherwise than by such a
# difference (any other check, a crash) stops it, with the test's output, and nothing is kept.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
cd "$build_dir/tests"
rm -f ./*.actual.*

# Runs a test program as ctest does, at the scale in $scale whatever the shell's. QTest
# reports each failure from "FAIL!" to its "Loc:" line; a difference names tests/reviewed
# (a picture) or compares with the reviewed text.
run() {
    local output
    output=$(env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI QT_QPA_PLATFORM=offscreen \
             LC_ALL=C.UTF-8 ${scale:+QT_SCALE_FACTOR=$scale} "$@" 2>&1) && return 0
    awk '/^FAIL!/ { failures++; block = "" } { block = block $0 "\n" }
         /^ *Loc: / { if (block ~ /^FAIL!/ && block !~ /tests\/reviewed\/|\(reviewed\.split/) other++; block = "" }
         END { exit (other || !failures) }' <<<"$output" && return 0
    echo "$output"
    echo "$* failed otherwise than by a difference from tests/reviewed; nothing was kept" >&2
    exit 1
}
scale= run ./tst_storage failureTexts
scale= run ./tst_windows windowLooksAsReviewed menus
scale=2 run ./tst_windows windowLooksAsReviewed
cd - >/dev/null
for actual in "$build_dir"/tests/*.actual.*; do
    [ -e "$actual" ] || continue
    reviewed=tests/reviewed/$(basename "$actual" | sed 's/\.actual\././')
    cp "$actual" "$reviewed"
    echo "changed: $reviewed"
done
