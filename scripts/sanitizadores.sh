#!/usr/bin/env bash
# The test suite once more, on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-san/): the programs that the scripts and
# the desktop tests start are built so too. Every report is written to a file
# in build-san/informes/, so that one is seen even where a test did not look
# at the exit code; any report fails.
#
# The suite here is every test but the desktop matrix's other window managers
# and the installation: those exercise the window managers and dpkg, while
# the notebook's own code that they run is the same that writer_x11 (openbox)
# runs, here too.
#
# Usage: sanitizadores.sh [compilar|probar [escritorio|resto]]  (both, one
# after the other, unless one is named; probar escritorio runs the desktop
# tests alone, which need only the programs, probar resto the others)
set -euo pipefail
raiz="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$raiz/build-san"
que="${1:-todo}"
# Each part's reports apart: the two parts may run at once.
informes="$build/informes/${2:-todas}"
case "${2:-}" in
escritorio) etiquetas=(-L '^sanitizadores$') ;;
resto) etiquetas=(-LE '^(escritorios|instalacion|sanitizadores)$') ;;
*) etiquetas=(-LE '^(escritorios|instalacion)$') ;;
esac

if [ "$que" != probar ]; then
  "$raiz/scripts/compilar.sh" "$build" -DRENGLERO_SANITIZERS=ON -DRENGLERO_BENCH=OFF
fi
[ "$que" = compilar ] && exit 0

rm -rf "$informes"
mkdir -p "$informes"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:log_path=$informes/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$informes/ubsan"
export LSAN_OPTIONS="suppressions=$raiz/tests/sanitizadores.supp:print_suppressions=0"
source "$raiz/scripts/cronometro.sh"
fallo=0
(cd "$build" && cronometrar "pruebas build-san${2:+ $2}" ctest --output-on-failure -j "$(nproc)" \
  "${etiquetas[@]}") || fallo=1
if compgen -G "$informes/*" >/dev/null; then
  echo "Los sanitizadores han informado:"
  cat "$informes"/*
  fallo=1
fi
exit "$fallo"
