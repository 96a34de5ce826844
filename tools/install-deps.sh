#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run (as root, or via sudo).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libcurl4-openssl-dev libboost1.81-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix
  libpng-dev libjpeg-dev zlib1g-dev
  qt6-base-dev qt6-webengine-dev libgl-dev qt6-qpa-plugins libqt6webenginecore6-bin
  fonts-wqy-microhei xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
