#!/usr/bin/env bash
# Installs what the project needs (when missing), builds the release preset and
# checks the bundled sample smilies set.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target quorix-smilies-tool >/dev/null
exec build/release/tools/quorix-smilies-tool check samples/minimal "$@"
