#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/compilar.sh"
cd "$raiz/build"
# The tests that drive a real LibreOffice get a second run if its connection
# fails once at start-up; a fault fails both runs.
ctest --output-on-failure -j "$(nproc)" --repeat until-pass:2
