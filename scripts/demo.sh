#!/usr/bin/env bash
# Builds the project, prepares a demo program folder with a ready game and starts GestorKZ on it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/build.sh"
demo="$raiz/build/demo"
if [ ! -f "$demo/Partidas.DB" ]; then
  rm -rf "$demo"
  cp -a "$raiz/build/programa" "$demo"
  GESTORKZ_HOME="$demo" "$demo/kzdb" generar-partida T001 --turnos 12
fi
export GESTORKZ_HOME="$demo"
exec "$demo/gestorkz" "$@"
