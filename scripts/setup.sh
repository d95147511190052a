# Shared by scripts/run and scripts/test: installs what a fresh Debian 12
# machine lacks and configures and builds one build tree.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev zlib1g-dev libdeflate-dev libjpeg62-turbo-dev libfreetype-dev libfontconfig-dev
  hershey-fonts-data fonts-dejavu-core fonts-liberation2 fonts-droid-fallback
  libgtest-dev libgmock-dev libbenchmark-dev
  locales
  python3-ezdxf qpdf ghostscript librsvg2-bin libxml2-utils hp2xx imagemagick
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
  # The number tests run once more under a comma-decimal locale.
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    as_root locale-gen >/dev/null
  fi
}

# Compilations are cached across clones: paths under the checkout are taken
# relative to it and the working directory stays out of the key, so a fresh
# clone in another folder finds what an earlier build left.
export CCACHE_BASEDIR="$ROOT"
export CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}

# build DIR [cmake options...]: configures once, then builds incrementally.
build() {
  local dir="$1"; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir" -j "${KOVRA_JOBS:-$(nproc)}"
}
