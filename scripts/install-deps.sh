#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Does nothing when all of them are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-svg-dev libqt6svg6 libqt6sql6-sqlite qt6-webengine-dev qt6-webengine-dev-tools qt6-webchannel-dev libqt6opengl6-dev
  qt6-qpa-plugins libgl-dev libglx-dev libegl-dev
  libmpv-dev mpv libjs-leaflet
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libx264-164
  ffmpeg dosfstools mtools pkexec
  xvfb xauth x11-apps imagemagick
  python3 python3-dbusmock dbus dbus-x11
  poppler-utils gpsbabel
  dpkg-dev lintian desktop-file-utils appstream librsvg2-bin libxml2-utils
  man-db bash-completion file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
