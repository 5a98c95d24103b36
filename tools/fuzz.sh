#!/bin/sh
# Builds the libFuzzer targets (fuzz/, with clang, in build-fuzz/) and runs each
# for SECONDS (default 30) from its committed seeds, then feeds the design-file
# reader the oversized files that are too big to commit. Fails on any crash,
# sanitizer report, time-out (10 s for one input) or memory blow-up.
#   sh tools/fuzz.sh [SECONDS]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
. "$top/tools/packages.sh"

# The fuzz build only: clang with its sanitizer and fuzzer runtimes, Qt and QCustomPlot.
packages="clang libclang-rt-14-dev cmake ninja-build qtbase5-dev libqcustomplot-dev"
install_packages $packages

out="$top/build-fuzz"
if [ ! -f "$out/CMakeCache.txt" ]; then
    cmake -S "$top/fuzz" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >&2
fi
cmake --build "$out" -j2 >&2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Files past the design-file limits; the reader must refuse them quickly.
big="$out/oversized"
mkdir -p "$big"
header="ZARN AMPORA SAVED PREFERENCES"
{ echo "$header"; printf 'ThreePhaseTimeVector: '; yes 0 | head -n 100001 | tr '\n' ' '; echo; } > "$big/list_items.zam"
{ echo "$header"; printf 'SOA_Rload: '; head -c 1048577 /dev/zero | tr '\0' '7'; echo; } > "$big/long_line.zam"
{ echo "$header"; head -c 16777217 /dev/zero | tr '\0' '\n'; } > "$big/over_16MB.zam"
"$out/fuzz_designfile" -timeout=10 -rss_limit_mb=2048 "$big"/*.zam

failed=""
for fuzzer in "$out"/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    seeds="$top/fuzz/corpus/${name#fuzz_}"
    work="$out/corpus/${name#fuzz_}"
    mkdir -p "$work" "$out/artifacts"
    echo "== $name for ${seconds}s" >&2
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$out/artifacts/$name-" "$work" "$seeds" > "$out/$name.log" 2>&1; then
        tail -n 40 "$out/$name.log" >&2
        failed="$failed $name"
    fi
done
if [ -n "$failed" ]; then
    echo "fuzz: failed:$failed (inputs in $out/artifacts)" >&2
    exit 1
fi
echo "fuzz: all targets ran ${seconds}s each without a finding" >&2
