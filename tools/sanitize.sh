#!/bin/sh
# Builds the test suite with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs it off screen. The first finding stops the test that
# made it, so any finding fails the run.
set -e
. "$(dirname "$0")/setup.sh"

flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all"
if [ ! -f "$top/build-asan/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
        -DCMAKE_CXX_FLAGS_SANITIZE="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS_SANITIZE="-fsanitize=address,undefined" \
        -DCMAKE_SHARED_LINKER_FLAGS_SANITIZE="-fsanitize=address,undefined" \
        -DAMPORA_BENCH=OFF >&2
fi
cmake --build "$top/build-asan" -j2 >&2

# Leaks are not checked: the platform libraries (fontconfig, Qt's plugins)
# keep allocations to the end of the process that would drown real findings.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
QT_QPA_PLATFORM=offscreen ctest --test-dir "$top/build-asan" --output-on-failure -j2
