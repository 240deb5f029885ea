#!/usr/bin/env bash
# Configures and builds into build/ (the program folder is build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
