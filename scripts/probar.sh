#!/usr/bin/env bash
# Installs what is missing, checks the sources, builds, and runs every test,
# once: a test that fails has found a fault. The suite also runs on a build
# with the sanitizers, in a second build folder (sanitizadores.sh).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$raiz/scripts/cronometro.sh"
cronometrar "preparar" "$raiz/scripts/preparar.sh"
cronometrar "comprobar" "$raiz/scripts/comprobar.sh"
"$raiz/scripts/compilar.sh"

# The sanitizer build compiles at the lowest priority while the suite runs on
# the main build: the suite spends most of its time waiting on X servers and
# LibreOffice, and the build takes only the processor time that it leaves.
registro="$raiz/build/compilacion-sanitizadores.log"
set -m # the build in a process group of its own, stopped whole if this script is
nice -n 19 "$raiz/scripts/sanitizadores.sh" compilar >"$registro" 2>&1 &
compilacion=$!
set +m
trap 'kill -- -"$compilacion" 2>/dev/null || true' EXIT

fallo=0
(cd "$raiz/build" && cronometrar "pruebas build" ctest --output-on-failure -j "$(nproc)") || fallo=1
compilada=0
wait "$compilacion" || compilada=$?
cat "$registro"
if ((compilada)); then
  echo "La compilación con sanitizadores ha fallado." >&2
  exit 1
fi
"$raiz/scripts/sanitizadores.sh" probar || fallo=1
printf '[probar.sh: %d s]\n' "$SECONDS" >&2
exit "$fallo"
