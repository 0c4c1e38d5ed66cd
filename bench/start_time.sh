#!/usr/bin/env bash
# The time from `qel --start 0588` to the module's window on the screen, as a whole process
# under a virtual X server, against the least a Qt program takes to show a window (the
# trivial start_probe_window), both measured in the same run on the same server. The verdict
# is on the ratio of the medians: a machine's speed moves both, so a fixed number of
# milliseconds would judge the machine rather than the program.
#
#   bench/start_time.sh [BUILD_DIR]     BUILD_DIR defaults to build-bench (a Release build)
#   QEL_START_RUNS                      runs of each (default 7); the medians are compared
#
# A demo environment is created in a temporary HOME for the run and removed afterwards. The
# windows stamp their first expose into a pipe (QEL_EXPOSE_STAMP); the time is taken from the
# moment before the process is started.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build-bench}" && pwd)"
RUNS="${QEL_START_RUNS:-7}"
TARGET_RATIO=2.00
QEL="$BUILD/src/qel"
PROBE="$BUILD/bench/start_probe_window"
for program in "$QEL" "$BUILD/src/pm0588" "$PROBE"; do
    [[ -x "$program" ]] || { echo "missing $program: build $BUILD first" >&2; exit 1; }
done

WORK="$(mktemp -d)"
XVFB_PID=""
STARTED=() # the processes this script started and still has to end, by id
cleanup() {
    for pid in "${STARTED[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n "$XVFB_PID" ]]; then kill "$XVFB_PID" 2>/dev/null || true; fi
    rm -rf "$WORK"
}
trap cleanup EXIT

export HOME="$WORK/home"
export QEL_CONFIG_DIR="$HOME/config"
mkdir -p "$HOME"
"$QEL" --create-environment "$WORK/env" >/dev/null
"$QEL" --add-demo-taxpayers >/dev/null

# A display of our own: Xvfb writes the number it took.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB_PID=$!
for ((wait = 0; wait < 1000; wait++)); do [[ -s "$WORK/display" ]] && break; sleep 0.01; done
export DISPLAY=":$(tr -d '[:space:]' <"$WORK/display")"
export QT_QPA_PLATFORM=xcb
export QEL_EXPOSE_STAMP="$WORK/stamp"

now_ns() { date +%s%N; }

# Starts a command and prints the milliseconds until a window of it stamps its expose; then
# ends the command and the stamping process (the module is started detached by the launcher).
# The stamp file is a pipe the script waits on without running: a loop polling a file would
# take a core from the programs measured, and more from the two programs of qel --start than
# from the one of the trivial window.
measure() {
    rm -f "$QEL_EXPOSE_STAMP"
    mkfifo "$QEL_EXPOSE_STAMP"
    exec 4<>"$QEL_EXPOSE_STAMP" # read and write: opening it does not wait for the writer
    local start pid stamp shown_pid
    start="$(now_ns)"
    "$@" >/dev/null 2>&1 &
    pid=$!
    STARTED+=("$pid")
    if ! read -t 30 -r stamp shown_pid <&4; then
        echo "no window after 30 s: $*" >&2
        exit 1
    fi
    exec 4<&-
    echo $(((stamp - start) / 1000000))
    for end in "$shown_pid" "$pid"; do
        kill "$end" 2>/dev/null || true
        while kill -0 "$end" 2>/dev/null; do sleep 0.01; done
    done
    STARTED=()
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

module_times=()
probe_times=()
for ((i = 0; i < RUNS; i++)); do
    probe_times+=("$(measure "$PROBE")")
    module_times+=("$(measure "$QEL" --user CONTADOR --password contador --start 0588)")
done

module="$(printf '%s\n' "${module_times[@]}" | median)"
probe="$(printf '%s\n' "${probe_times[@]}" | median)"
echo "module window after qel --start 0588: ${module_times[*]} ms (median $module)"
echo "trivial Qt window:                    ${probe_times[*]} ms (median $probe)"
awk -v m="$module" -v p="$probe" -v t="$TARGET_RATIO" \
    'BEGIN { r = p > 0 ? m / p : 0; v = (p > 0 && r <= t + 0) ? "met" : "MISSED"
             printf "START median %d ms, x%.2f the trivial window (%d ms more); target x%.2f %s\n", m, r, m - p, t, v }'
