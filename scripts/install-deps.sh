#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running need ("run") or that
# building, running and testing need (no argument, or "all").
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins
    # The page's face, BIZ UDGothic, and IPAGothic where it is missing.
    fonts-morisawa-bizud-gothic fonts-ipafont-gothic
    qt6-translations-l10n
    # divisheet serve: Qt's HTTP server; its CMake package asks for the WebSockets one, whose
    # library the server's library links anyway.
    qt6-httpserver-dev qt6-websockets-dev
)
if [ "${1:-all}" != run ]; then
    packages+=(
        xvfb xauth xdotool imagemagick x11-utils openbox
        # The figure tests check the digits in every Japanese face the program may write in.
        fonts-noto-cjk
        cups cups-client cups-bsd cups-ipp-utils poppler-utils
        dpkg-dev appstream desktop-file-utils lintian
        # The served page, driven in a headless browser.
        chromium chromium-driver python3-selenium
    )
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}; run this as root." >&2
        exit 1
    fi
    echo "== installing ${#missing[@]} packages (a few minutes on a fresh machine): ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "== packages: all installed"
fi
