# Shared by the README commands: installs what is missing and builds.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(g++ cmake ninja-build pkg-config ccache qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libfreexl-dev
          xvfb xauth x11-utils fonts-dejavu-core fonts-liberation poppler-utils clang libclang-rt-14-dev
          xdg-utils qt6-translations-l10n dpkg-dev python3-xlwt libsodium-dev clang-format cups cups-client
          postgresql postgresql-common libqt6sql6-psql libpq-dev)

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
    # Paths inside the checkout are hashed relative to it, so a fresh clone reuses the cache.
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
    cmake --build "$dir" -j "$(nproc)"
}

# start_print_server DIR: a private print server (the system's cupsd with its own configuration
# under DIR, on a free port of 127.0.0.1) with one queue, "qelprueba", whose backend keeps each
# job it receives in DIR/out as job-N. Exports what the printing tests read. Only as root: the
# backend must run with the server's own rights.
start_print_server() {
    local dir="$1"
    if [[ $(id -u) -ne 0 ]] || ! command -v cupsd >/dev/null; then
        echo "Sin servidor de impresión privado (requiere root y cupsd): se omite la prueba de impresora."
        return 0
    fi
    rm -rf "$dir"
    mkdir -p "$dir"/{spool,tmp,state,cache,ppd,out,bin/backend}
    chmod 755 "$dir"
    local port
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    for d in filter daemon notifier cgi-bin monitor driver; do
        if [[ -e /usr/lib/cups/$d ]]; then ln -sfn "/usr/lib/cups/$d" "$dir/bin/$d"; fi
    done
    cat >"$dir/bin/backend/qelfile" <<'SCRIPT'
#!/bin/sh
# Writes each job it receives into the folder of its device URI, as job-N.
if [ $# -eq 0 ]; then echo 'direct qelfile "Unknown" "Archivo de prueba"'; exit 0; fi
folder="${DEVICE_URI#qelfile:}"
if [ -n "$6" ]; then cat "$6"; else cat; fi >"$folder/job-$1.tmp" && mv "$folder/job-$1.tmp" "$folder/job-$1"
SCRIPT
    chmod 700 "$dir/bin/backend/qelfile"
    cat >"$dir/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
StateDir $dir/state
CacheDir $dir/cache
ErrorLog $dir/error_log
AccessLog $dir/access_log
PageLog $dir/page_log
ServerBin $dir/bin
DataDir /usr/share/cups
Sandboxing Relaxed
SystemGroup root
CONF
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/cupsd.out" 2>&1 &
    PRINT_SERVER_PID=$!
    export CUPS_SERVER="127.0.0.1:$port"
    local tries=0
    until LC_ALL=C lpstat -r 2>/dev/null | grep -q "scheduler is running"; do
        ((tries++ < 50)) || { echo "El servidor de impresión privado no arrancó."; cat "$dir/error_log" 2>/dev/null; stop_print_server; return 1; }
        sleep 0.1
    done
    if ! lpadmin -p qelprueba -E -v "qelfile:$dir/out" -m raw 2>"$dir/lpadmin.err"; then
        echo "No se pudo crear la cola de impresión de prueba:"; cat "$dir/lpadmin.err"
        stop_print_server
        return 1
    fi
    export QEL_TEST_CUPS_QUEUE=qelprueba QEL_TEST_CUPS_OUTPUT="$dir/out"
    echo "Servidor de impresión privado en $CUPS_SERVER (cola qelprueba)."
}

stop_print_server() {
    if [[ -n "${PRINT_SERVER_PID:-}" ]]; then
        kill "$PRINT_SERVER_PID" 2>/dev/null || true
        wait "$PRINT_SERVER_PID" 2>/dev/null || true
        PRINT_SERVER_PID=""
    fi
}
