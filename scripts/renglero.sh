#!/usr/bin/env bash
# Installs what is missing, builds, puts Orca's script for the notebook
# where this user's Orca finds it, and starts the notebook: beside
# LibreOffice Writer, or with its own document window where no LibreOffice
# can start (the options, as `renglero --help` lists them, choose otherwise).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$raiz/scripts/preparar.sh"
"$raiz/scripts/compilar.sh"
# Orca's script for the notebook, for this user, where the installed package
# has not put it: Orca reads it when the notebook first has the focus.
if command -v orca >/dev/null &&
  [ ! -f /usr/lib/python3/dist-packages/orca/scripts/apps/Renglero.py ]; then
  guiones="${XDG_DATA_HOME:-$HOME/.local/share}/orca/orca-scripts"
  mkdir -p "$guiones"
  [ -f "$guiones/__init__.py" ] || : >"$guiones/__init__.py"
  cp "$raiz/data/orca/Renglero.py" "$guiones/Renglero.py"
fi
exec "$raiz/build/renglero" "$@"
