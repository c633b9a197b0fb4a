#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that the build, the program and
# the tests need. Quick and silent when everything is there already.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev libgl-dev
    libpugixml-dev
    libgtest-dev libgmock-dev
    ffmpeg mplayer
    xvfb xauth imagemagick x11-utils fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
