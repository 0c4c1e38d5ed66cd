#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and with the address and
# undefined-behaviour sanitizers, and runs every test under them (under a virtual X server,
# which the launcher-window tests need, and a private print server on 127.0.0.1), then runs each
# fuzzer of fuzz/corpus/ briefly.
# First it checks that every C++ file is laid out as .clang-format says.
#   QEL_FUZZ_SECONDS   seconds per fuzzer (default 10; 0 skips fuzzing)
# The office-server tests run against a throwaway PostgreSQL cluster that pg_virtualenv starts
# for the run (as root too) and drops at its end; QEL_TEST_SERVER names it, and libpq's
# environment that pg_virtualenv sets fills in host, port, user and password.
# The crash tests kill their helpers 50 + 2 x 30 times here; scripts/crash_test.sh runs them
# at 10,000 kills.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
"$ROOT/scripts/format_check.sh"
# The compiler cache keeps precompiled headers only when told their timestamps do not matter.
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
# Clang compiles the sanitizer build in about half the time gcc takes; the everyday build stays
# on gcc, so the code is checked by both compilers' warnings.
build "$ROOT/build-test" -DCMAKE_BUILD_TYPE=Debug -DQEL_WERROR=ON -DQEL_SANITIZE=ON -DQEL_PCH=ON -DQEL_BUILD_BENCH=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

# A private print server for the test that prints to a queue; stopped when the script ends.
trap stop_print_server EXIT
start_print_server "$ROOT/build-test/print-server" || echo "AVISO: sin servidor de impresión; la prueba de impresora se omite."

cd "$ROOT/build-test"
# Leaks are not failures (the toolkit keeps its caches to the end); every other fault is.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Every test runs once (the server tests against the throwaway cluster); then the store,
# working-copy, save/load round-trip, demo-return, send and sent-version tests run again with
# every test database on the server (QEL_TEST_ENGINE=server), with the office tests: two modules
# and two sends at once, a save killed on the server, the launcher's list following the others,
# the partners' window and the consistency rules.
SERVER_SUITE='RoundTripTest.*:Returns/DemoReturnTest.*:FormLoaderTest.SentVersionLoadsFromTheHistoryTables'
SERVER_SUITE+=':SentVersionsTest.*:DeclarationSenderTest.*:TaxpayerRegistry.*:SentDeclarationBatchTest.*'
SERVER_SUITE+=':PriorBalanceTest.*:ServerWorkingCopies.*:ServerEngine.*:OfficeEnvironmentTest.*:DeclarationLock.*'
SERVER_SUITE+=':DeclarationSessionsTest.*:Office/*:PartnersBatch.*:ConsistencyCheck*'
export SERVER_SUITE
# A run killed part-way leaves its throwaway cluster behind, and as root pg_virtualenv makes
# only one: a stale one is dropped first.
if [[ $(id -u) -eq 0 && -d /etc/postgresql/15/regress ]]; then
    pg_dropcluster --stop 15 regress || true
fi
pg_virtualenv -v 15 sh -c 'export QEL_TEST_SERVER=postgresql://
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$(nproc)" --timeout 600 &&
    QEL_TEST_ENGINE=server QT_QPA_PLATFORM=offscreen ./tests/qel_core_tests --gtest_filter="$SERVER_SUITE"'

FUZZ_SECONDS="${QEL_FUZZ_SECONDS:-10}"
if [[ "$FUZZ_SECONDS" != "0" ]]; then
    build "$ROOT/build-fuzz" -DCMAKE_BUILD_TYPE=Debug -DQEL_BUILD_FUZZ=ON -DQEL_WERROR=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
    for corpus in "$ROOT"/fuzz/corpus/*/; do
        name="fuzz_$(basename "$corpus")"
        work="$ROOT/build-fuzz/corpus-$(basename "$corpus")"
        mkdir -p "$work"
        echo "== $name ($FUZZ_SECONDS s)"
        "$ROOT/build-fuzz/fuzz/$name" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 "$work" "$corpus" 2>&1 | tail -n 2
        test "${PIPESTATUS[0]}" -eq 0
    done
fi
echo "Todas las pruebas pasaron."
