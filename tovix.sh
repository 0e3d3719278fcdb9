#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tovix (or runs its tests).
#   ./tovix.sh        build and start the program from build/tovix/
#   ./tovix.sh test   build and run the whole test suite
#   ./tovix.sh package   build and make the Debian package tovix_*.deb in build/
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  g++ cmake ninja-build pkg-config make
  qt6-base-dev libgl-dev qt6-translations-l10n
  libjpeg62-turbo-dev libmpg123-dev mpg123 lame ffmpeg
  libavcodec-dev libavutil-dev libswscale-dev
  libisofs-dev xorriso
  libsimpleini-dev libicu-dev
  fonts-dejavu-core fonts-wine
  googletest libgtest-dev libgmock-dev libbenchmark-dev libtag1-dev
  xvfb xauth
  desktop-file-utils appstream dpkg-dev file lintian
  clang libclang-rt-14-dev libfuzzer-14-dev
)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get)
  if [ "$(id -u)" -eq 0 ]; then
    "${apt[@]}" update -qq && "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "${apt[@]}" update -qq && sudo "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Tovix needs these Debian packages. Please run as root:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
}

build() {
  local dir=$1; shift
  local gen=()
  command -v ninja >/dev/null 2>&1 && [ ! -f "$dir/Makefile" ] && gen=(-G Ninja)
  cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
  test)
    install_missing
    build build
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
  package)
    install_missing
    build build
    (cd build && cpack -G DEB)
    ls build/tovix_*.deb
    ;;
  "")
    install_missing
    build build
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "Tovix is a desktop program and needs a graphical session (no DISPLAY is set)." >&2
      echo "Without one, try the headless front end: build/tovix/tovix-cli demo ~/tovix-demo" >&2
      exit 1
    fi
    cd build/tovix && exec ./tovix
    ;;
  *)
    echo "usage: ./tovix.sh [test|package]" >&2
    exit 2
    ;;
esac
