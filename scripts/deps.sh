#!/usr/bin/env bash
# Installs the Debian packages the player needs to build, run and be tested, when any is
# missing. Meant for a fresh Debian 12 machine; run as root (or with sudo at hand).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libfontconfig-dev libcdio-dev libcdio-paranoia-dev libpulse-dev
  python3-fonttools python3-munkres
  pulseaudio pulseaudio-utils
  xvfb xdotool x11-utils imagemagick openbox
  libxcb-damage0-dev libxcb-xfixes0-dev libxcb-record0-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  clang libclang-rt-14-dev
  dbus playerctl desktop-file-utils
  g++-mingw-w64-x86-64-posix wine64 wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please install as root: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
