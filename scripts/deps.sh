#!/usr/bin/env bash
# Installs the Debian packages Moranote needs to build, run and test.
# Run as root on Debian 12; packages already present are left alone. Given
# package names, it installs those instead (what another script needs).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-base-private-dev qt6-l10n-tools qt6-translations-l10n qt6-multimedia-dev qt6-svg-dev libgl-dev libsndfile1-dev libxcb1-dev libical-dev
  desktop-file-utils appstream dpkg-dev file
  googletest libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils imagemagick wmsystemtray xfonts-base
  pulseaudio pulseaudio-utils sox faketime python3-xlib syncthing
  weston qt6-wayland openbox
  fonts-dejavu-core fonts-dejavu-extra fonts-ipafont-gothic fonts-ipafont-mincho
  dbus-daemon python3-dbus python3-gi python3-icalendar
  qtkeychain-qt6-dev radicale python3-caldav gnome-keyring libsecret-tools
  at-spi2-core python3-pyatspi
)
[ $# -gt 0 ] && packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
