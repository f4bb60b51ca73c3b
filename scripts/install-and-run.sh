#!/usr/bin/env bash
# Installs what is missing, builds through the dev preset and starts the program. Needs a
# display; on a machine without one, wrap it:
# xvfb-run -s '-screen 0 1280x1024x24' bash scripts/install-and-run.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$(nproc)"
exec "$top/build/divisheet" "$@"
