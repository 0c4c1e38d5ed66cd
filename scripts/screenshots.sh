#!/bin/sh
# Writes pictures of the module's windows filled with demo data, for a person to look at (the
# folder each picture goes to is in the output). Usage: scripts/screenshots.sh [BUILD_DIR] [FILTER]
set -eu
build=${1:-build}
filter=${2:-*}
cmake --build "$build" --target qel_screenshots
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/tests/qel_screenshots" --gtest_filter="$filter"
