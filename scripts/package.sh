#!/usr/bin/env bash
# Set up, build and pack the program as a Debian package: tarnoch_<version>_amd64.deb in the
# checkout's top folder. Install it with: sudo apt install ./tarnoch_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
rm -rf build/package
cpack --config build/CPackConfig.cmake -B build/package >build/package.log 2>&1 ||
    { cat build/package.log; exit 1; }
rm -f tarnoch_*_amd64.deb
cp build/package/tarnoch_*_amd64.deb .
ls tarnoch_*_amd64.deb
