#!/usr/bin/env bash
# Validates the AppStream metadata and checks that each screenshot it names is a picture in
# docs/. Usage: metainfo.sh <id.metainfo.xml> <docs folder>
set -euo pipefail
if ! command -v appstreamcli >/dev/null; then
    echo "SKIP: needs appstreamcli (Debian: appstream)"
    exit 77
fi
# Errors and warnings fail; infos and pedantic notes are advice.
appstreamcli validate --no-net "$1"
status=0
for image in $(sed -n 's|.*<image>.*/\([^/]*\)</image>.*|\1|p' "$1"); do
    [ -f "$2/$image" ] || { echo "screenshot $image is not in $2"; status=1; }
done
exit $status
