#!/usr/bin/env bash
# Installs what is missing, builds, and starts the notebook: beside
# LibreOffice Writer, or with its own document window where no LibreOffice
# can start (the options, as `renglero --help` lists them, choose otherwise).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/compilar.sh"
exec "$raiz/build/renglero" "$@"
