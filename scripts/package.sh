#!/usr/bin/env bash
# Builds the Debian package of the launcher and the module 0588 (Release, without tests or
# benchmarks) and leaves qel0588_<version>_<arch>.deb in the repository folder.
# Install it with:  sudo apt-get install ./qel0588_*.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages
if [[ ! -d "$ROOT/build-deb" ]]; then
    echo "Compilando el paquete por primera vez: unos minutos…"
fi
export NINJA_STATUS="${NINJA_STATUS:-[%f/%t %p] }"
build "$ROOT/build-deb" -DCMAKE_BUILD_TYPE=Release -DQEL_BUILD_TESTS=OFF -DQEL_BUILD_BENCH=OFF
(cd "$ROOT/build-deb" && cpack -G DEB)
cp "$ROOT"/build-deb/qel0588_*.deb "$ROOT/"
echo "Paquete listo: $(ls "$ROOT"/qel0588_*.deb)"
