#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Menolux need,
# only those that are missing. Runs apt-get through sudo when not root.
# Further package names may follow as arguments (tools/fuzz.sh adds clang).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils
  qt6-qpa-plugins xvfb xauth x11-utils
  desktop-file-utils shared-mime-info
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
