#!/usr/bin/env bash
# Configures and builds the notebook out of the source tree, in build/ (or
# the folder given), with Ninja where it is installed.
# Usage: compilar.sh [CARPETA [OPCIONES DE CMAKE...]]
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$raiz/build}"
shift $(($# > 0 ? 1 : 0))
# A folder configured before keeps its generator.
generador=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then
  generador=(-G Ninja)
fi
source "$raiz/scripts/cronometro.sh"
cronometrar "configurar $(basename "$build")" \
  cmake -S "$raiz" -B "$build" "${generador[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cronometrar "compilar $(basename "$build")" cmake --build "$build" -j "$(nproc)"
