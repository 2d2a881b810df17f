# Shared by scripts/run and scripts/test: the Debian packages the tool needs, installed when
# missing, and the configure-and-build step.

QUARN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Build tools, Qt 6 (Widgets, SerialPort, PrintSupport, Test; the JPEG image plugin ships in
# libqt6gui6), a sans-serif and a fixed-pitch font, and pdftotext for the report tests.
QUARN_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-serialport-dev libgl-dev
  fonts-dejavu-core fonts-liberation2 fonts-liberation poppler-utils ccache
  libgit2-dev git ser2net openssl
)

quarn_install_packages() {
  local missing=()
  for p in "${QUARN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "error: these Debian packages are missing and I am neither root nor able to use sudo:" >&2
      echo "       ${missing[*]}" >&2
      echo "       install them (apt-get install ${missing[*]}) and run me again." >&2
      exit 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

# quarn_build BUILD_DIR [cmake options...]: configure once, then build incrementally.
quarn_build() {
  local dir="$1"; shift
  # A compiler cache shared by every checkout on this machine: a fresh clone (CI's) rebuilds only
  # what changed. The build folder is left out of the hash so that checkouts share entries; the
  # debug information of a hit then names the first checkout's build folder, which is harmless.
  if command -v ccache >/dev/null 2>&1; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$QUARN_ROOT")}" CCACHE_NOHASHDIR=true
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$QUARN_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  cmake --build "$dir" -j"$(nproc 2>/dev/null || echo 2)"
}
