#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test (under a
# virtual X server, which the launcher-window tests need), then runs each fuzzer briefly.
#   QEL_FUZZ_SECONDS   seconds per fuzzer (default 20; 0 skips fuzzing)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DQEL_WERROR=ON

cd "$ROOT/build-test"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$(nproc)" --timeout 600

FUZZ_SECONDS="${QEL_FUZZ_SECONDS:-20}"
if [[ "$FUZZ_SECONDS" != "0" ]]; then
    build "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=Debug -DQEL_BUILD_FUZZ=ON -DQEL_WERROR=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    for corpus in "$ROOT"/fuzz/corpus/*/; do
        name="fuzz_$(basename "$corpus")"
        work="$ROOT/build-fuzz/corpus-$(basename "$corpus")"
        mkdir -p "$work"
        echo "== $name ($FUZZ_SECONDS s)"
        "$ROOT/build-fuzz/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 "$work" "$corpus" 2>&1 | tail -n 2
    done
fi
echo "Todas las pruebas pasaron."
