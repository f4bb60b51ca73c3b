#!/usr/bin/env bash
# Installs what is missing, builds and starts the program. Needs a display; on a
# machine without one, wrap it: xvfb-run -s '-screen 0 1280x1024x24' bash scripts/install-and-run.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
exec "${BUILD_DIR:-$top/build}/divisheet" "$@"
