#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing.
set -euo pipefail
paquetes=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libsqlite3-dev sqlite3 zlib1g-dev pxlib-dev ghostscript libgtest-dev libgmock-dev
          libbenchmark-dev fonts-dejavu-core python3)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${faltan[@]}"
fi
