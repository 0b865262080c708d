#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Fast when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev
  libgsf-1-dev libfreexl-dev
  libgtest-dev libbenchmark-dev libfftw3-dev
  clang libclang-rt-14-dev
  xvfb xauth fonts-liberation qt6-translations-l10n
  pulseaudio pulseaudio-utils
  socat libhamlib-dev libhamlib-utils
  gnumeric python3-xlwt python3-xlrd
  xplanet-images
  dpkg-dev file desktop-file-utils appstream lintian
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo=sudo
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
