#!/usr/bin/env bash
# Installs what the project needs (when missing), builds the release preset and
# runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
preset="${QUORIX_PRESET:-release}"
cmake --preset "$preset" -DQUORIX_WERROR=ON >/dev/null
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset" -j"$(nproc)"
