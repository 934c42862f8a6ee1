#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/compilar.sh"
cd "$raiz/build"
# A test that fails gets a second run: those that drive a real LibreOffice
# can lose its connection at its start; a real fault fails both runs.
ctest --output-on-failure -j "$(nproc)" --repeat until-pass:2
