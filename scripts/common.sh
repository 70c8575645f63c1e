# Shared by scripts/run and scripts/test: the Debian packages the program
# needs, and an incremental build in build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${MORLENTA_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-serialport-dev qt6-translations-l10n
  libsqlite3-dev libsodium-dev libzip-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils socat
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

build() {
  # ccache shares objects between clones of the project on this machine:
  # paths are taken relative to the clone, so a fresh clone hits the cache.
  export CCACHE_BASEDIR="$ROOT"
  export CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
  export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORLENTA_WERROR=ON "$@"
  fi
  cmake --build "$BUILD" -j "$(nproc)"
}
