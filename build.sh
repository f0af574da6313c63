#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sleevix, builds it and then either starts
# the program (./build.sh run) or runs every test (./build.sh test), or only
# the end-to-end tests (./build.sh e2e).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libsqlite3-dev libemf2svg-dev libwmf-dev libxcb1-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  poppler-utils libjpeg-turbo-progs
)

# The end-to-end tests print through a CUPS daemon of their own and run the
# program on an X server of its own (tests/e2e/e2e-services); cups-pdf only
# works for root, so they run only there.
e2e_packages=(
  cups cups-client printer-driver-cups-pdf
  xvfb xdotool xclip x11-utils imagemagick
)

install_missing_packages() {
  local missing=()
  for package in "$@"; do
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

running_as_root() {
  [ "$(id -u)" -eq 0 ]
}

# Runs ctest with the arguments given, under the end-to-end services when
# this is root.
run_tests() {
  if running_as_root; then
    local services
    SLEEVIX_E2E_DIR=$(mktemp -d /tmp/sleevix-e2e.XXXXXX)
    trap 'tests/e2e/e2e-services stop "$SLEEVIX_E2E_DIR"' EXIT
    services=$(tests/e2e/e2e-services start "$SLEEVIX_E2E_DIR")
    eval "$services"
  else
    echo "End-to-end tests skipped: real print queues and the X display need root."
  fi
  (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@")
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build build -j"$(nproc)"
}

case "${1:-}" in
  run)
    install_missing_packages "${packages[@]}"
    build
    exec ./build/sleevix
    ;;
  test | e2e)
    install_missing_packages "${packages[@]}"
    if running_as_root; then install_missing_packages "${e2e_packages[@]}"; fi
    build
    if [ "$1" = e2e ]; then run_tests -L e2e; else run_tests; fi
    ;;
  *)
    echo "usage: $0 run|test|e2e" >&2
    exit 2
    ;;
esac
