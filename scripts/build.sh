#!/usr/bin/env bash
# Configures through the CMake preset $PRESET (dev unless set; asan for the sanitizer
# build) and builds. BUILD_DIR puts the build elsewhere than the preset's folder and
# BUILD_TYPE overrides its build type; extra arguments go to cmake.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
preset=${PRESET:-dev}
configure=(--preset "$preset")
if [ -n "${BUILD_DIR:-}" ]; then
    configure+=(-B "$BUILD_DIR")
fi
if [ -n "${BUILD_TYPE:-}" ]; then
    configure+=(-DCMAKE_BUILD_TYPE="$BUILD_TYPE")
fi
cmake "${configure[@]}" "$@" >/dev/null
if [ -n "${BUILD_DIR:-}" ]; then
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
else
    cmake --build --preset "$preset" --parallel "$(nproc)"
fi
