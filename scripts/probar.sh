#!/usr/bin/env bash
# Installs what is missing, checks the sources, builds, and runs every test,
# once: a test that fails has found a fault. The whole suite also runs on a
# build with the sanitizers, in a second build folder.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/comprobar.sh"
"$raiz/scripts/compilar.sh"
"$raiz/scripts/sanitizadores.sh"
cd "$raiz/build"
ctest --output-on-failure -j "$(nproc)"
