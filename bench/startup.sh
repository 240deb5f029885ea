#!/usr/bin/env bash
# Start-up to first paint: Tarnoch against two references, alternating runs. Each program says
# "painted" on standard output once its first paint is on its way to the screen; the time runs
# from the start to that word (and, shown beside it, to the end of the process, which adds the
# window's teardown). The bare window paints no text; the text window paints one line in the
# system font, the least any window that shows text pays. Tarnoch starts with its template
# loaded.
# Usage: bench/startup.sh [runs]        (needs a display; starts Xvfb when DISPLAY is unset)
#        bench/startup.sh --instructions  (one run of each under callgrind: instruction totals)
# PROGRAM_FOLDER=dir bench/startup.sh     measures the program in dir instead of build/bin.
set -euo pipefail
export LC_ALL=C # a point in the clock's decimals
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

measure() { # prints "ms-to-paint ms-to-end peak-kB" for one run; fails when the run does
    local timing stamp start painted end status peak
    timing=$(mktemp)
    stamp=$(mktemp)
    # Bash's own clock: no process is started between the program's word and its reading.
    start=$EPOCHREALTIME
    /usr/bin/time -o "$timing" -f "%x %M" "$@" 2>/dev/null |
        { read -r word && [ "$word" = painted ] && echo "$EPOCHREALTIME" >"$stamp"; cat >/dev/null; }
    end=$EPOCHREALTIME
    read -r status peak < <(tail -n 1 "$timing")
    painted=$(cat "$stamp")
    rm -f "$timing" "$stamp"
    [ "$status" = 0 ] && [ -n "$painted" ] || return 1
    awk -v s="$start" -v p="$painted" -v e="$end" -v k="$peak" \
        'BEGIN { printf "%.1f %.1f %d\n", (p - s) * 1000, (e - s) * 1000, k }'
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

paint=(); whole=(); kb=()
for ((i = 0; i < runs; i++)); do
    for j in 0 1 2; do
        read -r p e k < <(measure ${programs[$j]}) ||
            { echo "failed: ${programs[$j]} (display $DISPLAY)" >&2; exit 1; }
        paint[$j]+="$p "; whole[$j]+="$e "; kb[$j]+="$k "
    done
done

median() { printf '%s\n' $1 | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for j in 0 1 2; do
    tp[$j]=$(median "${paint[$j]}"); te[$j]=$(median "${whole[$j]}"); tk[$j]=$(median "${kb[$j]}")
done
echo "runs: $runs alternating (medians); load average: $(cut -d' ' -f1-3 /proc/loadavg)"
names=("tarnoch:    " "bare window:" "text window:")
for j in 0 1 2; do
    echo "${names[$j]} first paint ${tp[$j]} ms (process ends ${te[$j]} ms), peak ${tk[$j]} kB"
done
ratio() { awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" -v e="$5" -v f="$6" \
    'BEGIN { printf "time %.2f (to the end %.2f), memory %.2f\n", a / b, c / d, e / f }'; }
echo "ratio to the bare window: $(ratio "${tp[0]}" "${tp[1]}" "${te[0]}" "${te[1]}" "${tk[0]}" "${tk[1]}")"
echo "ratio to the text window: $(ratio "${tp[0]}" "${tp[2]}" "${te[0]}" "${te[2]}" "${tk[0]}" "${tk[2]}")"
