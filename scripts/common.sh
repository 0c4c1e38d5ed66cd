# Shared by the README commands: installs what is missing and builds.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libfreexl-dev
          xvfb xauth x11-utils fonts-dejavu-core fonts-liberation poppler-utils clang libclang-rt-14-dev
          xdg-utils qt6-translations-l10n dpkg-dev python3-xlwt libsodium-dev clang-format
          postgresql postgresql-common libqt6sql6-psql)

install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]} == 0)); then
        return
    fi
    echo "Instalando paquetes: ${missing[*]}"
    local sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# build DIR [extra cmake arguments...]
build() {
    local dir="$1"; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
    cmake --build "$dir" -j "$(nproc)"
}
