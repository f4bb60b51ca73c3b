#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs the whole test
# suite headless through CTest, twice: in the normal build and in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
#
# DIVISHEET_SKIP_SANITIZERS=1 leaves out the second build (quicker local runs).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

"$top/scripts/install-deps.sh"
# The printing tests spool real jobs through a CUPS scheduler with a test queue.
"$top/scripts/start-cups.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== normal build"
BUILD_DIR=$top/build "$top/scripts/build.sh" -DDIVISHEET_WERROR=ON
(cd "$top/build" && ctest --output-on-failure --timeout 600 -j "$jobs")

if [ "${DIVISHEET_SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
    BUILD_TYPE=Debug BUILD_DIR=$top/build-asan "$top/scripts/build.sh" \
        -DDIVISHEET_WERROR=ON -DDIVISHEET_SANITIZE=ON -DDIVISHEET_BUILD_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    (cd "$top/build-asan" && ctest --output-on-failure --timeout 900 -j "$jobs")
fi
