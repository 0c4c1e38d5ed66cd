#!/usr/bin/env bash
# The office-server benchmarks, against a throwaway PostgreSQL 15 cluster that pg_virtualenv
# starts for the run and drops at its end; the lock lets one such cluster exist at a time:
# opening, saving and working copies of a declaration with 10,000 annex rows against bare
# libpq statements doing the same row work, then 1, 3 and 10 module processes in the batch
# mode saving different declarations at once.
#
#   bench/server_bench.sh BUILD_DIR [office_sessions_bench options]
#
# BUILD_DIR is a Release build with the benchmarks (-DCMAKE_BUILD_TYPE=Release
# -DQEL_BUILD_BENCH=ON); QEL_BENCH_ROWS (or --rows=N among the options) changes the row count.
set -euo pipefail

BUILD="$(cd "${1:?usage: bench/server_bench.sh BUILD_DIR [office_sessions_bench options]}" && pwd)"
shift
PROGRAMS="server_working_copies_bench server_form_load_bench server_save_bench"
for program in $PROGRAMS office_sessions_bench; do
    [[ -x "$BUILD/bench/$program" ]] || { echo "missing $BUILD/bench/$program: build $BUILD first" >&2; exit 1; }
done
export QEL_BENCH_BUILD="$BUILD" QEL_BENCH_PROGRAMS="$PROGRAMS"

flock /tmp/qel-pg.lock pg_virtualenv -v 15 sh -c 'set -e
    export QEL_BENCH_SERVER=postgresql://
    for program in $QEL_BENCH_PROGRAMS; do
        echo "== $program"
        "$QEL_BENCH_BUILD/bench/$program"
    done
    echo "== office_sessions_bench"
    "$QEL_BENCH_BUILD/bench/office_sessions_bench" "$@"' sh "$@"
