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
# Debian's own checks of the package: an error fails the script.
if ! command -v lintian >/dev/null; then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends lintian
fi
lintian --fail-on error "$ROOT"/qel0588_*.deb
echo "Paquete listo: $(ls "$ROOT"/qel0588_*.deb)"
