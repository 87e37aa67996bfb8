#!/usr/bin/env bash
# Installs what a fresh Debian 12 or 13 machine lacks, then configures and builds
# into build/. Sourced by ./run and ./test.
set -euo pipefail

LEXORIA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-webengine-dev qt6-image-formats-plugins libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3 python3-pil fonts-dejavu-core
  xvfb xauth xdotool x11-xserver-utils x11-utils poppler-utils
  openbox weston qt6-wayland
  time bc
  at-spi2-core python3-pyatspi dbus orca speech-dispatcher
  clang libclang-rt-dev
  dpkg-dev lintian desktop-file-utils appstream
  g++-aarch64-linux-gnu qemu-user
)
# lexoria-import reads acts with libxml2, in the arm64 cross build of the core too.
LEXORIA_PACKAGES+=(libxml2-dev libxml2-dev:arm64)

lexoria_missing_packages() {
  local p
  for p in "${LEXORIA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

lexoria_install() {
  local missing
  missing=$(lexoria_missing_packages)
  [ -z "$missing" ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Installing: $missing"
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}

lexoria_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build
}

# The web view runs without a GPU; Chromium refuses its sandbox to root, so
# only root (as in the test runs) goes without it.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"

# Debian's arm64 packages, such as libxml2-dev:arm64, install beside the
# machine's own once dpkg knows the architecture.
lexoria_add_arm64() {
  dpkg --print-foreign-architectures | grep -qx arm64 && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo dpkg --add-architecture arm64
}

lexoria_add_arm64
lexoria_install
lexoria_build
