#!/usr/bin/env bash
# Sets up a Debian 12 machine for Sleevix, builds it and then either starts
# the program (./build.sh run) or runs every test (./build.sh test), or only
# the end-to-end tests (./build.sh e2e), or checks that every C++ file is
# laid out as .clang-format says (./build.sh style), or makes the Debian package
# build/sleevix_VERSION_ARCH.deb and checks it (./build.sh package). CI also
# runs every test on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer (./build.sh sanitize, in build-asan) and each
# fuzz target briefly (./build.sh fuzz [SECONDS], in build-fuzz).
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libjpeg62-turbo-dev libsqlite3-dev libemf2svg-dev libwmf-dev libpng-dev libxcb1-dev libcups2-dev
  qt6-image-formats-plugins libheif-dev qt6-pdf-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  poppler-utils libjpeg-turbo-progs libqpdf-dev
  imagemagick libheif-examples webp libimage-exiftool-perl
)

# The end-to-end tests print through a CUPS daemon of their own and run the
# program on an X server of its own (tests/e2e/e2e-services); cups-pdf only
# works for root, so they run only there.
e2e_packages=(
  cups cups-client printer-driver-cups-pdf
  xvfb xdotool xclip x11-utils
)

# The fuzz targets need clang with libFuzzer, installed only for them.
fuzz_packages=(clang-14 libclang-rt-14-dev)

# The layout of the C++ sources is checked with one fixed clang-format.
style_packages=(clang-format-14)

# The Debian package: CPack asks dpkg-shlibdeps (with file) for its
# dependencies; the package, its menu entry and its metainfo are checked.
package_packages=(dpkg-dev file lintian desktop-file-utils appstream)

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

# Runs ctest in the build folder given, with the further arguments, under
# the end-to-end services when this is root.
run_tests() {
  local dir=$1
  shift
  if running_as_root; then
    local services
    SLEEVIX_E2E_DIR=$(mktemp -d /tmp/sleevix-e2e.XXXXXX)
    trap 'tests/e2e/e2e-services stop "$SLEEVIX_E2E_DIR"' EXIT
    services=$(tests/e2e/e2e-services start "$SLEEVIX_E2E_DIR")
    eval "$services"
  else
    echo "End-to-end tests skipped: real print queues and the X display need root."
  fi
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@")
}

# Builds into the folder given, with further CMake options. The prefix is
# the package's; the programs in the build folder find their parts beside
# them all the same.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr "$@"
  cmake --build "$dir" -j"$(nproc)"
}

# Makes build/sleevix_VERSION_ARCH.deb from the build in build/ and checks
# the package, its menu entry and its metainfo.
make_package() {
  rm -f build/sleevix_*.deb
  (cd build && cpack -G DEB)
  local package
  package=$(echo build/sleevix_*.deb)
  desktop-file-validate build/desktop/sleevix.desktop
  appstreamcli validate --no-net build/desktop/de.tarnholm.sleevix.metainfo.xml
  lintian --fail-on error "$package"
  echo "Package: $package"
}

install_test_packages() {
  install_missing_packages "${packages[@]}"
  if running_as_root; then install_missing_packages "${e2e_packages[@]}"; fi
}

case "${1:-}" in
  run)
    install_missing_packages "${packages[@]}"
    build build
    exec ./build/sleevix
    ;;
  test | e2e)
    install_test_packages
    build build
    if [ "$1" = e2e ]; then run_tests build -L e2e; else run_tests build; fi
    ;;
  style)
    install_missing_packages "${style_packages[@]}"
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
    ;;
  package)
    install_missing_packages "${packages[@]}" "${package_packages[@]}"
    build build
    make_package
    ;;
  sanitize)
    install_test_packages
    build build-asan -DSLEEVIX_SANITIZE=ON
    export ASAN_OPTIONS=detect_leaks=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    run_tests build-asan
    ;;
  fuzz)
    install_missing_packages "${packages[@]}" "${fuzz_packages[@]}"
    build build-fuzz -DSLEEVIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14
    tests/fuzz/run "${2:-30}"
    ;;
  *)
    echo "usage: $0 run|test|e2e|style|package|sanitize|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
