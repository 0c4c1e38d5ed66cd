#!/usr/bin/env bash
# Installs what is missing, builds, creates the demo environment on first run and starts
# the launcher logged in, which starts the module 0588.
#   QEL_DEMO_DIR   folder of the demo environment (default ~/QEL-demo)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
if [[ ! -d "$ROOT/build-run" ]]; then
    echo "Compilando por primera vez: unos minutos… (las siguientes veces solo lo que cambió)"
fi
export NINJA_STATUS="${NINJA_STATUS:-[%f/%t %p] }" # the build's progress: files done, total, percent
build "$ROOT/build-run" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_BUILD_TESTS=OFF -DQEL_BUILD_BENCH=OFF

DEMO_DIR="${QEL_DEMO_DIR:-$HOME/QEL-demo}"
export QEL_CONFIG_DIR="${QEL_CONFIG_DIR:-$DEMO_DIR/config}"
QEL="$ROOT/build-run/src/qel"

if [[ ! -f "$QEL_CONFIG_DIR/PM000.INI" ]]; then
    "$QEL" --create-environment "$DEMO_DIR"
    "$QEL" --add-demo-taxpayers
fi
echo "Entorno de demostración: $DEMO_DIR (usuarios CONTADOR/contador y SUPERVISOR/supervisor)"
exec "$QEL" --user CONTADOR --password contador --start 0588
