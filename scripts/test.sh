#!/usr/bin/env bash
# Builds everything and runs every test (widget tests headless).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$raiz/build"
ctest --output-on-failure -j "$(nproc)" --timeout 600
