#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins
    # The Japanese faces the program may write in: the figure tests check its digits in each.
    fonts-morisawa-bizud-gothic fonts-ipafont-gothic fonts-noto-cjk
    xvfb xauth xdotool imagemagick x11-utils openbox
    qt6-translations-l10n
    cups cups-client cups-bsd cups-ipp-utils poppler-utils
    dpkg-dev appstream desktop-file-utils lintian
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}; run this as root." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
