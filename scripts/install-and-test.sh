#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test
# suite headless through CTest, twice: in the normal build (preset dev) and in a build
# with AddressSanitizer and UndefinedBehaviorSanitizer (preset asan, whose test preset
# holds the sanitizers' options). Exits non-zero on any failure.
#
# DIVISHEET_SKIP_SANITIZERS=1 leaves out the second build (quicker local runs).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

"$top/scripts/install-deps.sh"
# The printing tests spool real jobs through a CUPS scheduler with a test queue.
"$top/scripts/start-cups.sh"

jobs=$(nproc)

echo "== normal build"
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$jobs"
ctest --preset dev --timeout 600 -j "$jobs"

if [ "${DIVISHEET_SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
    cmake --preset asan >/dev/null
    cmake --build --preset asan --parallel "$jobs"
    ctest --preset asan --timeout 900 -j "$jobs"
fi
