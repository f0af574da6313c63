#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sleevix, builds it and then either starts
# the program (./build.sh run) or runs every test (./build.sh test).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libsqlite3-dev libemf2svg-dev libwmf-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  poppler-utils libjpeg-turbo-progs
)

install_missing_packages() {
  local missing=()
  for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
      || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing_packages
    build
    exec ./build/sleevix
    ;;
  test)
    install_missing_packages
    build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
