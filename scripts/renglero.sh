#!/usr/bin/env bash
# Installs what is missing, builds, and starts the notebook (with its own
# document window unless told otherwise).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/compilar.sh"
exec "$raiz/build/renglero" "$@"
