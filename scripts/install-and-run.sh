#!/usr/bin/env bash
# Installs what building and running need, builds the program alone through the dev
# preset and starts it (scripts/install-and-test.sh builds the tests and the benchmark).
# Needs a display; on a machine without one, wrap it:
# xvfb-run -s '-screen 0 1280x1024x24' bash scripts/install-and-run.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh" run
echo "== configuring the build (build/)"
cmake --preset dev >/dev/null
echo "== building the program (about two minutes on two cores; the tests are not built)"
cmake --build --preset dev --target divisheet --parallel "$(nproc)"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "== built build/divisheet, but there is no display to open its window on;" >&2
    echo "   run this under xvfb-run -s '-screen 0 1280x1024x24', or start build/divisheet on a desktop" >&2
    exit 1
fi
echo "== starting build/divisheet"
exec "$top/build/divisheet" "$@"
