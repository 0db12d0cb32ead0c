#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test.
# Run as root (or through sudo) on a fresh machine; safe to run again.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
PKGS=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev qt6-translations-l10n
  libicu-dev libharfbuzz-dev libcups2 libcups2-dev
  cups-daemon cups-client printer-driver-cups-pdf
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-kanjistrokeorders
  poppler-utils python3
  kanjidic-xml mecab mecab-ipadic-utf8 libmecab-dev libmecab2
  xvfb xdotool xclip dbus dbus-x11 ibus ibus-mozc mozc-server
  at-spi2-core python3-gi gir1.2-atspi-2.0 x11-utils imagemagick
  desktop-file-utils appstream shared-mime-info libxml2-utils librsvg2-bin libglib2.0-bin
  dpkg-dev file groff-base lintian
  clang clang-format libclang-rt-14-dev llvm ccache
  libqt6sql6-sqlite libqt6sql6-psql postgresql
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 sway wtype grim qt6-wayland orca
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
