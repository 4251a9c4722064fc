#!/usr/bin/env bash
# Re-makes the reviewed pictures and texts in tests/reviewed after a deliberate change of
# what the windows show: runs the tests that compare with them (the pictures at 100 % and
# 200 %) and keeps what they drew or wrote. Look at every file that changed
# (git status tests/reviewed) before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
cd "$build_dir/tests"
rm -f ./*.actual.* ./*.difference.png
export QT_QPA_PLATFORM=offscreen
# Each fails where what it compares changed.
./tst_storage failureTexts >/dev/null || true
./tst_windows windowLooksAsReviewed menus >/dev/null || true
QT_SCALE_FACTOR=2 ./tst_windows windowLooksAsReviewed >/dev/null || true
cd - >/dev/null
for actual in "$build_dir"/tests/*.actual.*; do
    [ -e "$actual" ] || continue
    reviewed=tests/reviewed/$(basename "$actual" | sed 's/\.actual\././')
    cp "$actual" "$reviewed"
    echo "changed: $reviewed"
done
