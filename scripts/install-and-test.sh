#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test
# suite headless through CTest. Exits non-zero on any failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}

"$top/scripts/install-deps.sh"
# The printing tests spool real jobs through a CUPS daemon with a test queue.
"$top/scripts/start-cups.sh"

BUILD_DIR=$build "$top/scripts/build.sh" -DDIVISHEET_WERROR=ON
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j "$(nproc)"
