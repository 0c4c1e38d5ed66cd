#!/usr/bin/env bash
# The crash tests at full size: 10,000 kills of a helper process, spread over saves, deletes
# and working-copy refreshes (3,334 of each), each followed by a check that the declaration is
# one whole version and the file sound. Takes a long while (about an hour on two cores).
#   QEL_CRASH_KILLS   kills of each of the three commands (default 3334)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
build "$ROOT/build-crash" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_BUILD_BENCH=OFF

export QEL_CRASH_KILLS="${QEL_CRASH_KILLS:-3334}"
"$ROOT/build-crash/tests/qel_core_tests" --gtest_filter='SaveCrash*:WriteCrash*' 2>&1 | grep -E '^\[( crash|  PASSED|  FAILED)'
test "${PIPESTATUS[0]}" -eq 0
