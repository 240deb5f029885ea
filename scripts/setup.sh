#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Tarnoch needs.
# Idempotent; runs as root or through sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
    libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    fonts-gotico-antiqua fonts-kaushanscript fonts-liberation2 fonts-goudybookletter
    fontconfig xvfb x11-utils xdotool imagemagick time valgrind poppler-utils
    librsvg2-bin dpkg-dev file lintian appstream desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y "${missing[@]}"
