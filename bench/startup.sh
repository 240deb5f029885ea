#!/usr/bin/env bash
# Start-up to first paint, whole process: Tarnoch against two references, alternating runs.
# The bare window paints no text; the text window paints one line in the system font, the
# least any window that shows text pays. Tarnoch starts with its template loaded.
# Usage: bench/startup.sh [runs]        (needs a display; starts Xvfb when DISPLAY is unset)
#        bench/startup.sh --instructions  (one run of each under callgrind: instruction totals)
# PROGRAM_FOLDER=dir bench/startup.sh     measures the program in dir instead of build/bin.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}
build=build
[ -x "$build/bin/tarnoch" ] && [ -x "$build/bench/bench_bare_window" ] &&
    [ -x "$build/bench/bench_text_window" ] || bash scripts/build.sh

if [ -z "${DISPLAY:-}" ]; then
    # A display of its own, on the first free number, so that runs of others never share it.
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$displayfile" >/dev/null 2>&1 &
    xvfb=$!
    while [ ! -s "$displayfile" ]; do sleep 0.1; done
    export DISPLAY=":$(cat "$displayfile")"
    rm -f "$displayfile"
fi

# A scratch copy of the program folder and a fresh home, so the template, scratch and
# recovery files of a run stay out of the build and the user's folders.
folder=$(mktemp -d)
trap 'rm -rf "$folder"; [ -n "${xvfb:-}" ] && kill $xvfb' EXIT
cp "${PROGRAM_FOLDER:-$build/bin}"/* "$folder"/
rm -f "$folder/Template.tnc" "$folder"/Tarn*.tmp
mkdir "$folder/home"
export HOME="$folder/home"

measure() { # prints "milliseconds peak-kB" for one run of the command; fails when it does
    local start end status peak
    start=$(date +%s%N)
    read -r status peak < <(/usr/bin/time -f "%x %M" "$@" 2>&1 >/dev/null | tail -n 1)
    end=$(date +%s%N)
    [ "$status" = 0 ] || return 1
    echo "$(( (end - start) / 1000000 )) $peak"
}

programs=("$folder/tarnoch --quit-after-paint" "$build/bench/bench_bare_window"
          "$build/bench/bench_text_window")
# One unmeasured run each: the first start of Tarnoch writes its template, and the caches
# are warm for every program alike.
for p in "${programs[@]}"; do measure $p >/dev/null || true; done

if [ "$runs" = --instructions ]; then
    for j in 0 1 2; do
        out="$folder/callgrind.$j"
        valgrind --tool=callgrind --callgrind-out-file="$out" ${programs[$j]} >/dev/null 2>&1
        ir[$j]=$(awk '/^totals:/ {print $2}' "$out")
    done
    echo "instructions to first paint: tarnoch ${ir[0]}, bare window ${ir[1]}, text window ${ir[2]}"
    awk -v a="${ir[0]}" -v b="${ir[1]}" -v c="${ir[2]}" \
        'BEGIN { printf "ratio: to the bare window %.2f, to the text window %.2f\n", a / b, a / c }'
    exit 0
fi

ms=(); kb=()
for ((i = 0; i < runs; i++)); do
    for j in 0 1 2; do
        read -r m k < <(measure ${programs[$j]}) ||
            { echo "failed: ${programs[$j]} (display $DISPLAY)" >&2; exit 1; }
        ms[$j]+="$m "; kb[$j]+="$k "
    done
done

median() { printf '%s\n' $1 | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for j in 0 1 2; do tm[$j]=$(median "${ms[$j]}"); tk[$j]=$(median "${kb[$j]}"); done
echo "runs: $runs alternating (medians); load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "tarnoch:     ${tm[0]} ms, peak ${tk[0]} kB"
echo "bare window: ${tm[1]} ms, peak ${tk[1]} kB"
echo "text window: ${tm[2]} ms, peak ${tk[2]} kB"
ratio() { awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" \
    'BEGIN { printf "time %.2f, memory %.2f\n", a / b, c / d }'; }
echo "ratio to the bare window: $(ratio "${tm[0]}" "${tm[1]}" "${tk[0]}" "${tk[1]}")"
echo "ratio to the text window: $(ratio "${tm[0]}" "${tm[2]}" "${tk[0]}" "${tk[2]}")"
