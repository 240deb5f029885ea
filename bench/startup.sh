#!/usr/bin/env bash
# Start-up to first paint, whole process: Tarnoch against a bare Qt window, alternating runs.
# Usage: bench/startup.sh [runs]   (needs a display; starts Xvfb when DISPLAY is unset)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
build=build
[ -x "$build/bin/tarnoch" ] && [ -x "$build/bench/bench_bare_window" ] || bash scripts/build.sh

if [ -z "${DISPLAY:-}" ]; then
    Xvfb :97 -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb' EXIT
    export DISPLAY=:97
    sleep 1
fi

# A scratch copy of the program folder, so the template and scratch files of a run stay out
# of the build.
folder=$(mktemp -d)
trap 'rm -rf "$folder"; [ -n "${xvfb:-}" ] && kill $xvfb' EXIT
cp "$build"/bin/* "$folder"/

measure() { # prints "milliseconds peak-kB" for one run of the command
    local start end peak
    start=$(date +%s%N)
    peak=$(/usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -n 1)
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000000 )) $peak"
}

tarnoch_ms=(); tarnoch_kb=(); bare_ms=(); bare_kb=()
for ((i = 0; i < runs; i++)); do
    read -r ms kb < <(measure "$folder/tarnoch" --quit-after-paint); tarnoch_ms+=("$ms"); tarnoch_kb+=("$kb")
    read -r ms kb < <(measure "$build/bench/bench_bare_window"); bare_ms+=("$ms"); bare_kb+=("$kb")
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
tm=$(median "${tarnoch_ms[@]}"); bm=$(median "${bare_ms[@]}")
tk=$(median "${tarnoch_kb[@]}"); bk=$(median "${bare_kb[@]}")
echo "runs: $runs (medians)"
echo "tarnoch:     ${tm} ms, peak ${tk} kB"
echo "bare window: ${bm} ms, peak ${bk} kB"
awk -v a="$tm" -v b="$bm" -v c="$tk" -v d="$bk" 'BEGIN { printf "ratio: time %.2f, memory %.2f\n", a / b, c / d }'
