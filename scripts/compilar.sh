#!/usr/bin/env bash
# Configures and builds the notebook out of the source tree, in build/ (or
# the folder given), with Ninja where it is installed.
# Usage: compilar.sh [CARPETA [OPCIONES DE CMAKE...]]
# With RENGLERO_OBJETIVOS set (Ninja targets, space-separated), only those.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$raiz/build}"
shift $(($# > 0 ? 1 : 0))
# A folder configured before keeps its generator and its settings. One made
# here builds each target's files in batches (a unity build): a file's Qt,
# UNO and GoogleTest headers are parsed once a batch rather than once a file.
# Its debug information is line tables only, enough for a backtrace and a
# third less to compile than full -g.
nueva=()
if [ ! -f "$build/CMakeCache.txt" ]; then
  command -v ninja >/dev/null && nueva=(-G Ninja)
  nueva+=(-DCMAKE_UNITY_BUILD=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
fi
source "$raiz/scripts/cronometro.sh"
cronometrar "configurar $(basename "$build")" \
  cmake -S "$raiz" -B "$build" "${nueva[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# Targets by name only with Ninja: a Makefile folder builds everything.
objetivos=(all)
if [ -n "${RENGLERO_OBJETIVOS:-}" ] && [ -f "$build/build.ninja" ]; then
  read -r -a objetivos <<<"$RENGLERO_OBJETIVOS"
fi
cronometrar "compilar $(basename "$build")" cmake --build "$build" -j "$(nproc)" --target "${objetivos[@]}"
