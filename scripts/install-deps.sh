#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need,
# but only those that are missing, so a second run costs nothing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config ccache
    juce-modules-source
    libflac-dev libvorbis-dev libogg-dev
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth fonts-dejavu-core
    lilv-utils lv2-dev xdotool
    espeak-ng
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "Missing packages (${missing[*]}) and no root rights to install them." >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q || true
"${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
