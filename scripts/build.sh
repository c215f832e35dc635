#!/usr/bin/env bash
# Configures and builds the whole project into build/ (program folder: build/programa).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/setup.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$raiz/build" -j "$(nproc)"
