#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/, runs their seed inputs as a
# regression test, then fuzzes each target for FUZZ_SECONDS (60 by default). A crash, a hang
# or a sanitizer report fails the run; the input that caused it is kept in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${FUZZ_SECONDS:-60}

# Only the core and the targets are built; the sanitized tests are scripts/sanitize.sh's.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNOCH_FUZZ=ON -DTARNOCH_BENCH=OFF >/dev/null
cmake --build build-fuzz --target rtf_fuzz character_fuzz

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
QT_QPA_PLATFORM=offscreen ctest --test-dir build-fuzz -R '_fuzz_seeds$' --output-on-failure

mkdir -p build-fuzz/findings
# target, dictionary, seed folder
while read -r target dictionary seeds; do
    # New inputs go to a scratch folder: the seed folders in the source tree stay as they are.
    work=$(mktemp -d)
    QT_QPA_PLATFORM=offscreen "build-fuzz/fuzz/$target" -dict="$dictionary" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$target-" "$work" "$seeds"
    rm -rf "$work"
done <<'TARGETS'
rtf_fuzz tests/fuzz/rtf.dict tests/fuzz/rtf_corpus
character_fuzz tests/fuzz/character.dict tests/files/golden
TARGETS
