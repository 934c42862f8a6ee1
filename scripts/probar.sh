#!/usr/bin/env bash
# Installs what is missing, checks the sources, builds, and runs every test,
# once: a test that fails has found a fault. The suite also runs on a build
# with the sanitizers, in a second build folder (sanitizadores.sh).
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$raiz/scripts/cronometro.sh"
cronometrar "preparar" "$raiz/scripts/preparar.sh"
cronometrar "comprobar" "$raiz/scripts/comprobar.sh"

# The sanitizer build compiles at the lowest priority from the start, beside
# the main build and then beside its suite: the main build takes the
# processors first, and the suite spends most of its time waiting on X
# servers and LibreOffice, so this build takes the processor time that they
# leave. Its programs come first (listos), so that its desktop tests run while
# it builds the test programs. The main build's benchmarks, only built here,
# never run, wait for the sanitizer build.
registro="$raiz/build/compilacion-sanitizadores.log"
listos="$raiz/build/programas-sanitizadores-listos"
mkdir -p "$raiz/build"
rm -f "$listos"
set -m # the build in a process group of its own, stopped whole if this script is
nice -n 19 bash -c 'RENGLERO_OBJETIVOS="renglero tests/leer_writer" "$1" compilar &&
  touch "$2" && "$1" compilar' sanitizadores "$raiz/scripts/sanitizadores.sh" "$listos" \
  >"$registro" 2>&1 &
compilacion=$!
set +m
trap 'kill -- -"$compilacion" 2>/dev/null || true' EXIT

# The main build: first what the suite runs.
RENGLERO_OBJETIVOS="renglero tests/all" "$raiz/scripts/compilar.sh"

# Here every test but the desktop tests of the notebook's own code (label
# sanitizadores): the desktop tests run one at a time, half a minute each, and
# the sanitizer build runs those, seeing more.
fallo=0
(cd "$raiz/build" && cronometrar "pruebas build" ctest --output-on-failure -j "$(nproc)" \
  -LE '^sanitizadores$') || fallo=1
# The sanitizer build's desktop tests: after the main build's, so that one
# desktop runs at a time still, beside the rest of its suite.
while [ ! -e "$listos" ] && kill -0 "$compilacion" 2>/dev/null; do sleep 1; done
escritorios="$raiz/build/pruebas-sanitizadores-escritorio.log"
escritorio=""
if [ -e "$listos" ]; then
  set -m
  "$raiz/scripts/sanitizadores.sh" probar escritorio >"$escritorios" 2>&1 &
  escritorio=$!
  set +m
  trap 'kill -- -"$compilacion" -"$escritorio" 2>/dev/null || true' EXIT
fi
compilada=0
wait "$compilacion" || compilada=$?
cat "$registro"
if ((compilada)); then
  echo "La compilación con sanitizadores ha fallado." >&2
  exit 1
fi
set -m
nice -n 19 "$raiz/scripts/compilar.sh" >"$raiz/build/compilacion-resto.log" 2>&1 &
resto=$!
set +m
trap 'kill -- -"$escritorio" -"$resto" 2>/dev/null || true' EXIT
"$raiz/scripts/sanitizadores.sh" probar resto || fallo=1
if [ -n "$escritorio" ]; then
  wait "$escritorio" || fallo=1
  cat "$escritorios"
fi
if ! wait "$resto"; then
  cat "$raiz/build/compilacion-resto.log"
  echo "La compilación de las pruebas de rendimiento ha fallado." >&2
  fallo=1
fi
printf '[probar.sh: %d s]\n' "$SECONDS" >&2
exit "$fallo"
