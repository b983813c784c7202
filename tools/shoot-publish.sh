#!/usr/bin/env bash
# The published sample page as Chromium shows it: publish-2-page.png.
# Usage: shoot-publish.sh OUTPUT_FOLDER SAMPLE_FOLDER BUILD_FOLDER
set -euo pipefail
out=$1
page="$out/published-notes.htm"
[ -f "$page" ] || { echo "shoot-publish.sh: no published page at $page" >&2; exit 1; }
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

shot() { # URL PNG
  rm -f "$2"
  timeout 120 /usr/bin/chromium --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=1024,768 \
    --screenshot="$2" "$1" >/dev/null 2>&1
  [ -s "$2" ] || { echo "shoot-publish.sh: chromium drew no $2" >&2; return 1; }
}

url="file://$(cd "$out" && pwd | sed 's/%/%25/g; s/ /%20/g; s/#/%23/g; s/?/%3F/g')/published-notes.htm"
shot "$url" "$out/publish-2-page.png"
