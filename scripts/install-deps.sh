#!/usr/bin/env bash
# Installs the Debian 12 packages the program and its tests need, when any is missing.
set -euo pipefail
pkgs=(g++ cmake ninja-build pkg-config qt6-base-dev libqt6sql6-sqlite qt6-serialport-dev libgl-dev
      qt6-l10n-tools libsodium-dev libxlsxwriter-dev libsqlite3-dev sqlite3 googletest libgtest-dev libbenchmark-dev
      cups cups-client cups-ipp-utils printer-driver-cups-pdf poppler-utils socat fonts-thai-tlwg fonts-dejavu-core python3-openpyxl xvfb xauth openbox x11-utils xdotool)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
