#!/usr/bin/env bash
# Set up, build and start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec build/bin/tarnoch "$@"
