#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# Idempotent; works as root or through sudo. Arguments name further packages to install.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    fonts-liberation2
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
    64tass cc65 mednafen
    desktop-file-utils appstream
)
# Further packages a caller needs (the benchmarks name theirs).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
