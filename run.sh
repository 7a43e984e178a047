#!/usr/bin/env bash
# Installs what the project needs (when missing), builds the release preset and
# shows the bundled sample smilies set in the viewer: in a window when there is
# a display, otherwise as a screenshot written under build/.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quorix-smilies >/dev/null
viewer=build/release/app/quorix-smilies
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$viewer" --dir samples/default "$@"
fi
shot="$PWD/build/quorix-smilies.png"
QT_QPA_PLATFORM=offscreen "$viewer" --dir samples/default --screenshot "$shot" --after-ms 500 "$@"
echo "No display found: wrote a screenshot of the viewer on samples/default to $shot"
