#!/usr/bin/env bash
# Re-makes the reviewed pictures in tests/pictures after a deliberate change of how the
# windows look: runs the picture test at 100 % and 200 % and keeps what it drew. Look at
# every picture that changed (git status tests/pictures) before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
rm -f "$build_dir"/tests/*.actual.png "$build_dir"/tests/*.difference.png
ctest --test-dir "$build_dir" -R '^tst_pictures' >/dev/null || true # fails where a picture changed
for actual in "$build_dir"/tests/*.actual.png; do
    [ -e "$actual" ] || continue
    name=$(basename "$actual" .actual.png)
    cp "$actual" "tests/pictures/$name.png"
    echo "changed: tests/pictures/$name.png"
done
