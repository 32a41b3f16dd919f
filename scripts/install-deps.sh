#!/usr/bin/env bash
# Installs the Debian packages Quillmoor builds and tests with.
# Idempotent: when every package is already installed it returns at once.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config make
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxrandr-dev libwmf-dev libemf2svg-dev
  xvfb xauth xdotool x11-xserver-utils x11-utils imagemagick ffmpeg sox lame openbox
  fonts-liberation clang libclang-rt-14-dev
  python3-pyatspi python3-dogtail dbus-x11 at-spi2-core
  dpkg-dev lintian patchelf binutils debootstrap
  nasm  # the decoder-only FFmpeg of portable games (build-ffmpeg-decoders.sh)
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
