#!/usr/bin/env bash
# Installs what the reader needs on Debian 12 (only what is missing) and
# builds it into ./build. Sourced by ./run and ./test.
set -euo pipefail

NIVARA_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 libqt6sql6-sqlite qt6-qpa-plugins libgl-dev
  libsqlite3-dev mdbtools-dev libmdb3
  fonts-dejavu-core fonts-liberation2 fonts-noto-core fonts-farsiweb
  xvfb xauth x11-utils imagemagick desktop-file-utils dpkg-dev
)

install_missing_packages() {
  local missing=()
  for package in "${NIVARA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

build_nivara() {
  cmake -S "$NIVARA_ROOT" -B "$NIVARA_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$NIVARA_ROOT/build" -j"$(nproc)"
}

NIVARA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
install_missing_packages
build_nivara
